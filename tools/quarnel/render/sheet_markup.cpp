#include "render/sheet_markup.h"

namespace quarnel::cli {
namespace {

// Length of the UTF-8 sequence at `at`, or 0 when the bytes there are not one.
size_t Utf8Length(const std::string& text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const size_t length = lead < 0x80           ? 1
                        : (lead >> 5) == 0x6  ? 2
                        : (lead >> 4) == 0xE  ? 3
                        : (lead >> 3) == 0x1E ? 4
                                              : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  }
  return length;
}

}  // namespace

std::string Markup(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const char c = text[at];
    const size_t length = Utf8Length(text, at);
    if (length > 1) {
      out.append(text, at, length);
      at += length;
      continue;
    }
    ++at;
    if (length == 0) {
      // Names from the host's files are in a Windows code page: show such a
      // byte as the Latin-1 character of the same number (controls as '?').
      const unsigned char byte = static_cast<unsigned char>(c);
      if (byte < 0xA0) {
        out += '?';
        continue;
      }
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
      continue;
    }
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    }
  }
  return out;
}

}  // namespace quarnel::cli
