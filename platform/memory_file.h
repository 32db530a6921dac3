// A file held in memory: what an encoder of the library writes through it can
// be read again from the start, or taken as bytes that a caller writes by its
// own file rules.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "platform/binary_writer.h"
#include "platform/file_system.h"

namespace quarnel::platform {

class MemoryFile final : public File {
 public:
  MemoryFile() = default;
  explicit MemoryFile(std::string bytes) : bytes_(std::move(bytes)) {}

  size_t Read(void* data, size_t size) override {
    const size_t count = std::min(size, bytes_.size() - std::min(position_, bytes_.size()));
    std::copy_n(bytes_.data() + position_, count, static_cast<char*>(data));
    position_ += count;
    return count;
  }
  size_t Write(const void* data, size_t size) override {
    bytes_.append(static_cast<const char*>(data), size);
    return size;
  }
  bool SeekFromCurrent(int64_t offset) override { return SeekTo(static_cast<int64_t>(position_) + offset); }
  bool SeekTo(int64_t offset) override {
    if (offset < 0) return false;
    position_ = static_cast<size_t>(offset);
    return true;
  }
  bool Flush() override { return true; }
  bool Close() override { return true; }

  const std::string& bytes() const { return bytes_; }
  // Reads start again from the first byte.
  void Rewind() { position_ = 0; }

 private:
  std::string bytes_;
  size_t position_ = 0;
};

// What `encode` writes; empty when it reports a failed write.
inline std::string EncodedBytes(const std::function<bool(BinaryWriter&)>& encode) {
  MemoryFile file;
  BinaryWriter out(file);
  return encode(out) ? file.bytes() : std::string();
}

}  // namespace quarnel::platform
