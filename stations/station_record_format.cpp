#include "stations/station_record_format.h"

namespace quarnel::stations {
namespace {

// One field of the file order: where it lies in the record and how many bytes
// it covers. Numbers are little-endian in the record as in the file, so a
// field's file bytes are its record bytes.
struct FileField {
  size_t offset;
  size_t width;
};

constexpr FileField kFileOrder[] = {
    {8, 4},    {12, 4},  {16, 4},  {20, 4},  {24, 4},  {28, 16},  {44, 4},  {48, 24},
    {72, 12},  {84, 1},  {85, 1},  {99, 1},  {101, 4}, {0, 4},    {4, 4},   {113, 4},
    {117, 4},  {121, 4}, {125, 4}, {129, 4}, {133, 16}, {87, 4},  {91, 4},  {95, 4},
    {105, 4},  {109, 4}, {149, 1}, {150, 1}, {151, 1}, {152, 24}, {86, 1},  {100, 1},
};

constexpr size_t CoveredBytes() {
  size_t total = 0;
  for (const FileField& field : kFileOrder) total += field.width;
  return total;
}
static_assert(CoveredBytes() == kStationRecordFileBytes, "the file order covers the whole record");

}  // namespace

bool DecodeStationRecord(platform::BinaryReader& in, StationRecord& record) {
  for (const FileField& field : kFileOrder) {
    if (!in.ReadBytes(&record.bytes[field.offset], field.width)) return false;
  }
  if (record.ToolPosition() == 0) {
    record.bytes[kStationFlagsOffset] &= static_cast<uint8_t>(~kFirstToolFlag);
  }
  return true;
}

bool EncodeStationRecord(platform::BinaryWriter& out, const StationRecord& record) {
  for (const FileField& field : kFileOrder) {
    if (!out.WriteBytes(&record.bytes[field.offset], field.width)) return false;
  }
  return true;
}

}  // namespace quarnel::stations
