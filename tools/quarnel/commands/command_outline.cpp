// quarnel outline SPECIAL-TOOL [--json] [--svg FILE] [--dxf FILE] [--units mm|in] [--force]
#include <iostream>
#include <memory>

#include "cli_error.h"
#include "commands/commands.h"
#include "core/file_kind.h"
#include "file_io.h"
#include "host/special_tool_access.h"
#include "render/drawing_units.h"
#include "render/dxf_writer.h"
#include "render/outline_geometry.h"
#include "render/outline_listing.h"
#include "render/svg_writer.h"

namespace quarnel::cli {
namespace {

struct OutlineOptions {
  std::string specialTool;
  bool json = false;
  std::string svg;
  std::string dxf;
  std::string units;
  bool force = false;
};

// Says how many entities a drawing leaves out, and why.
void WarnAboutLeftOut(const std::string& drawing, const SpecialToolOutline& outline,
                      const std::vector<DrawnPiece>& pieces) {
  size_t coincident = 0;
  for (const auto& earlier : CoincidingEntities(outline.entities)) coincident += earlier ? 1 : 0;
  const size_t leftOut = outline.entities.size() - coincident - pieces.size();
  if (leftOut > 0) {
    Warn(drawing + ": " + std::to_string(leftOut) + (leftOut == 1 ? " entity" : " entities") +
         " left out (values that are not finite, zero radius or zero sweep, or not a line or arc)");
  }
}

void RunOutline(const OutlineOptions& options) {
  RequireFileKind(options.specialTool, FileKind::kSpecialTool);
  std::vector<Output> outputs;
  if (!options.svg.empty()) outputs.push_back({options.svg, "--svg"});
  if (!options.dxf.empty()) outputs.push_back({options.dxf, "--dxf"});
  RequireOutputsAllowed(outputs, {options.specialTool}, options.force);
  const DrawingUnits units = ParseDrawingUnits(options.units);
  const SpecialToolOutline outline = ReadSpecialToolOutline(options.specialTool);
  const std::vector<DrawnPiece> pieces = DrawablePieces(outline.entities);
  if (!options.svg.empty()) {
    WriteFileSafely(options.svg, OutlineSvg(pieces, options.specialTool, units));
    WarnAboutLeftOut(options.svg, outline, pieces);
  }
  if (!options.dxf.empty()) {
    ReplaceSafely(options.dxf, [&](const std::string& temporary) {
      return WriteOutlineDxf(temporary, pieces, units);
    });
    WarnAboutLeftOut(options.dxf, outline, pieces);
  }
  if (options.json) {
    std::cout << OutlineJson(outline).dump(2) << "\n";
    return;
  }
  std::cout << OutlineText(outline);
  if (!options.svg.empty()) Inform("wrote " + options.svg);
  if (!options.dxf.empty()) Inform("wrote " + options.dxf);
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
  command->add_option("--units", options->units,
                      "the unit of the file's lengths, named in the drawings: mm or in "
                      "(default: none stated, lengths unscaled)")
      ->check(CLI::IsMember({"mm", "in"}));
  command->add_flag("--force,-f", options->force, "replace the drawing files when they exist");
  command->callback([options] { RunOutline(*options); });
}

}  // namespace quarnel::cli
