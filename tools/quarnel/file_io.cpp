#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "cli_error.h"

namespace quarnel::cli {
namespace fs = std::filesystem;
namespace {

// What a path that is not a regular file is, in words; "" for a regular file.
std::string NotAFile(const struct stat& status) {
  if (S_ISREG(status.st_mode)) return "";
  if (S_ISDIR(status.st_mode)) return "is a folder";
  if (S_ISFIFO(status.st_mode)) return "is a named pipe (FIFO)";
  if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return "is a device";
  if (S_ISSOCK(status.st_mode)) return "is a socket";
  return "is not a regular file";
}

// The file that `target` finally names: symbolic links followed, also to a
// file that does not exist yet.
fs::path FinalTarget(const std::string& target) {
  std::error_code error;
  fs::path path = target;
  for (int links = 0; links < 40 && fs::is_symlink(path, error); ++links) {
    const fs::path next = fs::read_symlink(path, error);
    if (error) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

// The mode and owner of `original` (when it exists) onto `temporary`.
void KeepModeAndOwner(const fs::path& original, const std::string& temporary,
                      const std::string& target) {
  struct stat status {};
  if (::stat(original.c_str(), &status) != 0) return;
  if (::chown(temporary.c_str(), status.st_uid, status.st_gid) != 0) {
    struct stat own {};
    if (::stat(temporary.c_str(), &own) != 0 || own.st_uid != status.st_uid ||
        own.st_gid != status.st_gid) {
      throw FileFailure(target, std::string("cannot keep its owner: ") + std::strerror(errno) +
                                    "; nothing was replaced");
    }
  }
  if (::chmod(temporary.c_str(), status.st_mode & 07777) != 0) {
    throw FileFailure(target, std::string("cannot keep its mode: ") + std::strerror(errno) +
                                  "; nothing was replaced");
  }
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::uintmax_t limit) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) return std::nullopt;
  if (size > limit) {
    throw FileFailure(path, "is larger (" + std::to_string(size) + " bytes) than such a file can be here (" +
                                std::to_string(limit) + " bytes)");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(size, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  if (in.gcount() != static_cast<std::streamsize>(size)) return std::nullopt;
  return bytes;
}

void RequireReadableFile(const std::string& path, const std::string& what) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) throw FileFailure(path, "no such " + what);
    throw FileFailure(path, std::string("cannot be read: ") + std::strerror(errno));
  }
  if (const std::string kind = NotAFile(status); !kind.empty()) {
    throw FileFailure(path, kind + ", not a " + what);
  }
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    throw FileFailure(path, errno == EACCES ? std::string("permission denied")
                                            : std::string("cannot be read: ") + std::strerror(errno));
  }
  ::close(descriptor);
}

void RequireOutputsAllowed(const std::vector<Output>& outputs,
                           const std::vector<std::string>& inputs, bool force) {
  auto same = [](const std::string& a, const std::string& b) {
    std::error_code error;
    if (fs::weakly_canonical(a, error) == fs::weakly_canonical(b, error) && !error) return true;
    return fs::equivalent(a, b, error) && !error;
  };
  for (size_t i = 0; i < outputs.size(); ++i) {
    const Output& output = outputs[i];
    const std::string named = output.option.empty() ? "" : " (" + output.option + ")";
    for (const std::string& input : inputs) {
      if (same(output.path, input)) {
        throw FileFailure(output.path, "is an input of this command and cannot also be its output" +
                                           named + "; nothing was written");
      }
    }
    for (size_t j = 0; j < i; ++j) {
      if (same(output.path, outputs[j].path)) {
        throw FileFailure(output.path, "is named for two outputs (" + outputs[j].option + " and " +
                                           output.option + "); nothing was written");
      }
    }
    std::error_code error;
    if (!force && fs::exists(fs::symlink_status(output.path, error))) {
      throw FileFailure(output.path, "already exists; nothing was written (--force replaces it)");
    }
  }
}

std::string TemporarySibling(const std::string& target) {
  const std::string stem = target + ".quarnel-" + std::to_string(::getpid());
  std::string candidate = stem + ".tmp";
  for (int n = 2; fs::exists(candidate); ++n) candidate = stem + "-" + std::to_string(n) + ".tmp";
  return candidate;
}

void ReplaceSafely(const std::string& target,
                   const std::function<bool(const std::string&)>& write) {
  const fs::path final = FinalTarget(target);
  const std::string temporary = TemporarySibling(final.string());
  std::error_code ignored;
  bool written = false;
  errno = 0;
  try {
    written = write(temporary);
    if (written) KeepModeAndOwner(final, temporary, target);
  } catch (...) {
    fs::remove(temporary, ignored);
    throw;
  }
  if (!written) {
    const std::string reason = errno != 0 ? std::string(": ") + std::strerror(errno) : "";
    fs::remove(temporary, ignored);
    throw FileFailure(target, "cannot be written" + reason);
  }
  std::error_code error;
  fs::rename(temporary, final, error);
  if (error) {
    fs::remove(temporary, ignored);
    throw FileFailure(target, "cannot be replaced: " + error.message());
  }
}

void WriteFileSafely(const std::string& target, const std::string& bytes) {
  ReplaceSafely(target, [&bytes](const std::string& temporary) {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
  });
}

bool IsRegularFile(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

}  // namespace quarnel::cli
