#!/usr/bin/env bash
# Builds everything and runs every test: the Linux build, the sanitizer build,
# the Windows DLL, the install forms, the benchmarks (built only) and fuzzing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh cmake ninja-build g++ libgtest-dev libbenchmark-dev \
  libcli11-dev nlohmann-json3-dev libdxflib-dev pkgconf python3-ezdxf librsvg2-bin libxml2-utils
# the setup sheet's browser test: headless Chromium, PDF pages, pixels, HTML5 validation
scripts/ensure-packages.sh chromium poppler-utils python3-pil tidy fonts-dejavu-core

echo "== Linux x86_64: build and test"
cmake --workflow --preset default
echo "== AddressSanitizer + UndefinedBehaviorSanitizer: build and test"
cmake --workflow --preset asan
bash scripts/test-windows.sh  # the 32-bit Windows DLL, its tables, and its tests under wine
bash scripts/test-install.sh  # install prefix, .deb and Windows zip, with hosts built against each
echo "== Benchmarks: build only (scripts/bench.sh measures), so that they keep compiling"
cmake --preset bench >/dev/null
cmake --build --preset bench --target quarnel_bench
bash scripts/fuzz.sh  # every file reader fuzzed for about a minute with the sanitizers
