// quarnel demo [FOLDER]: writes a small realistic set of files and shows what
// the tool makes of them.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli_error.h"
#include "commands/commands.h"
#include "file_io.h"
#include "host/library_access.h"
#include "host/special_tool_access.h"
#include "render/outline_geometry.h"
#include "render/svg_writer.h"
#include "render/tool_listing.h"
#include "samples/demo_drawing_loop.h"
#include "samples/demo_set.h"

namespace quarnel::cli {
namespace fs = std::filesystem;
namespace {

struct DemoOptions {
  std::string folder;
  bool force = false;
};

constexpr const char* kLibraryName = "tools.lib";
constexpr const char* kStationName = "stations.sta";
constexpr const char* kProfileName = "win.ini";
// The longest file name that the library is given within the folder.
constexpr size_t kLongestDemoName = 32;

std::string NewFolderName() {
  std::string name = "quarnel-demo";
  for (int n = 2; fs::exists(name); ++n) name = "quarnel-demo-" + std::to_string(n);
  return name;
}

// Points the special-tool folder of this process's profile at `folder`: the
// library joins the folder text and a tool's name with a backslash, which
// becomes a slash on this system.
void UseSpecialToolFolder(const std::string& folder) {
  const std::string profile = folder + "/" + kProfileName;
  WriteFileSafely(profile, "[Kestrac]\nKVT_DEFAULT_SPECIAL_TOOL_PATH=" + folder + "\\\n");
  if (::setenv("QUARNEL_PROFILE", profile.c_str(), 1) != 0) {
    throw FileFailure(profile, "cannot be made this process's profile");
  }
}

void RunDemo(const DemoOptions& options) {
  const std::string given = options.folder.empty() ? NewFolderName() : options.folder;
  std::error_code error;
  fs::create_directories(given, error);
  if (error || !fs::is_directory(given)) {
    throw FileFailure(given, "the demo folder cannot be created" +
                                 (error ? ": " + error.message() : std::string()));
  }
  const std::string folder = fs::absolute(given).lexically_normal().string();
  if (folder.size() + 1 + kLongestDemoName > kLongestLibraryPath) {
    throw FileFailure(folder, "the folder's path is too long for the library's 255-character paths");
  }
  const std::vector<SampleSpecialTool> specials = DemoSpecialTools();
  std::vector<Output> outputs;
  for (const char* name : {kProfileName, kLibraryName, kStationName}) {
    outputs.push_back({folder + "/" + name, ""});
  }
  for (const SampleSpecialTool& special : specials) {
    outputs.push_back({folder + "/" + special.name + ".spt", ""});
    outputs.push_back({folder + "/" + special.name + ".svg", ""});
  }
  for (const std::string& file : DrawingLoopFiles(folder)) outputs.push_back({file, ""});
  outputs.push_back({folder + "/sheet.html", ""});
  RequireOutputsAllowed(outputs, {}, options.force);
  UseSpecialToolFolder(folder);

  std::cout << "quarnel demo: writing a sample tool set into " << folder << "\n\n";
  for (const SampleSpecialTool& special : specials) {
    WriteFileSafely(folder + "/" + special.name + ".spt", SpecialToolFileBytes(special));
  }
  const std::vector<ToolRow> tools = DemoTools(specials);
  const std::string library = folder + "/" + kLibraryName;
  WriteNewLibrary(library, tools);
  std::vector<SampleStation> first, second;
  DemoStations(tools, first, second);
  const std::string stations = folder + "/" + kStationName;
  WriteFileSafely(stations, StationFileBytes(first, second));

  std::cout << "Tool library " << kLibraryName << " (written through the Send entry points), "
            << "with the stations of " << kStationName << ":\n";
  std::cout << ToolsTable(ReadLibrary(library, stations)) << "\n";

  std::cout << "Special tools (read through OpenSpecialTool, drawn to SVG):\n";
  for (const SampleSpecialTool& special : specials) {
    const std::string path = folder + "/" + special.name + ".spt";
    const SpecialToolOutline outline = ReadSpecialToolOutline(path);
    const std::string svg = folder + "/" + special.name + ".svg";
    WriteFileSafely(svg, OutlineSvg(DrawablePieces(outline.entities), special.name + ".spt"));
    std::cout << "  " << special.name << ".spt  " << special.entities.size()
              << " entities stored, " << outline.entities.size() << " lines and arcs  -> "
              << special.name << ".svg  (" << special.description << ")\n";
  }

  ShowDrawingLoop(folder, library, stations);
  WriteDemoSheet(library, stations, folder + "/sheet.html");
  std::cout << "\nWrote into " << folder << ":\n"
            << "  " << kLibraryName << "       tool library, version 92\n"
            << "  " << kStationName << "    station file of two turret tables\n"
            << "  *.spt           " << specials.size() + 1 << " special-tool files, version 92\n"
            << "  *.svg           their outlines\n"
            << "  KEYHOLE.dxf     the drawing KEYHOLE.spt was made from\n"
            << "  sheet.html      the turret setup sheet\n"
            << "  " << kProfileName << "         profile: the special-tool folder is this folder\n"
            << "\nTry:\n"
            << "  quarnel tools " << library << " --stations " << stations << " --csv\n"
            << "  quarnel outline " << folder << "/FLANGE.spt --dxf FLANGE.dxf\n"
            << "  quarnel check " << folder << "/*\n"
            << "(export QUARNEL_PROFILE=" << folder << "/" << kProfileName
            << " so that the library finds the special tools by name)\n";
}

}  // namespace

void AddDemoCommand(CLI::App& app) {
  auto options = std::make_shared<DemoOptions>();
  CLI::App* command = app.add_subcommand(
      "demo",
      "Write a small realistic set into FOLDER (default: a new folder quarnel-demo under the "
      "current one): a tool library with typical punch tools of every type, its station file, "
      "special-tool files that use every shape and pattern kind, and a profile; then list the "
      "tools with their stations and draw every special tool to SVG.");
  command->add_option("FOLDER", options->folder, "folder to write into (created when missing)");
  command->add_flag("--force,-f", options->force, "replace the demo's files when FOLDER holds them");
  command->callback([options] { RunDemo(*options); });
}

}  // namespace quarnel::cli
