// Putting a special tool into a tool library through the Send entry points,
// with its file in the special-tool folder where the library finds it by name.
#pragma once

#include <cstddef>
#include <string>

namespace quarnel::cli {

// Names the library keeps: up to 32 characters that a file name may hold.
inline constexpr size_t kLongestName = 32;

struct AddedSpecialTool {
  std::string name;          // the name the library knows the tool by
  std::string folderCopy;    // where the file now lies in the special-tool folder
  bool copied = false;       // the file was copied there
  bool newLibrary = false;   // the library was created
  bool replaced = false;     // a special tool of that name was overwritten in place
  int toolCount = 0;         // tools in the library afterwards
};

// Adds the special tool of `specialPath` to `libraryPath` (created when it
// does not exist). A tool of the same name is overwritten in place; otherwise
// the library is rewritten with the new tool appended, which `force` must
// allow when it would drop what the Send entry points cannot carry (extra
// records, the sides of special tools). `force` also lets a different file of
// the same name in the special-tool folder be replaced. Throws CliError.
AddedSpecialTool AddSpecialTool(const std::string& libraryPath, const std::string& specialPath, bool force);

}  // namespace quarnel::cli
