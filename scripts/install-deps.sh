#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing.
# As root it uses apt-get; otherwise it names what is missing and stops.
set -euo pipefail

# qt6-base-dev: the workbench and its tests; the DejaVu fonts: the workbench's fixed layouts are
# measured in DejaVu Sans Condensed (fonts-dejavu-extra).
packages=(cmake ninja-build g++ make libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev fonts-dejavu-core fonts-dejavu-extra)
# The report tests compile the LaTeX reports and run the GAP programs.
packages+=(texlive-latex-base texlive-latex-recommended gap)
# The fuzz targets (make fuzz, and the minute of each that make test runs): clang and libFuzzer.
packages+=(clang libclang-rt-dev)
# The GNU parallel recipe for list runs in shards (scripts/cluster) and its test.
packages+=(parallel)
# The Python module (pybind11) and its pytest suite.
packages+=(pybind11-dev python3-dev python3-pytest)
# The source checks: clang-format, python3 for the knot-table generator, clang-tidy (make check-tidy).
packages+=(clang-format python3 clang-tidy)
# quarvel-cli --format json writes its JSON Lines with nlohmann-json.
packages+=(nlohmann-json3-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "Install them with: sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
