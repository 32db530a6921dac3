// Heap bytes in use and their peak, counted by the benchmark binary's own
// operator new and delete (every allocation of the library goes through them).
#pragma once

#include <cstdint>

namespace quarnel::bench {

// Bytes allocated and not yet released, as the allocator sized the blocks.
int64_t HeapBytesInUse();
// The highest HeapBytesInUse since the last ResetHeapPeak.
int64_t HeapPeak();
// Starts a new peak from the bytes in use now.
void ResetHeapPeak();

}  // namespace quarnel::bench
