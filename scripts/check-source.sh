#!/usr/bin/env bash
# Checks that the tree is as its tools would write it: every C++ file formatted by clang-format
# (.clang-format), the knot-table source exactly what data/generate_knot_tables.py makes of
# data/braids.csv, and no include running from a lower layer of the core to a higher one
# (scripts/check-layers.sh). Fails naming what differs.
set -euo pipefail
cd "$(dirname "$0")/.."
generated=src/group/knot_table_data.cpp

git ls-files '*.cpp' '*.h' | grep -v -e '^tests/fuzz/corpus/' -e "^$generated\$" |
  xargs clang-format --dry-run -Werror

fresh=$(mktemp)
trap 'rm -f "$fresh"' EXIT
/usr/bin/python3 data/generate_knot_tables.py "$fresh"
if ! cmp -s "$fresh" "$generated"; then
  echo "check-source: $generated differs from what data/generate_knot_tables.py writes; run it and commit" >&2
  diff "$generated" "$fresh" | head -20 >&2
  exit 1
fi
scripts/check-layers.sh
echo "check-source: formatting, generated sources and layers as they should be"
