// Checked little-endian reads from bytes already in memory. A decoder reads a
// record through it when the file reader holds the whole record in its
// buffer: the cursor then lives in registers instead of the file reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/little_endian_reads.h"

namespace quarnel::platform {

// Copies a block through the C library's memcpy. Kept out of line on purpose:
// inlined, a copy of a bounded but variable length (a text of up to 256
// bytes) compiles to a string instruction slower than the library call.
void CopyBlock(void* to, const void* from, size_t size);

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
    if (size > sizeof(uint64_t)) {
      CopyBlock(data, next_, size);
    } else if (size > 0) {
      std::memcpy(data, next_, size);
    }
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
