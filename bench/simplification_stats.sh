#!/usr/bin/env bash
# Generators left by the simplification over the whole knot table, at the given efforts:
#   bench/simplification_stats.sh [PATH-TO-quarvel-cli] [EFFORT ...]
# prints, per effort, the largest and the mean number of generators and the total wall time.
set -euo pipefail
cli=${1:-build/src/quarvel-cli}
shift || true
efforts=("$@")
[ $# -gt 0 ] || efforts=(low very-high)

mapfile -t knots < <("$cli" knots | tail -n +2 | awk '{print $2}')
for effort in "${efforts[@]}"; do
  start=$(date +%s.%N)
  counts=$(for knot in "${knots[@]}"; do
    "$cli" show --knot "$knot" --simplify "$effort" |
      sed -n 's/^So the remaining generators are: //p' | awk -F', ' '{print NF}'
  done)
  end=$(date +%s.%N)
  echo "$counts" | awk -v effort="$effort" -v seconds="$(echo "$end - $start" | bc)" '
    { sum += $1; if ($1 > max) max = $1; n++ }
    END { printf "%-10s knots %d  largest %d  mean %.3f  total %.1f s\n", effort, n, max, sum / n, seconds }'
done
