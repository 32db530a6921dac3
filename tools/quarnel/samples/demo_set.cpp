#include "samples/demo_set.h"

#include <algorithm>
#include <numbers>

#include "render/outline_geometry.h"
#include "spectool/geom_types.h"

namespace quarnel::cli {
namespace {

using namespace spectool;

constexpr float kPi = std::numbers::pi_v<float>;

ToolRow Tool(int typeCode, float size, float x, float y, float z, int keyedCount,
             std::array<float, 4> angles, float clearance, const std::string& name = "") {
  ToolRow tool;
  tool.typeCode = typeCode;
  tool.size = size;
  tool.name = name;
  tool.x = x;
  tool.y = y;
  tool.z = z;
  tool.keyedCount = keyedCount;
  tool.angles = angles;
  tool.dieClearanceCount = 1;
  tool.dieClearances = {clearance, 0.0f, 0.0f, 0.0f};
  tool.valueA = 30.0f;  // the host's values: kept as they are
  tool.valueB = 0.5f;
  return tool;
}

SampleSpecialTool Special(const std::string& name, const std::string& description, float width,
                          float height, std::vector<GeomEntity> entities) {
  SampleSpecialTool special;
  special.name = name;
  special.description = description;
  special.tool = Tool(kSpecialToolType, width > height ? width : height, width, height, 0.0f, 1,
                      {0, 0, 0, 0}, 0.2f, name);
  special.infoValue = 1.0f;
  special.entities = std::move(entities);
  return special;
}

// Station sizes of a thick turret, by the tool's largest extent.
float StationSize(const ToolRow& tool) {
  const float extent = std::max({tool.size, tool.x, tool.y});
  for (float size : {12.7f, 31.7f, 50.8f}) {
    if (extent <= size) return size;
  }
  return 88.9f;
}

}  // namespace

std::vector<SampleSpecialTool> DemoSpecialTools() {
  std::vector<SampleSpecialTool> specials;
  specials.push_back(Special(
      "FLANGE", "bore with a bolt circle of six holes (PATTERN CIRCLE)", 66, 66,
      {EntityOf(kGeomRoundHole, 0, 0, {20}),
       EntityOf(kGeomRoundHole, 30, 0, {3}, kFlagSeed),
       EntityOf(kGeomPatternCircle, 0, 0, {30, 0, 6}, kFlagRefInUse, 2)}));
  specials.push_back(Special(
      "VENT", "rounded plate with a row of louvre slots (PATTERN LINE)", 60, 40,
      {EntityOf(kGeomRoundedCornerRectangle, 0, 0, {60, 40, 0, 5}, kFlagOverallSize),
       EntityOf(kGeomObroundSlot, -20, 0, {26, 4, kPi / 2}, kFlagOverallSize | kFlagSeed),
       EntityOf(kGeomPatternLine, -20, 0, {8, 0, 6}, kFlagRefInUse, 2)}));
  specials.push_back(Special(
      "GRILLE", "rectangle with a 6 x 3 grid of holes (PATTERN GRID)", 50, 30,
      {EntityOf(kGeomCenterRectangle, 0, 0, {50, 30, 0}),
       EntityOf(kGeomRoundHole, -20, -10, {1.5f}, kFlagSeed),
       EntityOf(kGeomPatternGrid, -20, -10, {8, 10, 6, 3, 0}, kFlagRefInUse, 2)}));
  specials.push_back(Special(
      "ARCSLOT", "radiused slot over three holes on an arc (PATTERN ARC)", 56, 50,
      {EntityOf(kGeomRadiusedSlot, 0, 0, {25, kPi / 6, 2 * kPi / 3, 6}),
       EntityOf(kGeomRoundHole, 12.5f, -21.650635f, {2}, kFlagSeed),
       EntityOf(kGeomPatternArc, 0, 0, {25, -kPi / 3, -kPi / 6, 3}, kFlagRefInUse, 2)}));
  // Single D rotations as the host receives them (the file stores them a half turn round).
  specials.push_back(Special(
      "DSUB", "double D between two single D keys and a keying triangle", 66, 20,
      {EntityOf(kGeomDoubleD, 0, 0, {10, 8, 0}),
       EntityOf(kGeomSingleD, -25, 0, {4, 3, 0}),
       EntityOf(kGeomSingleD, 25, 0, {4, 3, kPi}),
       EntityOf(kGeomTriangle, 0, -12, {6, -4, 0})}));
  specials.push_back(Special(
      "NOTCHER", "plate of lines and an arc with corner and V notches and a moved group", 60, 30,
      {EntityOf(kGeomLine, 0, 0, {60, 0}),
       EntityOf(kGeomLine, 60, 0, {0, 20}),
       EntityOf(kGeomArc, 50, 20, {10, 0, kPi / 2}),
       EntityOf(kGeomLine, 50, 30, {-50, 0}),
       EntityOf(kGeomLine, 0, 30, {0, -30}),
       EntityOf(kGeomCornerNotch, 0, 0, {8, 8, 8, 8, 0}),
       EntityOf(kGeomVNotch, 30, 0, {8, kPi / 2, 0, 0, kPi / 2}),
       EntityOf(kGeomPoint, 15, 15, {}),
       EntityOf(kGeomGroup, 40, 0, {}),  // moves the entities that follow by (40, 0)
       EntityOf(kGeomRectangularHole, 0, 12, {10, 5, 0}),
       EntityOf(kGeomTriangle, 5, 20, {8, 6, 0}),
       EntityOf(kGeomGroup, 0, 0, {})}));
  return specials;
}

std::vector<ToolRow> DemoTools(const std::vector<SampleSpecialTool>& specials) {
  const float right = kPi / 2;
  std::vector<ToolRow> tools = {
      Tool(toollib::kTypeRound, 5.0f, 5.0f, 0, 0, 0, {0, 0, 0, 0}, 0.15f),
      Tool(toollib::kTypeRound, 10.0f, 10.0f, 0, 0, 0, {0, 0, 0, 0}, 0.2f),
      Tool(toollib::kTypeRound, 25.4f, 25.4f, 0, 0, 0, {0, 0, 0, 0}, 0.25f),
      Tool(toollib::kTypeSquare, 10.0f, 10.0f, 0, 0, 1, {0, 0, 0, 0}, 0.2f),
      Tool(toollib::kTypeRectangle, 20.0f, 20.0f, 5.0f, 0, 2, {0, right, 0, 0}, 0.2f),
      Tool(toollib::kTypeObround, 25.0f, 25.0f, 8.0f, 0, 1, {0, 0, 0, 0}, 0.2f),
      Tool(toollib::kTypeSingleD, 16.0f, 16.0f, 14.0f, 0, 1, {0, 0, 0, 0}, 0.2f),
      Tool(toollib::kTypeDoubleD, 16.0f, 16.0f, 13.0f, 0, 1, {0, 0, 0, 0}, 0.2f),
      Tool(toollib::kTypeTriangle, 20.0f, 20.0f, 17.0f, 0, 1, {0, 0, 0, 0}, 0.2f),
      Tool(toollib::kTypeCircleRect, 30.0f, 30.0f, 10.0f, 2.0f, 1, {0, 0, 0, 0}, 0.2f),
      Tool(toollib::kTypeRoundedRect, 40.0f, 40.0f, 20.0f, 3.0f, 1, {0, 0, 0, 0}, 0.25f),
  };
  for (const SampleSpecialTool& special : specials) tools.push_back(special.tool);
  return tools;
}

void DemoStations(const std::vector<ToolRow>& tools, std::vector<SampleStation>& first, std::vector<SampleStation>& second) {
  first.clear();
  second.clear();
  for (size_t i = 0; i < tools.size(); ++i) {
    SampleStation station;
    station.number = static_cast<int32_t>(i + 1);
    station.stationSize = StationSize(tools[i]);
    station.toolPosition = static_cast<int32_t>(i + 1);
    station.tool = tools[i];
    first.push_back(station);
    // The rectangle, the triangle and the special tools also sit in the second table.
    if (tools[i].typeCode == toollib::kTypeRectangle || tools[i].typeCode == toollib::kTypeTriangle ||
        tools[i].typeCode == kSpecialToolType) {
      station.number = static_cast<int32_t>(second.size() + 1);
      station.kind = 1;
      second.push_back(station);
    }
  }
}

}  // namespace quarnel::cli
