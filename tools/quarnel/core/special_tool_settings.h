// The tool data of a special tool being made: what the input gave, what
// --set changed, and the defaults for the rest.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "spectool/special_tool_format.h"
#include "toollib/tool_record.h"

namespace quarnel::cli {

struct SpecialToolSettings {
  std::optional<float> size;       // default: the outline's bounding circle diameter
  std::optional<float> infoValue;  // default: the size
  float x = 0.0f, y = 0.0f;        // z is not set: it carries the side
  float angles[4] = {};
  float dieClearances[4] = {};
  std::optional<int32_t> keyedCount;         // default: up to the last angle not 0
  std::optional<int32_t> dieClearanceCount;  // default: up to the last clearance not 0
  float valueA = 0.0f, valueB = 0.0f;
  uint32_t valueC = 0;  // bit for bit
  float valueD = 0.0f;
  uint8_t side = 0;  // 0, 1 or 2
};

// True for the side codes a special-tool file stores: none, side 1, side 2.
inline bool IsSideCode(int64_t code) { return code >= spectool::kNoSide && code <= spectool::kSideTwo; }

// The count of the first angles or clearances in use: a special-tool file's
// tool data does not say it, so the positions up to the last one not 0 count.
int32_t CountUpToLastNonZero(const float (&values)[4]);

// The names --set takes, for help texts.
inline constexpr const char* kSettableFields =
    "size, infoValue, x, y, a1..a4 (radians), d1..d4, keyedCount, dieClearanceCount, valueA, valueB, "
    "valueC, valueD, side (0, 1 or 2)";

// Applies one "field=value"; the error text (naming the field) when the field
// is unknown or the value does not fit it.
std::optional<std::string> ApplySetting(SpecialToolSettings& settings, const std::string& assignment);

// The tool record to write, with `outline_diameter` as the default size.
toollib::ToolRecord ToolRecordOf(const SpecialToolSettings& settings, double outline_diameter);

}  // namespace quarnel::cli
