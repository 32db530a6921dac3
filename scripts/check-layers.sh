#!/usr/bin/env bash
# Fails when a library folder includes a header of a folder above it: each
# folder may include only itself, the public headers (quarnel/) and the
# folders before it in this order, so the folders cannot form a cycle.
# Tests (*/tests) are not part of the order.
set -euo pipefail
cd "$(dirname "$0")/.."
order=(platform store toollib spectool explode stations partfile exports)

status=0
allowed="quarnel"
for folder in "${order[@]}"; do
  allowed="$allowed|$folder"
  while IFS= read -r line; do
    echo "layer: $line (may include only: ${allowed//|/, })" >&2
    status=1
  done < <(grep -rHn --include='*.h' --include='*.cpp' --exclude-dir=tests '^#include "' "$folder" |
           grep -Ev "#include \"($allowed)/" || true)
done
exit "$status"
