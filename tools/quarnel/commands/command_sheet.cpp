// quarnel sheet LIBRARY --stations FILE [-o sheet.html] [--title T] [--force]:
// the turret setup sheet, one self-contained HTML page to show and print.
#include <iostream>
#include <memory>
#include <optional>

#include "cli_error.h"
#include "commands/commands.h"
#include "core/file_kind.h"
#include "file_io.h"
#include "render/sheet_html.h"
#include "render/sheet_model.h"

namespace quarnel::cli {
namespace {

struct SheetOptions {
  std::string library;
  std::string stations;
  std::string output = "sheet.html";
  std::string title;
  bool force = false;
};

// Builds the sheet in memory and writes it whole: a failure leaves nothing behind.
SheetModel WriteSheet(const std::string& library, const std::string& stations,
                      const std::string& output, const std::optional<std::string>& title) {
  const SheetModel model = ReadSheetModel(library, stations, title);
  for (const SheetTool& tool : model.tools) {
    if (!tool.outlineProblem.empty()) {
      std::cerr << "quarnel: warning: tool " << tool.position << ": " << tool.outlineProblem
                << "; its station shows no outline\n";
    }
  }
  WriteFileSafely(output, SheetHtml(model));
  return model;
}

void RunSheet(const SheetOptions& options) {
  RequireFileKind(options.library, FileKind::kToolLibrary);
  RequireFileKind(options.stations, FileKind::kStationFile);
  RequireOutputsAllowed({{options.output, "-o"}}, {options.library, options.stations}, options.force);
  const SheetModel model =
      WriteSheet(options.library, options.stations, options.output,
                 options.title.empty() ? std::nullopt : std::optional<std::string>(options.title));
  std::cout << "Wrote " << options.output << ": " << model.tables.size()
            << (model.tables.size() == 1 ? " turret table, " : " turret tables, ")
            << model.tools.size() << (model.tools.size() == 1 ? " tool" : " tools") << "\n";
}

}  // namespace

void WriteDemoSheet(const std::string& library, const std::string& stations,
                    const std::string& output) {
  WriteSheet(library, stations, output, "Turret setup sheet: quarnel demo");
  std::cout << "\nTurret setup sheet (open it in a browser, print one page per turret table):\n  "
            << output << "\n";
}

void AddSheetCommand(CLI::App& app) {
  auto options = std::make_shared<SheetOptions>();
  CLI::App* command = app.add_subcommand(
      "sheet",
      "Write a turret setup sheet: one self-contained HTML page (inline SVG and CSS) with, for "
      "each turret table of the station file, a drawing of its stations with the tools they carry "
      "(outlines to scale, special tools through their files) and a table of the same; it prints "
      "one portrait A4 or Letter page per turret table.");
  command->add_option("LIBRARY", options->library, "tool library file")->required();
  command->add_option("--stations", options->stations, "station file of the library")->required();
  command->add_option("-o,--output", options->output,
                      "the HTML file to write (default sheet.html)");
  command->add_option("--title", options->title,
                      "title of the sheet (default: from the library's name)");
  command->add_flag("--force", options->force, "replace the output file when it exists");
  command->callback([options] { RunSheet(*options); });
}

}  // namespace quarnel::cli
