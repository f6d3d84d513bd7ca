#!/bin/sh
# Runs the same benchmarks of two builds of tarno_bench in one go and prints
# the ratio old / new of each:
#
#   bench/comparar_bench.sh VIEJO/tarno_bench NUEVO/tarno_bench FILTRO [VECES]
#
# FILTRO is a --benchmark_filter expression; the builds are run alternately
# VECES times (default 5) so that the load of a shared machine falls on both
# alike. Prints, per benchmark, the median real (wall) and CPU time of each
# build and the ratios.
set -eu
if [ $# -lt 3 ]; then
    echo "uso: $0 VIEJO/tarno_bench NUEVO/tarno_bench FILTRO [VECES]" >&2
    exit 2
fi
viejo=$1
nuevo=$2
filtro=$3
veces=${4:-5}
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT

# One benchmark at a time: the CSV report wants the same counters in every row.
"$nuevo" --benchmark_list_tests --benchmark_filter="$filtro" >"$trabajo/nombres"
i=0
while [ $i -lt "$veces" ]; do
    while read -r nombre; do
        for e in viejo nuevo; do
            eval b=\$$e
            "$b" --benchmark_filter="^$nombre\$" --benchmark_format=csv 2>/dev/null |
                awk -F, -v e="$e" '/^"BM_/ {gsub(/"/, "", $1); print e, $1, $3, $4, $5}' >>"$trabajo/tiempos"
        done
    done <"$trabajo/nombres"
    i=$((i + 1))
done

echo "carga media: $(cut -d' ' -f1-3 /proc/loadavg)   corridas: $veces de cada uno (medianas)"
printf '%-44s %14s %14s %14s %14s %8s %8s\n' benchmark "viejo pared" "nuevo pared" "viejo CPU" "nuevo CPU" "pared" "CPU"
while read -r nombre; do
    med() {  # build, column
        awk -v e="$1" -v n="$nombre" -v c="$2" '$1 == e && $2 == n {print $c}' "$trabajo/tiempos" | sort -g |
            awk '{v[NR] = $1} END {if (NR == 0) print "-"; else print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
    }
    unidad=$(awk -v n="$nombre" '$2 == n {print $5; exit}' "$trabajo/tiempos")
    vp=$(med viejo 3) np=$(med nuevo 3) vc=$(med viejo 4) nc=$(med nuevo 4)
    awk -v n="$nombre" -v vp="$vp" -v np="$np" -v vc="$vc" -v nc="$nc" -v u="$unidad" '
    function t(x) { return x == "-" ? "-" : sprintf("%.1f %s", x, u) }
    BEGIN {
        r1 = (vp != "-" && np != "-" && np > 0) ? sprintf("%.2f", vp / np) : "-";
        r2 = (vc != "-" && nc != "-" && nc > 0) ? sprintf("%.2f", vc / nc) : "-";
        printf "%-44s %14s %14s %14s %14s %8s %8s\n", n, t(vp), t(np), t(vc), t(nc), r1, r2
    }'
done <"$trabajo/nombres"
