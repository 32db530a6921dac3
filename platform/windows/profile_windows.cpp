#include <windows.h>

#include "platform/profile.h"

namespace quarnel::platform {

uint32_t GetProfileText(const char* section, const char* key, const char* default_text,
                        char* buffer, uint32_t size) {
  return GetProfileStringA(section, key, default_text, buffer, size);
}

}  // namespace quarnel::platform
