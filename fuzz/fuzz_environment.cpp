#include "fuzz/fuzz_environment.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/message_box.h"

namespace quarnel::fuzz {
namespace {

namespace fs = std::filesystem;

std::string& ScratchFolder() {
  static std::string folder;
  return folder;
}

void RemoveScratchFolder() {
  std::error_code ignored;
  if (!ScratchFolder().empty()) fs::remove_all(ScratchFolder(), ignored);
}

void IgnoreMessage(const char*) {}

}  // namespace

void EnterScratchFolder() {
  // In memory where the system offers it: every save flushes its file and
  // folder to the device, which on a disk would cost each input milliseconds.
  std::error_code no_shm;
  const fs::path base = fs::is_directory("/dev/shm", no_shm) ? fs::path("/dev/shm") : fs::temp_directory_path();
  std::string pattern = (base / "quarnel-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror("quarnel fuzz: cannot create a scratch folder");
    std::abort();
  }
  ScratchFolder() = pattern;
  std::atexit(RemoveScratchFolder);
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const fs::path drive = fs::path(pattern) / std::string(1, static_cast<char>(letter - 'A' + 'a'));
    fs::create_directories(drive);
    setenv((std::string("QUARNEL_DRIVE_") + letter).c_str(), drive.c_str(), 1);
  }
  setenv("QUARNEL_PROFILE", (fs::path(pattern) / "win.ini").c_str(), 1);
  platform::SetMessageHandler(&IgnoreMessage);
  reliability::PrepareFixtures();
}

void AbortOnFindings(const reliability::Findings& findings) {
  if (findings.empty()) return;
  for (const std::string& finding : findings) std::fprintf(stderr, "quarnel fuzz finding: %s\n", finding.c_str());
  std::abort();
}

}  // namespace quarnel::fuzz
