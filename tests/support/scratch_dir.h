// A private folder per test: drive C: and the profile are mapped into it, so
// that tests never touch anything outside and can run side by side.
#pragma once

#include <string>

namespace quarnel::testing {

class ScratchDir {
 public:
  // Creates a new folder, points QUARNEL_DRIVE_C at <folder>/c and
  // QUARNEL_PROFILE at <folder>/win.ini (which does not exist yet).
  ScratchDir();
  // Removes the folder and everything in it, and restores the variables.
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // The POSIX path of the folder.
  const std::string& path() const { return path_; }
  // The POSIX path that the Windows path "c:\<relative>" maps to.
  std::string DriveC(const std::string& relative = "") const;
  // Writes the profile file (win.ini syntax).
  void WriteProfile(const std::string& text) const;
  // Sets the special-tool folder setting to `folder` (a Windows path).
  void SetSpecialToolFolder(const std::string& folder) const;

 private:
  std::string path_;
  std::string saved_drive_c_;
  std::string saved_profile_;
  bool had_drive_c_ = false;
  bool had_profile_ = false;
};

// Whole-file helpers for POSIX paths.
std::string ReadFileBytes(const std::string& posix_path);
void WriteFileBytes(const std::string& posix_path, const std::string& bytes);
bool FileExists(const std::string& posix_path);

}  // namespace quarnel::testing
