#include "platform/binary_reader.h"

#include <bit>
#include <cstring>

namespace quarnel::platform {
namespace {

// Decodes a little-endian unsigned value of N bytes.
template <typename T>
T DecodeLittleEndian(const unsigned char* bytes) {
  T value = 0;
  for (size_t i = 0; i < sizeof(T); ++i) value |= static_cast<T>(static_cast<T>(bytes[i]) << (8 * i));
  return value;
}

}  // namespace

bool BinaryReader::ReadBytes(void* data, size_t size) {
  if (size == 0) return true;
  const size_t got = file_.Read(data, size);
  if (got == size) return true;
  std::memset(data, 0, size);
  return false;
}

bool BinaryReader::ReadU8(uint8_t& value) { return ReadBytes(&value, 1); }

bool BinaryReader::ReadI8(int8_t& value) {
  uint8_t raw = 0;
  const bool ok = ReadU8(raw);
  value = static_cast<int8_t>(raw);
  return ok;
}

bool BinaryReader::ReadU16(uint16_t& value) {
  unsigned char bytes[2];
  const bool ok = ReadBytes(bytes, sizeof bytes);
  value = DecodeLittleEndian<uint16_t>(bytes);
  return ok;
}

bool BinaryReader::ReadI16(int16_t& value) {
  uint16_t raw = 0;
  const bool ok = ReadU16(raw);
  value = static_cast<int16_t>(raw);
  return ok;
}

bool BinaryReader::ReadU32(uint32_t& value) {
  unsigned char bytes[4];
  const bool ok = ReadBytes(bytes, sizeof bytes);
  value = DecodeLittleEndian<uint32_t>(bytes);
  return ok;
}

bool BinaryReader::ReadI32(int32_t& value) {
  uint32_t raw = 0;
  const bool ok = ReadU32(raw);
  value = static_cast<int32_t>(raw);
  return ok;
}

bool BinaryReader::ReadF32(float& value) {
  uint32_t raw = 0;
  const bool ok = ReadU32(raw);
  value = std::bit_cast<float>(raw);
  return ok;
}

bool BinaryReader::ReadText(char* text, size_t capacity, size_t field_size) {
  if (capacity == 0) return Skip(static_cast<int64_t>(field_size));
  const size_t kept = field_size < capacity ? field_size : capacity;
  bool ok = ReadBytes(text, kept);
  if (ok && field_size > kept) ok = Skip(static_cast<int64_t>(field_size - kept));
  const size_t end = kept < capacity ? kept : capacity - 1;
  text[end] = '\0';
  return ok;
}

bool BinaryReader::Skip(int64_t count) { return file_.SeekFromCurrent(count); }

bool BinaryReader::SeekTo(int64_t offset) { return file_.SeekTo(offset); }

}  // namespace quarnel::platform
