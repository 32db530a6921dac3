// Paths are built and split as Windows texts everywhere in the library; only
// MapPath knows how the operating system names the file.
#pragma once

#include <string>
#include <string_view>

namespace quarnel::platform {

// The operating system's name for a Windows path. On POSIX a leading drive "X:"
// becomes $QUARNEL_DRIVE_X (else $HOME/.quarnel/drive_x) and backslashes become
// slashes; on Windows the path is returned unchanged.
std::string MapPath(std::string_view windows_path);

// The file-name part of a Windows path: no folder (after the last backslash or
// slash), no extension (from the last dot of that part on).
std::string_view FileNameWithoutExtension(std::string_view path);

// Index of the last '.' of the file-name part that begins an extension, or npos.
std::string_view::size_type ExtensionStart(std::string_view path);

}  // namespace quarnel::platform
