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

constexpr int16_t kLegacyVersion = 7;

// Version 7: bytes of the extension head.
constexpr size_t kExtensionHeadRest = 4;
constexpr int64_t kExtensionHeadSize = 6;


// The later versions are those of the current tool library layout.
bool IsCurrentVersion(int version) {
  return toollib::IsKnownLibraryVersion(version) && !toollib::IsLegacyLibraryVersion(version);
}

// The side code, the first byte of the side area, sets the record's special
// flag of that side.
void ApplySideCode(uint8_t side_code, ToolRecord& record) {
  if (side_code == kSideOne) {
    record.specialFlags |= toollib::kSpecialFlagOne;
  } else if (side_code == kSideTwo) {
    record.specialFlags |= toollib::kSpecialFlagTwo;
  }
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
                   GeomItemList& items) {
  toollib::LegacyToolRecord block;
  int16_t extension_size = 0;
  unsigned char head_rest[kExtensionHeadRest];
  unsigned char side_area[kLegacySideAreaBytes];
  if (!toollib::ReadLegacyToolRecord(in, block) || !in.ReadI16(extension_size) || !in.ReadBytes(head_rest, sizeof head_rest) ||
      !in.Skip(extension_size - kExtensionHeadSize) || !in.ReadBytes(side_area, sizeof side_area)) {
    return StatusCode::kOk;
  }
  ApplySideCode(side_area[0], record);

  record.size = block.size;
  record.SetDimensions(block.dimensions[0], block.dimensions[1], block.dimensions[2]);
  record.SetKeyedCount(block.keyedCount);
  record.SetAngles(block.angles[0], block.angles[1], block.angles[2], block.angles[3]);
  record.dieClearanceCount = block.dieClearanceCount;
  record.SetDieClearances(block.dieClearances[0], block.dieClearances[1], block.dieClearances[2],
                          block.dieClearances[3]);
  record.ResolveSpecialTool(path.c_str());
  FillInfo(info, record, block.size);

  ReadSpecialToolGeometry(in, EntityForm::kShort, items);
  return StatusCode::kOk;
}

StatusCode ReadCurrentTool(BinaryReader& in, int version, ToolRecord& record, SpecialToolInfo& info,
                    GeomItemList& items) {
  float info_value = 0.0f;
  uint8_t side_code = 0;
  if (!DecodeToolHeader(in, version, record, side_code, info_value)) return StatusCode::kFileReadFailed;
  ApplySideCode(side_code, record);
  FillInfo(info, record, info_value);
  return ReadSpecialToolGeometry(in, EntityForm::kLong, items) ? StatusCode::kOk : StatusCode::kFileReadFailed;
}

}  // namespace

StatusCode ReadSpecialTool(SpecialToolInfo* info, GeomItemList& items) {
  if (info == nullptr || info->path == nullptr) return StatusCode::kFileMissing;
  const size_t length = strnlen(info->path, kMaxSpecialToolPath + 1);
  if (length > kMaxSpecialToolPath) return StatusCode::kFileMissing;
  const std::string path(info->path, length);
  if (!platform::Files().Exists(path)) return StatusCode::kFileMissing;

  ToolRecord record;
  record.typeCode = toollib::kTypeSpecial;
  record.ResolveSpecialTool(path.c_str());

  // The file closes when `file` goes out of scope, on every return below.
  const std::unique_ptr<platform::File> file = platform::Files().Open(path, platform::OpenMode::kRead);
  if (!file) return StatusCode::kFileCannotOpen;
  BinaryReader in(*file);
  int16_t version = 0;
  if (!in.ReadI16(version)) return StatusCode::kFileReadFailed;
  if (version == kLegacyVersion) return ReadLegacyTool(in, path, record, *info, items);
  if (IsCurrentVersion(version)) return ReadCurrentTool(in, version, record, *info, items);
  return StatusCode::kFileUnknownVersion;
}

}  // namespace quarnel::spectool
