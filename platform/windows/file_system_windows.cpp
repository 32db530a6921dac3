#include <windows.h>
#include <io.h>

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
    // Write-through: the move is on the disk when the call returns.
    return MoveFileExA(MapPath(from).c_str(), MapPath(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }
  bool Remove(const std::string& path) override {
    return DeleteFileA(MapPath(path).c_str()) != 0;
  }
  // The write-through move already put the folder's change on the disk.
  bool FlushFolderOf(const std::string& /*path*/) override { return true; }
};

}  // namespace

bool FlushToDevice(std::FILE* stream) {
  const intptr_t handle = _get_osfhandle(_fileno(stream));
  if (handle == -1) return false;
  return FlushFileBuffers(reinterpret_cast<HANDLE>(handle)) != 0;
}

FileSystem& RealFileSystem() {
  static WindowsFileSystem real;
  return real;
}

}  // namespace quarnel::platform
