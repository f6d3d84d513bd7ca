#!/bin/bash
# Time of a batch of 8 scenarios run one after another (--trabajos 1) and
# two at once (--trabajos 2), on a generated DEM: a tilted V-shaped valley of
# LADO x LADO cells of 10 m with decimal elevations, the cascade method, NPER
# one-minute periods. Scenarios: Pp 40/80 mm x Dur 30/60 min x KRecesion 5/20.
#   contrib/medir_lote.sh [TARNO] [LADO] [NPER] [CARPETA]
set -euo pipefail
TARNO=$(realpath "${1:-build/release/tarno}")
lado=${2:-400}
nper=${3:-360}
dir=$(realpath -m "${4:-/tmp/tarno_medir_lote}")
rm -rf "$dir"
mkdir -p "$dir/dem"
cd "$dir"
awk -v n="$lado" 'BEGIN {
  printf "ncols %d\nnrows %d\nxllcorner 0\nyllcorner 0\ncellsize 10\nNODATA_value -9999\n", n, n;
  mid = (n + 1) / 2;
  for (f = 1; f <= n; f++) {
    linea = "";
    for (c = 1; c <= n; c++) {
      d = c - mid; if (d < 0) d = -d;
      z = 100 + (n - f) * 0.5 + d * 2.0 + ((f * 7 + c * 13) % 10) * 0.01;
      linea = linea sprintf("%s%.2f", (c > 1 ? " " : ""), z);
    }
    print linea;
  }
}' > v.asc
"$TARNO" import-asc v.asc dem/v_dat.rkd >/dev/null
fila=$((lado - lado / 20))
cat > base.txt <<PAR
DirDEM=dem/
ArchivoDEM=v_dat.rkd
Pp=60
Dur=60
PasoPp=1
nPer=$nper
KRecesion=10
fHidro1=$fila
cHidro1=$((lado / 2 - 10))
fHidro2=$fila
cHidro2=$((lado / 2 + 10))
PAR
echo "Nombre,Pp,Dur,KRecesion" > esc.csv
for pp in 40 80; do for d in 30 60; do for k in 5 20; do echo "P${pp}_D${d}_K${k},$pp,$d,$k" >> esc.csv; done; done; done
for n in 1 2; do
    inicio=$(date +%s.%N)
    "$TARNO" lote esc.csv --base base.txt --salida "trabajos$n" --trabajos "$n" 2>/dev/null | tail -n 1
    fin=$(date +%s.%N)
    eval "t$n=$(awk -v a="$inicio" -v b="$fin" 'BEGIN { printf "%.1f", b - a }')"
done
echo "8 escenarios, $lado x $lado celdas, $nper períodos: --trabajos 1 $t1 s, --trabajos 2 $t2 s, razón $(awk -v a="$t1" -v b="$t2" 'BEGIN { printf "%.2f", b / a }')"
