#include "platform/binary_writer.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace quarnel::platform {
namespace {

template <typename T>
void EncodeLittleEndian(T value, unsigned char* bytes) {
  for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

bool BinaryWriter::WriteBytes(const void* data, size_t size) {
  if (size == 0) return true;
  return file_.Write(data, size) == size;
}

bool BinaryWriter::WriteU8(uint8_t value) { return WriteBytes(&value, 1); }
bool BinaryWriter::WriteI8(int8_t value) { return WriteU8(static_cast<uint8_t>(value)); }

bool BinaryWriter::WriteU16(uint16_t value) {
  unsigned char bytes[2];
  EncodeLittleEndian(value, bytes);
  return WriteBytes(bytes, sizeof bytes);
}

bool BinaryWriter::WriteI16(int16_t value) { return WriteU16(static_cast<uint16_t>(value)); }

bool BinaryWriter::WriteU32(uint32_t value) {
  unsigned char bytes[4];
  EncodeLittleEndian(value, bytes);
  return WriteBytes(bytes, sizeof bytes);
}

bool BinaryWriter::WriteI32(int32_t value) { return WriteU32(static_cast<uint32_t>(value)); }
bool BinaryWriter::WriteF32(float value) { return WriteU32(std::bit_cast<uint32_t>(value)); }

bool BinaryWriter::WriteText(std::string_view text, size_t field_size) {
  if (field_size == 0) return true;
  std::vector<unsigned char> field(field_size, 0);
  const size_t length = std::min(text.size(), field_size - 1);
  std::copy_n(text.begin(), length, field.begin());
  return WriteBytes(field.data(), field.size());
}

bool BinaryWriter::WriteZeros(size_t count) {
  static const unsigned char kZeros[256] = {};
  while (count > 0) {
    const size_t chunk = std::min(count, sizeof kZeros);
    if (!WriteBytes(kZeros, chunk)) return false;
    count -= chunk;
  }
  return true;
}

}  // namespace quarnel::platform
