#include "spectool/special_tool_reader.h"

#include <bit>
#include <cstring>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "toollib/tool_file.h"
#include "toollib/tool_record.h"

namespace quarnel::spectool {
namespace {

using platform::BinaryReader;
using toollib::ToolRecord;


// The later versions are those of the current tool library layout.
bool IsCurrentVersion(int version) {
  return toollib::IsKnownLibraryVersion(version) && !toollib::IsLegacyLibraryVersion(version);
}

// Writes the tool fields of the host's record: size through side, nothing else.
void FillInfo(SpecialToolInfo& info, const ToolRecord& record, float info_value) {
  info.size = record.size;
  info.infoValue = info_value;
  for (int i = 0; i < 3; ++i) info.dimensions[i] = record.dimensions[i];
  for (int i = 0; i < 4; ++i) info.angles[i] = record.angles[i];
  for (int i = 0; i < 4; ++i) info.dieClearances[i] = record.dieClearances[i];
  info.valueC = std::bit_cast<uint32_t>(record.valueC);
  info.valueD = record.valueD;
  if (record.specialFlags & toollib::kSpecialFlagOne) {
    info.side = kSideOne;
  } else if (record.specialFlags & toollib::kSpecialFlagTwo) {
    info.side = kSideTwo;
  } else {
    info.side = 0;
  }
}

// Version 7: a file that ends inside its tool data is still read (status 0),
// only without tool data or entities; a short entity section keeps what it gave.
StatusCode ReadLegacyTool(BinaryReader& in, const std::string& path, ToolRecord& record, SpecialToolInfo& info,
                          GeomItemList& items, const toollib::SpecialToolLinks& links) {
  toollib::LegacyToolRecord block;
  uint8_t side_code = 0;
  if (!toollib::DecodeLegacyToolHeader(in, block, side_code)) return StatusCode::kOk;
  toollib::ApplySideCode(side_code, record);

  toollib::FillFromToolBlock(block, record);
  record.ResolveSpecialTool(path.c_str(), links);
  FillInfo(info, record, block.size);

  ReadSpecialToolGeometry(in, EntityForm::kShort, items);
  return StatusCode::kOk;
}

StatusCode ReadCurrentTool(BinaryReader& in, int version, ToolRecord& record, SpecialToolInfo& info,
                    GeomItemList& items) {
  float info_value = 0.0f;
  uint8_t side_code = 0;
  if (!DecodeToolHeader(in, version, record, side_code, info_value)) return StatusCode::kFileReadFailed;
  toollib::ApplySideCode(side_code, record);
  FillInfo(info, record, info_value);
  return ReadSpecialToolGeometry(in, EntityForm::kLong, items) ? StatusCode::kOk : StatusCode::kFileReadFailed;
}

}  // namespace

StatusCode ReadSpecialTool(SpecialToolInfo* info, GeomItemList& items, const toollib::SpecialToolLinks& links) {
  if (info == nullptr || info->path == nullptr) return StatusCode::kFileMissing;
  const size_t length = strnlen(info->path, kMaxSpecialToolPath + 1);
  if (length > kMaxSpecialToolPath) return StatusCode::kFileMissing;
  const std::string path(info->path, length);
  if (!platform::Files().Exists(path)) return StatusCode::kFileMissing;

  ToolRecord record;
  record.typeCode = toollib::kTypeSpecial;
  record.ResolveSpecialTool(path.c_str(), links);

  // The file closes when `file` goes out of scope, on every return below.
  const std::unique_ptr<platform::File> file = platform::Files().Open(path, platform::OpenMode::kRead);
  if (!file) return StatusCode::kFileCannotOpen;
  BinaryReader in(*file);
  int16_t version = 0;
  if (!in.ReadI16(version)) return StatusCode::kFileReadFailed;
  if (version == toollib::kLegacySpecialToolVersion) return ReadLegacyTool(in, path, record, *info, items, links);
  if (IsCurrentVersion(version)) return ReadCurrentTool(in, version, record, *info, items);
  return StatusCode::kFileUnknownVersion;
}

}  // namespace quarnel::spectool
