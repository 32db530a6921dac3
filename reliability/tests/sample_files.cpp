#include "reliability/tests/sample_files.h"

#include <cstdint>
#include <utility>

namespace quarnel::reliability {
namespace {

using testing::ExtraFields;
using testing::LegacyToolFields;
using testing::SptEntity;
using testing::ToolFields;

constexpr int kLegacyFileHead = 2 + 2 + 36 + 72;  // version, N, short table, placeholder
constexpr int kLegacyRecord = 72;
constexpr size_t kCountsAfterTools = 8;  // the extra count and the path count

ToolFields Tool(float size, int32_t type, int32_t keyed) {
  ToolFields tool;
  tool.size = size;
  tool.typeCode = type;
  tool.x = size + 0.5f;
  tool.y = size + 1.5f;
  tool.z = size + 2.5f;
  tool.keyedCount = keyed;
  tool.angles = {0.25f, 0.5f, 0.75f, 1.0f};
  tool.dieClearanceCount = 2;
  tool.dieClearances = {0.1f, 0.2f, 0.3f, 0.4f};
  tool.valueA = 11.0f;
  tool.valueB = 12.0f;
  tool.valueC = 13.0f;
  tool.valueD = 14.0f;
  return tool;
}

ExtraFields ShortExtra() {
  ExtraFields extra;
  extra.textLength = 12;
  extra.leadingValue = 3;
  extra.firstText = "first";
  extra.secondText = "second";
  extra.entries = {{255, 7.9f, 1, 0}, {4, 2.0f, 1, 2}};
  extra.leadByte = 5;
  extra.trailByte = 6;
  return extra;
}

LegacyToolFields LegacyTool(float size, int8_t type, int8_t keyed, std::string name, int name_offset) {
  LegacyToolFields tool;
  tool.size = size;
  tool.typeCode = type;
  tool.name = std::move(name);
  tool.nameOffset = name_offset;
  tool.x = size + 0.5f;
  tool.y = size + 1.5f;
  tool.z = size + 2.5f;
  tool.keyedCount = keyed;
  tool.angles = {1.0f, 2.0f, 3.0f, 4.0f};
  tool.dieClearanceCount = 3;
  tool.dieClearances = {0.1f, 0.2f, 0.3f, 0.4f};
  return tool;
}

LibrarySample LegacyLibrary(int version) {
  const int special_offset = version == 1 ? 5 : 6;
  testing::LegacyLibraryFileFields file;
  file.version = version;
  file.typeTable = {{1, 1}, {0, 0}, {2, 1}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {3, 2}};
  file.tools = {LegacyTool(5.0f, 1, 0, "ROUND", 5), LegacyTool(8.0f, 3, 2, "RECT/A:B", 5),
                LegacyTool(9.0f, 108, 0, "PUNCH7", special_offset),
                LegacyTool(9.5f, 108, 0, "NOFILE", special_offset)};
  LibrarySample sample;
  sample.version = version;
  sample.legacy = true;
  sample.bytes = testing::BuildLegacyLibraryFile(file);
  for (size_t k = 1; k <= file.tools.size(); ++k) {
    sample.toolEnds.push_back(kLegacyFileHead + kLegacyRecord * k);
  }
  return sample;
}

// Every version-specific entity field the readers look at, in a few entries.
std::vector<SptEntity> RichEntities(bool long_form) {
  auto entity = [](int8_t type, float x, float y, std::vector<float> params, int32_t ref = 0,
                   uint32_t flags = 0) {
    SptEntity e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.params = std::move(params);
    e.ref = ref;
    e.flags = flags;
    return e;
  };
  std::vector<SptEntity> entities = {
      entity(4, 0, 0, {10, 0}),                                   // 1 LINE
      entity(5, 0, 0, {5, 0, 7.0f}),                              // 2 ARC with a too-long sweep
      entity(1, 20, 0, {4}, 0, 0x83),                             // 3 ROUND HOLE
      entity(3, 0, 20, {6, 4, 0.5f}),                             // 4 RECTANGULAR HOLE
      entity(2, 10, 10, {2, 8, 1.0f}),                            // 5 RADIUSED SLOT
      entity(6, -10, 0, {8, 3, 0.2f}),                            // 6 OBROUND SLOT
      entity(8, 5, 5, {3, 3, 0.5f, 0.0f}),                        // 7 CORNER NOTCH
      entity(9, 5, -5, {4, 2, 0.0f, 0.0f, 0.0f}),                 // 8 V NOTCH
      entity(7, 100, 50, {}),                                     // GROUP: moves what follows
      entity(14, 0, 0, {4, 4, 0.1f}),                             // 9 CENTER RECTANGLE
      entity(15, 0, 0, {10, 12, 0.0f}),                           // 10 SINGLE D
      entity(16, 0, 0, {10, 12, 0.3f}),                           // 11 DOUBLE D
      entity(20, 0, 0, {6, 4, 1, 0.2f}),                          // 12 ROUNDED CORNER RECTANGLE
      entity(21, 0, 0, {5, 4, 0.1f}),                             // 13 TRIANGLE
      entity(7, 0, 0, {}),                                        // GROUP back at the origin
      entity(17, 1, 1, {}),                                       // 14 POINT
      entity(10, 0, 30, {10, 0, 2.5f}, 3, 0x3),                   // 15 PATTERN LINE of the hole
      entity(12, 0, 0, {15, 0, 3}, 3, 0x1),                       // 16 PATTERN CIRCLE of the hole
      entity(11, 50, 50, {5, 5, 2, 2, 0.3f}, 4, 0x1),             // 17 PATTERN GRID of the rectangle
      entity(13, 0, 0, {20, 0, 0.5f, 3}, 16, 0x1),                // 18 PATTERN ARC of a pattern
  };
  if (long_form) {
    SptEntity odd = entity(4, 1, 2, {3, 4});
    odd.paramCount = 12;  // no parameters stored; the previous ones stay
    odd.wordCount = 2;
    odd.textFlag = 1;
    entities.push_back(odd);
  }
  return entities;
}

testing::SpecialToolFileFields SpecialToolFields(int version) {
  testing::SpecialToolFileFields file;
  file.version = version;
  file.legacyTool = LegacyTool(12.5f, 108, 2, "", 6);
  file.extensionLength = 10;
  file.tool = Tool(12.5f, 108, 2);
  file.tool.specialBlock.fill(0x42);
  file.infoValue = 3.0f;
  file.sideCode = 1;
  file.entities = RichEntities(version != 7);
  return file;
}

}  // namespace

const std::vector<int>& LibraryVersions() {
  static const std::vector<int> versions = {1, 6, 7, 52, 54, 60, 61, 62, 71, 80, 90, 91, 92};
  return versions;
}

const std::vector<int>& SpecialToolVersions() {
  static const std::vector<int> versions = {7, 52, 54, 60, 61, 62, 71, 80, 90, 91, 92};
  return versions;
}

std::vector<ToolFields> RichCurrentTools() {
  ToolFields keyed = Tool(8.0f, 3, 2);
  keyed.extraIndex = 1;
  ToolFields special = Tool(9.0f, 108, 0);
  special.specialToolIndex = 1;
  special.z = 1.0f;
  special.specialBlock.fill(0x5A);
  return {Tool(5.0f, 1, 0), keyed, Tool(7.0f, 107, 1), special};
}

LibrarySample RichLibrary(int version) {
  if (version == 1 || version == 6 || version == 7) return LegacyLibrary(version);
  testing::LibraryFileFields file;
  file.version = version;
  file.typeTable = {{1, 1}, {0, 0}, {2, 1}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {3, 2}};
  file.tools = RichCurrentTools();
  file.extras = {ShortExtra()};
  file.paths = {"D:\\OLD\\PUNCH7.SPT"};

  LibrarySample sample;
  sample.version = version;
  sample.bytes = testing::BuildLibraryFile(file);
  testing::LibraryFileFields prefix = file;
  prefix.extras.clear();
  prefix.paths.clear();
  prefix.toolCount = static_cast<int32_t>(file.tools.size());
  for (size_t k = 1; k <= file.tools.size(); ++k) {
    prefix.tools.assign(file.tools.begin(), file.tools.begin() + static_cast<std::ptrdiff_t>(k));
    sample.toolEnds.push_back(testing::BuildLibraryFile(prefix).size() - kCountsAfterTools);
  }
  return sample;
}

SpecialToolSample RichSpecialTool(int version) {
  testing::SpecialToolFileFields file = SpecialToolFields(version);
  SpecialToolSample sample;
  sample.version = version;
  sample.bytes = testing::BuildSpecialToolFile(file);
  // The entity section's head: N and two unused numbers (2 bytes each in version 7, 4 after).
  const size_t section_head = version == 7 ? 6 : 12;
  file.entities.clear();
  sample.infoEnd = testing::BuildSpecialToolFile(file).size() - section_head;
  return sample;
}

std::string StationLibrary() {
  testing::LibraryFileFields file;
  ToolFields special = Tool(9.0f, 108, 0);
  special.specialToolIndex = 1;
  file.tools = {Tool(5.0f, 1, 0), Tool(8.0f, 3, 2), Tool(8.0f, 3, 2), special, Tool(6.0f, 4, 1)};
  file.paths = {"c:\\Tervan\\Moldrin\\SPECTOOL\\PUNCH7.spt"};
  return testing::BuildLibraryFile(file);
}

std::string RichStationFile() {
  auto station = [](int32_t number, int32_t position, ToolFields tool) {
    testing::StationFields fields;
    fields.stationNumber = number;
    fields.stationSize = 1.25f;
    fields.stationKind = 2;
    fields.toolPosition = position;
    fields.flags = 0x07;
    fields.carriedSeed = static_cast<uint8_t>(number);
    fields.tool = std::move(tool);
    return fields;
  };
  ToolFields special = Tool(9.0f, 108, 0);
  special.specialPath = "c:\\Tervan\\Moldrin\\SPECTOOL\\PUNCH7.spt";
  testing::StationFileFields file;
  file.first.markedPosition = 2;
  file.first.stations = {station(1, 1, Tool(5.0f, 1, 0)), station(2, 9, Tool(8.0f, 3, 2)),
                         station(3, 2, Tool(8.0f, 3, 2)), station(4, 3, Tool(99.0f, 3, 2))};
  file.second.tableIdentifier = 1;
  file.second.stations = {station(11, 4, special), station(12, 0, Tool(6.0f, 4, 1))};
  return testing::BuildStationFile(file);
}

std::vector<std::string> PatternSpecialTools() {
  auto file_of = [](std::vector<SptEntity> entities) {
    testing::SpecialToolFileFields file;
    file.entities = std::move(entities);
    return testing::BuildSpecialToolFile(file);
  };
  auto pattern = [](int8_t type, int32_t ref, std::vector<float> params) {
    SptEntity e;
    e.type = type;
    e.ref = ref;
    e.flags = 0x1;
    e.params = std::move(params);
    return e;
  };
  SptEntity hole;
  hole.type = 1;
  hole.x = 5;
  hole.params = {1};
  return {
      // A pattern of a pattern that stands after it, so that the copies nest.
      file_of({hole, pattern(10, 3, {10, 0, 2}), pattern(12, 1, {5, 0, 3})}),
      // Patterns that repeat themselves and each other.
      file_of({hole, pattern(10, 2, {1, 1, 3}), pattern(11, 4, {1, 1, 2, 2, 0}), pattern(13, 3, {1, 0, 1, 2})}),
      // References outside the list.
      file_of({hole, pattern(12, 0, {3, 0, 4}), pattern(10, -7, {1, 0, 2}), pattern(11, 99, {1, 1, 2, 2, 0})}),
  };
}

std::vector<std::string> MillionItemSpecialTools() {
  auto file_of = [](std::vector<SptEntity> entities) {
    testing::SpecialToolFileFields file;
    file.entities = std::move(entities);
    return testing::BuildSpecialToolFile(file);
  };
  auto entity = [](int8_t type, int32_t ref, uint32_t flags, std::vector<float> params) {
    SptEntity e;
    e.type = type;
    e.ref = ref;
    e.flags = flags;
    e.params = std::move(params);
    return e;
  };
  const SptEntity rectangle = entity(20, 0, 0, {8, 4, 1, 0});
  const SptEntity hole = entity(1, 0, 0x2, {1});
  return {
      file_of({rectangle, entity(11, 1, 0x1, {10, 10, 1000, 1000, 0})}),
      file_of({hole, entity(12, 3, 0x1, {50, 0, 1000}), entity(10, 1, 0x3, {2, 0, 1000})}),
      file_of({hole, entity(10, 1, 0x1, {0.5f, 0.25f, 1e9f})}),
  };
}

}  // namespace quarnel::reliability
