#!/usr/bin/env bash
# The isotopy invariant over every prime knot up to 13 crossings as one list run: wall time, peak
# memory, and the knot lines that could not be computed (there should be none).
# usage: bench/table13_list.sh [CLI] [GROUP] [JOBS] [SHARDS]   (defaults: build/src/quarvel-cli s5 1)
# With SHARDS, the GNU parallel recipe runs that many shards on JOBS slots and merges them. OUT=FILE
# keeps the finished list (to compare runs byte for byte). The list lies in TMPDIR: /dev/shm keeps
# the disk's fsync out of the times.
set -euo pipefail
cli=$(realpath "${1:-build/src/quarvel-cli}")
group=${2:-s5}
jobs=${3:-1}
shards=${4:-}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
list=$work/table13.txt
"$cli" knots --table 13 > "$list"
timed=(/usr/bin/time -f "wall %e s, processor %U s user + %S s system, peak memory %M KiB")
if [ -n "$shards" ]; then
  QUARVEL_CLI=$cli "${timed[@]}" "$source_dir/scripts/cluster/parallel-shards.sh" -j "$jobs" "$shards" "$list" \
    isotopy --group "$group" --save none > /dev/null 2> "$work/recipe.err" || { cat "$work/recipe.err"; exit 1; }
  tail -1 "$work/recipe.err"
else
  "${timed[@]}" "$cli" isotopy --file "$list" --group "$group" --save none --jobs "$jobs" > /dev/null
fi
# The knot lines end at "end"; the closing section after it repeats the lines not told apart.
knots=$(sed '/^end$/q' "$list" | grep -c 'degree = ' || true)
failed=$(sed '/^end$/q' "$list" | grep -c 'not computed' || true)
echo "knot lines computed: $knots, not computed: $failed"
[ -z "${OUT:-}" ] || cp "$list" "$OUT"
