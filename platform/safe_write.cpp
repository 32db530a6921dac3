#include "platform/safe_write.h"

namespace quarnel::platform {

std::string TemporaryPathFor(const std::string& path) { return path + ".quarnel-tmp"; }

StatusCode WriteFileSafely(const std::string& path, const std::function<bool(File&)>& write) {
  FileSystem& files = Files();
  const std::string temporary = TemporaryPathFor(path);
  std::unique_ptr<File> file = files.Open(temporary, OpenMode::kWrite);
  if (!file) return StatusCode::kFileCannotOpen;
  const bool written = write(*file) && file->Flush();
  const bool closed = file->Close();
  file.reset();
  if (!written || !closed || !files.Replace(temporary, path)) {
    files.Remove(temporary);
    return StatusCode::kFileWriteFailed;
  }
  return files.FlushFolderOf(path) ? StatusCode::kOk : StatusCode::kFileWriteFailed;
}

}  // namespace quarnel::platform
