#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build (QUARVEL_FUZZ=ON) for SECONDS each, JOBS targets at a time.
# Seeds come from tests/fuzz/corpus/NAME; what a run adds to the corpus stays in BUILD/fuzz/corpus/NAME,
# so the next run goes on from there. A crash, leak, timeout (10 s) or memory blow-up leaves its input
# in BUILD/fuzz/artifacts/NAME and fails the script. One summary line per target: time and speed.
set -euo pipefail
build=${1:?usage: fuzz.sh BUILD-DIR SECONDS [JOBS]}
seconds=${2:?usage: fuzz.sh BUILD-DIR SECONDS [JOBS]}
jobs=${3:-$(nproc)}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
seeds=$source_dir/tests/fuzz
list=$build/tests/fuzz/fuzz_targets.txt
[ -f "$list" ] || { echo "fuzz.sh: no $list; configure $build with -DQUARVEL_FUZZ=ON" >&2; exit 2; }

fuzz_one() {
  local name=$1
  local work=$build/fuzz/corpus/$name artifacts=$build/fuzz/artifacts/$name log=$build/fuzz/logs/$name.log
  mkdir -p "$work" "$artifacts" "$(dirname "$log")"
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096
                 -print_final_stats=1 -artifact_prefix="$artifacts/")
  [ -f "$seeds/$name.dict" ] && options+=(-dict="$seeds/$name.dict")
  local status=0
  "$build/tests/fuzz/fuzz_$name" "${options[@]}" "$work" "$seeds/corpus/$name" >"$log" 2>&1 || status=$?
  local runs speed
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  if [ "$status" -ne 0 ]; then
    echo "fuzz $name: FAILED (status $status) after ${runs:-?} runs; see $log and $artifacts"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|broken promise|unexpected message|ALARM|artifact_prefix|Test unit written)' "$log" | head -20
    return 1
  fi
  echo "fuzz $name: ${seconds} s, ${runs} runs, ${speed} runs/s, corpus $(ls "$work" | wc -l) inputs"
}

failed=0
pids=()
names=()
while read -r name; do
  [ -n "$name" ] || continue
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do sleep 1; done
  fuzz_one "$name" &
  pids+=($!)
  names+=("$name")
done <"$list"
for i in "${!pids[@]}"; do
  wait "${pids[$i]}" || failed=1
done
exit $failed
