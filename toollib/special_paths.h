// How the library builds and compares special-tool file paths.
#pragma once

#include <string>
#include <string_view>

#include "toollib/special_tool_folder.h"

namespace quarnel::toollib {

// Longest path text a 256-byte path field holds (NUL excluded).
inline constexpr size_t kMaxSpecialPathLength = 255;

// The special-tool folder (read into `folder`), then `name`, then ".spt", cut
// to kMaxSpecialPathLength.
std::string SpecialPathForName(std::string_view name, SpecialToolFolderBuffer& folder);
// The special-tool folder (read into `folder`), then the file-name part of
// `path` (no folder, no extension), then ".spt", cut to kMaxSpecialPathLength.
std::string RerootedSpecialPath(std::string_view path, SpecialToolFolderBuffer& folder);
// The same under `folder` (the special-tool folder, read once by a caller that
// re-roots many paths: reading the setting opens the profile every time).
std::string RerootedSpecialPath(std::string_view path, std::string_view folder);
// The same written into a path field, terminated (a loader fills list records in place).
void WriteRerootedSpecialPath(std::string_view path, std::string_view folder,
                              char (&field)[kMaxSpecialPathLength + 1]);
// The file of a special tool named by `name`: `name` itself when it holds a
// backslash, else SpecialPathForName(name, folder); cut to kMaxSpecialPathLength.
std::string SpecialToolFilePath(std::string_view name, SpecialToolFolderBuffer& folder);

bool HasBackslash(std::string_view text);
// Equality without regard to ASCII letter case.
bool EqualIgnoringCase(std::string_view a, std::string_view b);
// EqualIgnoringCase(field, text) for the NUL-terminated `field` of at least
// text.size() + 1 bytes, reading no more than those (no length is taken first).
bool FieldEqualsIgnoringCase(const char* field, std::string_view text);

}  // namespace quarnel::toollib
