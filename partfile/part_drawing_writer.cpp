#include "partfile/part_drawing_writer.h"

#include <cstdint>
#include <cstring>

#include "partfile/part_entity_conversion.h"
#include "platform/binary_writer.h"
#include "platform/safe_write.h"

namespace quarnel::partfile {
namespace {

using platform::BinaryWriter;

constexpr size_t kShortText = 21;
constexpr size_t kLongText = 256;
constexpr int32_t kParameterCount = 9;
// Per-entity words of the trailer's entity table, all zero.
constexpr size_t kTrailerWordsPerEntity = 11;

// The widths of a second-list element's fields, in the order they are stored.
constexpr size_t kSecondListFieldWidths[] = {2, 2, 1, 2, 1, 2, 1, 4, 4, 4, 1, 4, 2, 4, 4, 4};
// Offsets of the two words of element 0 that close the second-list section.
constexpr size_t kClosingWordOffsets[] = {24, 30};

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

bool WriteHeader(BinaryWriter& out, int32_t entity_count) {
  return out.WriteI16(kPartDrawingVersion) && out.WriteF32(0.5f) && out.WriteF32(0.5f) &&
         out.WriteText("NEW PRODUCT", kShortText) && out.WriteText("NEW ASSEMBLY", kShortText) &&
         out.WriteText("NEW MATERIAL", kShortText) && out.WriteI32(1) && out.WriteI32(1) &&
         out.WriteF32(0.05f) && out.WriteI32(11) &&
         // The geometry section's own head: two words, then the entity count.
         out.WriteI32(-1) && out.WriteI32(0) && out.WriteI32(entity_count);
}

// One geometry record, in the layout a special-tool file's entity section uses:
// all nine parameters, two words, no text.
bool WriteEntityRecord(BinaryWriter& out, const GeomEntity& host_entity) {
  const GeomEntity e = PartDrawingEntity(host_entity);
  if (!(out.WriteI8(e.type) && out.WriteI32(e.ref) && out.WriteU32(e.flags) && out.WriteF32(e.x) &&
        out.WriteF32(e.y) && out.WriteI32(kParameterCount))) {
    return false;
  }
  // By index: the packed parameters must be read as values, never bound by reference.
  for (int i = 0; i < kParameterCount; ++i) {
    if (!out.WriteF32(e.p[i])) return false;
  }
  return out.WriteI32(-1) && out.WriteI32(0) &&
         out.WriteI32(2) && out.WriteI32(0) && out.WriteI32(0) &&  // two words
         out.WriteI32(0) &&                                        // no text follows
         out.WriteI32(0) && out.WriteI32(0) && out.WriteI32(0);
}

bool WriteSecondListRecord(BinaryWriter& out, const SecondListRecord& record) {
  size_t offset = 0;
  for (size_t width : kSecondListFieldWidths) {
    if (!WriteField(out, HostValue(record, offset, width), width)) return false;
    offset += width;
  }
  return true;
}

// The count less one, elements 1 to K-1, then element 0 and its two closing words.
bool WriteSecondListSection(BinaryWriter& out, std::span<const SecondListRecord> records) {
  if (records.empty()) return out.WriteI32(0);
  if (!out.WriteI32(static_cast<int32_t>(records.size() - 1))) return false;
  for (size_t i = 1; i < records.size(); ++i) {
    if (!WriteSecondListRecord(out, records[i])) return false;
  }
  const SecondListRecord& first = records[0];
  return WriteSecondListRecord(out, first) && out.WriteI32(0) && out.WriteI32(0) &&
         out.WriteU32(HostValue(first, kClosingWordOffsets[0], 4)) &&
         out.WriteU32(HostValue(first, kClosingWordOffsets[1], 4));
}

bool WriteTrailer(BinaryWriter& out, int32_t entity_count) {
  if (!(out.WriteText("", kLongText) && out.WriteI32(0) && out.WriteI32(0) && out.WriteI32(0) &&
        out.WriteI32(0) && out.WriteI32(1) && out.WriteI32(1) && out.WriteI32(0) &&
        out.WriteI32(0) && out.WriteI32(0) && out.WriteI32(0) && out.WriteF32(1.0f) &&
        out.WriteI32(0) && out.WriteI32(0) && out.WriteI32(31999) && out.WriteI32(entity_count))) {
    return false;
  }
  for (int32_t i = 0; i < entity_count; ++i) {
    if (!out.WriteZeros(kTrailerWordsPerEntity * 4)) return false;
  }
  return out.WriteU8(0) && out.WriteZeros(5 * 4) && out.WriteText("Customer Name", kLongText) &&
         out.WriteText("Part Number", kLongText) && out.WriteText("Revision", kShortText) &&
         out.WriteText("Material Type", kLongText) && out.WriteText("Next Operation", kLongText) &&
         out.WriteI32(-1) && out.WriteI32(0) && out.WriteI32(0);
}

}  // namespace

bool WritePartDrawing(platform::File& file, std::span<const GeomEntity> entities,
                      std::span<const SecondListRecord> second_list) {
  BinaryWriter out(file, platform::WriteBufferSize());
  const auto entity_count = static_cast<int32_t>(entities.size());
  if (!WriteHeader(out, entity_count)) return false;
  for (const GeomEntity& entity : entities) {
    if (!WriteEntityRecord(out, entity)) return false;
  }
  return WriteSecondListSection(out, second_list) && WriteTrailer(out, entity_count) && out.Flush();
}

StatusCode SavePartDrawing(const std::string& path, std::span<const GeomEntity> entities,
                           std::span<const SecondListRecord> second_list) {
  return platform::WriteFileSafely(
      path, [&](platform::File& file) { return WritePartDrawing(file, entities, second_list); });
}

}  // namespace quarnel::partfile
