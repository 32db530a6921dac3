// Checked little-endian writes to an open file. Every write reports whether it
// completed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/file_system.h"

namespace quarnel::platform {

class BinaryWriter {
 public:
  explicit BinaryWriter(File& file) : file_(file) {}

  bool WriteU8(uint8_t value);
  bool WriteI8(int8_t value);
  bool WriteI16(int16_t value);
  bool WriteU16(uint16_t value);
  bool WriteI32(int32_t value);
  bool WriteU32(uint32_t value);
  bool WriteF32(float value);
  bool WriteBytes(const void* data, size_t size);
  // Writes `text` into a fixed field of `field_size` bytes: cut to field_size - 1
  // characters, then a NUL, then zeros to the end of the field.
  bool WriteText(std::string_view text, size_t field_size);
  // Writes `count` zero bytes.
  bool WriteZeros(size_t count);

 private:
  File& file_;
};

}  // namespace quarnel::platform
