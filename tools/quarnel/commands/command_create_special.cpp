// quarnel create-special INPUT OUTPUT.spt [--size S] [--units mm|in] [--layer L]
//   [--shapes] [--skip-unsupported] [--set FIELD=VALUE]... [--force]
#include <fstream>
#include <iostream>
#include <memory>

#include "cli_error.h"
#include "commands/commands.h"
#include "file_io.h"
#include "input/create_special.h"
#include "input/dxf_input.h"
#include "input/outline_json_input.h"
#include "number_text.h"
#include "spectool/special_tool_writer.h"

namespace quarnel::cli {
namespace {

struct CreateSpecialOptions {
  std::string input;
  std::string output;
  std::optional<float> size;
  std::string units;
  std::optional<std::string> layer;
  bool shapes = false;
  bool skipUnsupported = false;
  std::vector<std::string> settings;
  bool force = false;
};

// JSON by its extension or, failing that, by its first character.
bool IsJsonInput(const std::string& path) {
  const std::string lower = [&] {
    std::string text = path;
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  }();
  if (lower.ends_with(".json")) return true;
  if (lower.ends_with(".dxf")) return false;
  std::ifstream in(path);
  char first = 0;
  in >> first;
  return first == '{';
}

std::optional<LengthUnit> Units(const std::string& text) {
  if (text.empty()) return std::nullopt;
  if (text == "mm") return LengthUnit::kMillimetre;
  if (text == "in") return LengthUnit::kInch;
  throw CliError("--units " + text + ": expected mm or in");
}

void RunCreateSpecial(const CreateSpecialOptions& options) {
  if (!options.force && IsRegularFile(options.output)) {
    throw FileFailure(options.output, "already exists; nothing was written (--force replaces it)");
  }
  MadeSpecialTool made;
  if (IsJsonInput(options.input)) {
    if (!options.units.empty() || options.layer || options.shapes) {
      throw FileFailure(options.input, "--units, --layer and --shapes apply to DXF input only");
    }
    JsonOutline json = ReadOutlineJson(options.input);
    made.outline = std::move(json.outline);
    made.settings = json.settings;
  } else {
    const DxfInputOptions dxf{options.layer, options.shapes, options.skipUnsupported, Units(options.units)};
    made.outline = ReadDxfOutline(options.input, dxf);
  }
  if (options.size) made.settings.size = *options.size;
  for (const std::string& assignment : options.settings) {
    if (std::optional<std::string> problem = ApplySetting(made.settings, assignment)) throw CliError(*problem);
  }
  const MadeSummary summary = WriteMadeSpecialTool(options.input, options.output, made);
  for (const std::string& skipped : made.outline.skipped) std::cout << "skipped " << skipped << "\n";
  std::cout << options.output << ": special tool of " << made.outline.entities.size()
            << (made.outline.entities.size() == 1 ? " entity" : " entities") << " from " << options.input
            << ", size " << ShortText(summary.size) << (summary.sizeFromOutline ? " (the outline's bounding circle)" : "")
            << "\n";
}

}  // namespace

void AddCreateSpecialCommand(CLI::App& app) {
  auto options = std::make_shared<CreateSpecialOptions>();
  CLI::App* command = app.add_subcommand(
      "create-special",
      "Make a special-tool file (.spt, version 92) from a DXF drawing (LINE, ARC, CIRCLE, LWPOLYLINE and "
      "POLYLINE of model space) or from the JSON of 'quarnel outline --json'. Circles become round holes. "
      "The output appears complete or not at all.");
  command->add_option("INPUT", options->input, "DXF drawing or outline JSON")->required();
  command->add_option("OUTPUT", options->output, "special-tool file to write (.spt)")->required();
  command->add_option("--size", options->size, "the tool's size (default: the outline's bounding circle diameter)");
  command->add_option("--units", options->units,
                      "mm or in: convert a drawing that states its units ($INSUNITS) into these");
  command->add_option("--layer", options->layer, "take only the entities of this layer");
  command->add_flag("--shapes", options->shapes,
                    "closed polylines that are exactly a rectangle, an obround or a rounded-corner rectangle "
                    "become those shapes (else lines and arcs)");
  command->add_flag("--skip-unsupported", options->skipUnsupported,
                    "leave out (and list) entities a special tool cannot take instead of failing");
  command->add_option("--set", options->settings, std::string("set a tool field: FIELD=VALUE; fields: ") + kSettableFields);
  command->add_flag("--force", options->force, "replace OUTPUT when it exists");
  command->callback([options] { RunCreateSpecial(*options); });
}

}  // namespace quarnel::cli
