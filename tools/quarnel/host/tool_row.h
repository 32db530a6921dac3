// One tool of a tool library as the command-line host shows and edits it:
// the values that the Send and Receive entry points exchange.
#pragma once

#include <array>
#include <string>

#include "toollib/tool_record.h"

namespace quarnel::cli {

inline constexpr int kSpecialToolType = toollib::kTypeSpecial;

struct ToolRow {
  float size = 0.0f;
  int typeCode = 0;
  std::string name;  // the special-tool name of a type-108 tool, empty otherwise
  float x = 0.0f, y = 0.0f, z = 0.0f;
  int keyedCount = 0;
  std::array<float, 4> angles{};
  int dieClearanceCount = 0;
  std::array<float, 4> dieClearances{};
  float valueA = 0.0f, valueB = 0.0f, valueC = 0.0f, valueD = 0.0f;
  int firstStation = 0;   // station of the station file's first table, 0 = none
  int secondStation = 0;  // station of the second table, 0 = none
};

// The label of the type slot of a type code ("RO", "SQ", ... "NULL"), trimmed.
std::string TypeLabel(int typeCode);

// True for the codes with a type slot of their own (every other code is "NULL").
bool IsKnownTypeCode(int typeCode);

// The library's record of the tool (without its special-tool name, which ties
// a record to a file only inside a library). A special tool's z gives its
// side flags, as when the record is read from a file.
toollib::ToolRecord ToolRecordOf(const ToolRow& tool);

// The tool as the library holds it after saving and loading it again: the
// core's record written and read back (the loader corrects keyed counts).
ToolRow AsLoaded(const ToolRow& tool);

}  // namespace quarnel::cli
