#include "host/add_special_tool.h"

#include <algorithm>
#include <filesystem>

#include "cli_error.h"
#include "core/special_tool_settings.h"
#include "file_io.h"
#include "host/library_access.h"
#include "host/special_tool_access.h"
#include "platform/paths.h"
#include "quarnel/quarnel.h"
#include "toollib/special_paths.h"
#include "toollib/tool_file.h"
#include "toollib/tool_library.h"

namespace quarnel::cli {
namespace fs = std::filesystem;
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string CheckedName(const std::string& specialPath) {
  const std::string name = fs::path(specialPath).stem().string();
  const bool usable = !name.empty() && name.size() <= kLongestName &&
                      name.find_first_of("\"*/:<>?\\| ") == std::string::npos;
  if (!usable) {
    throw FileFailure(specialPath, "the file name \"" + name +
                                       "\" cannot name a special tool (1 to 32 characters, no spaces or \"*/:<>?\\|)");
  }
  return name;
}

ToolRow RowOf(const std::string& name, const SpecialToolData& tool) {
  ToolRow row;
  row.typeCode = kSpecialToolType;
  row.name = name;
  row.size = tool.size;
  row.x = tool.dimensions[0];
  row.y = tool.dimensions[1];
  row.z = tool.dimensions[2];
  std::copy(std::begin(tool.angles), std::end(tool.angles), row.angles.begin());
  std::copy(std::begin(tool.dieClearances), std::end(tool.dieClearances), row.dieClearances.begin());
  row.keyedCount = CountUpToLastNonZero(tool.angles);
  row.dieClearanceCount = CountUpToLastNonZero(tool.dieClearances);
  row.valueC = std::bit_cast<float>(tool.valueC);
  row.valueD = tool.valueD;
  return row;
}

// Overwrites the tool at `index` in a copy of the library that then replaces it.
void OverwriteInPlace(const std::string& libraryPath, int index, const ToolRow& row) {
  ReplaceSafely(libraryPath, [&](const std::string& temporary) {
    std::error_code error;
    if (!fs::copy_file(libraryPath, temporary, fs::copy_options::overwrite_existing, error)) {
      throw FileFailure(libraryPath, "cannot be copied for writing: " + error.message());
    }
    const int started = StartSendTool(temporary.c_str(), 0);
    if (started != 0) throw LibraryFailure(libraryPath, ToolLibraryStatusText(started), started);
    SendRow(index, row);
    const int saved = EndSendTool();
    if (saved != 0) throw LibraryFailure(libraryPath, ToolLibraryStatusText(saved), saved);
    return true;
  });
}

// What rewriting the library through the Send entry points would drop.
std::string RewriteLosses(const std::string& libraryPath, const std::vector<ToolRow>& tools) {
  std::string losses;
  const auto sided = std::count_if(tools.begin(), tools.end(),
                                   [](const ToolRow& t) { return t.typeCode == kSpecialToolType && t.z != 0.0f; });
  if (sided > 0) losses += "the side of " + std::to_string(sided) + " special tool(s)";
  toollib::ToolLibrary library;
  toollib::SpecialToolFolderBuffer folder;
  if (library.Load(libraryPath.c_str(), folder) == StatusCode::kOk && library.Extras().Count() > 0) {
    losses += std::string(losses.empty() ? "" : " and ") + std::to_string(library.Extras().Count()) +
              " extra record(s)";
  }
  return losses;
}

// Puts the file into the special-tool folder unless it lies there already.
void PlaceInFolder(const std::string& specialPath, AddedSpecialTool& added, bool force) {
  toollib::SpecialToolFolderBuffer folder;
  added.folderCopy = platform::MapPath(toollib::SpecialPathForName(added.name, folder));
  std::error_code error;
  if (fs::equivalent(specialPath, added.folderCopy, error)) return;
  const std::optional<std::string> bytes = ReadWholeFile(specialPath, kLargestWholeFileBytes);
  if (!bytes) throw FileFailure(specialPath, "cannot be read");
  const std::optional<std::string> there = IsRegularFile(added.folderCopy) ? ReadWholeFile(added.folderCopy, kLargestWholeFileBytes) : std::nullopt;
  if (there == bytes) return;
  if (there && !force) {
    throw FileFailure(added.folderCopy, "is a different special tool of the same name; nothing was written "
                                        "(--force replaces it)");
  }
  fs::create_directories(fs::path(added.folderCopy).parent_path(), error);
  WriteFileSafely(added.folderCopy, *bytes);
  added.copied = true;
}

}  // namespace

AddedSpecialTool AddSpecialTool(const std::string& libraryPath, const std::string& specialPath, bool force) {
  AddedSpecialTool added;
  added.name = CheckedName(specialPath);
  const ToolRow row = RowOf(added.name, ReadSpecialToolOutline(specialPath).tool);

  if (!IsRegularFile(libraryPath)) {
    PlaceInFolder(specialPath, added, force);
    WriteNewLibrary(libraryPath, {row});
    added.newLibrary = true;
    added.toolCount = 1;
    return added;
  }
  std::vector<ToolRow> tools = ReadLibrary(libraryPath, std::nullopt).tools;
  const auto same = std::find_if(tools.begin(), tools.end(), [&](const ToolRow& t) {
    return t.typeCode == kSpecialToolType && Lower(t.name) == Lower(added.name);
  });
  if (same != tools.end()) {
    PlaceInFolder(specialPath, added, force);
    OverwriteInPlace(libraryPath, static_cast<int>(same - tools.begin()), row);
    added.replaced = true;
    added.toolCount = static_cast<int>(tools.size());
    return added;
  }
  if (const std::string losses = RewriteLosses(libraryPath, tools); !losses.empty() && !force) {
    throw FileFailure(libraryPath, "adding a tool rewrites the library through the Send entry points, which would "
                                   "drop " + losses + "; nothing was written (--force rewrites it anyway)");
  }
  PlaceInFolder(specialPath, added, force);
  tools.push_back(row);
  WriteNewLibrary(libraryPath, tools);
  added.toolCount = static_cast<int>(tools.size());
  return added;
}

}  // namespace quarnel::cli
