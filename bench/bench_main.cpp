// The benchmark suite: the library's loaders and entry points next to the
// bare-decode floors of their file formats, in one run.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstring>

#include "bench/groups.h"
#include "platform/message_box.h"

namespace {

// True (and the argument removed) when --tuned_allocator was given.
bool TakeTunedAllocatorFlag(int& argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--tuned_allocator") == 0) {
      for (int j = i; j + 1 < argc; ++j) argv[j] = argv[j + 1];
      --argc;
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // The suite measures with the C library's default allocator, as a host
  // process runs. --tuned_allocator is an extra run for analysis only: freed
  // memory then stays with the process (no mappings of their own for large
  // blocks, no trimming), so that the difference between the two runs shows
  // what page faults of fresh memory cost. A host's library never does this.
  if (TakeTunedAllocatorFlag(argc, argv)) {
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::AddCustomContext("allocator", "tuned (M_MMAP_MAX 0, no trimming)");
  } else {
    benchmark::AddCustomContext("allocator", "default");
  }
  // Nothing the benchmarks read shows a message, but nothing may ever block.
  quarnel::platform::SetMessageHandler([](const char*) {});
  quarnel::bench::RegisterLibraryFileBenchmarks();
  quarnel::bench::RegisterReceiveBenchmarks();
  quarnel::bench::RegisterEntryPointBenchmarks();
  quarnel::bench::RegisterSpecialToolBenchmarks();
  quarnel::bench::RegisterExplodeBenchmarks();
  quarnel::bench::RegisterRecordStoreBenchmarks();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
