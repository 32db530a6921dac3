#include "toollib/special_paths.h"

#include "platform/paths.h"
#include "spectool/special_tool_folder.h"

namespace quarnel::toollib {
namespace {

std::string CutToField(std::string text) {
  if (text.size() > kMaxSpecialPathLength) text.resize(kMaxSpecialPathLength);
  return text;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string SpecialPathForName(std::string_view name) {
  std::string path = spectool::SpecialToolFolder();
  path.append(name);
  path.append(".spt");
  return CutToField(std::move(path));
}

std::string RerootedSpecialPath(std::string_view path) {
  return SpecialPathForName(platform::FileNameWithoutExtension(path));
}

std::string SpecialToolFilePath(std::string_view name) {
  if (HasBackslash(name)) return CutToField(std::string(name));
  return SpecialPathForName(name);
}

bool HasBackslash(std::string_view text) { return text.find('\\') != std::string_view::npos; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace quarnel::toollib
