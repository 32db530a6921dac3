// The library versions and the file-name sanitiser.
#include "toollib/tool_file.h"

namespace quarnel::toollib {

bool IsLegacyLibraryVersion(int version) { return version == 1 || version == 6 || version == 7; }

bool IsKnownLibraryVersion(int version) {
  switch (version) {
    case 52: case 54: case 60: case 61: case 62: case 71: case 80: case 90: case 91: case 92:
      return true;
    default:
      return IsLegacyLibraryVersion(version);
  }
}

void SanitizeFileName(char* text) {
  if (text == nullptr) return;
  for (char* c = text; *c != '\0'; ++c) {
    switch (*c) {
      case '"': case '*': case '/': case ':': case '<': case '>': case '?': case '\\': case '|':
        *c = '_';
        break;
      default:
        break;
    }
  }
}

}  // namespace quarnel::toollib
