#!/usr/bin/env bash
# Demo job: builds a small tilted V-shaped catchment as an ESRI ASCII grid,
# imports it as a raster image and prints its summary.
set -euo pipefail
TARNO=${1:-build/release/tarno}
OUT=$(dirname "$0")/salida
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
