#!/bin/bash
# Computes a knot list in shards with GNU parallel, on this machine or over ssh hosts, and merges
# the shards into the list:
#   scripts/cluster/parallel-shards.sh [-j SLOTS] [-S SSHLOGINFILE] SHARDS LIST MODE [OPTIONS...]
# e.g. scripts/cluster/parallel-shards.sh -j 2 8 list.txt isotopy --group s6
# SLOTS job slots per machine (default: one per core); with -S, the hosts of SSHLOGINFILE
# (GNU parallel's format, ":" for this machine) run the shards, and LIST must lie at the same path
# on all of them (a shared file system), as must quarvel-cli ($QUARVEL_CLI, else the one on PATH).
# The job log LIST.joblog records the finished shards: after an interruption the same command
# runs only the shards not yet finished (--resume), and a shard that was stopped carries on from
# its shard file. The merge runs once every shard has finished.
set -eu
slots=100%
sshlogins=
while getopts "j:S:" option; do
  case $option in
    j) slots=$OPTARG ;;
    S) sshlogins=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [ $# -lt 3 ]; then
  sed -n '2,4p' "$0" >&2
  exit 2
fi
shards=$1 list=$2 mode=$3
shift 3
cli=${QUARVEL_CLI:-quarvel-cli}
case $list in /*) ;; *) list=$PWD/$list ;; esac
hosts=()
[ -n "$sshlogins" ] && hosts=(--sshloginfile "$sshlogins")
seq 0 $((shards - 1)) |
  parallel --will-cite -q -j "$slots" "${hosts[@]}" --joblog "$list.joblog" --resume --halt soon,fail=1 \
    "$cli" "$mode" --file "$list" --shard "{}/$shards" "$@"
files=()
for ((i = 0; i < shards; i++)); do files+=("$list.shard-$i-of-$shards.jsonl"); done
"$cli" merge "$list" "${files[@]}"
