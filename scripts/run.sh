#!/usr/bin/env bash
# Builds the library and the command-line host, then runs the host's demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh cmake ninja-build g++ libgtest-dev
cmake --preset default >/dev/null
cmake --build --preset default
./build/default/tools/quarnel/quarnel "${@:-demo}"
