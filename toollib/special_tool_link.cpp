// How a special tool (type 108) is tied to its special-tool file through the
// current library's special path list.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/paths.h"
#include "toollib/special_paths.h"
#include "toollib/tool_library.h"
#include "toollib/tool_record.h"

namespace quarnel::toollib {
namespace {

// Two name buffers used in turn, so that a name stays valid until the second
// name after it.
char g_name_buffers[2][kSpecialPathSize];
int g_next_name_buffer = 0;

// Copies the path at the record's index in the current library into `path`
// and returns it; "" when out of range.
std::string_view PathOfIndex(int32_t index, char (&path)[kSpecialPathSize]) {
  path[0] = '\0';
  if (ToolLibrary* library = CurrentLibrary()) library->SpecialPathAt(index, path);
  return path;
}

}  // namespace

void ToolRecord::ResolveSpecialTool(const char* name) {
  ToolLibrary* library = CurrentLibrary();
  if (library == nullptr || name == nullptr || typeCode != kTypeSpecial) return;
  // A path gives its file name; a bare name is used whole, extension included.
  const std::string_view text(name);
  const std::string path = SpecialPathForName(
      HasBackslash(text) ? platform::FileNameWithoutExtension(text) : text);
  specialToolIndex = library->FindSpecialPath(path.c_str());
  if (specialToolIndex == 0) {
    library->AddSpecialPath(path.c_str());
    specialToolIndex = static_cast<int32_t>(library->SpecialPaths().Count());
  }
}

const char* ToolRecord::SpecialToolName(int n) const {
  if (CurrentLibrary() == nullptr || typeCode != kTypeSpecial) return "";
  char field[kSpecialPathSize];
  const std::string_view path = PathOfIndex(specialToolIndex, field);
  if (!HasBackslash(path)) return "";
  const std::string_view name = platform::FileNameWithoutExtension(path);
  const size_t capacity = static_cast<size_t>(std::clamp(n, 1, static_cast<int>(kSpecialPathSize)));
  const size_t length = std::min(name.size(), capacity - 1);
  char* buffer = g_name_buffers[g_next_name_buffer];
  g_next_name_buffer = 1 - g_next_name_buffer;
  std::memcpy(buffer, name.data(), length);
  buffer[length] = '\0';
  return buffer;
}

void ToolRecord::SpecialToolPath(char* buffer) const {
  if (buffer == nullptr) return;
  char field[kSpecialPathSize];
  const std::string_view path = PathOfIndex(specialToolIndex, field);
  const size_t length = std::min(path.size(), static_cast<size_t>(kSpecialPathSize - 1));
  std::memcpy(buffer, path.data(), length);
  buffer[length] = '\0';
}

}  // namespace quarnel::toollib
