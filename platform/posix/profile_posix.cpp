#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/ini_profile.h"
#include "platform/profile.h"

namespace quarnel::platform {
namespace {

std::string ProfilePath() {
  if (const char* path = std::getenv("QUARNEL_PROFILE"); path != nullptr && *path != '\0') {
    return path;
  }
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0') {
    return std::string(config) + "/quarnel/win.ini";
  }
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.config/quarnel/win.ini";
}

// The whole profile text; a missing or unreadable file is an empty profile.
std::string ReadProfileText() {
  std::string text;
  std::FILE* stream = std::fopen(ProfilePath().c_str(), "rb");
  if (stream == nullptr) return text;
  char chunk[4096];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, stream)) > 0) text.append(chunk, got);
  std::fclose(stream);
  return text;
}

}  // namespace

uint32_t GetProfileText(const char* section, const char* key, const char* default_text,
                        char* buffer, uint32_t size) {
  const std::optional<std::string> value =
      (section != nullptr && key != nullptr) ? FindIniValue(ReadProfileText(), section, key)
                                             : std::nullopt;
  return CopyProfileValue(value ? *value : (default_text != nullptr ? default_text : ""), buffer,
                          size);
}

}  // namespace quarnel::platform
