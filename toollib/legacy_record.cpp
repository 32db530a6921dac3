// The 72-byte legacy tool record, the library versions and the file-name sanitiser.
#include <bit>
#include <cstring>

#include "toollib/tool_file.h"

namespace quarnel::toollib {

bool IsLegacyLibraryVersion(int version) { return version == 1 || version == 6 || version == 7; }

bool IsKnownLibraryVersion(int version) {
  switch (version) {
    case 52: case 54: case 60: case 61: case 62: case 71: case 80: case 90: case 91: case 92:
      return true;
    default:
      return IsLegacyLibraryVersion(version);
  }
}

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

void SanitizeFileName(char* text) {
  if (text == nullptr) return;
  for (char* c = text; *c != '\0'; ++c) {
    switch (*c) {
      case '"': case '*': case '/': case ':': case '<': case '>': case '?': case '\\': case '|':
        *c = '_';
        break;
      default:
        break;
    }
  }
}

}  // namespace quarnel::toollib
