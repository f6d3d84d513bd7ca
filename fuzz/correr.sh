#!/usr/bin/env bash
# Runs every fuzz target of BUILD (default build/fuzz) for SECONDS seconds
# (default 10) on its seeds (fuzz/semillas/<target>) and the corpus it grew
# before (BUILD/corpus/<target>). A target that finds a fault leaves the input
# in BUILD/hallazgos and makes the run fail.
set -uo pipefail
build=${1:-build/fuzz}
segundos=${2:-10}
raiz=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$build/corpus" "$build/hallazgos"
bien=0
mal=0
for binario in "$build"/fuzz/fuzz_*; do
  [ -x "$binario" ] || continue
  nombre=$(basename "$binario")
  corpus="$build/corpus/$nombre"
  registro="$build/$nombre.log"
  mkdir -p "$corpus"
  if "$binario" -max_total_time="$segundos" -timeout=60 -print_final_stats=1 \
       -artifact_prefix="$build/hallazgos/$nombre-" "$corpus" "$raiz/semillas/$nombre" >"$registro" 2>&1; then
    ejecuciones=$(sed -n 's/^stat::number_of_executed_units: *//p' "$registro")
    echo "$nombre: ${ejecuciones:-?} ejecuciones en ${segundos} s, sin fallas"
    bien=$((bien + 1))
  else
    echo "$nombre: FALLA (registro en $registro)"
    grep -E "ERROR|SUMMARY|no se cumple|runtime error|Test unit written" "$registro" | head -20
    mal=$((mal + 1))
  fi
done
echo "fuzz: $bien passed, $mal failed"
[ "$mal" -eq 0 ] && [ "$bien" -gt 0 ]
