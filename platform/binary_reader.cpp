#include "platform/binary_reader.h"

namespace quarnel::platform {

bool BinaryReader::ReadThroughFile(void* data, size_t size) {
  auto* out = static_cast<unsigned char*>(data);
  size_t done = static_cast<size_t>(end_ - next_);
  if (done > 0) std::memcpy(out, next_, done);
  DropBuffer();
  if (size - done >= kBlockSize) {
    // A large block goes straight to its destination.
    done += file_.Read(out + done, size - done);
  } else {
    if (!buffer_) buffer_ = std::make_unique_for_overwrite<unsigned char[]>(kBlockSize);
    while (done < size) {
      const size_t got = file_.Read(buffer_.get(), kBlockSize);
      next_ = buffer_.get();
      end_ = next_ + got;
      if (got == 0) break;
      const size_t take = got < size - done ? got : size - done;
      std::memcpy(out + done, next_, take);
      next_ += take;
      done += take;
    }
  }
  if (done == size) return true;
  std::memset(data, 0, size);
  return false;
}

bool BinaryReader::Skip(int64_t count) {
  const int64_t buffered = end_ - next_;
  if (count >= 0 && count <= buffered) {
    next_ += count;
    return true;
  }
  // The file stands `buffered` bytes beyond the reader.
  if (!file_.SeekFromCurrent(count - buffered)) return false;
  DropBuffer();
  return true;
}

bool BinaryReader::SeekTo(int64_t offset) {
  if (!file_.SeekTo(offset)) return false;
  DropBuffer();
  return true;
}

}  // namespace quarnel::platform
