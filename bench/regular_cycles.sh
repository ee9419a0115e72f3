#!/usr/bin/env bash
# The regular representation over the 49 examples: for each knot and each size 3, 4, 5, one cycle
# of `quarvel-cli norm --rep sk-regular` (the search in S_size, the regular representation of the
# image, its twisted polynomial), timed by /usr/bin/time. Prints every run that took a second or
# more, then the slowest cycle with its processor time, and how many runs ended in "ERROR:" or
# did not finish within the time limit.
# Give a second binary to run the same cycles with it too (e.g. an older build), side by side.
#
# Usage: bench/regular_cycles.sh [quarvel-cli [other-quarvel-cli]]   (TIME_LIMIT per run, 60 s)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
limit=${TIME_LIMIT:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
knots=$(grep -v '^%\|^end' "$root/examples/norm_examples.txt" | awk '{ print $1 }')

# cycles CLI: one line "knot size processor_s wall_s outcome" per run.
cycles() {
  local cli=$1 knot size user system wall outcome
  for knot in $knots; do
    for size in 3 4 5; do
      (cd "$work" && /usr/bin/time -o time.txt -f '%U %S %e' "$cli" norm --knot "$knot" --rep sk-regular \
        --size "$size" --cycles 1 --save none --time-limit "$limit" >run.txt 2>run.err || true)
      read -r user system wall < <(tail -1 "$work/time.txt")
      outcome=ok
      grep -q 'time-limit' "$work/run.err" && outcome=time-limit
      grep -q 'ERROR: ' "$work/run.txt" && outcome="error: $(grep -o 'ERROR: .*' "$work/run.txt" | head -1)"
      awk -v k="$knot" -v s="$size" -v u="$user" -v y="$system" -v w="$wall" -v o="$outcome" \
        'BEGIN { printf "%s %s %.2f %.2f %s\n", k, s, u + y, w, o }'
    done
  done
}

report() {
  local name=$1 file=$2
  echo "== $name"
  awk '$3 >= 1 { print "  " $0 }' "$file"
  grep ' ok$' "$file" | sort -k3,3 -g | tail -1 |
    awk '{ printf "  slowest cycle: %s at size %s, %s s processor (%s s wall)\n", $1, $2, $3, $4 }'
  echo "  of $(wc -l <"$file") runs: $(grep -c ' ok$' "$file" || true) cycles done, $(grep -c ' error: ' "$file" || true)" \
    "ended in ERROR, $(grep -c ' time-limit$' "$file" || true) did not finish in $limit s (still searching or reducing)"
}

cycles "$(realpath "${1:-$root/build/src/quarvel-cli}")" | tee "$work/first.txt" >&2
report "${1:-build/src/quarvel-cli}" "$work/first.txt"
if [[ -n ${2:-} ]]; then
  cycles "$(realpath "$2")" | tee "$work/second.txt" >&2
  report "$2" "$work/second.txt"
fi
