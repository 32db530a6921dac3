#include "stations/station_record.h"

#include <bit>

namespace quarnel::stations {
namespace {

enum class FieldKind { kByte, kWords, kBlock };

// One field of the file order: where it lies in the record, how it is read
// and how many bytes it covers.
struct FileField {
  int offset;
  FieldKind kind;
  int width;
};

constexpr FileField kFileOrder[] = {
    {8, FieldKind::kWords, 4},    {12, FieldKind::kWords, 4},   {16, FieldKind::kWords, 4},
    {20, FieldKind::kWords, 4},   {24, FieldKind::kWords, 4},   {28, FieldKind::kWords, 16},
    {44, FieldKind::kWords, 4},   {48, FieldKind::kWords, 24},  {72, FieldKind::kWords, 12},
    {84, FieldKind::kByte, 1},    {85, FieldKind::kByte, 1},    {99, FieldKind::kByte, 1},
    {101, FieldKind::kWords, 4},  {0, FieldKind::kWords, 4},    {4, FieldKind::kWords, 4},
    {113, FieldKind::kWords, 4},  {117, FieldKind::kWords, 4},  {121, FieldKind::kWords, 4},
    {125, FieldKind::kWords, 4},  {129, FieldKind::kWords, 4},  {133, FieldKind::kWords, 16},
    {87, FieldKind::kWords, 4},   {91, FieldKind::kWords, 4},   {95, FieldKind::kWords, 4},
    {105, FieldKind::kWords, 4},  {109, FieldKind::kWords, 4},  {149, FieldKind::kByte, 1},
    {150, FieldKind::kByte, 1},   {151, FieldKind::kByte, 1},   {152, FieldKind::kBlock, 24},
    {86, FieldKind::kByte, 1},    {100, FieldKind::kByte, 1},
};

constexpr int CoveredBytes() {
  int total = 0;
  for (const FileField& field : kFileOrder) total += field.width;
  return total;
}
static_assert(CoveredBytes() == kStationRecordSize, "the file order covers the whole record");

bool ReadField(platform::BinaryReader& in, const FileField& field, StationRecord& record) {
  switch (field.kind) {
    case FieldKind::kByte:
      return in.ReadU8(record.bytes[field.offset]);
    case FieldKind::kBlock:
      return in.ReadBytes(&record.bytes[field.offset], static_cast<size_t>(field.width));
    case FieldKind::kWords:
      for (int at = field.offset; at < field.offset + field.width; at += 4) {
        int32_t word = 0;
        if (!in.ReadI32(word)) return false;
        record.SetInt32At(at, word);
      }
      return true;
  }
  return false;
}

}  // namespace

float StationRecord::StationSize() const {
  return std::bit_cast<float>(Int32At(kStationSizeOffset));
}

void StationRecord::SetToolPosition(int32_t position) {
  SetInt32At(kToolPositionOffset, position);
  if (position == 0) bytes[kStationFlagsOffset] &= static_cast<uint8_t>(~kToolFlagBits);
}

int32_t StationRecord::Int32At(int offset) const {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
  return static_cast<int32_t>(value);
}

void StationRecord::SetInt32At(int offset, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
}

bool ReadStationRecord(platform::BinaryReader& in, StationRecord& record) {
  for (const FileField& field : kFileOrder) {
    if (!ReadField(in, field, record)) return false;
  }
  if (record.ToolPosition() == 0) {
    record.bytes[kStationFlagsOffset] &= static_cast<uint8_t>(~kFirstToolFlag);
  }
  return true;
}

}  // namespace quarnel::stations
