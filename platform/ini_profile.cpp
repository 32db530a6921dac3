#include "platform/ini_profile.h"

#include <cctype>
#include <cstring>

namespace quarnel::platform {
namespace {

std::string_view Trim(std::string_view text) {
  const char* blanks = " \t\r\n\f\v";
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> FindIniValue(std::string_view ini_text, std::string_view section,
                                        std::string_view key) {
  bool in_section = false;
  bool section_seen = false;
  while (!ini_text.empty()) {
    const auto end = ini_text.find('\n');
    std::string_view line = Trim(ini_text.substr(0, end));
    ini_text.remove_prefix(end == std::string_view::npos ? ini_text.size() : end + 1);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const auto close = line.find(']');
      const std::string_view name =
          Trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
      if (in_section) return std::nullopt;  // the first matching section ended without the key
      in_section = !section_seen && EqualNoCase(name, Trim(section));
      section_seen = section_seen || in_section;
      continue;
    }
    if (!in_section) continue;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (EqualNoCase(Trim(line.substr(0, equals)), Trim(key))) {
      return std::string(Trim(line.substr(equals + 1)));
    }
  }
  return std::nullopt;
}

uint32_t CopyProfileValue(std::string_view value, char* buffer, uint32_t size) {
  if (buffer == nullptr || size == 0) return 0;
  const size_t count = value.size() < size - 1 ? value.size() : size - 1;
  std::memcpy(buffer, value.data(), count);
  buffer[count] = '\0';
  return static_cast<uint32_t>(count);
}

}  // namespace quarnel::platform
