#!/bin/sh
# Compares two builds of `tarno run` on the same inputs, in one go:
#
#   bench/comparar.sh VIEJO/tarno NUEVO/tarno PARAMETROS [VECES] [--set Campo=valor ...]
#
# Runs both binaries VECES times (default 5), alternating them so that the
# load of a shared machine falls on both alike, after one warm-up run each
# (the order cache of the working folder is then warm). Prints, for each, the
# median of the wall time and of the peak memory (/usr/bin/time) and of the
# `Segundos` of the run's summary, and the ratio old / new. After the last run
# of each binary it keeps every result file the run lists and compares them
# byte for byte (cmp): the script ends with status 1 when any differs.
set -eu
if [ $# -lt 3 ]; then
    echo "uso: $0 VIEJO/tarno NUEVO/tarno PARAMETROS [VECES] [--set Campo=valor ...]" >&2
    exit 2
fi
viejo=$1
nuevo=$2
parametros=$3
shift 3
veces=5
if [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; then
    veces=$1
    shift
fi
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT

# corrida BINARIO ETIQUETA: one run; appends "wall rss segundos" to ETIQUETA.txt
corrida() {
    b=$1
    shift
    /usr/bin/time -f "%e %M" -o "$trabajo/tiempo" "$b" run "$parametros" "$@" >"$trabajo/salida" 2>"$trabajo/error" || {
        echo "la corrida de $b falló:" >&2
        cat "$trabajo/salida" "$trabajo/error" >&2
        exit 1
    }
}
medir() {
    binario=$1
    etiqueta=$2
    shift 2
    corrida "$binario" "$@"
    segundos=$(sed -n 's/^Segundos: *//p' "$trabajo/salida")
    echo "$(cat "$trabajo/tiempo") $segundos" >>"$trabajo/$etiqueta.txt"
}
guardar() {
    mkdir -p "$trabajo/$1"
    sed -n '/^Archivos escritos:/,$p' "$trabajo/salida" | sed '1d; s/^ *//' | while read -r archivo; do
        cp "$archivo" "$trabajo/$1/"
    done
}
mediana() {  # column $1 of file $2
    sort -n -k"$1","$1" "$2" | awk -v c="$1" '{v[NR]=$c} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'
}

corrida "$viejo" "$@"
corrida "$nuevo" "$@"
i=0
while [ $i -lt "$veces" ]; do
    medir "$viejo" viejo "$@"
    [ $i -eq $((veces - 1)) ] && guardar viejo
    medir "$nuevo" nuevo "$@"
    [ $i -eq $((veces - 1)) ] && guardar nuevo
    i=$((i + 1))
done

grep -E '^(Grilla|Períodos|Orden)' "$trabajo/salida" || true
echo "carga media: $(cut -d' ' -f1-3 /proc/loadavg)   corridas: $veces de cada uno (medianas)"
printf '%-8s %12s %14s %12s\n' "" "pared [s]" "memoria [MB]" "Segundos"
for e in viejo nuevo; do
    printf '%-8s %12s %14s %12s\n' "$e" "$(mediana 1 "$trabajo/$e.txt")" \
        "$(mediana 2 "$trabajo/$e.txt" | awk '{printf "%.1f", $1 / 1024}')" "$(mediana 3 "$trabajo/$e.txt")"
done
awk -v a="$(mediana 1 "$trabajo/viejo.txt")" -v b="$(mediana 1 "$trabajo/nuevo.txt")" \
    -v c="$(mediana 3 "$trabajo/viejo.txt")" -v d="$(mediana 3 "$trabajo/nuevo.txt")" \
    'BEGIN {printf "viejo / nuevo: pared %.2f   Segundos %.2f\n", a / b, (d > 0 ? c / d : 0)}'

distintos=0
for f in "$trabajo"/viejo/*; do
    n=$(basename "$f")
    if ! cmp -s "$f" "$trabajo/nuevo/$n"; then
        echo "DISTINTO: $n"
        distintos=1
    fi
done
echo "archivos de resultado comparados: $(ls "$trabajo/viejo" | wc -l), distintos: $distintos"
exit $distintos
