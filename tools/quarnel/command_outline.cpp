// quarnel outline SPECIAL-TOOL [--json] [--svg FILE] [--dxf FILE]
#include <iostream>
#include <memory>

#include "commands.h"
#include "file_kind.h"
#include "dxf_writer.h"
#include "file_io.h"
#include "outline_geometry.h"
#include "outline_listing.h"
#include "special_tool_access.h"
#include "svg_writer.h"

namespace quarnel::cli {
namespace {

struct OutlineOptions {
  std::string specialTool;
  bool json = false;
  std::string svg;
  std::string dxf;
  bool force = false;
};

void RunOutline(const OutlineOptions& options) {
  RequireFileKind(options.specialTool, FileKind::kSpecialTool);
  std::vector<Output> outputs;
  if (!options.svg.empty()) outputs.push_back({options.svg, "--svg"});
  if (!options.dxf.empty()) outputs.push_back({options.dxf, "--dxf"});
  RequireOutputsAllowed(outputs, {options.specialTool}, options.force);
  const SpecialToolOutline outline = ReadSpecialToolOutline(options.specialTool);
  const std::vector<DrawnPiece> pieces = DrawablePieces(outline.entities);
  if (!options.svg.empty()) WriteFileSafely(options.svg, OutlineSvg(pieces, options.specialTool));
  if (!options.dxf.empty()) WriteFileSafely(options.dxf, OutlineDxf(pieces));
  if (options.json) {
    std::cout << OutlineJson(outline).dump(2) << "\n";
    return;
  }
  std::cout << OutlineText(outline);
  if (!options.svg.empty()) std::cout << "wrote " << options.svg << "\n";
  if (!options.dxf.empty()) std::cout << "wrote " << options.dxf << "\n";
}

}  // namespace

void AddOutlineCommand(CLI::App& app) {
  auto options = std::make_shared<OutlineOptions>();
  CLI::App* command = app.add_subcommand(
      "outline",
      "Show a special tool's data and its outline as lines and arcs, exactly as the host "
      "receives it (patterns expanded, shapes exploded); draw it as SVG or DXF.");
  command->add_option("SPECIAL-TOOL", options->specialTool, "special-tool file (.spt)")->required();
  command->add_flag("--json", options->json, "print JSON instead of text");
  command->add_option("--svg", options->svg, "draw the outline into this SVG file (y up, to scale)");
  command->add_option("--dxf", options->dxf,
                      "write the outline into this DXF file (LINE, ARC and CIRCLE entities)");
  command->add_flag("--force,-f", options->force, "replace the drawing files when they exist");
  command->callback([options] { RunOutline(*options); });
}

}  // namespace quarnel::cli
