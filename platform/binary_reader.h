// Checked little-endian reads from an open file. Every read reports whether it
// completed; after a short read the destination holds zeros, never garbage.
// Reads are served from a block buffer that is refilled a block at a time, so
// formats read field by field cost one file read per block, not per field;
// the file itself should not be read directly while a reader is using it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/file_system.h"
#include "platform/little_endian_reads.h"

namespace quarnel::platform {

class BinaryReader : public LittleEndianReads<BinaryReader> {
 public:
  explicit BinaryReader(File& file) : file_(file) {}

  // Reads `size` raw bytes (a fixed-layout byte block carried unchanged).
  bool ReadBytes(void* data, size_t size) {
    if (size <= static_cast<size_t>(end_ - next_)) {
      if (size > 0) std::memcpy(data, next_, size);
      next_ += size;
      return true;
    }
    return ReadThroughFile(data, size);
  }
  // Moves the position by `count` bytes from the current one (fseek semantics).
  bool Skip(int64_t count);
  bool SeekTo(int64_t offset);
  // The next `size` bytes when the buffer already holds them (nothing is read
  // from the file), else nullptr; a following Skip(size) consumes them.
  const unsigned char* Buffered(size_t size) const {
    return size <= static_cast<size_t>(end_ - next_) ? next_ : nullptr;
  }

 private:
  // Bytes asked of the file per refill.
  static constexpr size_t kBlockSize = 1 << 16;

  // The slow path of ReadBytes: what the buffer holds, then refills.
  bool ReadThroughFile(void* data, size_t size);
  // Forgets the buffered bytes (the file's position is then the reader's).
  void DropBuffer() { next_ = end_ = buffer_.get(); }

  File& file_;
  std::unique_ptr<unsigned char[]> buffer_;
  // Unread buffered bytes: [next_, end_). The file stands at end_.
  const unsigned char* next_ = nullptr;
  const unsigned char* end_ = nullptr;
};

}  // namespace quarnel::platform
