#!/usr/bin/env bash
# Fuzzes every file reader for a bounded time (FUZZ_SECONDS per target, 60 by
# default) from seeds written by the test-side writers, with AddressSanitizer,
# UndefinedBehaviorSanitizer and leak checks. Any finding fails the run; its
# input is copied to fuzz/corpus/<target>/, which the test suite replays.
# Usage: scripts/fuzz.sh [target...]   (library station special_tool profile)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh cmake ninja-build clang libclang-rt-14-dev

seconds="${FUZZ_SECONDS:-60}"
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(library station special_tool profile)

root="$PWD"
build="$root/build/fuzz"
work="$build/run"
cmake --preset fuzz >/dev/null
cmake --build "$build" -j2 --target fuzz_seeds "${targets[@]/#/fuzz_}"
rm -rf "$work/seeds"
"$build/fuzz/fuzz_seeds" "$work/seeds"

failed=0
for target in "${targets[@]}"; do
  corpus="$work/corpus/$target"
  artifacts="$work/artifacts/$target"
  kept="$root/fuzz/corpus/$target"
  log="$work/$target.log"
  mkdir -p "$corpus" "$artifacts"
  rm -f "$artifacts"/*
  inputs=("$corpus" "$work/seeds/$target")
  [ -d "$kept" ] && inputs+=("$kept")

  status=0
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2560 \
    -max_len=8192 -dict="$root/fuzz/dictionaries/$target.dict" -artifact_prefix="$artifacts/" \
    -print_final_stats=1 "${inputs[@]}" >"$log" 2>&1 || status=$?

  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 || true)
  echo "fuzz_$target: ${runs:-?} runs in ${seconds} s, ${coverage:-no coverage line}, exit $status"
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$artifacts")" ]; then
    failed=1
    mkdir -p "$kept"
    for finding in "$artifacts"/*; do
      [ -e "$finding" ] || continue
      cp "$finding" "$kept/"
      echo "  finding kept as fuzz/corpus/$target/$(basename "$finding")"
    done
    grep -E 'ERROR|finding|SUMMARY|#[0-9]+ 0x' "$log" | head -40 || tail -40 "$log"
  fi
done

if [ "$failed" -ne 0 ]; then
  echo "fuzzing found failures: commit the kept inputs with their fix" >&2
  exit 1
fi
echo "fuzzing: no findings"
