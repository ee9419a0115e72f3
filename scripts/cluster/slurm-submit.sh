#!/bin/bash
# Submits a knot list as a Slurm job array, one shard per task, and the merge as a job that waits
# for the whole array:
#   scripts/cluster/slurm-submit.sh SHARDS LIST MODE [OPTIONS...]
# Extra sbatch options go in $SBATCH_OPTIONS (e.g. "--cpus-per-task=4 --time=24:00:00"). Prints
# the ids of the array job and of the merge job.
set -eu
if [ $# -lt 3 ]; then
  sed -n '2,5p' "$0" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
shards=$1 list=$2
case $list in /*) ;; *) list=$PWD/$list ;; esac
mode=$3
shift 3
# shellcheck disable=SC2086
array=$(sbatch --parsable ${SBATCH_OPTIONS:-} --array=0-$((shards - 1)) "$here/shard.sbatch" "$shards" "$list" "$mode" "$@")
merge=$(sbatch --parsable --dependency=afterok:"${array%%;*}" "$here/merge.sbatch" "$shards" "$list")
echo "$array $merge"
