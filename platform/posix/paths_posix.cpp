#include <cctype>
#include <cstdlib>
#include <string>

#include "platform/paths.h"

namespace quarnel::platform {

std::string MapPath(std::string_view windows_path) {
  std::string mapped;
  std::string_view rest = windows_path;
  if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(rest[0])));
    const std::string variable = std::string("QUARNEL_DRIVE_") + upper;
    if (const char* folder = std::getenv(variable.c_str()); folder != nullptr && *folder != '\0') {
      mapped = folder;
    } else {
      const char* home = std::getenv("HOME");
      mapped = std::string(home != nullptr ? home : "") + "/.quarnel/drive_" + lower;
    }
    rest.remove_prefix(2);
    if (!rest.empty() && rest[0] != '\\' && rest[0] != '/') mapped += '/';
  }
  for (char c : rest) mapped += (c == '\\') ? '/' : c;
  return mapped;
}

}  // namespace quarnel::platform
