#include "tests/support/library_writer.h"

#include <bit>

namespace quarnel::testing {
namespace {

constexpr int32_t kSpecialType = 108;
constexpr int32_t kTriangleType = 107;
constexpr size_t kPathField = 256;

void AppendFloats(ByteBuilder& out, const std::array<float, 4>& values) {
  for (float v : values) out.F32(v);
}

void AppendPairs(ByteBuilder& out, const TypePairs& pairs, size_t count, bool short_form) {
  for (size_t i = 0; i < count; ++i) {
    const auto pair = i < pairs.size() ? pairs[i] : std::pair<int32_t, int32_t>{0, 0};
    if (short_form) {
      out.I16(static_cast<int16_t>(pair.first)).I16(static_cast<int16_t>(pair.second));
    } else {
      out.I32(pair.first).I32(pair.second);
    }
  }
}

}  // namespace

void AppendToolRecord(ByteBuilder& out, const ToolFields& tool, int version, bool with_path) {
  const bool special = tool.typeCode == kSpecialType;
  out.F32(tool.size).I32(tool.typeCode);
  if (special && version >= 90) {
    for (uint8_t b : tool.specialBlock) out.U8(b);
  }
  out.I32(tool.specialToolIndex);
  if (special && with_path) out.Text(tool.specialPath, kPathField);
  out.I32(tool.extraIndex);
  if (tool.typeCode == kTriangleType) {
    out.F32(tool.y).F32(tool.x).F32(tool.z);
  } else {
    out.F32(tool.x).F32(tool.y).F32(tool.z);
  }
  out.I32(tool.keyedCount);
  AppendFloats(out, tool.angles);
  out.I32(tool.dieClearanceCount);
  AppendFloats(out, tool.dieClearances);
  out.F32(tool.valueA).F32(tool.valueB);
  if (version >= 60) out.F32(tool.valueC).F32(tool.valueD);
}

void AppendLegacyToolRecord(ByteBuilder& out, const LegacyToolFields& tool) {
  // Offsets 0..4: size and type; 5..25: the name field; 26..: x onwards.
  out.F32(tool.size).I8(tool.typeCode);
  if (tool.nameOffset == 6) {
    out.Raw(" ").Text(tool.name, 20);
  } else {
    out.Text(tool.name, 21);
  }
  out.F32(tool.x).F32(tool.y).F32(tool.z).I8(tool.keyedCount);
  AppendFloats(out, tool.angles);
  out.I8(tool.dieClearanceCount);
  AppendFloats(out, tool.dieClearances);
}

void AppendToolExtra(ByteBuilder& out, const ExtraFields& extra, int version) {
  const size_t text_field = extra.textLength > 0 ? static_cast<size_t>(extra.textLength) : 0;
  out.I16(extra.textLength).I32(extra.leadingValue);
  if (text_field > 0) out.Text(extra.firstText, text_field);
  out.U8(extra.firstByte).U8(extra.secondByte);
  if (text_field > 0) out.Text(extra.secondText, text_field);
  out.I16(extra.firstShort).I16(extra.secondShort);
  out.I32(extra.blockFirst);
  for (uint8_t b : extra.blockWide) out.U8(b);
  out.I32(extra.blockSecond).I32(extra.blockThird);
  out.I8(extra.entryCount.value_or(static_cast<int8_t>(extra.entries.size())));
  for (const ExtraEntryFields& entry : extra.entries) {
    out.U8(entry.byteA).F32(entry.value).U8(entry.byteB).U8(entry.byteC);
  }
  if (version >= 80) out.U8(extra.leadByte);
  if (version >= 90) out.U8(extra.trailByte);
}

std::string BuildLibraryFile(const LibraryFileFields& file) {
  ByteBuilder out;
  out.I16(static_cast<int16_t>(file.version));
  out.I32(file.toolCount.value_or(static_cast<int32_t>(file.tools.size())));
  if (file.version == 52) {
    AppendPairs(out, file.typeTable, 9, true);
  } else {
    AppendPairs(out, file.typeTable, 20, false);
  }
  for (const ToolFields& tool : file.tools) AppendToolRecord(out, tool, file.version, false);
  out.I32(file.extraCount.value_or(static_cast<int32_t>(file.extras.size())));
  for (const ExtraFields& extra : file.extras) AppendToolExtra(out, extra, file.version);
  out.I32(file.pathCount.value_or(static_cast<int32_t>(file.paths.size())));
  for (const std::string& path : file.paths) out.Text(path, kPathField);
  return out.bytes();
}

std::string BuildLegacyLibraryFile(const LegacyLibraryFileFields& file) {
  ByteBuilder out;
  out.I16(static_cast<int16_t>(file.version));
  out.I16(file.storedCount.value_or(static_cast<int16_t>(file.tools.size() + 1)));
  AppendPairs(out, file.typeTable, 9, true);
  // The placeholder record that every legacy file begins with.
  LegacyToolFields placeholder;
  placeholder.name = "PLACEHOLDER";
  placeholder.size = 99.0f;
  AppendLegacyToolRecord(out, placeholder);
  for (const LegacyToolFields& tool : file.tools) AppendLegacyToolRecord(out, tool);
  return out.bytes();
}

}  // namespace quarnel::testing
