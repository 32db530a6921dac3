#include "partfile/part_drawing_format.h"

#include <cstring>

namespace quarnel::partfile {
namespace {

using platform::BinaryReader;
using platform::BinaryWriter;

// The two words after an entity's parameters, then two zero words.
constexpr spectool::LongEntityTail kEntityTail{.unused = {-1, 0}, .wordCount = 2, .words = {0, 0}};

// The widths of a second-list element's fields, in the order they are stored.
constexpr size_t kSecondListFieldWidths[] = {2, 2, 1, 2, 1, 2, 1, 4, 4, 4, 1, 4, 2, 4, 4, 4};
// Offsets of the two words of element 0 that close the second-list section.
constexpr size_t kClosingWordOffsets[] = {24, 30};

constexpr size_t SumOfWidths() {
  size_t total = 0;
  for (size_t width : kSecondListFieldWidths) total += width;
  return total;
}
static_assert(SumOfWidths() == kSecondListElementBytes, "the fields cover the element");

bool ReadText(BinaryReader& in, std::string& text, size_t field_size) {
  char field[kPartLongTextBytes];
  if (!in.ReadText(field, sizeof field, field_size)) return false;
  text = field;
  return true;
}

template <size_t N>
bool WriteWords(BinaryWriter& out, const int32_t (&words)[N]) {
  for (int32_t word : words) {
    if (!out.WriteI32(word)) return false;
  }
  return true;
}

template <size_t N>
bool ReadWords(BinaryReader& in, int32_t (&words)[N]) {
  for (int32_t& word : words) {
    if (!in.ReadI32(word)) return false;
  }
  return true;
}

// The host keeps the element in its own memory order; the file is little-endian.
uint32_t HostValue(const SecondListRecord& record, size_t offset, size_t width) {
  if (width == 1) return record[offset];
  if (width == 2) {
    uint16_t value;
    std::memcpy(&value, record.data() + offset, sizeof value);
    return value;
  }
  uint32_t value;
  std::memcpy(&value, record.data() + offset, sizeof value);
  return value;
}

bool WriteField(BinaryWriter& out, uint32_t value, size_t width) {
  if (width == 1) return out.WriteU8(static_cast<uint8_t>(value));
  if (width == 2) return out.WriteU16(static_cast<uint16_t>(value));
  return out.WriteU32(value);
}

bool EncodeSecondListRecord(BinaryWriter& out, const SecondListRecord& record) {
  size_t offset = 0;
  for (size_t width : kSecondListFieldWidths) {
    if (!WriteField(out, HostValue(record, offset, width), width)) return false;
    offset += width;
  }
  return true;
}

}  // namespace

bool EncodeHeader(BinaryWriter& out, const PartDrawingHeader& header) {
  return out.WriteI16(header.version) && out.WriteF32(header.firstFloat) && out.WriteF32(header.secondFloat) &&
         out.WriteText(header.product, kPartShortTextBytes) && out.WriteText(header.assembly, kPartShortTextBytes) &&
         out.WriteText(header.material, kPartShortTextBytes) && out.WriteI32(header.firstWord) &&
         out.WriteI32(header.secondWord) && out.WriteF32(header.thirdFloat) && out.WriteI32(header.thirdWord) &&
         spectool::EncodeLongSectionHead(out, header.entityCount, header.sectionWord);
}

bool DecodeHeader(BinaryReader& in, PartDrawingHeader& header) {
  int32_t unused = 0;
  return in.ReadI16(header.version) && in.ReadF32(header.firstFloat) && in.ReadF32(header.secondFloat) &&
         ReadText(in, header.product, kPartShortTextBytes) && ReadText(in, header.assembly, kPartShortTextBytes) &&
         ReadText(in, header.material, kPartShortTextBytes) && in.ReadI32(header.firstWord) &&
         in.ReadI32(header.secondWord) && in.ReadF32(header.thirdFloat) && in.ReadI32(header.thirdWord) &&
         in.ReadI32(header.sectionWord) && in.ReadI32(unused) && in.ReadI32(header.entityCount);
}

bool EncodeEntityRecord(BinaryWriter& out, const GeomEntity& entity) {
  return spectool::EncodeLongEntity(out, spectool::StoredEntityOf(entity), kEntityTail);
}

bool DecodeEntityRecord(BinaryReader& in, GeomEntity& entity) {
  spectool::StoredEntity stored;
  if (!spectool::DecodeLongEntity(in, stored)) return false;
  entity = spectool::EntityOfStored(stored);
  return true;
}

bool EncodeSecondListSection(BinaryWriter& out, std::span<const SecondListRecord> records) {
  if (records.empty()) return out.WriteI32(0);
  if (!out.WriteI32(static_cast<int32_t>(records.size() - 1))) return false;
  for (size_t i = 1; i < records.size(); ++i) {
    if (!EncodeSecondListRecord(out, records[i])) return false;
  }
  const SecondListRecord& first = records[0];
  return EncodeSecondListRecord(out, first) && out.WriteI32(0) && out.WriteI32(0) &&
         out.WriteU32(HostValue(first, kClosingWordOffsets[0], 4)) &&
         out.WriteU32(HostValue(first, kClosingWordOffsets[1], 4));
}

bool EncodeTrailer(BinaryWriter& out, const PartDrawingTrailer& trailer) {
  if (!(out.WriteText(trailer.firstText, kPartLongTextBytes) && WriteWords(out, trailer.leadWords) &&
        out.WriteF32(trailer.floatValue) && WriteWords(out, trailer.middleWords) &&
        out.WriteI32(trailer.entityCount))) {
    return false;
  }
  for (int32_t i = 0; i < trailer.entityCount; ++i) {
    if (!out.WriteZeros(kPartTrailerEntityBytes)) return false;
  }
  return out.WriteU8(trailer.flagByte) && WriteWords(out, trailer.tailWords) &&
         out.WriteText(trailer.customerName, kPartLongTextBytes) && out.WriteText(trailer.partNumber, kPartLongTextBytes) &&
         out.WriteText(trailer.revision, kPartShortTextBytes) && out.WriteText(trailer.materialType, kPartLongTextBytes) &&
         out.WriteText(trailer.nextOperation, kPartLongTextBytes) && WriteWords(out, trailer.endWords);
}

bool DecodeTrailer(BinaryReader& in, PartDrawingTrailer& trailer) {
  if (!(ReadText(in, trailer.firstText, kPartLongTextBytes) && ReadWords(in, trailer.leadWords) &&
        in.ReadF32(trailer.floatValue) && ReadWords(in, trailer.middleWords) && in.ReadI32(trailer.entityCount))) {
    return false;
  }
  unsigned char table_row[kPartTrailerEntityBytes];
  for (int32_t i = 0; i < trailer.entityCount; ++i) {
    if (!in.ReadBytes(table_row, sizeof table_row)) return false;
  }
  return in.ReadU8(trailer.flagByte) && ReadWords(in, trailer.tailWords) &&
         ReadText(in, trailer.customerName, kPartLongTextBytes) && ReadText(in, trailer.partNumber, kPartLongTextBytes) &&
         ReadText(in, trailer.revision, kPartShortTextBytes) && ReadText(in, trailer.materialType, kPartLongTextBytes) &&
         ReadText(in, trailer.nextOperation, kPartLongTextBytes) && ReadWords(in, trailer.endWords);
}

}  // namespace quarnel::partfile
