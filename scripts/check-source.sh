#!/usr/bin/env bash
# Checks that the tree is as its tools would write it: every C++ file formatted by clang-format
# (.clang-format), the knot-table sources exactly what data/generate_knot_tables.py and
# data/generate_prime_knot_table.py make of data/braids.csv and data/knots13.csv, and no include running from a lower layer of the core to a higher one
# (scripts/check-layers.sh). Fails naming what differs.
set -euo pipefail
cd "$(dirname "$0")/.."

git ls-files '*.cpp' '*.h' |
  grep -v -e '^tests/fuzz/corpus/' -e '^src/group/knot_table_data.cpp$' -e '^src/group/prime_knot_data.cpp$' |
  xargs clang-format --dry-run -Werror

fresh=$(mktemp)
trap 'rm -f "$fresh"' EXIT
for pair in knot_table_data.cpp:generate_knot_tables.py prime_knot_data.cpp:generate_prime_knot_table.py; do
  generated=src/group/${pair%%:*}
  generator=data/${pair##*:}
  /usr/bin/python3 "$generator" "$fresh"
  if ! cmp -s "$fresh" "$generated"; then
    echo "check-source: $generated differs from what $generator writes; run it and commit" >&2
    diff "$generated" "$fresh" | head -20 >&2
    exit 1
  fi
done
scripts/check-layers.sh
echo "check-source: formatting, generated sources and layers as they should be"
