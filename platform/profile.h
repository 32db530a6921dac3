// The per-user profile (win.ini): the library's only configuration store.
#pragma once

#include <cstdint>

namespace quarnel::platform {

// Reads `key` of `section` with GetProfileStringA's contract: the value (or
// `default_text` when the key is missing) is copied into `buffer`, cut to
// size - 1 characters and NUL-terminated; returns the characters copied.
// On POSIX the profile is an INI file: $QUARNEL_PROFILE, else
// $XDG_CONFIG_HOME/quarnel/win.ini, else $HOME/.config/quarnel/win.ini.
uint32_t GetProfileText(const char* section, const char* key, const char* default_text,
                        char* buffer, uint32_t size);

}  // namespace quarnel::platform
