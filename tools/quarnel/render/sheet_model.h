// What a turret setup sheet shows: the library's tools with the outlines to
// draw, and the stations of each turret table with the tools they carry.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/tool_row.h"
#include "quarnel/geometry.h"

namespace quarnel::cli {

struct SheetTool {
  int position = 0;  // 1-based position in the library
  ToolRow row;
  // Tools in stations: lines and arcs in the tool's own coordinates, or why
  // none could be made.
  std::vector<GeomEntity> outline;
  std::string outlineProblem;
};

struct SheetStation {
  int number = 0;
  std::vector<size_t> tools;  // indexes into SheetModel::tools; empty = an empty station
};

struct SheetTable {
  int number = 1;                      // 1 for the station file's first table, 2 for the second
  std::vector<SheetStation> stations;  // in station-number order
};

struct SheetModel {
  std::string title;
  std::string libraryPath, stationPath;
  int libraryVersion = 0, stationVersion = 0;
  std::string date;  // YYYY-MM-DD
  std::vector<SheetTool> tools;
  std::vector<SheetTable> tables;  // the tables that hold stations (at least one)

  // Tools that no station of any table carries, in library order.
  std::vector<size_t> ToolsWithoutStation() const;
};

// Reads the library and its stations through the Receive entry points, the
// numbers of every station (empty ones too) from the station file, and each
// special tool's outline through OpenSpecialTool. Throws CliError naming the
// file that failed. A special tool whose file cannot be read keeps an
// outlineProblem instead of an outline.
SheetModel ReadSheetModel(const std::string& libraryPath, const std::string& stationPath,
                          const std::optional<std::string>& title);

}  // namespace quarnel::cli
