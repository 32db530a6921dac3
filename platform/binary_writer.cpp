#include "platform/binary_writer.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quarnel::platform {
namespace {

size_t g_write_buffer_size = 256 * 1024;

}  // namespace

size_t WriteBufferSize() { return g_write_buffer_size; }

size_t SetWriteBufferSize(size_t size) { return std::exchange(g_write_buffer_size, size); }

BinaryWriter::BinaryWriter(File& file, size_t buffer_size) : file_(file) {
  if (buffer_size > 0) {
    buffer_ = std::make_unique_for_overwrite<unsigned char[]>(buffer_size);
    capacity_ = buffer_size;
  }
}

bool BinaryWriter::WriteBeyondBuffer(const void* data, size_t size) {
  if (failed_) return false;
  if (size == 0) return true;
  if (!buffer_) return file_.Write(data, size) == size;
  const auto* bytes = static_cast<const unsigned char*>(data);
  while (size > 0) {
    if (used_ == capacity_ && !Flush()) return false;
    const size_t chunk = std::min(size, capacity_ - used_);
    std::memcpy(buffer_.get() + used_, bytes, chunk);
    used_ += chunk;
    bytes += chunk;
    size -= chunk;
  }
  return true;
}

bool BinaryWriter::Flush() {
  if (failed_) return false;
  if (used_ == 0) return true;
  if (file_.Write(buffer_.get(), used_) != used_) {
    // Nothing more reaches the file: every later write fails at once.
    failed_ = true;
    capacity_ = 0;
    used_ = 0;
    return false;
  }
  used_ = 0;
  return true;
}

bool BinaryWriter::WriteText(std::string_view text, size_t field_size) {
  if (field_size == 0) return true;
  // The field is one write, as every fixed field is.
  std::vector<unsigned char> field(field_size, 0);
  const size_t length = std::min(text.size(), field_size - 1);
  std::copy_n(text.begin(), length, field.begin());
  return WriteBytes(field.data(), field.size());
}

bool BinaryWriter::WriteZeros(size_t count) {
  static const unsigned char kZeros[256] = {};
  while (count > 0) {
    const size_t chunk = std::min(count, sizeof kZeros);
    if (!WriteBytes(kZeros, chunk)) return false;
    count -= chunk;
  }
  return true;
}

}  // namespace quarnel::platform
