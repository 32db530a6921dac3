#include "toollib/tool_library.h"

#include <cstddef>
#include <cstring>
#include <string>

#include "toollib/special_paths.h"

namespace quarnel::toollib {
namespace {

// Copies the record found by a locate into `tool`: 1, or 0 when there was none.
int CopyTool(const unsigned char* record, ToolRecord& tool) {
  if (record == nullptr) return 0;
  tool = ToolRecord::FromBytes(record);
  return 1;
}

}  // namespace

ToolLibrary::ToolLibrary()
    : store::LinkedRecordList(kToolRecordSize),
      extras_(kToolExtraRecordSize, false),
      paths_(kSpecialPathSize, false) {}

ToolLibrary::~ToolLibrary() = default;

int ToolLibrary::ReadAt(ToolRecord& tool, int32_t n) { return CopyTool(LocateAt(n), tool); }
int ToolLibrary::ReadNext(ToolRecord& tool) { return CopyTool(LocateNext(), tool); }
int ToolLibrary::ReadPrev(ToolRecord& tool) { return CopyTool(LocatePrev(), tool); }
int ToolLibrary::ReadCurrent(ToolRecord& tool) { return CopyTool(LocateCurrent(), tool); }

StatusCode ToolLibrary::Append(const ToolRecord& tool) {
  unsigned char bytes[kToolRecordSize];
  tool.ToBytes(bytes);
  return RecordList::Append(bytes);
}

StatusCode ToolLibrary::InsertAt(const ToolRecord& tool, int32_t n) {
  unsigned char bytes[kToolRecordSize];
  tool.ToBytes(bytes);
  return RecordList::InsertAt(bytes, n);
}

StatusCode ToolLibrary::UpdateCurrent(const ToolRecord& tool) {
  unsigned char bytes[kToolRecordSize];
  tool.ToBytes(bytes);
  return RecordList::UpdateCurrent(bytes);
}

void ToolLibrary::Clear() {
  RecordList::Clear();
  extras_.Clear();
  paths_.Clear();
  ForgetPathIndex();
}

void ToolLibrary::RebuildTypeTable() {
  types_[0] = TypeSlotEntry{0, 1};
  for (int slot = 1; slot < kCodedTypeSlots; ++slot) types_[slot] = TypeSlotEntry{};
  const int32_t count = static_cast<int32_t>(Count());
  ToolRecord tool;
  for (int32_t position = 1; position <= count; ++position) {
    if (ReadAt(tool, position) == 0) continue;
    const int slot = TypeSlotOfCode(tool.typeCode);
    if (slot == 0) continue;
    if (types_[slot].start == 0) types_[slot].start = position;
    ++types_[slot].count;
  }
}

TypeSlotEntry ToolLibrary::TypeSlot(int32_t type_code) const {
  return types_[TypeSlotOfCode(type_code)];
}

int32_t ToolLibrary::FindMatchingTool(const ToolRecord& other) {
  if (other.typeCode == 0) return 0;
  const TypeSlotEntry slot = TypeSlot(other.typeCode);
  // Position the cursor so that the next read yields the slot's first tool.
  if (slot.start > 1) {
    Seek(slot.start - 1);
  } else {
    Rewind();
  }
  ToolRecord wanted = other;
  ToolRecord tool;
  int32_t examined = 0;
  while (ReadNext(tool) != 0) {
    if (tool.Matches(wanted) != 0) return Position();
    // A count of 0 searches on to the last tool.
    if (slot.count > 0 && ++examined >= slot.count) return 0;
  }
  return 0;
}

StatusCode ToolLibrary::AppendExtra(const ToolExtra& extra) {
  unsigned char bytes[kToolExtraRecordSize];
  extra.ToBytes(bytes);
  return extras_.Append(bytes);
}

int ToolLibrary::ReadExtra(ToolExtra& extra, int32_t k) {
  const unsigned char* record = extras_.LocateAt(k);
  if (record == nullptr) return 0;
  extra = ToolExtra::FromBytes(record);
  return 1;
}

float ToolLibrary::ExtraFirstEntryValue(int32_t k) {
  const unsigned char* record = extras_.LocateAt(k);
  if (record == nullptr) return NewToolExtra().block.entryValue[0];
  float value = 0.0f;
  std::memcpy(&value, record + offsetof(ToolExtra, block) + offsetof(ExtraBlock, entryValue), sizeof value);
  return value;
}

int32_t ToolLibrary::ExtraOfTool(int32_t n, ToolExtra* extra) {
  if (extra == nullptr || n <= 0 || n > static_cast<int32_t>(Count())) return 0;
  ToolRecord tool;
  if (ReadAt(tool, n) == 0) return 0;
  if (tool.extraIndex > 0) ReadExtra(*extra, tool.extraIndex);
  return tool.extraIndex;
}

namespace {

// `text` with its letters A-Z folded to lower case: the key under which paths
// that compare equal without regard to letter case meet.
std::string FoldedCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

}  // namespace

void ToolLibrary::ForgetPathIndex() {
  path_index_.clear();
  paths_indexed_ = 0;
}

int32_t ToolLibrary::FindSpecialPath(const char* path, SpecialToolFolderBuffer& folder) {
  if (path == nullptr) return 0;
  const std::string wanted = RerootedSpecialPath(path, folder);
  // An entry's text ends at its NUL or before its last byte: no longer text
  // can match one.
  if (wanted.size() > kSpecialPathSize - 1) return 0;
  const int32_t count = static_cast<int32_t>(paths_.Count());
  if (count < paths_indexed_) ForgetPathIndex();
  while (paths_indexed_ < count) {
    ++paths_indexed_;
    const auto* entry = reinterpret_cast<const char*>(paths_.LocateAt(paths_indexed_));
    if (entry == nullptr) continue;
    const void* nul = std::memchr(entry, '\0', kSpecialPathSize - 1);
    const size_t length = nul != nullptr ? static_cast<size_t>(static_cast<const char*>(nul) - entry)
                                         : kSpecialPathSize - 1;
    path_index_.try_emplace(FoldedCase(std::string_view(entry, length)), paths_indexed_);
  }
  const auto found = path_index_.find(FoldedCase(wanted));
  return found == path_index_.end() ? 0 : found->second;
}

int32_t ToolLibrary::AddSpecialPath(const char* path, SpecialToolFolderBuffer& folder) {
  if (path == nullptr || !HasBackslash(path)) return 0;
  if (AppendPathEntry(RerootedSpecialPath(path, folder).c_str()) != StatusCode::kOk) return 0;
  return static_cast<int32_t>(paths_.Count());
}

void ToolLibrary::SpecialPathAt(int32_t k, char* buffer) {
  if (buffer == nullptr) return;
  buffer[0] = '\0';
  if (k < 1 || k > static_cast<int32_t>(paths_.Count())) return;
  const unsigned char* entry = paths_.LocateAt(k);
  if (entry == nullptr) return;
  // An entry's text ends at its NUL, and at the latest before its last byte.
  const void* nul = std::memchr(entry, '\0', kSpecialPathSize - 1);
  const size_t length = nul != nullptr ? static_cast<size_t>(static_cast<const unsigned char*>(nul) - entry)
                                       : kSpecialPathSize - 1;
  std::memcpy(buffer, entry, length);
  buffer[length] = '\0';
}

StatusCode ToolLibrary::AppendPathEntry(const char* text) {
  char entry[kSpecialPathSize] = {};
  std::strncpy(entry, text, kSpecialPathSize - 1);
  return paths_.Append(entry);
}

}  // namespace quarnel::toollib
