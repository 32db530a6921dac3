#include "toollib/tool_extra_format.h"

#include "platform/span_reader.h"

namespace quarnel::toollib {
namespace {

template <typename Reader>
bool ReadBlock(Reader& in, int version, ExtraBlock& block) {
  if (!in.ReadI32(block.firstValue) || !in.ReadBytes(block.wideValue, sizeof block.wideValue) ||
      !in.ReadI32(block.secondValue) || !in.ReadI32(block.thirdValue) ||
      !in.ReadI8(block.entryCount)) {
    return false;
  }
  // A count below 0 names no entries and is kept as stored; one above 20
  // would overrun the entries, so the record cannot be read.
  if (block.entryCount > kExtraEntryCount) return false;
  for (int i = 0; i < block.entryCount; ++i) {
    if (!in.ReadU8(block.entryByteA[i]) || !in.ReadF32(block.entryValue[i]) ||
        !in.ReadU8(block.entryByteB[i]) || !in.ReadU8(block.entryByteC[i])) {
      return false;
    }
  }
  block.leadByte = 0;
  if (version >= kFirstVersionWithLeadByte && !in.ReadU8(block.leadByte)) return false;
  if (version >= kFirstVersionWithTrailByte && !in.ReadU8(block.trailByte)) return false;
  return true;
}

template <typename Reader>
bool DecodeToolExtra(Reader& in, int version, ToolExtra& extra) {
  int16_t text_length = 0;
  if (!in.ReadI16(text_length)) return false;
  if (text_length <= 0 || text_length > kExtraTextSize) return false;
  const size_t length = static_cast<size_t>(text_length);
  // Texts shorter than their 256-byte fields keep zeros after them.
  return in.ReadI32(extra.leadingValue) && in.ReadBytes(extra.firstText, length) &&
         in.ReadU8(extra.firstByte) && in.ReadU8(extra.secondByte) &&
         in.ReadBytes(extra.secondText, length) && in.ReadI16(extra.firstShort) &&
         in.ReadI16(extra.secondShort) && ReadBlock(in, version, extra.block);
}

}  // namespace

bool ReadToolExtra(platform::BinaryReader& in, int version, ToolExtra& extra) {
  // An extra the reader's buffer holds whole is decoded from memory, without
  // the file reader's refill checks per field.
  if (const unsigned char* bytes = in.Buffered(kLongestExtraBytes)) {
    platform::SpanReader span(bytes, kLongestExtraBytes);
    const bool ok = DecodeToolExtra(span, version, extra);
    in.Skip(static_cast<int64_t>(span.consumed()));
    return ok;
  }
  return DecodeToolExtra(in, version, extra);
}

bool WriteToolExtra(platform::BinaryWriter& out, const ToolExtra& extra) {
  const ExtraBlock& block = extra.block;
  // The count is written as held, with as many entries; a count below 0 comes
  // with none, and one above 20 (never read from a file) is written as 20.
  const int8_t count = block.entryCount < kExtraEntryCount ? block.entryCount
                                                           : int8_t{kExtraEntryCount};
  const int entries = count > 0 ? count : 0;
  bool ok = out.WriteI16(kExtraTextSize) && out.WriteI32(extra.leadingValue) &&
            out.WriteBytes(extra.firstText, kExtraTextSize) && out.WriteU8(extra.firstByte) &&
            out.WriteU8(extra.secondByte) && out.WriteBytes(extra.secondText, kExtraTextSize) &&
            out.WriteI16(extra.firstShort) && out.WriteI16(extra.secondShort) &&
            out.WriteI32(block.firstValue) &&
            out.WriteBytes(block.wideValue, sizeof block.wideValue) &&
            out.WriteI32(block.secondValue) && out.WriteI32(block.thirdValue) &&
            out.WriteI8(count);
  for (int i = 0; ok && i < entries; ++i) {
    ok = out.WriteU8(block.entryByteA[i]) && out.WriteF32(block.entryValue[i]) &&
         out.WriteU8(block.entryByteB[i]) && out.WriteU8(block.entryByteC[i]);
  }
  return ok && out.WriteU8(block.leadByte) && out.WriteU8(block.trailByte);
}

}  // namespace quarnel::toollib
