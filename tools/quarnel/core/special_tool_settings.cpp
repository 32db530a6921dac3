#include "core/special_tool_settings.h"

#include <bit>

#include "number_text.h"

namespace quarnel::cli {
namespace {

float* FloatField(SpecialToolSettings& s, const std::string& name) {
  if (name == "x") return &s.x;
  if (name == "y") return &s.y;
  if (name == "valueA") return &s.valueA;
  if (name == "valueB") return &s.valueB;
  if (name == "valueD") return &s.valueD;
  if (name.size() == 2 && name[1] >= '1' && name[1] <= '4') {
    if (name[0] == 'a') return &s.angles[name[1] - '1'];
    if (name[0] == 'd') return &s.dieClearances[name[1] - '1'];
  }
  return nullptr;
}

}  // namespace

int32_t CountUpToLastNonZero(const float (&values)[4]) {
  int32_t count = 0;
  for (int i = 0; i < 4; ++i) {
    if (values[i] != 0.0f) count = i + 1;
  }
  return count;
}

std::optional<std::string> ApplySetting(SpecialToolSettings& s, const std::string& assignment) {
  const size_t equals = assignment.find('=');
  if (equals == std::string::npos) return "--set " + assignment + ": expected FIELD=VALUE";
  const std::string name = assignment.substr(0, equals);
  const std::string text = assignment.substr(equals + 1);
  const std::string bad = "--set " + name + ": \"" + text + "\" is not ";
  float number = 0.0f;
  int integer = 0;
  if (name == "keyedCount" || name == "dieClearanceCount" || name == "side") {
    if (!ParseInt(text, integer)) return bad + "a whole number";
    if (name == "side" && !IsSideCode(integer)) return bad + "0, 1 or 2";
    if (name == "keyedCount" && (integer < 0 || integer > 4)) return bad + "0 to 4";
    if (name == "side") s.side = static_cast<uint8_t>(integer);
    if (name == "keyedCount") s.keyedCount = integer;
    if (name == "dieClearanceCount") s.dieClearanceCount = integer;
    return std::nullopt;
  }
  if (!ParseFloat(text, number)) return bad + "a finite number";
  if (name == "size") {
    s.size = number;
  } else if (name == "infoValue") {
    s.infoValue = number;
  } else if (name == "valueC") {
    s.valueC = std::bit_cast<uint32_t>(number);
  } else if (float* field = FloatField(s, name)) {
    *field = number;
  } else {
    return "--set " + name + ": unknown field; the fields are " + kSettableFields;
  }
  return std::nullopt;
}

toollib::ToolRecord ToolRecordOf(const SpecialToolSettings& s, double outline_diameter) {
  toollib::ToolRecord tool;
  tool.typeCode = toollib::kTypeSpecial;
  tool.size = s.size.value_or(static_cast<float>(outline_diameter));
  tool.SetDimensions(s.x, s.y, 0.0f);
  tool.SetAngles(s.angles[0], s.angles[1], s.angles[2], s.angles[3]);
  tool.SetDieClearances(s.dieClearances[0], s.dieClearances[1], s.dieClearances[2], s.dieClearances[3]);
  tool.keyedCount = s.keyedCount.value_or(CountUpToLastNonZero(s.angles));
  tool.dieClearanceCount = s.dieClearanceCount.value_or(CountUpToLastNonZero(s.dieClearances));
  tool.valueA = s.valueA;
  tool.valueB = s.valueB;
  tool.valueC = std::bit_cast<float>(s.valueC);
  tool.valueD = s.valueD;
  return tool;
}

}  // namespace quarnel::cli
