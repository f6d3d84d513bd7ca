#!/bin/bash
# A one-node Slurm cluster on this machine, for trying the batch recipe
# (lote.sbatch) without a real cluster. Needs root and Debian's slurm-wlm and
# munge packages; everything it writes (configuration, key, sockets, state,
# logs) stays in CARPETA, and nothing of the system's own Slurm or MUNGE
# set-up is used or changed.
#
#   contrib/slurm/cluster_local.sh start CARPETA   # then: export SLURM_CONF=CARPETA/slurm.conf
#   contrib/slurm/cluster_local.sh stop CARPETA
#
# `start` returns once the node is idle (or fails after 30 s, stopping what it
# started); `stop` ends the three daemons it started, by their process ids.
set -euo pipefail

uso() { echo "uso: $0 start|stop CARPETA" >&2; exit 2; }
[ $# -eq 2 ] || uso
accion=$1
dir=$(realpath -m "$2")

detener() {
    for d in slurmd slurmctld munged; do
        if [ -s "$dir/$d.pid" ]; then
            pid=$(cat "$dir/$d.pid")
            kill "$pid" 2>/dev/null || true
            for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
            kill -9 "$pid" 2>/dev/null || true
            rm -f "$dir/$d.pid"
        fi
    done
}

case $accion in
stop)
    detener
    exit 0
    ;;
start) ;;
*) uso ;;
esac

[ "$(id -u)" -eq 0 ] || { echo "cluster_local.sh: hace falta root (slurmd corre los trabajos como su usuario)" >&2; exit 1; }
for p in munged slurmctld slurmd sinfo; do
    command -v "$p" >/dev/null || { echo "cluster_local.sh: falta $p (paquetes slurm-wlm y munge)" >&2; exit 1; }
done
mkdir -p "$dir/estado" "$dir/spool"
chmod 700 "$dir"

# MUNGE with its own key and socket.
dd if=/dev/urandom of="$dir/munge.key" bs=1 count=1024 status=none
chmod 400 "$dir/munge.key"
munged --force --socket="$dir/munge.socket" --key-file="$dir/munge.key" --pid-file="$dir/munged.pid" \
    --log-file="$dir/munged.log" --seed-file="$dir/munged.seed"
for _ in $(seq 50); do [ -S "$dir/munge.socket" ] && break; sleep 0.1; done

# Ports from the process id, so two clusters of two users do not collide.
puerto=$((20000 + ($$ % 5000) * 2))
host=$(hostname -s)
cat > "$dir/slurm.conf" <<CONF
ClusterName=tarno
SlurmctldHost=$host
SlurmUser=root
SlurmdUser=root
SlurmctldPort=$puerto
SlurmdPort=$((puerto + 1))
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$dir/munge.socket
StateSaveLocation=$dir/estado
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/slurmctld.log
SlurmdLogFile=$dir/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/none
SwitchType=switch/none
MpiDefault=none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
SlurmdParameters=config_overrides
ReturnToService=2
MinJobAge=30
NodeName=tarnonodo NodeHostname=$host NodeAddr=127.0.0.1 CPUs=$(nproc) State=UNKNOWN
PartitionName=lote Nodes=ALL Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF=$dir/slurm.conf
slurmctld -i
slurmd -N tarnonodo
for _ in $(seq 300); do
    if [ "$(sinfo -h -o %T 2>/dev/null)" = idle ]; then
        echo "cluster_local.sh: nodo tarnonodo listo; export SLURM_CONF=$dir/slurm.conf"
        exit 0
    fi
    sleep 0.1
done
echo "cluster_local.sh: el nodo no quedó disponible en 30 s; ver $dir/slurmctld.log y $dir/slurmd.log" >&2
sinfo >&2 || true
detener
exit 1
