#include <sys/stat.h>

#include <cstdio>

#include "platform/file_system.h"
#include "platform/paths.h"

namespace quarnel::platform {
namespace {

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override {
    const char* how = mode == OpenMode::kRead ? "rb" : mode == OpenMode::kWrite ? "wb" : "ab";
    return WrapStdioFile(std::fopen(MapPath(path).c_str(), how));
  }
  bool Exists(const std::string& path) override {
    struct stat info {};
    return ::stat(MapPath(path).c_str(), &info) == 0;
  }
  bool Replace(const std::string& from, const std::string& to) override {
    return std::rename(MapPath(from).c_str(), MapPath(to).c_str()) == 0;
  }
  bool Remove(const std::string& path) override {
    return std::remove(MapPath(path).c_str()) == 0;
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static PosixFileSystem real;
  return real;
}

}  // namespace quarnel::platform
