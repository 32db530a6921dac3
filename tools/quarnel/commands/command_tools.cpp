// quarnel tools LIBRARY [--stations FILE] [--json | --csv]
#include <iostream>
#include <memory>

#include "commands/commands.h"
#include "core/file_kind.h"
#include "host/library_access.h"
#include "render/tool_listing.h"

namespace quarnel::cli {
namespace {

struct ToolsOptions {
  std::string library;
  std::string stations;
  bool json = false;
  bool csv = false;
};

void RunTools(const ToolsOptions& options) {
  RequireFileKind(options.library, FileKind::kToolLibrary);
  if (!options.stations.empty()) RequireFileKind(options.stations, FileKind::kStationFile);
  const std::optional<std::string> stations =
      options.stations.empty() ? std::nullopt : std::optional<std::string>(options.stations);
  const LibraryContents contents = ReadLibrary(options.library, stations);
  if (options.csv) {
    std::cout << ToolsCsv(contents);
  } else if (options.json) {
    const nlohmann::ordered_json document = {
        {"library", options.library},
        {"stationFile", stations ? nlohmann::ordered_json(*stations) : nlohmann::ordered_json(nullptr)},
        {"tools", ToolsJson(contents)}};
    std::cout << document.dump(2) << "\n";
  } else {
    std::cout << options.library << ": " << contents.tools.size()
              << (contents.tools.size() == 1 ? " tool" : " tools");
    if (stations) std::cout << ", stations from " << *stations;
    std::cout << "\n";
    if (!contents.tools.empty()) std::cout << ToolsTable(contents);
  }
}

}  // namespace

void AddToolsCommand(CLI::App& app) {
  auto options = std::make_shared<ToolsOptions>();
  CLI::App* command = app.add_subcommand(
      "tools",
      "List every tool of a tool library (any version): type, size, dimensions, angles, die "
      "clearances, the host's four values, the special-tool name and, with a station file, the "
      "stations of both tables.");
  command->add_option("LIBRARY", options->library, "tool library file")->required();
  command->add_option("--stations", options->stations,
                      "station file: show the station of each tool in its two tables");
  CLI::Option* json = command->add_flag("--json", options->json, "print JSON (exact numbers)");
  CLI::Option* csv = command->add_flag(
      "--csv", options->csv, "print CSV (exact numbers, angles in radians; 'quarnel import' reads it)");
  json->excludes(csv);
  command->callback([options] { RunTools(*options); });
}

}  // namespace quarnel::cli
