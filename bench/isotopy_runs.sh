#!/usr/bin/env bash
# Whole quarvel-cli isotopy runs (untwisted polynomial, enumeration, twisted polynomials, product) on
# the figure eight, the Conway knot and 11_409 into S_5, S_6, S_7: median, min and max wall time of
# several runs, and peak memory.
# Usage: bench/isotopy_runs.sh [path/to/quarvel-cli] [runs]
set -euo pipefail
cli=${1:-build/src/quarvel-cli}
runs=${2:-5}
printf '%-8s %-4s %9s %9s %9s %10s\n' knot group median_s min_s max_s peak_KiB
for knot in 4_1 11_401 11_409; do
  for group in s5 s6 s7; do
    times=()
    peak=0
    for ((r = 0; r < runs; r++)); do
      out=$( { /usr/bin/time -f '%e %M' "$cli" isotopy --knot "$knot" --group "$group" --save none >/dev/null; } 2>&1 | tail -1)
      times+=("${out% *}")
      kib=${out#* }
      ((kib > peak)) && peak=$kib
    done
    sorted=($(printf '%s\n' "${times[@]}" | sort -g))
    printf '%-8s %-4s %9s %9s %9s %10s\n' "$knot" "$group" "${sorted[$((runs / 2))]}" "${sorted[0]}" \
      "${sorted[$((runs - 1))]}" "$peak"
  done
done
