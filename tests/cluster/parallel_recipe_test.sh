#!/bin/bash
# The GNU parallel recipe on this machine with two job slots: a list computed in four shards and
# merged ends as the serial run leaves it; a campaign interrupted midway and started again with the
# same command finishes to the same list.
#   parallel_recipe_test.sh QUARVEL_CLI SOURCE_DIR
set -eu
cli=$1 source=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
"$cli" knots | sed -n '2,121p' | sed 's/^Knot //' >knots.txt
echo end >>knots.txt
cp knots.txt serial.txt
"$cli" isotopy --file serial.txt --group s6 --save none >/dev/null 2>&1
recipe() {
  QUARVEL_CLI=$cli "$source/scripts/cluster/parallel-shards.sh" -j 2 "$@"
}

cp knots.txt list.txt
recipe 4 list.txt isotopy --group s6 >/dev/null 2>recipe.err || { cat recipe.err; exit 1; }
cmp serial.txt list.txt || { echo "the merged list differs from the serial one"; exit 1; }

# Interrupted: GNU parallel stopped while shards run (two TERMs end the running jobs too).
cp knots.txt list2.txt
recipe 8 list2.txt isotopy --group s6 >/dev/null 2>&1 &
recipe_pid=$!
sleep 0.8
pkill -TERM -f "joblog $dir/list2.txt.joblog" || true
sleep 0.1
pkill -TERM -f "joblog $dir/list2.txt.joblog" || true
wait "$recipe_pid" || true
# The merge runs only after every shard: an interrupted campaign leaves the list as it was.
cmp -s knots.txt list2.txt || { echo "the interrupted campaign touched the list"; exit 1; }
echo "interrupted after $(($(wc -l <list2.txt.joblog) - 1)) of 8 shards"
recipe 8 list2.txt isotopy --group s6 >/dev/null 2>recipe.err || { cat recipe.err; exit 1; }
cmp serial.txt list2.txt || { echo "the resumed campaign's list differs from the serial one"; exit 1; }
echo "GNU parallel recipe: merged lists equal the serial list"
