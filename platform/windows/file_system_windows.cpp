#include <windows.h>

#include <cstdio>

#include "platform/file_system.h"
#include "platform/paths.h"

namespace quarnel::platform {
namespace {

// Paths are Windows paths already; MapPath leaves them unchanged.
class WindowsFileSystem final : public FileSystem {
 public:
  std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override {
    const char* how = mode == OpenMode::kRead ? "rb" : mode == OpenMode::kWrite ? "wb" : "ab";
    return WrapStdioFile(std::fopen(MapPath(path).c_str(), how));
  }
  bool Exists(const std::string& path) override {
    return GetFileAttributesA(MapPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  bool Replace(const std::string& from, const std::string& to) override {
    return MoveFileExA(MapPath(from).c_str(), MapPath(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  }
  bool Remove(const std::string& path) override {
    return DeleteFileA(MapPath(path).c_str()) != 0;
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static WindowsFileSystem real;
  return real;
}

}  // namespace quarnel::platform
