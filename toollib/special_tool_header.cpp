// Reading the tool data at the head of a special-tool file, for the legacy
// library loader.
#include <cstdio>
#include <string>

#include "platform/binary_reader.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "toollib/special_paths.h"
#include "toollib/special_tool_link.h"
#include "toollib/tool_file.h"
#include "toollib/tool_library.h"

namespace quarnel::toollib {
namespace {

constexpr int kLegacySpecialToolVersion = 7;
constexpr int kFirstCurrentVersion = 52;
constexpr int kLastCurrentVersion = 92;

// Side codes after the tool record of a current special-tool file.
constexpr uint8_t kSideCodeOne = 1;
constexpr uint8_t kSideCodeTwo = 2;

void ShowVersion(int version) {
  char text[32];
  std::snprintf(text, sizeof text, "spt version is %d", version);
  platform::ShowMessage(text);
}

void FillFromLegacyRecord(const LegacyToolRecord& legacy, ToolRecord& tool) {
  tool.size = legacy.size;
  tool.SetDimensions(legacy.dimensions[0], legacy.dimensions[1], legacy.dimensions[2]);
  tool.SetKeyedCount(legacy.keyedCount);
  tool.SetAngles(legacy.angles[0], legacy.angles[1], legacy.angles[2], legacy.angles[3]);
  tool.dieClearanceCount = legacy.dieClearanceCount;
  tool.SetDieClearances(legacy.dieClearances[0], legacy.dieClearances[1],
                        legacy.dieClearances[2], legacy.dieClearances[3]);
}

// Reads the tool data after the version into `tool`; false on a short read
// or a version without tool data.
bool ReadToolData(platform::BinaryReader& in, int version, ToolRecord& tool) {
  if (version == kLegacySpecialToolVersion) {
    LegacyToolRecord legacy;
    if (!ReadLegacyToolRecord(in, legacy)) return false;
    FillFromLegacyRecord(legacy, tool);
    return true;
  }
  if (version < kFirstCurrentVersion || version > kLastCurrentVersion) return false;
  if (tool.ReadRecord(in, version, false) == 0) return false;
  uint8_t side_code = 0;
  if (!in.ReadU8(side_code)) return false;
  if (side_code == kSideCodeOne) tool.specialFlags |= kSpecialFlagOne;
  if (side_code == kSideCodeTwo) tool.specialFlags |= kSpecialFlagTwo;
  return true;
}

}  // namespace

int ReadSpecialToolHeader(const char* name, ToolRecord& record, const SpecialToolLinks& links) {
  if (name == nullptr) return 0;
  const std::string path = SpecialToolFilePath(name, links.folder);
  if (!platform::Files().Exists(path)) return 0;

  ToolRecord tool;
  tool.typeCode = kTypeSpecial;
  tool.ResolveSpecialTool(path.c_str(), links);
  record = tool;

  std::unique_ptr<platform::File> file = platform::Files().Open(path, platform::OpenMode::kRead);
  if (!file) return 0;
  platform::BinaryReader in(*file);
  int16_t version = 0;
  if (!in.ReadI16(version)) return 0;
  ShowVersion(version);
  if (!ReadToolData(in, version, tool)) return 0;
  file->Close();

  tool.ResolveSpecialTool(path.c_str(), links);
  record = tool;
  return 1;
}

}  // namespace quarnel::toollib
