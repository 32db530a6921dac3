// Reading the tool data at the head of a special-tool file, for the legacy
// library loader.
#include <cstdio>
#include <string>

#include "platform/binary_reader.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "toollib/special_paths.h"
#include "toollib/special_tool_header_format.h"
#include "toollib/special_tool_link.h"
#include "toollib/tool_file.h"
#include "toollib/tool_library.h"

namespace quarnel::toollib {
namespace {

constexpr int kFirstCurrentVersion = 52;
constexpr int kLastCurrentVersion = 92;

void ShowVersion(int version) {
  char text[32];
  std::snprintf(text, sizeof text, "spt version is %d", version);
  platform::ShowMessage(text);
}

// Reads the tool data after the version into `tool`; false on a short read
// or a version without tool data.
bool ReadToolData(platform::BinaryReader& in, int version, ToolRecord& tool) {
  if (version == kLegacySpecialToolVersion) {
    LegacyToolRecord legacy;
    if (!ReadLegacyToolRecord(in, legacy)) return false;
    FillFromToolBlock(legacy, tool);
    return true;
  }
  if (version < kFirstCurrentVersion || version > kLastCurrentVersion) return false;
  uint8_t side_code = 0;
  if (!DecodeToolAndSideCode(in, version, tool, side_code)) return false;
  ApplySideCode(side_code, tool);
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
