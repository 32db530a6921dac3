#include "file_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli_error.h"

namespace quarnel::cli {
namespace fs = std::filesystem;

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::string TemporarySibling(const std::string& target) {
  const std::string stem = target + ".quarnel-" + std::to_string(::getpid());
  std::string candidate = stem + ".tmp";
  for (int n = 2; fs::exists(candidate); ++n) candidate = stem + "-" + std::to_string(n) + ".tmp";
  return candidate;
}

void ReplaceSafely(const std::string& target,
                   const std::function<bool(const std::string&)>& write) {
  const std::string temporary = TemporarySibling(target);
  std::error_code ignored;
  bool written = false;
  errno = 0;
  try {
    written = write(temporary);
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
  fs::rename(temporary, target, error);
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
