#include "tests/support/faulty_file_system.h"

#include <algorithm>

namespace quarnel::testing {

class FaultyFileSystem::FaultyFile final : public platform::File {
 public:
  FaultyFile(FaultyFileSystem& owner, std::unique_ptr<platform::File> inner, bool reading)
      : owner_(owner), inner_(std::move(inner)), reading_(reading) {
    ++owner_.open_files_;
  }
  ~FaultyFile() override { Close(); }

  size_t Read(void* data, size_t size) override {
    size_t allowed = size;
    if (reading_ && owner_.read_limit_) {
      const size_t left = *owner_.read_limit_ > bytes_read_ ? *owner_.read_limit_ - bytes_read_ : 0;
      allowed = std::min(size, left);
    }
    const size_t got = allowed > 0 ? inner_->Read(data, allowed) : 0;
    bytes_read_ += got;
    return got;
  }
  size_t Write(const void* data, size_t size) override {
    const int call = ++owner_.write_calls_;
    if (owner_.fail_write_call_ > 0 && call == owner_.fail_write_call_) return 0;
    if (owner_.write_budget_ && owner_.bytes_written_ + size > *owner_.write_budget_) return 0;
    const size_t written = inner_->Write(data, size);
    owner_.bytes_written_ += written;
    return written;
  }
  bool SeekFromCurrent(int64_t offset) override {
    if (!inner_->SeekFromCurrent(offset)) return false;
    bytes_read_ = static_cast<size_t>(std::max<int64_t>(0, static_cast<int64_t>(bytes_read_) + offset));
    return true;
  }
  bool SeekTo(int64_t offset) override {
    if (!inner_->SeekTo(offset)) return false;
    bytes_read_ = static_cast<size_t>(offset);
    return true;
  }
  bool Flush() override {
    owner_.durability_calls_.push_back("flush");
    return inner_->Flush() && !owner_.fail_flush_;
  }
  bool Close() override {
    if (!closed_) {
      if (!reading_) owner_.durability_calls_.push_back("close");
      closed_ = true;
      --owner_.open_files_;
      result_ = inner_->Close() && !owner_.fail_close_;
    }
    return result_;
  }

 private:
  FaultyFileSystem& owner_;
  std::unique_ptr<platform::File> inner_;
  bool reading_;
  size_t bytes_read_ = 0;
  bool closed_ = false;
  bool result_ = true;
};

FaultyFileSystem::FaultyFileSystem()
    : previous_(platform::SetFileSystem(this)),
      inner_(previous_ != nullptr ? *previous_ : platform::RealFileSystem()) {}

FaultyFileSystem::~FaultyFileSystem() { platform::SetFileSystem(previous_); }

std::unique_ptr<platform::File> FaultyFileSystem::Open(const std::string& path,
                                                       platform::OpenMode mode) {
  if (fail_open_[static_cast<int>(mode)]) return nullptr;
  std::unique_ptr<platform::File> inner = inner_.Open(path, mode);
  if (!inner) return nullptr;
  return std::make_unique<FaultyFile>(*this, std::move(inner), mode == platform::OpenMode::kRead);
}

bool FaultyFileSystem::Exists(const std::string& path) { return inner_.Exists(path); }

bool FaultyFileSystem::Replace(const std::string& from, const std::string& to) {
  durability_calls_.push_back("replace");
  if (fail_replace_) return false;
  return inner_.Replace(from, to);
}

bool FaultyFileSystem::Remove(const std::string& path) { return inner_.Remove(path); }

bool FaultyFileSystem::FlushFolderOf(const std::string& path) {
  durability_calls_.push_back("flush folder");
  return inner_.FlushFolderOf(path) && !fail_folder_flush_;
}

}  // namespace quarnel::testing
