#include "render/sheet_model.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <set>

#include "cli_error.h"
#include "core/file_kind.h"
#include "file_io.h"
#include "host/library_access.h"
#include "host/special_tool_access.h"
#include "platform/paths.h"
#include "render/sheet_shapes.h"
#include "stations/station_file.h"
#include "toollib/special_paths.h"

namespace quarnel::cli {
namespace {

// Today, or the day of $SOURCE_DATE_EPOCH, so that a sheet can be made again byte for byte.
std::string DateText() {
  std::time_t now = std::time(nullptr);
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0') {
    now = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
  }
  std::tm day{};
  if (std::getenv("SOURCE_DATE_EPOCH") != nullptr) {
    gmtime_r(&now, &day);
  } else {
    localtime_r(&now, &day);
  }
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &day);
  return text;
}

int FileVersion(const std::string& path, FileKind kind) {
  return IdentifyFile(path, kind).version;
}

// The number of every station of both tables, empty stations included: the
// Receive entry points only tell which station carries each tool.
std::vector<std::set<int>> StationNumbers(const std::string& stationPath) {
  stations::StationTable first(0), second(1);
  toollib::SpecialToolFolderBuffer folder;
  if (stations::LoadStationFile(stationPath, {nullptr, folder}, first, second) != StatusCode::kOk) {
    throw FileFailure(stationPath, "the station file could not be opened");
  }
  std::vector<std::set<int>> numbers(2);
  stations::StationTable* tables[] = {&first, &second};
  for (int t = 0; t < 2; ++t) {
    tables[t]->Rewind();
    stations::StationRecord station;
    while (tables[t]->ReadNext(station) == 1) numbers[t].insert(station.StationNumber());
  }
  return numbers;
}

// Where the library finds a special tool by its name: the profile's folder.
std::string SpecialToolPath(const std::string& name) {
  toollib::SpecialToolFolderBuffer folder;
  return platform::MapPath(toollib::SpecialPathForName(name, folder));
}

void AddOutline(SheetTool& tool) {
  if (tool.row.typeCode != kSpecialToolType) {
    tool.outline = StandardToolOutline(tool.row);
    if (tool.outline.empty())
      tool.outlineProblem = "no shape for type code " + std::to_string(tool.row.typeCode);
    return;
  }
  try {
    tool.outline = ReadSpecialToolOutline(SpecialToolPath(tool.row.name)).entities;
    if (tool.outline.empty()) tool.outlineProblem = tool.row.name + ".spt: the outline is empty";
  } catch (const CliError& error) {
    tool.outlineProblem = error.what();
  }
}

SheetTable TableOf(int number, const std::set<int>& stationNumbers, const SheetModel& model) {
  std::set<int> numbers = stationNumbers;
  // A second-table station can also come from a tool's extra record.
  for (const SheetTool& tool : model.tools) {
    const int station = number == 1 ? tool.row.firstStation : tool.row.secondStation;
    if (station != 0) numbers.insert(station);
  }
  SheetTable table;
  table.number = number;
  for (int station : numbers) {
    SheetStation entry;
    entry.number = station;
    for (size_t i = 0; i < model.tools.size(); ++i) {
      const ToolRow& row = model.tools[i].row;
      if ((number == 1 ? row.firstStation : row.secondStation) == station) entry.tools.push_back(i);
    }
    table.stations.push_back(std::move(entry));
  }
  return table;
}

}  // namespace

std::vector<size_t> SheetModel::ToolsWithoutStation() const {
  std::vector<size_t> apart;
  for (size_t i = 0; i < tools.size(); ++i) {
    bool carried = false;
    for (const SheetTable& table : tables) {
      for (const SheetStation& station : table.stations) {
        carried = carried ||
                  std::find(station.tools.begin(), station.tools.end(), i) != station.tools.end();
      }
    }
    if (!carried) apart.push_back(i);
  }
  return apart;
}

SheetModel ReadSheetModel(const std::string& libraryPath, const std::string& stationPath,
                          const std::optional<std::string>& title) {
  SheetModel model;
  model.libraryPath = libraryPath;
  model.stationPath = stationPath;
  model.title =
      title ? *title : "Turret setup: " + std::filesystem::path(libraryPath).filename().string();
  model.date = DateText();

  const LibraryContents contents = ReadLibrary(libraryPath, stationPath);
  const std::vector<std::set<int>> numbers = StationNumbers(stationPath);
  model.libraryVersion = FileVersion(libraryPath, FileKind::kToolLibrary);
  model.stationVersion = FileVersion(stationPath, FileKind::kStationFile);
  for (size_t i = 0; i < contents.tools.size(); ++i) {
    SheetTool tool;
    tool.position = static_cast<int>(i + 1);
    tool.row = contents.tools[i];
    model.tools.push_back(std::move(tool));
  }
  for (int t = 0; t < 2; ++t) {
    SheetTable table = TableOf(t + 1, numbers[t], model);
    if (!table.stations.empty()) model.tables.push_back(std::move(table));
  }
  // Only tools in stations are drawn: a library may name many special tools.
  const std::vector<size_t> apart = model.ToolsWithoutStation();
  for (size_t i = 0; i < model.tools.size(); ++i) {
    if (!std::binary_search(apart.begin(), apart.end(), i)) AddOutline(model.tools[i]);
  }
  // A station file without stations still gets its (empty) first table.
  if (model.tables.empty()) model.tables.push_back(SheetTable{});
  return model;
}

}  // namespace quarnel::cli
