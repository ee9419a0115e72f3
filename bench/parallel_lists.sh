#!/bin/bash
# List runs over the 801 table knots in one process, in worker processes (--jobs 2) and as two
# shards run by GNU parallel and merged: the isotopy invariant in each group of QUARVEL_GROUPS (default s5 s6), each
# way REPEATS times (default 3) on a fresh copy of the list. Prints per run the wall seconds, the
# CPU seconds (user + system, all processes) and the peak resident memory of the largest process
# (/usr/bin/time -v: a worker's when workers run), then the medians and the speed-up over --jobs 1.
# Checks that every way leaves the same list. Not part of make test.
#   bench/parallel_lists.sh [build dir] (QUARVEL_GROUPS and REPEATS from the environment)
set -eu
build=${1:-build}
cli=$(cd "$build" && pwd)/src/quarvel-cli
here=$(cd "$(dirname "$0")/.." && pwd)
groups=${QUARVEL_GROUPS:-s5 s6}
repeats=${REPEATS:-3}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$cli" knots | tail -n +2 | sed 's/^Knot //' >"$dir/knots801.txt"
echo end >>"$dir/knots801.txt"

median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# One timed run: prints "wall cpu peakKiB".
timed() {
  /usr/bin/time -v -o "$dir/time.txt" "$@" >/dev/null 2>&1
  awk -F': ' '/Elapsed \(wall/ {n = split($2, t, ":"); w = (n == 3) ? t[1] * 3600 + t[2] * 60 + t[3] : t[1] * 60 + t[2]}
              /User time/ {u = $2} /System time/ {s = $2} /Maximum resident/ {m = $2}
              END {printf "%.2f %.2f %d\n", w, u + s, m}' "$dir/time.txt"
}

for group in $groups; do
  reference=
  for way in jobs1 jobs2 parallel2; do
    : >"$dir/$way.runs"
    for ((r = 1; r <= repeats; r++)); do
      cp "$dir/knots801.txt" "$dir/list.txt"
      rm -f "$dir"/list.txt.*
      case $way in
        jobs1) timed "$cli" isotopy --file "$dir/list.txt" --group "$group" --save none >>"$dir/$way.runs" ;;
        jobs2) timed "$cli" isotopy --file "$dir/list.txt" --group "$group" --jobs 2 >>"$dir/$way.runs" ;;
        parallel2) QUARVEL_CLI=$cli timed "$here/scripts/cluster/parallel-shards.sh" -j 2 2 "$dir/list.txt" isotopy \
          --group "$group" >>"$dir/$way.runs" ;;
      esac
      [ -n "$reference" ] || reference=$(md5sum <"$dir/list.txt")
      [ "$(md5sum <"$dir/list.txt")" = "$reference" ] || { echo "$group $way: the list differs" >&2; exit 1; }
    done
    wall=$(cut -d' ' -f1 "$dir/$way.runs" | median)
    cpu=$(cut -d' ' -f2 "$dir/$way.runs" | median)
    peak=$(cut -d' ' -f3 "$dir/$way.runs" | median)
    [ "$way" = jobs1 ] && base=$wall
    echo "$group $way: runs (wall cpu KiB): $(paste -sd, "$dir/$way.runs"); median wall ${wall} s, cpu ${cpu} s," \
      "peak ${peak} KiB, speed-up $(awk -v b="$base" -v w="$wall" 'BEGIN {printf "%.2f", b / w}')"
  done
done
