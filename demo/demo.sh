#!/usr/bin/env bash
# Demo job: builds a tilted V-shaped catchment (two planes draining to a
# sloping central channel, every cell inside the basin) as an ESRI ASCII grid,
# imports it as a raster image and runs the cascade method with a design
# storm and a cross-section across the channel near its low end.
set -euo pipefail
TARNO=$(realpath "${1:-build/release/tarno}")
OUT=$(realpath -m "$(dirname "$0")/salida")
mkdir -p "$OUT"
awk -v filas=60 -v cols=41 'BEGIN {
  printf "ncols %d\nnrows %d\nxllcorner 0\nyllcorner 0\ncellsize 10\nNODATA_value -9999\n", cols, filas;
  mid = (cols + 1) / 2;
  for (f = 1; f <= filas; f++) {
    linea = "";
    for (c = 1; c <= cols; c++) {
      d = c - mid; if (d < 0) d = -d;
      z = 100 + (filas - f) * 0.5 + d * 2.0;
      linea = linea sprintf("%s%.2f", (c > 1 ? " " : ""), z);
    }
    print linea;
  }
}' > "$OUT/demo_v.asc"
"$TARNO" import-asc "$OUT/demo_v.asc" "$OUT/demo_dat.rkd" --titulo "Cuenca demo en V"
"$TARNO" info "$OUT/demo_dat.rkd"

# Run parameters: 60 mm in 60 minutes, 1-minute steps, 150 periods, a
# recession constant of 10 minutes, and a section across the channel
# (row 55, columns 18 to 24).
cat > "$OUT/demo_parametros.txt" <<PAR
DirDEM=$OUT/
ArchivoDEM=demo_dat.rkd
Metodo=0
Pp=60
Dur=60
PasoPp=1
PasoQ=10
nPer=150
KRecesion=10
fHidro1=55
cHidro1=18
fHidro2=55
cHidro2=24
PAR
echo
echo "== tarno run $OUT/demo_parametros.txt"
# The processing-order cache is written in the working folder: run from $OUT.
(cd "$OUT" && "$TARNO" run demo_parametros.txt)
echo
echo "== Hidrograma en la sección ($OUT/demo_Qt.rkd)"
# The file is Windows-1252 text; shown in UTF-8 when iconv is there.
iconv -f WINDOWS-1252 -t UTF-8 "$OUT/demo_Qt.rkd" 2>/dev/null || cat "$OUT/demo_Qt.rkd"
