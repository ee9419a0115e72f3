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
run norm --knot 4_1 --cycles 2 --save none
# The Kinoshita-Terasaka knot: its Alexander polynomial is 1, yet twisted polynomials over S_5
# show genus 2 and that it does not fiber.
run norm --knot 11_409 --rep sk-v --size 5 --compare-fields all --cycles 2 --save none
# Isotopy invariants: the Conway knot's classes of homomorphisms into S_5 and their product.
run isotopy --knot 11_401 --group s5 --save none
