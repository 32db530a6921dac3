#include "toollib/special_paths.h"

#include <algorithm>
#include <cstring>

#include "platform/paths.h"

namespace quarnel::toollib {
namespace {

std::string CutToField(std::string text) {
  if (text.size() > kMaxSpecialPathLength) text.resize(kMaxSpecialPathLength);
  return text;
}

// Writes `folder`, then `name`, then ".spt" into `field`, cut to the field and
// terminated; returns the length written.
size_t WritePathInFolder(std::string_view folder, std::string_view name,
                         char (&field)[kMaxSpecialPathLength + 1]) {
  size_t length = 0;
  for (const std::string_view part : {folder, name, std::string_view(".spt")}) {
    const size_t take = std::min(part.size(), kMaxSpecialPathLength - length);
    std::memcpy(field + length, part.data(), take);
    length += take;
  }
  field[length] = '\0';
  return length;
}

std::string PathInFolder(std::string_view folder, std::string_view name) {
  char field[kMaxSpecialPathLength + 1];
  const size_t length = WritePathInFolder(folder, name, field);
  return std::string(field, length);
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string SpecialPathForName(std::string_view name, SpecialToolFolderBuffer& folder) {
  return PathInFolder(SpecialToolFolder(folder), name);
}

std::string RerootedSpecialPath(std::string_view path, SpecialToolFolderBuffer& folder) {
  return SpecialPathForName(platform::FileNameWithoutExtension(path), folder);
}

std::string RerootedSpecialPath(std::string_view path, std::string_view folder) {
  return PathInFolder(folder, platform::FileNameWithoutExtension(path));
}

void WriteRerootedSpecialPath(std::string_view path, std::string_view folder,
                              char (&field)[kMaxSpecialPathLength + 1]) {
  WritePathInFolder(folder, platform::FileNameWithoutExtension(path), field);
}

std::string SpecialToolFilePath(std::string_view name, SpecialToolFolderBuffer& folder) {
  if (HasBackslash(name)) return CutToField(std::string(name));
  return SpecialPathForName(name, folder);
}

bool HasBackslash(std::string_view text) { return text.find('\\') != std::string_view::npos; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool FieldEqualsIgnoringCase(const char* field, std::string_view text) {
  // The field's end first, then backward: paths of one folder differ near
  // their ends. A field that ends early meets a character of the text (texts
  // hold no NUL).
  if (field[text.size()] != '\0') return false;
  for (size_t i = text.size(); i > 0; --i) {
    if (LowerAscii(field[i - 1]) != LowerAscii(text[i - 1])) return false;
  }
  return true;
}

}  // namespace quarnel::toollib
