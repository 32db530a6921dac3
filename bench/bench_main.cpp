// The benchmark suite: the library's loaders and entry points next to the
// bare-decode floors of their file formats, in one run.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "bench/groups.h"
#include "platform/message_box.h"

int main(int argc, char** argv) {
  // Freed memory stays with the process: every benchmark, floors and library
  // alike, then reuses pages instead of faulting fresh ones in (page faults
  // are costly on a virtual machine and would measure the allocator's
  // mapping policy, not the code).
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  // Nothing the benchmarks read shows a message, but nothing may ever block.
  quarnel::platform::SetMessageHandler([](const char*) {});
  quarnel::bench::RegisterLibraryFileBenchmarks();
  quarnel::bench::RegisterReceiveBenchmarks();
  quarnel::bench::RegisterSpecialToolBenchmarks();
  quarnel::bench::RegisterExplodeBenchmarks();
  quarnel::bench::RegisterRecordStoreBenchmarks();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
