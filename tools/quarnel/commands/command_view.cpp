// quarnel view SPECIAL-TOOL [--output FILE]
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli_error.h"
#include "commands/commands.h"
#include "core/file_kind.h"
#include "file_io.h"
#include "host/special_tool_access.h"

namespace quarnel::cli {
namespace {

struct ViewOptions {
  std::string specialTool;
  std::string output;
  bool force = false;
};

void RunView(const ViewOptions& options) {
  RequireFileKind(options.specialTool, FileKind::kSpecialTool);
  if (!options.output.empty()) {
    RequireOutputsAllowed({{options.output, "--output"}}, {options.specialTool}, options.force);
  }
  const SpecialToolOutline outline = ReadSpecialToolOutline(options.specialTool);
  const std::string written = WritePartDrawing(outline);
  std::cout << options.specialTool << ": part drawing of " << outline.entities.size()
            << (outline.entities.size() == 1 ? " entity" : " entities")
            << " written to c:\\spt.prt, which is " << written << " here\n";
  if (!options.output.empty()) {
    ReplaceSafely(options.output, [&written](const std::string& temporary) {
      std::error_code error;
      return std::filesystem::copy_file(written, temporary, error);
    });
    std::cout << "copied to " << options.output << "\n";
  }
}

}  // namespace

void AddViewCommand(CLI::App& app) {
  auto options = std::make_shared<ViewOptions>();
  CLI::App* command = app.add_subcommand(
      "view",
      "Write the part drawing file of a special tool (\"c:\\spt.prt\", which the host opens to "
      "show the tool) through ViewSpecialTool, and say where it went. Drive C: is the folder "
      "in $QUARNEL_DRIVE_C, else ~/.quarnel/drive_c.");
  command->add_option("SPECIAL-TOOL", options->specialTool, "special-tool file (.spt)")->required();
  command->add_option("--output,-o", options->output, "also copy the part drawing file here");
  command->add_flag("--force,-f", options->force, "replace the --output file when it exists");
  command->callback([options] { RunView(*options); });
}

}  // namespace quarnel::cli
