#include "tests/support/scratch_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>

#include <sstream>
#endif

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

#ifdef _WIN32
// On Windows paths are not mapped: "c:\\" is the real drive C: (under wine, the
// prefix's drive_c), and the profile is the real win.ini. A test process runs
// its tests one after another, so each scratch folder owns whatever appears in
// the root of drive C: and every profile key it wrote while it lives.
const fs::path kDriveC = "C:\\";
const char kDriveCListName[] = "drive_c_entries";

std::string DriveCEntries() {
  std::string entries;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(kDriveC, ignored)) {
    entries += entry.path().string() + "\n";
  }
  return entries;
}

// Notes in the scratch folder what the root of drive C: holds now.
void RememberDriveC(const fs::path& folder) {
  WriteFileBytes((folder / kDriveCListName).string(), DriveCEntries());
}

// Removes what appeared in the root of drive C: since RememberDriveC.
void RemoveNewDriveCEntries(const fs::path& folder) {
  const std::string before = ReadFileBytes((folder / kDriveCListName).string());
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(kDriveC, ignored)) {
    if (before.find(entry.path().string() + "\n") == std::string::npos) {
      fs::remove_all(entry.path(), ignored);
    }
  }
}

// Every section, key and value of an INI text, with the rules of FindIniValue.
template <typename Visit>
void ForEachIniValue(const std::string& ini_text, Visit visit) {
  const auto trim = [](std::string text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
  };
  std::istringstream lines(ini_text);
  std::string line;
  std::string section;
  while (std::getline(lines, line)) {
    line = trim(line);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      section = trim(line.substr(1, line.find(']') - 1));
    } else if (const auto equals = line.find('='); equals != std::string::npos && !section.empty()) {
      visit(section, trim(line.substr(0, equals)), trim(line.substr(equals + 1)));
    }
  }
}

// Removes from the real profile every key that the scratch profile file names.
void RemoveProfileKeysOf(const fs::path& scratch_profile) {
  ForEachIniValue(ReadFileBytes(scratch_profile.string()), [](const std::string& section, const std::string& key, const std::string&) {
    WriteProfileStringA(section.c_str(), key.c_str(), nullptr);
  });
}
#endif

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
#ifdef _WIN32
  RememberDriveC(path_);
#endif
}

ScratchDir::~ScratchDir() {
#ifdef _WIN32
  RemoveProfileKeysOf(fs::path(path_) / "win.ini");
  RemoveNewDriveCEntries(path_);
#endif
  RestoreVariable("QUARNEL_DRIVE_C", had_drive_c_, saved_drive_c_);
  RestoreVariable("QUARNEL_PROFILE", had_profile_, saved_profile_);
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string ScratchDir::DriveC(const std::string& relative) const {
#ifdef _WIN32
  std::string windows_path = "c:\\";
  for (char c : relative) windows_path += c == '/' ? '\\' : c;
  return windows_path;
#else
  std::string mapped = relative;
  for (char& c : mapped) {
    if (c == '\\') c = '/';
  }
  return (fs::path(path_) / "c" / mapped).string();
#endif
}

void ScratchDir::WriteProfile(const std::string& text) const {
  const fs::path profile = fs::path(path_) / "win.ini";
#ifdef _WIN32
  // The scratch file keeps the text, so that the keys can be removed again.
  RemoveProfileKeysOf(profile);
  ForEachIniValue(text, [](const std::string& section, const std::string& key,
                           const std::string& value) {
    WriteProfileStringA(section.c_str(), key.c_str(), value.c_str());
  });
#endif
  WriteFileBytes(profile.string(), text);
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
