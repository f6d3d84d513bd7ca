#!/bin/bash
# A `tarno lote` batch on a Slurm cluster: one task of a job array per row of
# the scenario table (`tarno lote --fila $SLURM_ARRAY_TASK_ID`), and a final
# step, dependent on the whole array, that merges the scenarios' summaries
# into CARPETA/lote_resumen.csv (`tarno lote --resumir CARPETA`).
#
# Submit from the folder the paths are relative to (it must be on a file
# system every node sees):
#
#   contrib/slurm/lote.sbatch ESCENARIOS.csv PARAMETROS.txt CARPETA [opciones de sbatch ...]
#
# Run this way (not under Slurm) the script prepares the batch on the spot
# (`tarno lote --preparar`: the folders, the DEM links and the processing
# order, computed once), submits itself as the array --array=1-N (N: the
# table's rows) and then the merge step with --dependency=afterany on it.
# The same by hand:
#
#   N=$(tarno lote esc.csv --base base.txt --salida salida --preparar)
#   sbatch --array=1-$N contrib/slurm/lote.sbatch esc.csv base.txt salida
#   sbatch --dependency=afterany:JOBID --export=ALL,LOTE_PASO=resumir contrib/slurm/lote.sbatch esc.csv base.txt salida
#
# TARNO names the program (default: `tarno` on the PATH of the nodes).
#
#SBATCH --job-name=tarno-lote
#SBATCH --ntasks=1
#SBATCH --cpus-per-task=1
#SBATCH --output=%x-%A_%a.out
set -euo pipefail

TARNO=${TARNO:-tarno}
if [ $# -lt 3 ]; then
    echo "uso: $0 ESCENARIOS.csv PARAMETROS.txt CARPETA [opciones de sbatch ...]" >&2
    exit 2
fi
escenarios=$1 base=$2 carpeta=$3
shift 3

if [ -z "${SLURM_JOB_ID:-}" ]; then
    # Submission: prepare, then the array and the merge step.
    n=$("$TARNO" lote "$escenarios" --base "$base" --salida "$carpeta" --preparar) || true
    if ! [[ "$n" =~ ^[0-9]+$ ]] || [ "$n" -lt 1 ]; then
        echo "lote.sbatch: la tabla $escenarios no dio escenarios" >&2
        exit 1
    fi
    arreglo=$(sbatch --parsable --array=1-"$n" --export=ALL,TARNO="$TARNO" "$@" "$0" "$escenarios" "$base" "$carpeta")
    arreglo=${arreglo%%;*}
    resumen=$(sbatch --parsable --dependency=afterany:"$arreglo" --job-name=tarno-lote-resumen --output=%x-%j.out \
        --export=ALL,TARNO="$TARNO",LOTE_PASO=resumir "$@" "$0" "$escenarios" "$base" "$carpeta")
    resumen=${resumen%%;*}
    echo "lote.sbatch: arreglo $arreglo ($n escenarios), resumen $resumen -> $carpeta/lote_resumen.csv" >&2
    echo "$resumen"
    exit 0
fi

if [ "${LOTE_PASO:-}" = resumir ]; then
    exec "$TARNO" lote --resumir "$carpeta"
fi
exec "$TARNO" lote "$escenarios" --base "$base" --salida "$carpeta" --fila "${SLURM_ARRAY_TASK_ID:?se corre como arreglo: sbatch --array=1-N}"
