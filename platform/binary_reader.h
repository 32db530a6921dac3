// Checked little-endian reads from an open file. Every read reports whether it
// completed; after a short read the destination holds zeros, never garbage.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/file_system.h"

namespace quarnel::platform {

class BinaryReader {
 public:
  explicit BinaryReader(File& file) : file_(file) {}

  bool ReadU8(uint8_t& value);
  bool ReadI8(int8_t& value);
  bool ReadI16(int16_t& value);
  bool ReadU16(uint16_t& value);
  bool ReadI32(int32_t& value);
  bool ReadU32(uint32_t& value);
  bool ReadF32(float& value);
  // Reads `size` raw bytes (a fixed-layout byte block carried unchanged).
  bool ReadBytes(void* data, size_t size);
  // Reads a fixed field of `field_size` bytes into `text` (capacity `capacity`),
  // always NUL-terminated within the capacity, even when the field is not.
  bool ReadText(char* text, size_t capacity, size_t field_size);
  // Moves the position by `count` bytes from the current one (fseek semantics).
  bool Skip(int64_t count);
  bool SeekTo(int64_t offset);

 private:
  File& file_;
};

}  // namespace quarnel::platform
