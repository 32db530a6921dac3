// Test-side writer of little-endian file content: tests state a file's
// content field by field, in words, and never type hex blobs.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

namespace quarnel::testing {

class ByteBuilder {
 public:
  ByteBuilder& I8(int8_t v) { return U8(static_cast<uint8_t>(v)); }
  ByteBuilder& U8(uint8_t v) {
    bytes_.push_back(static_cast<char>(v));
    return *this;
  }
  ByteBuilder& I16(int16_t v) { return Little(static_cast<uint16_t>(v), 2); }
  ByteBuilder& I32(int32_t v) { return Little(static_cast<uint32_t>(v), 4); }
  ByteBuilder& U32(uint32_t v) { return Little(v, 4); }
  ByteBuilder& F32(float v) { return Little(std::bit_cast<uint32_t>(v), 4); }
  // A text in a fixed field: the text, a NUL, zeros to the field's end (cut to fit).
  ByteBuilder& Text(std::string_view text, size_t field_size) {
    const size_t length = text.size() < field_size ? text.size() : field_size - 1;
    bytes_.append(text.substr(0, length));
    bytes_.append(field_size - length, '\0');
    return *this;
  }
  ByteBuilder& Zeros(size_t count) {
    bytes_.append(count, '\0');
    return *this;
  }
  ByteBuilder& Raw(std::string_view raw) {
    bytes_.append(raw);
    return *this;
  }

  const std::string& bytes() const { return bytes_; }
  size_t size() const { return bytes_.size(); }

 private:
  ByteBuilder& Little(uint32_t v, int count) {
    for (int i = 0; i < count; ++i) bytes_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return *this;
  }

  std::string bytes_;
};

// Reads little-endian values back from bytes a test got from the library.
class ByteCursor {
 public:
  explicit ByteCursor(std::string_view bytes) : bytes_(bytes) {}
  uint8_t U8() { return static_cast<uint8_t>(Take(1)); }
  int8_t I8() { return static_cast<int8_t>(Take(1)); }
  int16_t I16() { return static_cast<int16_t>(Take(2)); }
  int32_t I32() { return static_cast<int32_t>(Take(4)); }
  uint32_t U32() { return Take(4); }
  float F32() { return std::bit_cast<float>(Take(4)); }
  std::string Text(size_t field_size) {
    std::string field(bytes_.substr(offset_, field_size));
    offset_ += field_size;
    return field.substr(0, field.find('\0'));
  }
  std::string_view Raw(size_t count) {
    std::string_view raw = bytes_.substr(offset_, count);
    offset_ += count;
    return raw;
  }
  size_t offset() const { return offset_; }
  size_t remaining() const { return bytes_.size() - offset_; }

 private:
  uint32_t Take(int count) {
    uint32_t v = 0;
    for (int i = 0; i < count; ++i) {
      v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes_.at(offset_ + i))) << (8 * i);
    }
    offset_ += count;
    return v;
  }

  std::string_view bytes_;
  size_t offset_ = 0;
};

}  // namespace quarnel::testing
