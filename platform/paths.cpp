#include "platform/paths.h"

namespace quarnel::platform {
namespace {

// Where the file name of `path` starts: after its last backslash or slash.
std::string_view::size_type NameStart(std::string_view path) {
  for (auto i = path.size(); i > 0; --i) {
    if (path[i - 1] == '\\' || path[i - 1] == '/') return i;
  }
  return 0;
}

// The last dot of `path` at or after `name_start`, else npos.
std::string_view::size_type DotInName(std::string_view path, std::string_view::size_type name_start) {
  for (auto i = path.size(); i > name_start; --i) {
    if (path[i - 1] == '.') return i - 1;
  }
  return std::string_view::npos;
}

}  // namespace

std::string_view::size_type ExtensionStart(std::string_view path) {
  return DotInName(path, NameStart(path));
}

std::string_view FileNameWithoutExtension(std::string_view path) {
  const auto name_start = NameStart(path);
  const auto dot = DotInName(path, name_start);
  const auto name_end = dot == std::string_view::npos ? path.size() : dot;
  return path.substr(name_start, name_end - name_start);
}

}  // namespace quarnel::platform
