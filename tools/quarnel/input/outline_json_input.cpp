#include "input/outline_json_input.h"

#include <bit>
#include <cmath>
#include <limits>

#include <nlohmann/json.hpp>

#include "cli_error.h"
#include "file_io.h"
#include "render/outline_geometry.h"

namespace quarnel::cli {
namespace {

// Numbers are parsed straight into floats (strtof), so that the shortest text
// of a float reads back as that float and never rounds twice.
using FloatJson = nlohmann::basic_json<std::map, std::vector, std::string, bool, std::int64_t, std::uint64_t, float>;

class JsonProblem : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A number field; JSON null (how non-finite values are written) reads as NaN.
float Number(const FloatJson& value, const std::string& where) {
  if (value.is_null()) return std::numeric_limits<float>::quiet_NaN();
  if (!value.is_number()) throw JsonProblem(where + " is not a number");
  return value.get<float>();
}

template <typename T>
T Whole(const FloatJson& value, const std::string& where) {
  if (!value.is_number_integer()) throw JsonProblem(where + " is not a whole number");
  if (value.is_number_unsigned()) {
    const auto v = value.get<uint64_t>();
    if (v > static_cast<uint64_t>(std::numeric_limits<T>::max())) throw JsonProblem(where + " is out of range");
    return static_cast<T>(v);
  }
  const auto v = value.get<int64_t>();
  if (v < static_cast<int64_t>(std::numeric_limits<T>::min()) || v > static_cast<int64_t>(std::numeric_limits<T>::max())) {
    throw JsonProblem(where + " is out of range");
  }
  return static_cast<T>(v);
}

template <size_t N>
void Numbers(const FloatJson& object, const char* key, float (&out)[N], const std::string& where) {
  if (!object.contains(key)) return;
  const FloatJson& array = object.at(key);
  if (!array.is_array() || array.size() > N) {
    throw JsonProblem(where + "\"" + key + "\" is not a list of at most " + std::to_string(N) + " numbers");
  }
  for (size_t i = 0; i < array.size(); ++i) out[i] = Number(array[i], where + "\"" + key + "\"[" + std::to_string(i) + "]");
}

SpecialToolSettings ToolSettings(const FloatJson& tool) {
  SpecialToolSettings s;
  if (!tool.is_object()) throw JsonProblem("\"tool\" is not an object");
  const std::string where = "tool ";
  if (tool.contains("size")) s.size = Number(tool["size"], where + "\"size\"");
  if (tool.contains("infoValue")) s.infoValue = Number(tool["infoValue"], where + "\"infoValue\"");
  float dimensions[3] = {};
  Numbers(tool, "dimensions", dimensions, where);
  s.x = dimensions[0];
  s.y = dimensions[1];
  Numbers(tool, "angles", s.angles, where);
  Numbers(tool, "dieClearances", s.dieClearances, where);
  if (tool.contains("keyedCount")) s.keyedCount = Whole<int32_t>(tool["keyedCount"], where + "\"keyedCount\"");
  if (tool.contains("dieClearanceCount")) {
    s.dieClearanceCount = Whole<int32_t>(tool["dieClearanceCount"], where + "\"dieClearanceCount\"");
  }
  if (tool.contains("valueA")) s.valueA = Number(tool["valueA"], where + "\"valueA\"");
  if (tool.contains("valueB")) s.valueB = Number(tool["valueB"], where + "\"valueB\"");
  // valueC is carried bit for bit: its bits win over its decimal value.
  if (tool.contains("valueCBits")) {
    s.valueC = Whole<uint32_t>(tool["valueCBits"], where + "\"valueCBits\"");
  } else if (tool.contains("valueC")) {
    s.valueC = std::bit_cast<uint32_t>(Number(tool["valueC"], where + "\"valueC\""));
  }
  if (tool.contains("valueD")) s.valueD = Number(tool["valueD"], where + "\"valueD\"");
  if (tool.contains("side")) {
    const int side = Whole<int>(tool["side"], where + "\"side\"");
    if (!IsSideCode(side)) throw JsonProblem(where + "\"side\" is not 0, 1 or 2");
    s.side = static_cast<uint8_t>(side);
  }
  return s;
}

int TypeCode(const FloatJson& entity, const std::string& where) {
  if (entity.contains("typeCode")) return Whole<int8_t>(entity["typeCode"], where + "\"typeCode\"");
  const FloatJson type = entity.value("type", FloatJson());
  for (const int code : {kLineType, kArcType}) {
    if (type == spectool::TypeName(code)) return code;
  }
  throw JsonProblem(where + "has no \"typeCode\"");
}

GeomEntity Entity(const FloatJson& entity, const std::string& where) {
  if (!entity.is_object()) throw JsonProblem(where + "is not an object");
  GeomEntity e{};
  e.type = static_cast<int8_t>(TypeCode(entity, where));
  if (entity.contains("ref")) e.ref = Whole<int32_t>(entity["ref"], where + "\"ref\"");
  if (entity.contains("flags")) e.flags = Whole<uint32_t>(entity["flags"], where + "\"flags\"");
  if (entity.contains("x")) e.x = Number(entity["x"], where + "\"x\"");
  if (entity.contains("y")) e.y = Number(entity["y"], where + "\"y\"");
  float p[kEntityParameters] = {};
  Numbers(entity, "p", p, where);
  for (size_t i = 0; i < kEntityParameters; ++i) e.p[i] = p[i];
  return e;
}

}  // namespace

JsonOutline ReadOutlineJson(const std::string& path) {
  const std::optional<std::string> text = ReadWholeFile(path, kLargestWholeFileBytes);
  if (!text || !IsRegularFile(path)) throw FileFailure(path, "no such JSON file");
  JsonOutline result;
  try {
    const FloatJson json = FloatJson::parse(*text);
    if (!json.is_object() || !json.contains("entities") || !json["entities"].is_array()) {
      throw JsonProblem("has no \"entities\" list (the JSON of 'quarnel outline --json' is expected)");
    }
    if (json.contains("tool")) result.settings = ToolSettings(json["tool"]);
    const FloatJson& entities = json["entities"];
    for (size_t i = 0; i < entities.size(); ++i) {
      result.outline.entities.push_back(Entity(entities[i], "entity " + std::to_string(i + 1) + ": "));
    }
  } catch (const FloatJson::exception& error) {
    throw FileFailure(path, std::string("is not valid JSON: ") + error.what());
  } catch (const JsonProblem& problem) {
    throw FileFailure(path, problem.what());
  }
  if (result.outline.entities.empty()) throw FileFailure(path, "holds no entities to make an outline of");
  return result;
}

}  // namespace quarnel::cli
