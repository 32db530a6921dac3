#!/usr/bin/env bash
# Builds the library and the command-line host, then runs the host: by default
# `quarnel demo build/demo`, which writes a sample tool set into build/demo
# and shows what the host makes of it. Arguments replace the default command.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh cmake ninja-build g++ libgtest-dev libcli11-dev nlohmann-json3-dev
scripts/ensure-packages.sh libdxflib-dev  # DXF drawings read by `quarnel create-special`
cmake --preset default >/dev/null
cmake --build --preset default --target quarnel_cli
if [ $# -eq 0 ]; then set -- demo build/demo; fi
./build/default/tools/quarnel/quarnel "$@"
