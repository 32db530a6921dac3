// Look-up in the text of an INI file in win.ini syntax.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quarnel::platform {

// The value of `key` in `section` of the INI text: names compare without regard
// to letter case, surrounding blanks of the value are dropped, lines starting
// with ';' are comments. The first matching key of the first matching section wins.
std::optional<std::string> FindIniValue(std::string_view ini_text, std::string_view section,
                                        std::string_view key);

// Copies `value` into `buffer` with GetProfileStringA's contract; returns the count copied.
uint32_t CopyProfileValue(std::string_view value, char* buffer, uint32_t size);

}  // namespace quarnel::platform
