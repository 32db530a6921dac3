// A special tool's data and outline for people (text) and programs (JSON).
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "host/special_tool_access.h"

namespace quarnel::cli {

// The tool data and a table of the entities with their end points.
std::string OutlineText(const SpecialToolOutline& outline);

// The tool data and every entity: its stored fields and, for lines and arcs,
// the points and angles that they stand for.
nlohmann::ordered_json OutlineJson(const SpecialToolOutline& outline);

}  // namespace quarnel::cli
