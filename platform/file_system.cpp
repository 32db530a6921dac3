#include "platform/file_system.h"

#include <climits>
#include <cstdio>

namespace quarnel::platform {
namespace {

FileSystem* g_installed = nullptr;

// A File is used from one thread at a time: where the C library offers them,
// the stream calls that skip its per-call lock serve (formats are written
// field by field, so the lock would be taken once per field).
size_t ReadStream(void* data, size_t size, std::FILE* stream) {
#ifdef __GLIBC__
  return fread_unlocked(data, 1, size, stream);
#else
  return std::fread(data, 1, size, stream);
#endif
}

size_t WriteStream(const void* data, size_t size, std::FILE* stream) {
#ifdef __GLIBC__
  return fwrite_unlocked(data, 1, size, stream);
#else
  return std::fwrite(data, 1, size, stream);
#endif
}

class StdioFile final : public File {
 public:
  explicit StdioFile(std::FILE* stream) : stream_(stream) {
    // Formats are read field by field; a larger buffer keeps system calls rare.
    std::setvbuf(stream_, nullptr, _IOFBF, 1 << 16);
  }
  ~StdioFile() override { Close(); }

  size_t Read(void* data, size_t size) override {
    if (stream_ == nullptr || size == 0) return 0;
    return ReadStream(data, size, stream_);
  }
  size_t Write(const void* data, size_t size) override {
    if (stream_ == nullptr || size == 0) return 0;
    return WriteStream(data, size, stream_);
  }
  bool SeekFromCurrent(int64_t offset) override {
    if (stream_ == nullptr || offset < LONG_MIN || offset > LONG_MAX) return false;
    return std::fseek(stream_, static_cast<long>(offset), SEEK_CUR) == 0;
  }
  bool SeekTo(int64_t offset) override {
    if (stream_ == nullptr || offset < 0 || offset > LONG_MAX) return false;
    return std::fseek(stream_, static_cast<long>(offset), SEEK_SET) == 0;
  }
  bool Flush() override {
    if (stream_ == nullptr) return false;
    return std::fflush(stream_) == 0 && FlushToDevice(stream_);
  }
  bool Close() override {
    if (stream_ != nullptr) {
      closed_ok_ = std::fclose(stream_) == 0;
      stream_ = nullptr;
    }
    return closed_ok_;
  }

 private:
  std::FILE* stream_;
  bool closed_ok_ = true;
};

}  // namespace

FileSystem& Files() { return g_installed != nullptr ? *g_installed : RealFileSystem(); }

FileSystem* SetFileSystem(FileSystem* fs) {
  FileSystem* previous = g_installed;
  g_installed = fs;
  return previous;
}

std::unique_ptr<File> WrapStdioFile(std::FILE* stream) {
  if (stream == nullptr) return nullptr;
  return std::make_unique<StdioFile>(stream);
}

}  // namespace quarnel::platform
