#!/usr/bin/env bash
# Fuzzes every file reader for a bounded time (FUZZ_SECONDS per target, 60 by
# default) from seeds written by the test-side writers and the kept corpus,
# with AddressSanitizer, UndefinedBehaviorSanitizer and leak checks.
# A crash, a sanitizer report, a leak, running out of memory (RSS_LIMIT_MB) or
# an input that runs longer than INPUT_SECONDS fails the run; that input is
# copied to fuzz/corpus/<target>/, which the test suite replays. An input
# slower than SLOW_SECONDS but within the limit is only reported: how long an
# input takes depends on the machine's load, so it never decides the outcome.
# Usage: scripts/fuzz.sh [target...]   (library station special_tool profile)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh cmake ninja-build clang libclang-rt-14-dev

seconds="${FUZZ_SECONDS:-60}"
input_seconds="${INPUT_SECONDS:-25}"
slow_seconds="${SLOW_SECONDS:-2}"
rss_limit_mb="${RSS_LIMIT_MB:-2560}"
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
  slow_inputs="$work/slow/$target"
  mkdir -p "$corpus" "$artifacts"
  rm -f "$artifacts"/*
  inputs=("$corpus" "$work/seeds/$target")
  [ -d "$kept" ] && inputs+=("$kept")

  status=0
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout="$input_seconds" \
    -report_slow_units="$slow_seconds" -rss_limit_mb="$rss_limit_mb" -max_len=8192 \
    -dict="$root/fuzz/dictionaries/$target.dict" -artifact_prefix="$artifacts/" \
    -print_final_stats=1 "${inputs[@]}" >"$log" 2>&1 || status=$?

  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  coverage=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 || true)
  echo "fuzz_$target: ${runs:-?} runs in ${seconds} s (${rate:-?}/s), ${coverage:-no coverage line}, exit $status"
  # Slow inputs are set aside for a look, never kept in the corpus.
  rm -rf "$slow_inputs"
  for slow in "$artifacts"/slow-unit-*; do
    [ -e "$slow" ] || continue
    mkdir -p "$slow_inputs"
    mv "$slow" "$slow_inputs/"
    echo "  slow input (over ${slow_seconds} s, within ${input_seconds} s), reported only: $slow_inputs/$(basename "$slow")"
  done
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
