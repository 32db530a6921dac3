#include "render/outline_listing.h"

#include <bit>
#include <cmath>
#include <numbers>

#include "number_text.h"
#include "render/outline_geometry.h"
#include "render/text_table.h"

namespace quarnel::cli {
namespace {

// Lines and arcs by the library's names for them; any other code by its number.
std::string EntityName(int type) {
  return type == kLineType || type == kArcType ? spectool::TypeName(type) : "TYPE " + std::to_string(type);
}

std::string Degrees(double radians) { return ShortText(radians * 180.0 / std::numbers::pi, 3); }

template <typename Values>
nlohmann::ordered_json Floats(const Values& values) {
  nlohmann::ordered_json array = nlohmann::ordered_json::array();
  for (float value : values) array.push_back(DecimalValue(value));
  return array;
}

nlohmann::ordered_json PointJson(Point point) { return nlohmann::ordered_json::array({point.x, point.y}); }

}  // namespace

std::string OutlineText(const SpecialToolOutline& outline) {
  const SpecialToolData& t = outline.tool;
  std::string text = outline.path + ": special tool, " + std::to_string(outline.entities.size()) +
                     (outline.entities.size() == 1 ? " entity" : " entities") + "\n";
  text += "  size " + ShortText(t.size) + ", info value " + ShortText(t.infoValue) +
          ", dimensions " + ShortText(t.dimensions[0]) + " x " + ShortText(t.dimensions[1]) +
          " x " + ShortText(t.dimensions[2]) + ", side " + std::to_string(t.side) + "\n";
  text += "  angles (deg) " + Degrees(t.angles[0]) + "/" + Degrees(t.angles[1]) + "/" +
          Degrees(t.angles[2]) + "/" + Degrees(t.angles[3]) + ", die clearances " +
          ShortText(t.dieClearances[0]) + "/" + ShortText(t.dieClearances[1]) + "/" +
          ShortText(t.dieClearances[2]) + "/" + ShortText(t.dieClearances[3]) + ", value C " +
          ShortText(std::bit_cast<float>(t.valueC)) + ", value D " + ShortText(t.valueD) + "\n";
  if (outline.entities.empty()) return text;

  const std::vector<std::optional<size_t>> coinciding = CoincidingEntities(outline.entities);
  size_t coincident = 0;
  TextTable table;
  table.header = {"#", "Same as", "Entity", "X", "Y", "End X", "End Y", "Radius", "Start (deg)", "Sweep (deg)"};
  table.rightAligned = {true, true, false, true, true, true, true, true, true, true};
  for (size_t i = 0; i < outline.entities.size(); ++i) {
    const GeomEntity& e = outline.entities[i];
    coincident += coinciding[i] ? 1 : 0;
    std::vector<std::string> row = {std::to_string(i + 1),
                                    coinciding[i] ? std::to_string(*coinciding[i] + 1) : "",
                                    EntityName(e.type), ShortText(e.x), ShortText(e.y)};
    if (e.type == kLineType) {
      const Point end = LineEnd(e);
      row.insert(row.end(), {ShortText(end.x), ShortText(end.y), "", "", ""});
    } else if (e.type == kArcType) {
      const Point end = ArcPoint(e, static_cast<double>(e.p[1]) + e.p[2]);
      row.insert(row.end(), {ShortText(end.x), ShortText(end.y), ShortText(e.p[0]),
                             Degrees(e.p[1]), Degrees(e.p[2])});
    }
    table.rows.push_back(std::move(row));
  }
  text += FormatTable(table);
  if (coincident > 0) {
    text += std::to_string(coincident) + (coincident == 1 ? " entity coincides" : " entities coincide") +
            " with an earlier one (\"Same as\": a pattern's seed and its first copy, as the host "
            "receives them); drawings draw each once\n";
  }
  return text;
}

nlohmann::ordered_json OutlineJson(const SpecialToolOutline& outline) {
  const SpecialToolData& t = outline.tool;
  nlohmann::ordered_json tool = {
      {"size", DecimalValue(t.size)},
      {"infoValue", DecimalValue(t.infoValue)},
      {"dimensions", Floats(t.dimensions)},
      {"angles", Floats(t.angles)},
      {"dieClearances", Floats(t.dieClearances)},
      {"valueC", DecimalValue(std::bit_cast<float>(t.valueC))},
      {"valueCBits", t.valueC},
      {"valueD", DecimalValue(t.valueD)},
      {"side", t.side},
  };
  const std::vector<std::optional<size_t>> coinciding = CoincidingEntities(outline.entities);
  nlohmann::ordered_json entities = nlohmann::ordered_json::array();
  for (size_t i = 0; i < outline.entities.size(); ++i) {
    const GeomEntity& e = outline.entities[i];
    nlohmann::ordered_json entity = {
        {"index", i + 1},
        {"type", EntityName(e.type)},
        {"typeCode", int{e.type}},
        {"ref", int32_t{e.ref}},
        {"flags", uint32_t{e.flags}},
        {"x", DecimalValue(e.x)},
        {"y", DecimalValue(e.y)},
        {"p", Floats(Parameters(e))},
    };
    if (coinciding[i]) entity["coincidesWith"] = *coinciding[i] + 1;
    if (e.type == kLineType) {
      entity["start"] = PointJson({e.x, e.y});
      entity["end"] = PointJson(LineEnd(e));
    } else if (e.type == kArcType) {
      entity["centre"] = PointJson({e.x, e.y});
      entity["radius"] = DecimalValue(e.p[0]);
      entity["startAngle"] = DecimalValue(e.p[1]);
      entity["sweep"] = DecimalValue(e.p[2]);
      entity["start"] = PointJson(ArcPoint(e, e.p[1]));
      entity["end"] = PointJson(ArcPoint(e, static_cast<double>(e.p[1]) + e.p[2]));
    }
    entities.push_back(std::move(entity));
  }
  return {{"file", outline.path}, {"tool", tool}, {"entities", entities}};
}

}  // namespace quarnel::cli
