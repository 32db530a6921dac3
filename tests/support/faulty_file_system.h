// A FileSystem over the real one that fails on request: opening, the k-th
// write, writing past a byte budget, flushing a file, closing, replacing,
// flushing a folder, or reading past k bytes. It also logs the order of the
// calls that make a write last. Installed for the lifetime of the object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quarnel::testing {

class FaultyFileSystem final : public platform::FileSystem {
 public:
  // Installs itself over whatever file system is in use.
  FaultyFileSystem();
  // Restores the file system that was in use before.
  ~FaultyFileSystem() override;
  FaultyFileSystem(const FaultyFileSystem&) = delete;
  FaultyFileSystem& operator=(const FaultyFileSystem&) = delete;

  // Opening in `mode` fails.
  void FailOpen(platform::OpenMode mode) { fail_open_[static_cast<int>(mode)] = true; }
  // The k-th Write call (1-based, counted over all files opened since) fails.
  void FailWriteCall(int k) { fail_write_call_ = k; }
  // A write fails (writing nothing) once the bytes written over all files would exceed `bytes`.
  void FailWritesBeyond(size_t bytes) { write_budget_ = bytes; }
  // Close reports a failure (the file is still closed).
  void FailClose() { fail_close_ = true; }
  void FailReplace() { fail_replace_ = true; }
  // Flushing a file to the device, or a folder, reports a failure.
  void FailFlush() { fail_flush_ = true; }
  void FailFolderFlush() { fail_folder_flush_ = true; }
  // Every file opened for reading ends after `bytes` bytes.
  void CutReadsAfter(size_t bytes) { read_limit_ = bytes; }

  int write_calls() const { return write_calls_; }
  size_t bytes_written() const { return bytes_written_; }
  int open_files() const { return open_files_; }
  // "flush", "close", "replace" and "flush folder", in the order they were called.
  const std::vector<std::string>& durability_calls() const { return durability_calls_; }

  std::unique_ptr<platform::File> Open(const std::string& path, platform::OpenMode mode) override;
  bool Exists(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool FlushFolderOf(const std::string& path) override;

 private:
  class FaultyFile;
  friend class FaultyFile;

  platform::FileSystem* previous_;
  platform::FileSystem& inner_;
  bool fail_open_[3] = {false, false, false};
  int fail_write_call_ = 0;
  std::optional<size_t> write_budget_;
  bool fail_close_ = false;
  bool fail_replace_ = false;
  bool fail_flush_ = false;
  bool fail_folder_flush_ = false;
  std::vector<std::string> durability_calls_;
  std::optional<size_t> read_limit_;
  int write_calls_ = 0;
  size_t bytes_written_ = 0;
  int open_files_ = 0;
};

}  // namespace quarnel::testing
