#!/bin/bash
# The core's folders form layers, lowest first; a file may include headers of its own folder and of
# the folders below it, never of a folder above. Prints every include that runs back up and fails
# when there is one.
set -u
cd "$(dirname "$0")/../src"
layers=(base poly group simplify reps homs alexander bounds run reports lists "norm isotopy" batch front "cli ui")
declare -A rank
for i in "${!layers[@]}"; do
  for folder in ${layers[$i]}; do rank[$folder]=$i; done
done
upward=0
while IFS=: read -r file include; do
  from=${file%%/*}
  to=${include%%/*}
  [ -n "${rank[$from]:-}" ] || { echo "$file: folder $from has no layer"; upward=$((upward + 1)); continue; }
  [ -n "${rank[$to]:-}" ] || continue
  if [ "${rank[$to]}" -gt "${rank[$from]}" ]; then
    echo "$file includes $include"
    upward=$((upward + 1))
  fi
done < <(grep -rEo '^#include "[a-z_]+/[a-z_0-9]+\.h"' --include='*.h' --include='*.cpp' . |
  sed -E 's|^\./||; s|:#include "|:|; s|"$||')
echo "$upward include(s) run back up"
[ "$upward" -eq 0 ]
