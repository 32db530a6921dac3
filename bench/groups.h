// Each benchmark group registers its benchmarks, floors first, in the order
// the suite runs them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quarnel::bench {

// Item counts of every benchmark whose items are tools, records or shapes.
inline const std::vector<int64_t> kSizes = {1'000, 10'000, 100'000};
// The two sizes of the entry-point benchmarks: enough for a growth figure.
inline const std::vector<int64_t> kGrowthSizes = {10'000, 100'000};

void RegisterLibraryFileBenchmarks();
void RegisterReceiveBenchmarks();
void RegisterEntryPointBenchmarks();
void RegisterSpecialToolBenchmarks();
void RegisterExplodeBenchmarks();
void RegisterRecordStoreBenchmarks();

inline std::string Sized(const std::string& name, int64_t size) {
  return name + "/" + std::to_string(size);
}

}  // namespace quarnel::bench
