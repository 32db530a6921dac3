#include "platform/paths.h"

namespace quarnel::platform {

std::string_view::size_type ExtensionStart(std::string_view path) {
  const auto slash = path.find_last_of("\\/");
  const auto name_start = slash == std::string_view::npos ? 0 : slash + 1;
  const auto dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < name_start) return std::string_view::npos;
  return dot;
}

std::string_view FileNameWithoutExtension(std::string_view path) {
  const auto slash = path.find_last_of("\\/");
  const auto name_start = slash == std::string_view::npos ? 0 : slash + 1;
  const auto dot = ExtensionStart(path);
  const auto name_end = dot == std::string_view::npos ? path.size() : dot;
  return path.substr(name_start, name_end - name_start);
}

}  // namespace quarnel::platform
