#!/usr/bin/env bash
# Builds the Release benchmarks and runs the whole suite once with the C
# library's default allocator, as a host process runs: every benchmark beside
# the bare-decode floor of its file format (into warm memory), ratios and
# growth included. Extra arguments go to the benchmark binary (e.g.
# --benchmark_filter=Load); --tuned_allocator adds nothing to the library and
# only makes the run keep freed memory in the process (labelled as such in
# the results), to show what page faults of fresh memory cost.
# Results: the console table, build/bench/results.json and the Markdown
# table of docs/performance.md in build/bench/results.md.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh cmake ninja-build g++ libbenchmark-dev

cmake --preset bench >/dev/null
cmake --build --preset bench --target quarnel_bench
echo "== $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), load average:$(uptime | sed 's/.*load average://')"
# Five repetitions, medians reported: the machine may be shared.
build/bench/bench/quarnel_bench --benchmark_out=build/bench/results.json \
  --benchmark_out_format=json --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true "$@"
echo "== load average after the run:$(uptime | sed 's/.*load average://')"
python3 bench/summarize.py build/bench/results.json > build/bench/results.md
echo "== Markdown table: build/bench/results.md"
