#include <cstring>
#include <type_traits>

#include "toollib/tool_library.h"

namespace quarnel::toollib {

static_assert(std::is_trivially_copyable_v<ToolExtra>);
static_assert(sizeof(ToolExtra) <= kToolExtraRecordSize, "an extra must fit its list record");

ExtraBlock NewExtraBlock() {
  ExtraBlock block;
  std::memset(block.entryByteA, 255, sizeof block.entryByteA);
  std::memset(block.entryByteB, 1, sizeof block.entryByteB);
  return block;
}

ToolExtra NewToolExtra() {
  // Built once and copied: a ToolExtra is large, and loads make one per extra.
  static const ToolExtra kNew = [] {
    ToolExtra extra;
    extra.block = NewExtraBlock();
    extra.block.secondValue = 1;
    return extra;
  }();
  return kNew;
}

void ToolExtra::ToBytes(unsigned char (&bytes)[kToolExtraRecordSize]) const {
  std::memcpy(bytes, this, sizeof(ToolExtra));
  std::memset(bytes + sizeof(ToolExtra), 0, sizeof bytes - sizeof(ToolExtra));
}

ToolExtra ToolExtra::FromBytes(const unsigned char* bytes) {
  ToolExtra extra;
  std::memcpy(&extra, bytes, sizeof(ToolExtra));
  return extra;
}

}  // namespace quarnel::toollib
