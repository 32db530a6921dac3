#include "bench/measure.h"

#include <time.h>

#include <iterator>
#include <map>
#include <stdexcept>
#include <utility>

namespace quarnel::bench {
namespace {

std::map<std::string, Floor>& Floors() {
  static std::map<std::string, Floor> floors;
  return floors;
}

// Nanoseconds per item by result name ("series/size").
std::map<std::string, double>& Results() {
  static std::map<std::string, double> results;
  return results;
}

// Nanoseconds per item of every benchmark by series, then size.
std::map<std::string, std::map<int64_t, double>>& SeriesResults() {
  static std::map<std::string, std::map<int64_t, double>> results;
  return results;
}

// Runs a floor that no benchmark measured yet until it used a fifth of a
// second, so that a filtered run still gets its ratios.
double MeasureFloorNow(const Floor& floor) {
  int64_t spent = 0;
  int64_t runs = 0;
  int64_t items = 0;
  floor.run();
  while (spent < 200'000'000 || runs < 3) {
    floor.release();
    const int64_t start = ThreadCpuNanos();
    items += floor.run();
    spent += ThreadCpuNanos() - start;
    ++runs;
  }
  floor.release();
  return static_cast<double>(spent) / static_cast<double>(items);
}

}  // namespace

int64_t ThreadCpuNanos() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

void DefineFloor(const std::string& name, Floor floor) { Floors()[name] = std::move(floor); }

void RunFloor(benchmark::State& state, const std::string& name) {
  const Floor& floor = Floors().at(name);
  // One untimed run first, as every library benchmark has one: memory is then
  // touched once before anything is timed, on both sides.
  floor.run();
  floor.release();
  int64_t items = 0;
  const double total = TimedLoop(state, [&] { floor.release(); }, [&] { items += floor.run(); });
  floor.release();
  state.SetItemsProcessed(items);
  const double per_item = total / static_cast<double>(items);
  state.counters["ns_per_item"] = per_item;
  Results()[name] = per_item;
}

void Report(benchmark::State& state, const std::string& series, int64_t size,
            int64_t items_per_iteration, double total_ns, const std::string& floor_name) {
  const auto items = state.iterations() * items_per_iteration;
  state.SetItemsProcessed(items);
  const double per_item = total_ns / static_cast<double>(items);
  state.counters["ns_per_item"] = per_item;
  if (!floor_name.empty()) {
    auto known = Results().find(floor_name);
    if (known == Results().end()) {
      known = Results().emplace(floor_name, MeasureFloorNow(Floors().at(floor_name))).first;
    }
    state.counters["x_floor"] = per_item / known->second;
  }
  std::map<int64_t, double>& sizes = SeriesResults()[series];
  if (auto larger = sizes.lower_bound(size); larger != sizes.begin()) {
    state.counters["growth"] = per_item / std::prev(larger)->second;
  }
  sizes[size] = per_item;
}

benchmark::internal::Benchmark* Register(const std::string& name,
                                         std::function<void(benchmark::State&)> fn) {
  return benchmark::RegisterBenchmark(name.c_str(), std::move(fn))
      ->UseManualTime()
      ->Unit(benchmark::kMicrosecond);
}

}  // namespace quarnel::bench
