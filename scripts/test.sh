#!/usr/bin/env bash
# Builds everything and runs every test: the Linux build, the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh cmake ninja-build g++ libgtest-dev libbenchmark-dev \
  libcli11-dev nlohmann-json3-dev python3-ezdxf librsvg2-bin libxml2-utils
scripts/ensure-packages.sh libdxflib-dev  # DXF drawings read by `quarnel create-special`

echo "== Linux x86_64: build and test"
cmake --workflow --preset default
echo "== AddressSanitizer + UndefinedBehaviorSanitizer: build and test"
cmake --workflow --preset asan
bash scripts/test-windows.sh  # the 32-bit Windows DLL, its tables, and its tests under wine
bash scripts/fuzz.sh  # every file reader fuzzed for about a minute with the sanitizers
