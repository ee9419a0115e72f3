#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build (QUARVEL_FUZZ=ON) for SECONDS each, JOBS targets at a time.
# An input that runs longer than FUZZ_TIMEOUT seconds (10) counts as a hang.
# Seeds come from tests/fuzz/corpus/NAME; what a run adds to the corpus stays in BUILD/fuzz/corpus/NAME,
# so the next run goes on from there. A crash, leak, timeout or memory blow-up leaves its input
# in BUILD/fuzz/artifacts/NAME and fails the script. One summary line per target: time and speed.
# FUZZ_OPTIONS adds libFuzzer flags, for example "-fork=1 -ignore_timeouts=1" on a machine so busy
# that wall-clock timeouts say little: the run then goes on and keeps each timeout's input.
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
  local options=(-max_total_time="$seconds" -timeout="${FUZZ_TIMEOUT:-10}" -rss_limit_mb=2048 -max_len=4096
                 -print_final_stats=1 -artifact_prefix="$artifacts/")
  [ -f "$seeds/$name.dict" ] && options+=(-dict="$seeds/$name.dict")
  # shellcheck disable=SC2206
  options+=(${FUZZ_OPTIONS:-})
  local status=0 started=$build/fuzz/logs/$name.started
  touch "$started"
  "$build/tests/fuzz/fuzz_$name" "${options[@]}" "$work" "$seeds/corpus/$name" >"$log" 2>&1 || status=$?
  local runs speed
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  # Fork mode prints no final statistics: the runs from the last status line, over the whole time.
  [ -n "$runs" ] || runs=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#' || true)
  [ -n "$speed" ] || speed=$(( ${runs:-0} / seconds ))
  if [ "$status" -ne 0 ]; then
    echo "fuzz $name: FAILED (status $status) after ${runs:-?} runs; see $log and $artifacts"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|broken promise|unexpected message|ALARM|artifact_prefix|Test unit written)' "$log" | head -20
    return 1
  fi
  local kept
  kept=$(find "$artifacts" -type f -newer "$started" | wc -l)
  echo "fuzz $name: ${seconds} s, ${runs} runs, ${speed} runs/s, corpus $(ls "$work" | wc -l) inputs, $kept inputs kept in $artifacts"
}

failed=0
pids=()
while read -r name; do
  [ -n "$name" ] || continue
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do sleep 1; done
  fuzz_one "$name" &
  pids+=($!)
done <"$list"
for i in "${!pids[@]}"; do
  wait "${pids[$i]}" || failed=1
done
exit $failed
