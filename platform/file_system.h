// All operating-system file access of the library goes through FileSystem, so
// that tests can replace it and make any open, read, write, flush, close,
// rename or folder flush fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace quarnel::platform {

enum class OpenMode { kRead, kWrite, kAppend };

// An open file. Read and Write return the number of bytes moved; fewer than
// asked means the operation did not complete.
class File {
 public:
  virtual ~File() = default;
  virtual size_t Read(void* data, size_t size) = 0;
  virtual size_t Write(const void* data, size_t size) = 0;
  // Moves the position like fseek(SEEK_CUR); false when the move is refused.
  virtual bool SeekFromCurrent(int64_t offset) = 0;
  // Moves the position to an absolute offset from the start; false when refused.
  virtual bool SeekTo(int64_t offset) = 0;
  // Writes everything written so far through to the storage device, so that
  // it survives a power cut; false when that could not be done.
  virtual bool Flush() = 0;
  // Flushes and closes; false when buffered data could not be written. A second
  // call does nothing and returns the first call's answer.
  virtual bool Close() = 0;
};

// Paths are Windows texts (drive letters, backslashes); an implementation maps
// them to its operating system.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens like fopen with "rb", "wb" or "ab"; nullptr when the file cannot be opened.
  virtual std::unique_ptr<File> Open(const std::string& path, OpenMode mode) = 0;
  virtual bool Exists(const std::string& path) = 0;
  // Moves `from` over `to`, replacing `to` when it exists. Where the system
  // offers it (Windows), the move is written through before it returns.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  // Writes the folder that holds `path` through to the storage device, so
  // that a rename inside it survives a power cut; true where folders need no
  // such step or the file system cannot take it.
  virtual bool FlushFolderOf(const std::string& path) = 0;
  virtual bool Remove(const std::string& path) = 0;
};

// The file system in use: the real one unless a test installed another.
FileSystem& Files();

// Installs `fs` (nullptr restores the real one) and returns the one it replaces.
FileSystem* SetFileSystem(FileSystem* fs);

// The operating system's own file system.
FileSystem& RealFileSystem();

// A stdio file over an already opened FILE*; shared by the OS implementations.
std::unique_ptr<File> WrapStdioFile(std::FILE* stream);

// Writes the data of the open `stream`, already handed to the system, through
// to the storage device (fsync, FlushFileBuffers); one per operating system.
bool FlushToDevice(std::FILE* stream);

}  // namespace quarnel::platform
