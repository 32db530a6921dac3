// The tool library file: its versions, the 72-byte legacy tool record, the
// header read of a special-tool file and the file-name sanitiser.
#pragma once

#include <cstdint>
#include <string>

#include "platform/binary_reader.h"
#include "toollib/tool_record.h"

namespace quarnel::toollib {

// The version every save writes.
inline constexpr int kCurrentLibraryVersion = 92;

// True for the versions the loader reads: 1, 6, 7 (legacy) and 52..92 (current).
bool IsKnownLibraryVersion(int version);
// True for the legacy layout versions 1, 6 and 7.
bool IsLegacyLibraryVersion(int version);

// Bytes of one legacy tool record and of its name field.
inline constexpr int kLegacyToolRecordSize = 72;
inline constexpr int kLegacyNameFieldSize = 21;

// The fields of one 72-byte legacy tool record (legacy library files and
// version-7 special-tool files).
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

// Reads one 72-byte legacy tool record field by field; false on a short read.
bool ReadLegacyToolRecord(platform::BinaryReader& in, LegacyToolRecord& record);

// Reads the tool data of the special-tool file `name` (a path when it holds a
// backslash, else a name in the special-tool folder) into `record`, tied to
// that file in the current library. 1 when the tool data were read, else 0;
// `record` is untouched when the file does not exist.
[[nodiscard]] int ReadSpecialToolHeader(const char* name, ToolRecord& record);

// Replaces each of " * / : < > ? \ | in `text` by '_'; nullptr is left alone.
void SanitizeFileName(char* text);

}  // namespace quarnel::toollib
