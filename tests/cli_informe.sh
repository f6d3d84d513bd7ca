#!/bin/bash
# `tarno run --informe` and `tarno grafico` on a small valley, then the report
# opened by a real browser (headless Chromium): its screenshot must not be
# blank. Without Chromium the browser part is skipped (exit 77).
# Arguments: TARNO COLORES_PNG WORK
set -u
TARNO=$1
COLORES=$2
WORK=$3
falla() { echo "FALLA: $*" >&2; exit 1; }
rm -rf "$WORK" && mkdir -p "$WORK" && cd "$WORK" || exit 1

# A valley of 30 rows x 40 columns draining east, its corners outside the basin.
{
    printf 'ncols 40\nnrows 30\nxllcorner 0\nyllcorner 0\ncellsize 10\nNODATA_value -9999\n'
    for ((i = 0; i < 30; i++)); do
        fila=""
        for ((j = 0; j < 40; j++)); do
            if (( (i < 4 || i > 25) && j < 6 )); then v=-9999
            else d=$(( i > 15 ? i - 15 : 15 - i )); v=$(( 200 + 2 * d + (40 - j) )); fi
            fila+="$v "
        done
        echo "$fila"
    done
} > valle.asc
"$TARNO" import-asc valle.asc valle_dat.rkd > /dev/null || falla "import-asc"
cat > p.txt <<PAR
DirDEM=$WORK/
ArchivoDEM=valle_dat.rkd
Pp=30
Dur=20
PasoQ=2
nPer=60
KRecesion=5
fHidro1=10
cHidro1=38
fHidro2=20
cHidro2=38
PAR
"$TARNO" run p.txt --informe --resumen r.json > salida.txt 2> errores.txt || falla "run: $(cat salida.txt errores.txt)"
grep -q "valle_informe.html" salida.txt || falla "el informe no figura entre los archivos escritos"
[ "$(grep -o 'src="data:image/png;base64,' valle_informe.html | wc -l)" = 3 ] || falla "el informe no tiene 3 imágenes"
grep -q '<script' valle_informe.html && falla "el informe tiene scripts"
lluvia=$(sed -n 's/.*"lluvia_m3": \([^,]*\),.*/\1/p' r.json)
grep -q "data-clave=\"lluvia_m3\" data-valor=\"$lluvia\"" valle_informe.html || falla "falta la lluvia $lluvia"

"$TARNO" grafico valle_Qt.rkd h.png --ancho 640 > g.txt 2>&1 || falla "grafico png: $(cat g.txt)"
grep -q "30 pasos de lluvia\|60 pasos de lluvia" g.txt || falla "grafico sin lluvia: $(cat g.txt)"
"$TARNO" grafico valle_Qt.rkd h.svg > /dev/null 2>&1 || falla "grafico svg"
grep -q "<svg" h.svg || falla "h.svg no es SVG"
[ "$("$COLORES" h.png)" -gt 20 ] || falla "h.png en blanco"
"$TARNO" grafico r.json x.png > /dev/null 2>&1 && falla "un archivo que no es hidrograma fue aceptado"

# TARNO_CHROMIUM names another browser binary (empty: none).
CHROMIUM=${TARNO_CHROMIUM-$(command -v chromium || command -v chromium-browser || true)}
if [ -z "$CHROMIUM" ] || [ ! -x "$CHROMIUM" ]; then
    echo "SKIP: Chromium no está instalado (paquete Debian chromium): el informe no se abre en un navegador"
    exit 77
fi
timeout 120 "$CHROMIUM" --headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir="$WORK/perfil" \
    --screenshot="$WORK/pantalla.png" --window-size=1200,1600 "file://$WORK/valle_informe.html" > chromium.txt 2>&1
[ -s pantalla.png ] || falla "Chromium no tomó la captura: $(tail -5 chromium.txt)"
n=$("$COLORES" pantalla.png) || falla "captura ilegible"
echo "captura de Chromium: $n colores"
[ "$n" -ge 100 ] || falla "la captura del informe está casi en blanco ($n colores)"
echo "1 passed, 0 failed"
