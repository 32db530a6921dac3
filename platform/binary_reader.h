// Checked little-endian reads from an open file. Every read reports whether it
// completed; after a short read the destination holds zeros, never garbage.
// Reads are served from a block buffer that is refilled a block at a time, so
// formats read field by field cost one file read per block, not per field;
// the file itself should not be read directly while a reader is using it.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/file_system.h"

namespace quarnel::platform {

class BinaryReader {
 public:
  explicit BinaryReader(File& file) : file_(file) {}

  bool ReadU8(uint8_t& value) { return ReadBytes(&value, 1); }
  bool ReadI8(int8_t& value) { return ReadLittle<uint8_t>(value); }
  bool ReadI16(int16_t& value) { return ReadLittle<uint16_t>(value); }
  bool ReadU16(uint16_t& value) { return ReadLittle<uint16_t>(value); }
  bool ReadI32(int32_t& value) { return ReadLittle<uint32_t>(value); }
  bool ReadU32(uint32_t& value) { return ReadLittle<uint32_t>(value); }
  bool ReadF32(float& value) { return ReadLittle<uint32_t>(value); }
  // Reads `size` raw bytes (a fixed-layout byte block carried unchanged).
  bool ReadBytes(void* data, size_t size) {
    if (size <= static_cast<size_t>(end_ - next_)) {
      if (size > 0) std::memcpy(data, next_, size);
      next_ += size;
      return true;
    }
    return ReadThroughFile(data, size);
  }
  // Reads a fixed field of `field_size` bytes into `text` (capacity `capacity`),
  // always NUL-terminated within the capacity, even when the field is not.
  bool ReadText(char* text, size_t capacity, size_t field_size);
  // Moves the position by `count` bytes from the current one (fseek semantics).
  bool Skip(int64_t count);
  bool SeekTo(int64_t offset);

 private:
  // Bytes asked of the file per refill.
  static constexpr size_t kBlockSize = 1 << 16;

  // Decodes a little-endian field of sizeof(Raw) bytes into `value` (an
  // integer or float of that size), zero after a short read.
  template <typename Raw, typename T>
  bool ReadLittle(T& value) {
    static_assert(sizeof(Raw) == sizeof(T));
    Raw raw = 0;
    const bool ok = ReadBytes(&raw, sizeof raw);
    if constexpr (std::endian::native == std::endian::big) {
      Raw swapped = 0;
      for (size_t i = 0; i < sizeof(Raw); ++i) {
        swapped = static_cast<Raw>((swapped << 8) | ((raw >> (8 * i)) & 0xFF));
      }
      raw = swapped;
    }
    value = std::bit_cast<T>(raw);
    return ok;
  }

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
