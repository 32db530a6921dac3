// The folder in which special-tool files are found, taken from the profile.
#pragma once

namespace quarnel::toollib {

// Profile section and key of the folder setting, and the folder used without it.
inline constexpr const char* kSpecialToolFolderSection = "Kestrac";
inline constexpr const char* kSpecialToolFolderKey = "KVT_DEFAULT_SPECIAL_TOOL_PATH";
inline constexpr const char* kDefaultSpecialToolFolder = "c:\\Tervan\\Moldrin\\SPECTOOL\\";

// Size of the folder buffer, NUL included.
inline constexpr int kSpecialToolFolderSize = 256;

// The buffer that SpecialToolFolder writes; the module keeps one, shared by
// every caller.
struct SpecialToolFolderBuffer {
  char text[kSpecialToolFolderSize] = {};
};

// The special-tool folder, read afresh from the profile into `buffer` on every
// call (the default when the setting is missing or empty); never empty and
// always ending with a backslash. The next call overwrites the text, so
// callers copy it at once.
const char* SpecialToolFolder(SpecialToolFolderBuffer& buffer);

}  // namespace quarnel::toollib
