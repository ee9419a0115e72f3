#!/bin/bash
# Runs a fixed set of norm, isotopy and show runs over table knots with two quarvel-cli binaries and
# compares, run by run, stdout, the exit status, the drawing transcript and every file the run
# wrote. Each run works in a directory of its own. Exit status 0 when everything is byte-identical.
# With DIAGONAL=any the reduced ("diagonal") matrix that the LaTeX report and the matrix file show
# is left out of the comparison: a change of reduction algorithm may give another diagonal form
# of the same module.
#
#   [DIAGONAL=any] scripts/compare-runs.sh OLD_CLI NEW_CLI
set -u
old=$(realpath "$1")
new=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

runs=(
  "show --knot 3_1"
  "show --knot 11_401 --simplify high"
  "show --braid {1,-2,1,-2,3,-2,3} --zero-surgery"
  "norm --knot 3_1 --cycles 4"
  "norm --knot 4_1 --cycles 6 --save results --matrix gap"
  "norm --knot 5_2 --rep ak-v --size 4 --cycles 5"
  "norm --knot 6_1 --rep sk-z --cycles 4 --save latex --matrix matrix"
  "norm --knot 7_4 --rep abelian --cycles 4"
  "norm --knot 8_20 --rep metabelian --size 3 --cycles 4"
  "norm --knot 8_17 --rep sk-regular --cycles 2"
  "norm --knot 10_132 --compare-fields 2,3,5 --cycles 6"
  "norm --knot 9_42 --image-size --stop first --cycles 20"
  "norm --knot 11_409 --rep sk-v --size 5 --cycles 8 --stop not-fibered"
  "norm --braid {1,-1,2} --cycles 3"
  "norm --knot 5_1 --field 2 --simplify none --cycles 3"
  "isotopy --knot 3_1 --group s3"
  "isotopy --knot 8_18 --group s4 --save results"
  "isotopy --knot 10_98 --group a5 --save latex"
  "isotopy --knot 11_401 --group s5"
  "isotopy --knot 12_1344 --group s5 --torsion"
  "isotopy --knot 4_1 --group s4 --all-homomorphisms --field 7"
  "isotopy --knot 7_7 --group s1"
  "isotopy --file examples/isotopy_mutants.txt --group s4 --save results"
)

# Replaces the rows of the reduced matrix in the reports of directory $1 by one marker line.
drop_diagonal() {
  local file
  for file in "$1"/quarvel_latex*.tex "$1"/quarvel_matrix*.txt; do
    [ -f "$file" ] || continue
    awk '/"diagonal" matrix/ { print; print "(diagonal left out)"; skip = 1; next }
         skip && (/^\\end\{array\}/ || /^Note that/ || /^$/) { skip = 0 }
         !skip' "$file" >"$file.cut" && mv "$file.cut" "$file"
  done
}

root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for i in "${!runs[@]}"; do
  for side in old new; do
    dir="$work/$side/$i"
    mkdir -p "$dir/examples"
    cp "$root"/examples/*.txt "$dir/examples/"
    bin=$old
    [ "$side" = new ] && bin=$new
    # shellcheck disable=SC2086
    (cd "$dir" && "$bin" ${runs[$i]} --transcript transcript.txt >stdout.txt 2>/dev/null
     echo "exit $?" >status.txt)
    [ "${DIAGONAL:-}" = any ] && drop_diagonal "$dir"
  done
  if ! diff -r "$work/old/$i" "$work/new/$i" >/dev/null; then
    echo "DIFFERS: quarvel-cli ${runs[$i]}"
    diff -r "$work/old/$i" "$work/new/$i" | head -20
    status=1
  fi
done
[ $status = 0 ] && echo "all ${#runs[@]} runs byte-identical (stdout, exit status, transcript, files${DIAGONAL:+; the diagonal left out})"
exit $status
