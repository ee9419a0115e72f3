#!/bin/bash
# The Slurm recipe on a one-node cluster on this machine (make test-slurm; needs root): installs
# slurm-wlm and munge when missing, starts munged, slurmctld and slurmd from a slurm.conf generated
# in a temporary folder, submits a small list as a job array of 3 shards and the merge, waits for
# the merge and checks that the list ends as the serial run leaves it. Stops the daemons it started.
#   scripts/cluster/test-slurm.sh [build dir]
set -eu
build=$(cd "${1:-build}" && pwd)
cli=$build/src/quarvel-cli
here=$(cd "$(dirname "$0")" && pwd)
command -v slurmctld >/dev/null && command -v munged >/dev/null ||
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends slurm-wlm munge >/dev/null
dir=$(mktemp -d /tmp/quarvel-slurm.XXXXXX)
chmod 755 "$dir"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$dir"
}
trap cleanup EXIT

# munge: a key of its own and a socket in the folder.
mkdir -p "$dir/munge"
chown munge:munge "$dir/munge" 2>/dev/null || true
dd if=/dev/urandom bs=1 count=1024 of="$dir/munge/munge.key" status=none
chmod 400 "$dir/munge/munge.key"
chown munge:munge "$dir/munge/munge.key" 2>/dev/null || true
socket=$dir/munge/munge.socket
runuser -u munge -- munged --key-file="$dir/munge/munge.key" --socket="$socket" \
  --pid-file="$dir/munge/munged.pid" --log-file="$dir/munge/munged.log" --seed-file="$dir/munge/seed" --force
sleep 0.5
pids+=("$(cat "$dir/munge/munged.pid")")

host=$(hostname -s)
cpus=$(nproc)
mkdir -p "$dir/state" "$dir/spool"
cat >"$dir/slurm.conf" <<CONF
ClusterName=quarveltest
SlurmctldHost=$host
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$socket
CredType=cred/munge
MpiDefault=none
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
ReturnToService=2
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/slurmctld.log
SlurmdLogFile=$dir/slurmd.log
SlurmctldPort=16817
SlurmdPort=16818
JobCompType=jobcomp/none
AccountingStorageType=accounting_storage/none
NodeName=$host CPUs=$cpus State=UNKNOWN
PartitionName=test Nodes=$host Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF=$dir/slurm.conf
slurmctld -f "$SLURM_CONF"
slurmd -f "$SLURM_CONF"
sleep 2
pids+=("$(cat "$dir/slurmctld.pid")" "$(cat "$dir/slurmd.pid")")
sinfo

"$cli" knots | sed -n '2,61p' | sed 's/^Knot //' >"$dir/knots.txt"
echo end >>"$dir/knots.txt"
cp "$dir/knots.txt" "$dir/serial.txt"
cp "$dir/knots.txt" "$dir/list.txt"
"$cli" isotopy --file "$dir/serial.txt" --group s5 --save none >/dev/null 2>&1
cd "$dir"
ids=$(QUARVEL_CLI=$cli "$here/slurm-submit.sh" 3 list.txt isotopy --group s5)
echo "array and merge jobs: $ids"
merge=${ids##* }
for ((second = 0; second < 300; second++)); do
  squeue -h -j "$merge" 2>/dev/null | grep -q . || break
  sleep 1
done
cat slurm-*.out 2>/dev/null || true
cmp serial.txt list.txt || { echo "the merged list differs from the serial one" >&2; tail -20 slurmctld.log slurmd.log >&2; exit 1; }
echo "Slurm recipe: the merged list equals the serial list"
