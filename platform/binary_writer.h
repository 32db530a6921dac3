// Checked little-endian writes to an open file. Every write reports whether it
// completed.
//
// A writer made with a buffer size collects the fields in that buffer and
// hands the file one Write of the whole buffer each time it fills, and the
// rest at Flush: a save then costs a few large writes instead of one call of
// the file layer per field. A field that only reached the buffer counts as
// written; a Write of the file that fails makes that call, every later write
// and Flush report failure. Callers of a buffered writer must Flush and check
// it before they close the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/file_system.h"

namespace quarnel::platform {

// The buffer size of the library's file writers (Save, the part drawing):
// 256 KiB, large enough that a save is a few hundred writes at most, small
// enough to cost nothing to allocate.
size_t WriteBufferSize();
// Replaces that size (0 = unbuffered) and returns the one it replaces: tests
// make the file layer see writes at every point of a file with a tiny buffer.
size_t SetWriteBufferSize(size_t size);

// Puts `value` into the sizeof(T) bytes at `bytes`, little-endian: the order of
// every file, and of records kept in memory in their file form.
template <typename T>
void StoreLittleEndian(T value, unsigned char* bytes) {
  for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

class BinaryWriter {
 public:
  // Unbuffered: every field is one Write of the file.
  explicit BinaryWriter(File& file) : file_(file) {}
  // Buffered through `buffer_size` bytes (0 = unbuffered).
  BinaryWriter(File& file, size_t buffer_size);

  bool WriteU8(uint8_t value) { return WriteBytes(&value, 1); }
  bool WriteI8(int8_t value) { return WriteU8(static_cast<uint8_t>(value)); }
  bool WriteU16(uint16_t value) { return WriteEncoded(value); }
  bool WriteI16(int16_t value) { return WriteU16(static_cast<uint16_t>(value)); }
  bool WriteU32(uint32_t value) { return WriteEncoded(value); }
  bool WriteI32(int32_t value) { return WriteU32(static_cast<uint32_t>(value)); }
  bool WriteF32(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return WriteU32(bits);
  }
  bool WriteBytes(const void* data, size_t size) {
    if (buffer_ && size <= capacity_ - used_) {  // room in the buffer (none after a failure)
      std::memcpy(buffer_.get() + used_, data, size);
      used_ += size;
      return true;
    }
    return WriteBeyondBuffer(data, size);
  }
  // Writes `text` into a fixed field of `field_size` bytes: cut to field_size - 1
  // characters, then a NUL, then zeros to the end of the field.
  bool WriteText(std::string_view text, size_t field_size);
  // Writes `count` zero bytes.
  bool WriteZeros(size_t count);
  // Hands what the buffer holds to the file; true when every Write of the file
  // so far completed. An unbuffered writer has nothing to hand over.
  bool Flush();

 private:
  template <typename T>
  bool WriteEncoded(T value) {
    unsigned char bytes[sizeof(T)];
    StoreLittleEndian(value, bytes);
    return WriteBytes(bytes, sizeof bytes);
  }
  // A write that does not fit the buffer's free room: straight to the file
  // when unbuffered, else through the buffer, emptied as it fills.
  bool WriteBeyondBuffer(const void* data, size_t size);

  File& file_;
  std::unique_ptr<unsigned char[]> buffer_;
  size_t capacity_ = 0;  // 0 when unbuffered or after a failed Write of the file
  size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace quarnel::platform
