// How a special tool (type 108) is tied to its special-tool file through a
// library's special path list.
#include "toollib/special_tool_link.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/paths.h"
#include "toollib/special_paths.h"
#include "toollib/tool_record.h"

namespace quarnel::toollib {
namespace {

// Copies the path at the record's index in `library` into `path` and returns
// it; "" when out of range or without a library.
std::string_view PathOfIndex(ToolLibrary* library, int32_t index, char (&path)[kSpecialPathSize]) {
  path[0] = '\0';
  if (library != nullptr) library->SpecialPathAt(index, path);
  return path;
}

}  // namespace

void ToolRecord::ResolveSpecialTool(const char* name, const SpecialToolLinks& links) {
  ToolLibrary* library = links.library;
  if (library == nullptr || name == nullptr || typeCode != kTypeSpecial) return;
  // A path gives its file name; a bare name is used whole, extension included.
  const std::string_view text(name);
  const std::string path = SpecialPathForName(
      HasBackslash(text) ? platform::FileNameWithoutExtension(text) : text, links.folder);
  specialToolIndex = library->FindSpecialPath(path.c_str(), links.folder);
  if (specialToolIndex == 0) {
    library->AddSpecialPath(path.c_str(), links.folder);
    specialToolIndex = static_cast<int32_t>(library->SpecialPaths().Count());
  }
}

const char* ToolRecord::SpecialToolName(int n, ToolLibrary* library, SpecialToolNameBuffers& names) const {
  if (library == nullptr || typeCode != kTypeSpecial) return "";
  char field[kSpecialPathSize];
  const std::string_view path = PathOfIndex(library, specialToolIndex, field);
  if (!HasBackslash(path)) return "";
  const std::string_view name = platform::FileNameWithoutExtension(path);
  const size_t capacity = static_cast<size_t>(std::clamp(n, 1, static_cast<int>(kSpecialPathSize)));
  const size_t length = std::min(name.size(), capacity - 1);
  char* buffer = names.text[names.next];
  names.next = 1 - names.next;
  std::memcpy(buffer, name.data(), length);
  buffer[length] = '\0';
  return buffer;
}

void ToolRecord::SpecialToolPath(char* buffer, ToolLibrary* library) const {
  if (buffer == nullptr) return;
  char field[kSpecialPathSize];
  const std::string_view path = PathOfIndex(library, specialToolIndex, field);
  const size_t length = std::min(path.size(), static_cast<size_t>(kSpecialPathSize - 1));
  std::memcpy(buffer, path.data(), length);
  buffer[length] = '\0';
}

}  // namespace quarnel::toollib
