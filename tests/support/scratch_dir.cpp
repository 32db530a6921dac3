#include "tests/support/scratch_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace quarnel::testing {
namespace fs = std::filesystem;

namespace {

void SetVariable(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

void RestoreVariable(const char* name, bool had, const std::string& value) {
  if (had) {
    SetVariable(name, value);
  } else {
#ifdef _WIN32
    _putenv_s(name, "");
#else
    unsetenv(name);
#endif
  }
}

bool SaveVariable(const char* name, std::string& value) {
  const char* current = std::getenv(name);
  if (current == nullptr) return false;
  value = current;
  return true;
}

}  // namespace

ScratchDir::ScratchDir() {
  std::random_device entropy;
  std::mt19937_64 random(entropy());
  const fs::path base = fs::temp_directory_path() / "quarnel-tests";
  fs::create_directories(base);
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const fs::path candidate = base / ("t" + std::to_string(random()));
    if (fs::create_directory(candidate)) path_ = candidate.string();
  }
  if (path_.empty()) throw std::runtime_error("cannot create a scratch folder");
  fs::create_directories(fs::path(path_) / "c");
  had_drive_c_ = SaveVariable("QUARNEL_DRIVE_C", saved_drive_c_);
  had_profile_ = SaveVariable("QUARNEL_PROFILE", saved_profile_);
  SetVariable("QUARNEL_DRIVE_C", (fs::path(path_) / "c").string());
  SetVariable("QUARNEL_PROFILE", (fs::path(path_) / "win.ini").string());
}

ScratchDir::~ScratchDir() {
  RestoreVariable("QUARNEL_DRIVE_C", had_drive_c_, saved_drive_c_);
  RestoreVariable("QUARNEL_PROFILE", had_profile_, saved_profile_);
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string ScratchDir::DriveC(const std::string& relative) const {
  std::string mapped = relative;
  for (char& c : mapped) {
    if (c == '\\') c = '/';
  }
  return (fs::path(path_) / "c" / mapped).string();
}

void ScratchDir::WriteProfile(const std::string& text) const {
  WriteFileBytes((fs::path(path_) / "win.ini").string(), text);
}

void ScratchDir::SetSpecialToolFolder(const std::string& folder) const {
  WriteProfile("[Kestrac]\nKVT_DEFAULT_SPECIAL_TOOL_PATH=" + folder + "\n");
}

std::string ReadFileBytes(const std::string& posix_path) {
  std::ifstream in(posix_path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& posix_path, const std::string& bytes) {
  fs::create_directories(fs::path(posix_path).parent_path());
  std::ofstream out(posix_path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& posix_path) { return fs::exists(posix_path); }

}  // namespace quarnel::testing
