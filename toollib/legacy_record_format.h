// The 72-byte legacy tool record of legacy library files (versions 1, 6 and
// 7), which is also the tool block of version-7 special-tool files, with its
// decoder and encoder side by side.
//
// offset  0: size, float32           offset 38: keyed count, int8
// offset  4: type code, int8         offset 39: angles a1 to a4, 4 x float32
// offset  5: name, char[21]          offset 55: die clearance count, int8
// offset 26: x, y, z, 3 x float32    offset 56: die clearances d1 to d4, 4 x float32
#pragma once

#include <cstdint>
#include <string>

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"

namespace quarnel::toollib {

// The name field: 21 bytes.
inline constexpr int kLegacyNameFieldSize = 21;
// size 4 + type code 1 + name 21 + x, y, z 12 + keyed count 1 + angles 16 +
// die clearance count 1 + die clearances 16 = 72.
inline constexpr int kLegacyToolRecordSize = 72;
static_assert(4 + 1 + kLegacyNameFieldSize + 12 + 1 + 16 + 1 + 16 == kLegacyToolRecordSize);

// The fields of one legacy tool record; the three counts are int8 on disk.
struct LegacyToolRecord {
  float size = 0.0f;
  int32_t typeCode = 0;
  // The 21 bytes at offset 5, as stored.
  char nameField[kLegacyNameFieldSize] = {};
  float dimensions[3] = {0.0f, 0.0f, 0.0f};
  int32_t keyedCount = 0;
  float angles[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  int32_t dieClearanceCount = 0;
  float dieClearances[4] = {0.0f, 0.0f, 0.0f, 0.0f};

  // The NUL-terminated name at offset 5, or at offset 6 with `shifted` (the 21
  // bytes from there, the last of which is the first byte of x).
  std::string Name(bool shifted) const;
};

// Reads one record field by field; false on a short read.
bool ReadLegacyToolRecord(platform::BinaryReader& in, LegacyToolRecord& record);
// Writes one record, the counts cut to int8; false when a write failed.
bool WriteLegacyToolRecord(platform::BinaryWriter& out, const LegacyToolRecord& record);

}  // namespace quarnel::toollib
