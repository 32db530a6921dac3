#include "toollib/legacy_record_format.h"

#include <bit>
#include <cstring>

namespace quarnel::toollib {

std::string LegacyToolRecord::Name(bool shifted) const {
  char name[kLegacyNameFieldSize + 1] = {};
  if (shifted) {
    // One byte further in: the field's last 20 bytes and the first byte of x.
    std::memcpy(name, nameField + 1, kLegacyNameFieldSize - 1);
    name[kLegacyNameFieldSize - 1] =
        static_cast<char>(std::bit_cast<uint32_t>(dimensions[0]) & 0xFF);
  } else {
    std::memcpy(name, nameField, kLegacyNameFieldSize);
  }
  return name;
}

bool ReadLegacyToolRecord(platform::BinaryReader& in, LegacyToolRecord& record) {
  int8_t type_code = 0;
  int8_t keyed_count = 0;
  int8_t die_clearance_count = 0;
  bool ok = in.ReadF32(record.size) && in.ReadI8(type_code) &&
            in.ReadBytes(record.nameField, sizeof record.nameField);
  for (float& dimension : record.dimensions) ok = ok && in.ReadF32(dimension);
  ok = ok && in.ReadI8(keyed_count);
  for (float& angle : record.angles) ok = ok && in.ReadF32(angle);
  ok = ok && in.ReadI8(die_clearance_count);
  for (float& clearance : record.dieClearances) ok = ok && in.ReadF32(clearance);
  record.typeCode = type_code;
  record.keyedCount = keyed_count;
  record.dieClearanceCount = die_clearance_count;
  return ok;
}

bool WriteLegacyToolRecord(platform::BinaryWriter& out, const LegacyToolRecord& record) {
  bool ok = out.WriteF32(record.size) && out.WriteI8(static_cast<int8_t>(record.typeCode)) &&
            out.WriteBytes(record.nameField, sizeof record.nameField);
  for (float dimension : record.dimensions) ok = ok && out.WriteF32(dimension);
  ok = ok && out.WriteI8(static_cast<int8_t>(record.keyedCount));
  for (float angle : record.angles) ok = ok && out.WriteF32(angle);
  ok = ok && out.WriteI8(static_cast<int8_t>(record.dieClearanceCount));
  for (float clearance : record.dieClearances) ok = ok && out.WriteF32(clearance);
  return ok;
}

}  // namespace quarnel::toollib
