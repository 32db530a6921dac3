// ToolLibrary: the in-memory copy of one tool library file, with its type
// table, its ToolExtra records and its special path list.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/status.h"
#include "store/record_list.h"
#include "toollib/special_tool_folder.h"
#include "toollib/tool_record.h"

namespace quarnel::toollib {

inline constexpr int kExtraEntryCount = 20;
inline constexpr int kExtraTextSize = 256;
// Bytes of a ToolExtra in the library's extra list.
inline constexpr uint32_t kToolExtraRecordSize = 703;
// Bytes of one special-tool path entry (NUL included).
inline constexpr uint32_t kSpecialPathSize = 256;
// Slots of a library's type table: 0..10 coded, 11..19 carried from the file.
inline constexpr int kTypeTableSlots = 20;

// The block inside a ToolExtra; carried unchanged from file to file.
struct ExtraBlock {
  uint8_t leadByte = 0;
  int32_t firstValue = 0;
  unsigned char wideValue[8] = {};
  int32_t secondValue = 0;
  int32_t thirdValue = 0;
  int8_t entryCount = 0;  // 0 to 20
  uint8_t entryByteA[kExtraEntryCount] = {};
  float entryValue[kExtraEntryCount] = {};
  uint8_t entryByteB[kExtraEntryCount] = {};
  uint8_t entryByteC[kExtraEntryCount] = {};
  uint8_t trailByte = 0;
};

// A record a tool may point to through its extraIndex; only the block's first
// entry value is ever looked at.
struct ToolExtra {
  int32_t leadingValue = 0;
  ExtraBlock block;
  char firstText[kExtraTextSize] = {};
  uint8_t firstByte = 0;
  uint8_t secondByte = 0;
  char secondText[kExtraTextSize] = {};
  int16_t firstShort = 0;
  int16_t secondShort = 0;

  // The record as the extra list's fixed-size record, and back.
  void ToBytes(unsigned char (&bytes)[kToolExtraRecordSize]) const;
  static ToolExtra FromBytes(const unsigned char* bytes);
};

// A new block: every number 0, each entry byte A 255 and each entry byte B 1.
ExtraBlock NewExtraBlock();
// A new ToolExtra: every number 0, empty texts, a new block whose second value is 1.
ToolExtra NewToolExtra();

// One type table slot: 1-based position of the type's first tool (0 = none)
// and the number of tools of that type.
struct TypeSlotEntry {
  int32_t start = 0;
  int32_t count = 0;
};

using TypeTable = std::array<TypeSlotEntry, kTypeTableSlots>;

class ToolLibrary : public store::LinkedRecordList {
 public:
  ToolLibrary();
  ~ToolLibrary() override;

  // Typed access to the tools (1-based positions); reads return 1 or 0.
  int ReadAt(ToolRecord& tool, int32_t n);
  int ReadNext(ToolRecord& tool);
  int ReadPrev(ToolRecord& tool);
  int ReadCurrent(ToolRecord& tool);
  StatusCode Append(const ToolRecord& tool);
  StatusCode InsertAt(const ToolRecord& tool, int32_t n);
  StatusCode UpdateCurrent(const ToolRecord& tool);

  // Empties the tools, the extra list and the special path list.
  void Clear();

  TypeTable& Types() { return types_; }
  const TypeTable& Types() const { return types_; }
  // Recomputes slots 0..10 from the tools; slots 11..19 stay.
  void RebuildTypeTable();
  // The slot of `type_code` (slot 0 for every code without its own slot).
  TypeSlotEntry TypeSlot(int32_t type_code) const;

  // Position of the first tool of O's type range that matches O; 0 when none
  // or O's type code is 0. A range count of 0 searches to the last tool.
  int32_t FindMatchingTool(const ToolRecord& other);

  // The extra list.
  store::RecordList& Extras() { return extras_; }
  StatusCode AppendExtra(const ToolExtra& extra);
  // Copies extra k (1-based) into `extra`; 1 = read, 0 = no such record.
  int ReadExtra(ToolExtra& extra, int32_t k);
  // The first entry value of extra k without copying the whole extra: what
  // ReadExtra into a new ToolExtra would leave there (0 when there is none).
  float ExtraFirstEntryValue(int32_t k);
  // Tool n's extraIndex, copying that extra into `extra` when above 0; 0 when
  // `extra` is null, n is out of range or the tool has none.
  int32_t ExtraOfTool(int32_t n, ToolExtra* extra);

  // The special path list (entries of kSpecialPathSize bytes).
  store::RecordList& SpecialPaths() { return paths_; }
  // Position of folder + file name of `path` + ".spt" in the list, compared
  // without regard to letter case; 0 when absent. The special-tool folder is
  // read into `folder`.
  int32_t FindSpecialPath(const char* path, SpecialToolFolderBuffer& folder);
  // Appends folder + file name of `path` + ".spt"; the new count, or 0 when
  // `path` holds no backslash.
  int32_t AddSpecialPath(const char* path, SpecialToolFolderBuffer& folder);
  // Copies entry k into `buffer` (256 characters); "" when k is out of range.
  void SpecialPathAt(int32_t k, char* buffer);

  // Reads the library file at `path` (Windows path); special tools are tied
  // into this library, with the special-tool folder read into `folder`. kOk,
  // or kFileCannotOpen, kFileReadFailed or kFileUnknownVersion.
  StatusCode Load(const char* path, SpecialToolFolderBuffer& folder);
  // Writes the library as a version-92 file, replacing `path` only once the
  // whole file is written. kOk, kFileCannotOpen or kFileWriteFailed.
  StatusCode Save(const char* path);

  // Prints the type table and every tool to standard output (nothing when empty).
  void DumpToConsole();
  // Appends the type table and tools a..b (1-based) to "debug.txt".
  void DumpToFile(int32_t first, int32_t last);

 private:
  // Appends one raw path entry (cut to 255 characters, zero-padded).
  StatusCode AppendPathEntry(const char* text);
  // The two layouts of Load, after the version; each returns the status.
  StatusCode LoadCurrentLayout(platform::BinaryReader& in, int version, SpecialToolFolderBuffer& folder);
  StatusCode LoadLegacyLayout(platform::BinaryReader& in, int version, SpecialToolFolderBuffer& folder);
  // Reads the 9 int16 pairs of the short type table into their slots.
  bool ReadShortTypeTable(platform::BinaryReader& in);
  // Writes the whole version-92 file; false when a write failed.
  bool WriteLibraryFile(platform::BinaryWriter& out);

  // Forgets the path index; called whenever the special path list is emptied.
  void ForgetPathIndex();

  TypeTable types_{};
  store::RecordList extras_;
  store::RecordList paths_;
  // The special path list's positions by their text folded to lower case (the
  // first of equal entries), so that finding a path costs the same at any list
  // length. Entries are indexed on demand, those after paths_indexed_ first.
  std::unordered_map<std::string, int32_t> path_index_;
  int32_t paths_indexed_ = 0;
};

}  // namespace quarnel::toollib
