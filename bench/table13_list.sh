#!/usr/bin/env bash
# The isotopy invariant over every prime knot up to 13 crossings as one list run: wall time, peak
# memory, and the lines that could not be computed (there should be none).
# usage: bench/table13_list.sh [CLI] [GROUP] [JOBS]   (defaults: build/src/quarvel-cli s5 1)
set -euo pipefail
cli=${1:-build/src/quarvel-cli}
group=${2:-s5}
jobs=${3:-1}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" knots --table 13 > "$work/table13.txt"
/usr/bin/time -f "wall %e s, processor %U s user + %S s system, peak memory %M KiB" \
  "$cli" isotopy --file "$work/table13.txt" --group "$group" --save none --jobs "$jobs" > /dev/null
echo "knot lines: $(grep -c 'degree = ' "$work/table13.txt"), not computed: $(grep -c 'not computed' "$work/table13.txt" || true)"
