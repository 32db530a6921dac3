// One libFuzzer target per reader: QUARNEL_FUZZ_TARGET names the entry
// sequence ("library", "station", "special_tool" or "profile") that every
// input goes through.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_environment.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  quarnel::fuzz::EnterScratchFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  quarnel::fuzz::AbortOnFindings(quarnel::reliability::RunTargetInput(QUARNEL_FUZZ_TARGET, bytes));
  return 0;
}
