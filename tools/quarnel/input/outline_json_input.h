// A special tool's outline and tool data from the JSON that `quarnel outline
// --json` writes (edited or not): fields are taken by name, others ignored.
#pragma once

#include <string>

#include "core/special_tool_settings.h"
#include "input/outline_entities.h"

namespace quarnel::cli {

struct JsonOutline {
  DrawingOutline outline;
  SpecialToolSettings settings;
};

// Throws CliError naming `path` when the text is not such JSON.
JsonOutline ReadOutlineJson(const std::string& path);

}  // namespace quarnel::cli
