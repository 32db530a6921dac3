// The tool library file: its versions, the header read of a special-tool file
// and the file-name sanitiser.
#pragma once

#include <cstdint>
#include <string>

#include "platform/binary_reader.h"
#include "toollib/legacy_record_format.h"
#include "toollib/tool_record.h"

namespace quarnel::toollib {

// The version every save writes.
inline constexpr int kCurrentLibraryVersion = 92;

// True for the versions the loader reads: 1, 6, 7 (legacy) and 52..92 (current).
bool IsKnownLibraryVersion(int version);
// True for the legacy layout versions 1, 6 and 7.
bool IsLegacyLibraryVersion(int version);

// Reads the tool data of the special-tool file `name` (a path when it holds a
// backslash, else a name in the special-tool folder) into `record`, tied to
// that file through `links`. 1 when the tool data were read, else 0;
// `record` is untouched when the file does not exist.
[[nodiscard]] int ReadSpecialToolHeader(const char* name, ToolRecord& record, const SpecialToolLinks& links);

// Replaces each of " * / : < > ? \ | in `text` by '_'; nullptr is left alone.
void SanitizeFileName(char* text);

}  // namespace quarnel::toollib
