// Writing a special-tool file from an outline and tool settings, through the
// library's special-tool writer.
#pragma once

#include <string>

#include "core/special_tool_settings.h"
#include "input/outline_entities.h"

namespace quarnel::cli {

struct MadeSpecialTool {
  DrawingOutline outline;
  SpecialToolSettings settings;
};

struct MadeSummary {
  float size = 0.0f;
  bool sizeFromOutline = false;
};

// Writes `made` to `output` (complete or not at all). Throws CliError naming
// `input` for an entity the file cannot hold, `output` when writing fails.
MadeSummary WriteMadeSpecialTool(const std::string& input, const std::string& output, const MadeSpecialTool& made);

}  // namespace quarnel::cli
