#include "toollib/special_tool_folder.h"

#include <cstring>

#include "platform/profile.h"

namespace quarnel::toollib {

const char* SpecialToolFolder(SpecialToolFolderBuffer& buffer) {
  char* folder = buffer.text;
  // At most 254 characters are taken from the profile, so that the trailing
  // backslash always fits the buffer.
  platform::GetProfileText(kSpecialToolFolderSection, kSpecialToolFolderKey, "", folder,
                           kSpecialToolFolderSize - 1);
  // A value that begins with a NUL byte is as empty as a missing one.
  if (folder[0] == '\0') {
    std::strncpy(folder, kDefaultSpecialToolFolder, kSpecialToolFolderSize - 1);
    folder[kSpecialToolFolderSize - 1] = '\0';
  }
  const size_t length = std::strlen(folder);
  if (length > 0 && folder[length - 1] != '\\') {
    folder[length] = '\\';
    folder[length + 1] = '\0';
  }
  return folder;
}

}  // namespace quarnel::toollib
