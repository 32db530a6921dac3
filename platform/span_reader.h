// Checked little-endian reads from bytes already in memory. A decoder reads a
// record through it when the file reader holds the whole record in its
// buffer: the cursor then lives in registers instead of the file reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/little_endian_reads.h"

namespace quarnel::platform {

class SpanReader : public LittleEndianReads<SpanReader> {
 public:
  SpanReader(const unsigned char* data, size_t size) : start_(data), next_(data), end_(data + size) {}

  // Reads `size` raw bytes; a short read leaves zeros and consumes the rest.
  bool ReadBytes(void* data, size_t size) {
    if (size > static_cast<size_t>(end_ - next_)) {
      std::memset(data, 0, size);
      next_ = end_;
      return false;
    }
    if (size > 0) std::memcpy(data, next_, size);
    next_ += size;
    return true;
  }
  // Moves forward by `count` bytes (no further than the end); false otherwise.
  bool Skip(int64_t count) {
    if (count < 0 || static_cast<uint64_t>(count) > static_cast<size_t>(end_ - next_)) return false;
    next_ += count;
    return true;
  }
  // Bytes read or skipped so far.
  size_t consumed() const { return static_cast<size_t>(next_ - start_); }

 private:
  const unsigned char* start_;
  const unsigned char* next_;
  const unsigned char* end_;
};

}  // namespace quarnel::platform
