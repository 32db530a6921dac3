// Reading a tool library file of any version into a ToolLibrary.
#include <cstring>
#include <new>
#include <string>

#include "platform/binary_reader.h"
#include "platform/file_system.h"
#include "toollib/special_paths.h"
#include "toollib/special_tool_link.h"
#include "toollib/tool_extra_format.h"
#include "toollib/tool_file.h"
#include "toollib/tool_library.h"

namespace quarnel::toollib {
namespace {

// Slots filled, in order, by the 9 pairs of the short type table.
constexpr int kShortTableSlots[] = {0, 2, 3, 5, 6, 7, 8, 9, 10};
constexpr int kFirstVersionWithLongTypeTable = 54;

// Zeroes the values beyond the first `count` of four; counts outside 0..3 keep all.
void ClearUnusedValues(int32_t count, float (&values)[4]) {
  if (count < 0 || count > 3) return;
  for (int32_t i = count; i < 4; ++i) values[i] = 0.0f;
}

// A tool built from a legacy record's own fields, with its sanitised name
// (type 108 is tied to its special-tool file through that name).
ToolRecord ToolFromLegacyRecord(LegacyToolRecord legacy, const std::string& name,
                                const SpecialToolLinks& links) {
  ClearUnusedValues(legacy.keyedCount, legacy.angles);
  ClearUnusedValues(legacy.dieClearanceCount, legacy.dieClearances);
  ToolRecord tool = ToolRecord::FromLegacyRecord(
      legacy.size, legacy.typeCode, name.c_str(), legacy.dimensions, legacy.keyedCount,
      legacy.angles, legacy.dieClearanceCount, legacy.dieClearances);
  if (tool.typeCode == kTypeSpecial) tool.ResolveSpecialTool(name.c_str(), links);
  return tool;
}

std::string SanitizedName(const std::string& name) {
  std::string sanitized = name;
  SanitizeFileName(sanitized.data());
  return sanitized;
}

}  // namespace

StatusCode ToolLibrary::Load(const char* path, SpecialToolFolderBuffer& folder) {
  if (path == nullptr) return StatusCode::kFileCannotOpen;
  // The file is closed when `file` goes out of scope, on every return.
  std::unique_ptr<platform::File> file = platform::Files().Open(path, platform::OpenMode::kRead);
  if (!file) return StatusCode::kFileCannotOpen;
  platform::BinaryReader in(*file);
  int16_t version = 0;
  if (!in.ReadI16(version)) return StatusCode::kFileReadFailed;
  if (!IsKnownLibraryVersion(version)) return StatusCode::kFileUnknownVersion;
  if (Count() > 0) Clear();
  return IsLegacyLibraryVersion(version) ? LoadLegacyLayout(in, version, folder)
                                         : LoadCurrentLayout(in, version, folder);
}

bool ToolLibrary::ReadShortTypeTable(platform::BinaryReader& in) {
  types_[1] = TypeSlotEntry{};
  types_[4] = TypeSlotEntry{};
  for (int slot : kShortTableSlots) {
    int16_t start = 0;
    int16_t count = 0;
    if (!in.ReadI16(start) || !in.ReadI16(count)) return false;
    types_[slot] = TypeSlotEntry{start, count};
  }
  return true;
}

StatusCode ToolLibrary::LoadCurrentLayout(platform::BinaryReader& in, int version,
                                          SpecialToolFolderBuffer& folder) {
  int32_t tool_count = 0;
  if (!in.ReadI32(tool_count)) return StatusCode::kFileReadFailed;
  if (version < kFirstVersionWithLongTypeTable) {
    if (!ReadShortTypeTable(in)) return StatusCode::kFileReadFailed;
  } else {
    for (TypeSlotEntry& slot : types_) {
      if (!in.ReadI32(slot.start) || !in.ReadI32(slot.count)) return StatusCode::kFileReadFailed;
    }
  }

  // Counts come from the file: records are appended one by one, never
  // reserved. Each tool is decoded straight into its list record, saving a
  // copy per tool; the bytes after its fields are zero, as Append pads them.
  // A record that cannot be read is taken back.
  constexpr size_t kToolPadding = kToolRecordSize - sizeof(ToolRecord);
  for (int32_t i = 0; i < tool_count; ++i) {
    unsigned char* record = AppendUnfilled();
    if (record == nullptr) return StatusCode::kFileReadFailed;
    std::memset(record + sizeof(ToolRecord), 0, kToolPadding);
    // A ToolRecord is an implicit-lifetime aggregate: the list's bytes hold one.
    ToolRecord& tool = *std::launder(reinterpret_cast<ToolRecord*>(record));
    if (tool.ReadRecord(in, version, false) == 0) {
      RemoveLastAppended();
      return StatusCode::kFileReadFailed;
    }
  }

  int32_t extra_count = 0;
  if (!in.ReadI32(extra_count)) return StatusCode::kFileReadFailed;
  extras_.Clear();
  for (int32_t i = 0; i < extra_count; ++i) {
    // Extra records lie at odd offsets, so an extra is decoded beside its
    // record and then copied in.
    ToolExtra extra = NewToolExtra();
    if (!ReadToolExtra(in, version, extra)) return StatusCode::kFileReadFailed;
    unsigned char* record = extras_.AppendUnfilled();
    if (record == nullptr) return StatusCode::kFileReadFailed;
    extra.ToBytes(*reinterpret_cast<unsigned char(*)[kToolExtraRecordSize]>(record));
  }

  int32_t path_count = 0;
  if (!in.ReadI32(path_count)) return StatusCode::kFileReadFailed;
  paths_.Clear();
  ForgetPathIndex();
  const std::string folder_text = path_count > 0 ? SpecialToolFolder(folder) : "";
  for (int32_t i = 0; i < path_count; ++i) {
    char entry[kSpecialPathSize];
    if (!in.ReadText(entry, sizeof entry, kSpecialPathSize)) return StatusCode::kFileReadFailed;
    unsigned char* record = paths_.AppendUnfilled();
    if (record == nullptr) return StatusCode::kFileReadFailed;
    std::memset(record, 0, kSpecialPathSize);
    // Stored paths name files of another installation: keep only the name.
    static_assert(kSpecialPathSize == kMaxSpecialPathLength + 1);
    WriteRerootedSpecialPath(entry, folder_text, *reinterpret_cast<char(*)[kSpecialPathSize]>(record));
  }
  return StatusCode::kOk;
}

StatusCode ToolLibrary::LoadLegacyLayout(platform::BinaryReader& in, int version,
                                         SpecialToolFolderBuffer& folder) {
  // Special tools are tied into this library.
  const SpecialToolLinks links{this, folder};
  int16_t stored_count = 0;
  if (!in.ReadI16(stored_count)) return StatusCode::kFileReadFailed;
  if (!ReadShortTypeTable(in)) return StatusCode::kFileReadFailed;
  // The stored count includes a leading placeholder record.
  if (stored_count < 2) return StatusCode::kOk;
  const bool names_shifted = version == 6 || version == 7;
  bool ok = in.Skip(kLegacyToolRecordSize);
  for (int i = 1; ok && i < stored_count; ++i) {
    LegacyToolRecord legacy;
    ok = ReadLegacyToolRecord(in, legacy);
    if (!ok) break;
    ToolRecord tool;
    if (legacy.typeCode == kTypeSpecial && names_shifted) {
      const std::string name = SanitizedName(legacy.Name(true));
      const std::string file_path = SpecialPathForName(name, folder);
      // Without a readable special-tool file the tool keeps what the record
      // says, rather than becoming a blank special tool.
      if (!platform::Files().Exists(file_path) || ReadSpecialToolHeader(file_path.c_str(), tool, links) != 1) {
        tool = ToolFromLegacyRecord(legacy, name, links);
      }
    } else {
      // Only a special tool's name is used (it ties the tool to its file).
      tool = ToolFromLegacyRecord(
          legacy, legacy.typeCode == kTypeSpecial ? SanitizedName(legacy.Name(false)) : std::string(), links);
    }
    ok = Append(tool) == StatusCode::kOk;
  }
  if (ok) return StatusCode::kOk;
  // A legacy library is all or nothing.
  Clear();
  return StatusCode::kFileReadFailed;
}

}  // namespace quarnel::toollib
