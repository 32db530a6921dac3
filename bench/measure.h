// Timing and reporting shared by every benchmark group: each iteration is
// timed by the thread's CPU clock (the suite runs with manual time, so the
// reported time is exactly what was measured), and each result is kept by
// name and size so that later benchmarks of the same run can be compared
// with it: with the floor of their file format, and with the same benchmark
// at the size ten times smaller.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <string>

namespace quarnel::bench {

// CPU time consumed by the calling thread, user and system, in nanoseconds.
int64_t ThreadCpuNanos();

// Runs `body` once per benchmark iteration, timing all of it; returns the
// total of the timed nanoseconds.
template <typename Body>
double TimedLoop(benchmark::State& state, Body&& body) {
  double total = 0;
  for (auto _ : state) {
    const int64_t start = ThreadCpuNanos();
    body();
    const int64_t elapsed = ThreadCpuNanos() - start;
    state.SetIterationTime(static_cast<double>(elapsed) * 1e-9);
    total += static_cast<double>(elapsed);
  }
  return total;
}

// As above, with `setup` run untimed before each timed `body`.
template <typename Setup, typename Body>
double TimedLoop(benchmark::State& state, Setup&& setup, Body&& body) {
  double total = 0;
  for (auto _ : state) {
    setup();
    const int64_t start = ThreadCpuNanos();
    body();
    const int64_t elapsed = ThreadCpuNanos() - start;
    state.SetIterationTime(static_cast<double>(elapsed) * 1e-9);
    total += static_cast<double>(elapsed);
  }
  return total;
}

// A floor: reading a whole file into memory and decoding the same fields with
// a bare loop of little-endian loads. `run` does that once and returns the
// number of items (tools, entities) it delivered.
struct Floor {
  std::function<int64_t()> run;
  // Run untimed before each timed run: releases what the last run built, so
  // that only reading and decoding are timed (as for the library, whose
  // results are released outside the timing too).
  std::function<void()> release = [] {};
};

// Registers the floor `name` (e.g. "floor/library92/10000") for later use.
void DefineFloor(const std::string& name, Floor floor);

// Benchmark body of a floor: times it and records its time per item.
void RunFloor(benchmark::State& state, const std::string& name);

// Sets the counters of a finished benchmark: ns_per_item, and when known
// x_floor (time per item over the floor's, measured now when the floor did
// not run before in this process) and growth (time per item over that of the
// same `series` at the next smaller size run before). Records this result
// under `series` and `size`.
void Report(benchmark::State& state, const std::string& series, int64_t size,
            int64_t items_per_iteration, double total_ns, const std::string& floor_name = "");

// Registers `fn` as a benchmark named `name` with the suite's settings
// (manual time, microseconds).
benchmark::internal::Benchmark* Register(const std::string& name,
                                         std::function<void(benchmark::State&)> fn);

}  // namespace quarnel::bench
