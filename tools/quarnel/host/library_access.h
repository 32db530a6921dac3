// The tool library through the Send and Receive entry points: read every tool
// with its stations, write a new library, rewrite one as the current version.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/tool_row.h"
#include "toollib/special_paths.h"

namespace quarnel::cli {

// The library keeps paths in buffers of 256 characters.
inline constexpr size_t kLongestLibraryPath = toollib::kMaxSpecialPathLength;

// Refuses a path longer than the library takes. Throws CliError.
void RequireUsablePath(const std::string& path);

// Hands one tool to SendTool at 0-based `index`, inside a Send sequence.
void SendRow(int index, const ToolRow& row);

struct LibraryContents {
  std::vector<ToolRow> tools;
  bool withStations = false;  // the station numbers come from a station file
};

// Every tool of `libraryPath` (any version), with the stations of `stationPath`
// when one is given. Throws CliError when the library or station file fails.
LibraryContents ReadLibrary(const std::string& libraryPath,
                            const std::optional<std::string>& stationPath);

// Writes `tools` as a new library at `libraryPath` (replaced safely when it exists).
void WriteNewLibrary(const std::string& libraryPath, const std::vector<ToolRow>& tools);

// Loads the library at `sourcePath` and saves it as the current version at
// `targetPath` (which may be the same file; it is replaced safely).
void UpgradeLibrary(const std::string& sourcePath, const std::string& targetPath);

}  // namespace quarnel::cli
