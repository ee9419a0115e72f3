#!/usr/bin/env bash
# What `make run` shows on a machine without a display: quarvel-cli on a few classic inputs.
set -euo pipefail
cli=${1:?usage: demo.sh PATH-TO-quarvel-cli}

run() {
  echo "\$ quarvel-cli $*"
  "$cli" "$@" || true
  echo
}

run show --braid "{1,1,1}"
run show --braid "{-1,2,-1,2}" --zero-surgery
run norm --braid "{-1,2,-1,2}" --rep sk-regular --size 4 --dry-run
