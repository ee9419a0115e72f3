#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy: the bugprone and performance checks) over the core library's sources
# with the compile commands of a configured build folder (the first argument, default build; CMake
# writes compile_commands.json there). Fails on any finding and lists the findings by check and file.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -f "$build/compile_commands.json" ]; then
  echo "check-tidy: no $build/compile_commands.json; configure $build first (make check-tidy does)" >&2
  exit 1
fi
runner=$(command -v run-clang-tidy || command -v run-clang-tidy-14) || {
  echo "check-tidy: run-clang-tidy not found; scripts/install-deps.sh installs clang-tidy" >&2
  exit 1
}
tidy=$(command -v clang-tidy || command -v clang-tidy-14)

# The core: every source except the workbench (ui/), the command line (cli/) and the generated
# knot table. run-clang-tidy takes each as a pattern on the database's absolute paths.
mapfile -t sources < <(git ls-files 'src/*.cpp' |
  grep -v -e '^src/ui/' -e '^src/cli/' -e '^src/group/knot_table_data\.cpp$' | sed "s|^|^$PWD/|; s|\$|\$|")

log=$(mktemp)
trap 'rm -f "$log"' EXIT
# The compile commands are GCC's; clang does not know some of its warning flags (-Wno-restrict).
# run-clang-tidy colours its output in any case; the colours are taken out for logs.
if "$runner" -quiet -j "${JOBS:-$(nproc)}" -p "$build" -clang-tidy-binary "$tidy" \
     -extra-arg=-Wno-unknown-warning-option "${sources[@]}" 2>&1 | sed 's/\x1b\[[0-9;]*m//g' >"$log"; then
  echo "check-tidy: no findings in ${#sources[@]} sources"
  exit 0
fi
cat "$log"
echo "check-tidy: findings (file:line check), each once:" >&2
sed -nE "s|^$PWD/([^:]+):([0-9]+):[0-9]+: error: .*\[([a-z0-9.-]+),-warnings-as-errors\]\$|\1:\2 \3|p" "$log" |
  sort -u >&2
exit 1
