#!/bin/bash
# The Slurm recipe for real: a one-node cluster on this machine
# (contrib/slurm/cluster_local.sh), a 3-row batch submitted with
# contrib/slurm/lote.sbatch, and its merged summary checked. Skipped (status
# 77) where Slurm or MUNGE is not installed or the test does not run as root.
#   tests/slurm_lote.sh TARNO FUENTES TRABAJO
set -uo pipefail
for p in munged slurmctld slurmd sbatch squeue sinfo; do
    if ! command -v "$p" >/dev/null; then
        echo "SKIP: falta $p (instale slurm-wlm y munge para probar la receta de Slurm)"
        exit 77
    fi
done
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: el cluster local de prueba necesita root"
    exit 77
fi

TARNO=$(realpath "$1")
FUENTES=$(realpath "$2")
WORK=$(realpath -m "$3")
rm -rf "$WORK"
mkdir -p "$WORK/dem"
CLUSTER=$(mktemp -d /tmp/tarno_slurm.XXXXXX)
terminar() {
    "$FUENTES/contrib/slurm/cluster_local.sh" stop "$CLUSTER"
    rm -rf "$CLUSTER"
}
trap terminar EXIT
falla() {
    echo "FALLA: $*"
    for f in "$WORK"/*.out "$CLUSTER"/slurmctld.log; do [ -f "$f" ] && { echo "== $f"; tail -n 20 "$f"; }; done
    exit 1
}

timeout 40 "$FUENTES/contrib/slurm/cluster_local.sh" start "$CLUSTER" || falla "el cluster no arrancó"
export SLURM_CONF=$CLUSTER/slurm.conf

cd "$WORK"
printf 'ncols 4\nnrows 3\nxllcorner 0\nyllcorner 0\ncellsize 10\nNODATA_value -9999\n9 8 7 6\n8 6 5 4\n7 5 3 2\n' > g.asc
"$TARNO" import-asc g.asc dem/g_dat.rkd >/dev/null || falla "import-asc"
printf 'DirDEM=dem/\nArchivoDEM=g_dat.rkd\nnPer=30\nKRecesion=10\nfHidro1=3\ncHidro1=3\nfHidro2=3\ncHidro2=4\n' > base.txt
printf 'Nombre,Pp,KRecesion\nT10,30,\nT50,45,5\nT100,60,20\n' > esc.csv

echo "== sbatch (contrib/slurm/lote.sbatch esc.csv base.txt salida)"
resumen=$(TARNO=$TARNO timeout 30 "$FUENTES/contrib/slurm/lote.sbatch" esc.csv base.txt salida) || falla "sbatch"
resumen=$(echo "$resumen" | tail -n 1)
echo "trabajo del resumen: $resumen"
# The merge step leaves the queue when the array and the merge are done. The
# test keeps its own deadlines (every Slurm call bounded), well inside the
# ctest time-out, so the cluster is always stopped.
fin=$((SECONDS + 60))
while [ $SECONDS -lt $fin ]; do
    [ -z "$(timeout 5 squeue -h -j "$resumen" 2>/dev/null)" ] && break
    sleep 0.2
done
[ -z "$(timeout 5 squeue -h -j "$resumen" 2>/dev/null)" ] || { timeout 5 squeue; falla "el lote no terminó en 60 s"; }

echo "== salidas de los trabajos"
for f in "$WORK"/*.out; do echo "-- $(basename "$f")"; cat "$f"; done
echo "== salida/lote_resumen.csv"
cat salida/lote_resumen.csv || falla "no hay salida/lote_resumen.csv"
[ "$(wc -l < salida/lote_resumen.csv)" -eq 4 ] || falla "se esperaban 3 filas"
for e in "T10,30,," "T50,45,5," "T100,60,20,"; do
    grep -q "^${e}completa,30,30,12," salida/lote_resumen.csv || falla "falta la fila $e completa"
done
[ "$(ls "$WORK"/tarno-lote-*_*.out | wc -l)" -eq 3 ] || falla "se esperaban 3 tareas del arreglo"
echo "Slurm: 3 escenarios en un arreglo y su resumen, bien"
