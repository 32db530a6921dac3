#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
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

// What identifies one content of the profile file: a rewrite changes its
// change time (which no program can set back) or its size, a replacement its
// inode.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  timespec changed{};

  static FileIdentity Of(const struct stat& info) {
    return {info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
  }
  bool operator==(const FileIdentity& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec &&
           changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
  }
};

// The text last read from the profile file. Every lookup reads the setting
// afresh, but a file whose identity is unchanged since that read is not read
// again (a special-tool folder is looked up for every special tool a load
// or send names). A read is only reused when the file had last changed at
// least two seconds before it: a file rewritten within the timestamps'
// granularity of the read could otherwise keep its identity.
struct ProfileSnapshot {
  std::string path;
  FileIdentity identity;
  std::string text;
  bool reusable = false;
};

constexpr time_t kSettledSeconds = 2;

bool SettledBefore(const timespec& changed, const timespec& read_at) {
  return changed.tv_sec + kSettledSeconds < read_at.tv_sec;
}

// The whole profile text; a missing or unreadable file is an empty profile.
std::string ReadProfileText() {
  static ProfileSnapshot snapshot;
  const std::string path = ProfilePath();
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  if (snapshot.reusable && snapshot.path == path && snapshot.identity == FileIdentity::Of(info)) {
    return snapshot.text;
  }
  snapshot.reusable = false;
  timespec read_at{};
  clock_gettime(CLOCK_REALTIME, &read_at);
  std::string text;
  std::FILE* stream = std::fopen(path.c_str(), "rb");
  if (stream == nullptr) return text;
  // The identity of what is read, taken from the open file itself.
  const bool identified = ::fstat(fileno(stream), &info) == 0;
  char chunk[4096];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, stream)) > 0) text.append(chunk, got);
  const bool complete = std::ferror(stream) == 0;
  std::fclose(stream);
  if (identified && complete) {
    snapshot.path = path;
    snapshot.identity = FileIdentity::Of(info);
    snapshot.text = text;
    snapshot.reusable = SettledBefore(info.st_mtim, read_at) && SettledBefore(info.st_ctim, read_at);
  }
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
