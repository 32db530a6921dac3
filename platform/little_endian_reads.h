// The typed reads shared by every little-endian reader: each reader supplies
// ReadBytes (all `size` bytes or false, leaving zeros) and Skip, and gets the
// integer, float and fixed-text reads from here, so a decoder written once as
// a template reads a file through BinaryReader or buffered bytes through
// SpanReader alike.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace quarnel::platform {

template <typename Reader>
class LittleEndianReads {
 public:
  bool ReadU8(uint8_t& value) { return self().ReadBytes(&value, 1); }
  bool ReadI8(int8_t& value) { return ReadLittle<uint8_t>(value); }
  bool ReadI16(int16_t& value) { return ReadLittle<uint16_t>(value); }
  bool ReadU16(uint16_t& value) { return ReadLittle<uint16_t>(value); }
  bool ReadI32(int32_t& value) { return ReadLittle<uint32_t>(value); }
  bool ReadU32(uint32_t& value) { return ReadLittle<uint32_t>(value); }
  bool ReadF32(float& value) { return ReadLittle<uint32_t>(value); }

  // Reads a fixed field of `field_size` bytes into `text` (capacity `capacity`),
  // always NUL-terminated within the capacity, even when the field is not.
  bool ReadText(char* text, size_t capacity, size_t field_size) {
    if (capacity == 0) return self().Skip(static_cast<int64_t>(field_size));
    const size_t kept = field_size < capacity ? field_size : capacity;
    bool ok = self().ReadBytes(text, kept);
    if (ok && field_size > kept) ok = self().Skip(static_cast<int64_t>(field_size - kept));
    const size_t end = kept < capacity ? kept : capacity - 1;
    text[end] = '\0';
    return ok;
  }

 private:
  Reader& self() { return static_cast<Reader&>(*this); }

  // Decodes a little-endian field of sizeof(Raw) bytes into `value` (an
  // integer or float of that size), zero after a short read.
  template <typename Raw, typename T>
  bool ReadLittle(T& value) {
    static_assert(sizeof(Raw) == sizeof(T));
    Raw raw = 0;
    const bool ok = self().ReadBytes(&raw, sizeof raw);
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
};

}  // namespace quarnel::platform
