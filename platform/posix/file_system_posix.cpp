#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

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
  bool FlushFolderOf(const std::string& path) override {
    const std::string file = MapPath(path);
    const size_t slash = file.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : file.substr(0, slash);
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return false;
    const bool flushed = ::fsync(descriptor) == 0 || FolderCannotBeFlushed(errno);
    return ::close(descriptor) == 0 && flushed;
  }

 private:
  // Some file systems refuse fsync on a folder; their renames need no such step.
  static bool FolderCannotBeFlushed(int error) { return error == EINVAL || error == EROFS; }
};

}  // namespace

bool FlushToDevice(std::FILE* stream) { return ::fsync(::fileno(stream)) == 0; }

FileSystem& RealFileSystem() {
  static PosixFileSystem real;
  return real;
}

}  // namespace quarnel::platform
