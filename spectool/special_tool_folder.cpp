#include "spectool/special_tool_folder.h"

#include <cstring>

#include "platform/profile.h"

namespace quarnel::spectool {
namespace {

char g_folder[kSpecialToolFolderSize];

}  // namespace

const char* SpecialToolFolder() {
  // At most 254 characters are taken from the profile, so that the trailing
  // backslash always fits the buffer.
  platform::GetProfileText(kSpecialToolFolderSection, kSpecialToolFolderKey, "", g_folder,
                           kSpecialToolFolderSize - 1);
  // A value that begins with a NUL byte is as empty as a missing one.
  if (g_folder[0] == '\0') {
    std::strncpy(g_folder, kDefaultSpecialToolFolder, kSpecialToolFolderSize - 1);
    g_folder[kSpecialToolFolderSize - 1] = '\0';
  }
  const size_t length = std::strlen(g_folder);
  if (length > 0 && g_folder[length - 1] != '\\') {
    g_folder[length] = '\\';
    g_folder[length + 1] = '\0';
  }
  return g_folder;
}

}  // namespace quarnel::spectool
