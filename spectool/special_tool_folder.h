// The folder in which special-tool files are found, taken from the profile.
#pragma once

namespace quarnel::spectool {

// Profile section and key of the folder setting, and the folder used without it.
inline constexpr const char* kSpecialToolFolderSection = "Kestrac";
inline constexpr const char* kSpecialToolFolderKey = "KVT_DEFAULT_SPECIAL_TOOL_PATH";
inline constexpr const char* kDefaultSpecialToolFolder = "c:\\Tervan\\Moldrin\\SPECTOOL\\";

// Size of the folder buffer, NUL included.
inline constexpr int kSpecialToolFolderSize = 256;

// The special-tool folder, read afresh from the profile on every call (the
// default when the setting is missing or empty); never empty and always ending
// with a backslash. The text lives in one module buffer that the next call
// overwrites, so callers copy it at once.
const char* SpecialToolFolder();

}  // namespace quarnel::spectool
