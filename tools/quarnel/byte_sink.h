// Little-endian byte building for the sample files that the demo writes.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace quarnel::cli {

class ByteSink {
 public:
  void Int8(int8_t value) { bytes_.push_back(static_cast<char>(value)); }
  void UInt8(uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
  void Int16(int16_t value) { Little(static_cast<uint16_t>(value), 2); }
  void Int32(int32_t value) { Little(static_cast<uint32_t>(value), 4); }
  void UInt32(uint32_t value) { Little(value, 4); }
  void Float(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    Little(bits, 4);
  }
  void Zeros(size_t count) { bytes_.append(count, '\0'); }
  // `text` in a field of `width` bytes: NUL-terminated, zero-filled, cut to fit.
  void Text(const std::string& text, size_t width) {
    const size_t length = text.size() < width ? text.size() : width - 1;
    bytes_.append(text, 0, length);
    Zeros(width - length);
  }
  const std::string& bytes() const { return bytes_; }

 private:
  void Little(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
  std::string bytes_;
};

}  // namespace quarnel::cli
