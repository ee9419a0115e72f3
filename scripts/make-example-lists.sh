#!/usr/bin/env bash
# Writes the two ready knot lists under examples/ from the built-in tables, as quarvel-cli prints
# them: the 49 examples for the fibration-and-norm mode and the groups of mutant knots for the
# isotopy mode. The test knot_list_examples_test checks that the lists still match the tables.
set -euo pipefail
cli=${1:?usage: make-example-lists.sh PATH-TO-quarvel-cli}
examples=$(cd "$(dirname "$0")/.." && pwd)/examples
mkdir -p "$examples"

# "11_401 Conway knot, genus = 3  {1,2,...}" becomes "11_401 {1,2,...}"; the genus examples and
# the knots that do not fiber each get a comment line above them.
{
  echo "% The 49 knots with 11 and 12 crossings whose genus or non-fiberedness the Alexander"
  echo "% polynomial does not detect (quarvel-cli knots --examples names what each one shows)."
  echo "% Genus larger than the Alexander polynomial tells:"
  "$cli" knots --examples | tail -n +2 | awk '
    /not fibered/ && !said { print "% Not fibered, though the Alexander polynomial is monic:"; said = 1 }
    { print $1 " " substr($0, index($0, "{")) }'
  echo "end"
} >"$examples/norm_examples.txt"

# The mutants pick list without its header; separators become comment lines.
{
  echo "% The 91 groups of mutant knots with up to 12 crossings (quarvel-cli knots --mutants),"
  echo "% groups parted by comment lines."
  "$cli" knots --mutants | tail -n +2 | sed 's/^\*/%*/'
  echo "end"
} >"$examples/isotopy_mutants.txt"
