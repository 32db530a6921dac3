#include "tests/support/special_tool_writer.h"

namespace quarnel::testing {
namespace {

constexpr int kLegacyVersion = 7;
constexpr size_t kLegacySideArea = 64;
constexpr size_t kSideArea = 60;
constexpr size_t kExtensionHead = 6;
constexpr int32_t kMaxLongFormParams = 9;

// Per type code 0..23: the parameters a version-7 file stores (a V notch 4 of its 5).
constexpr int kShortFormCounts[] = {0, 1, 4, 3, 4, 5, 3, 9, 7, 4, 3, 5, 3, 4, 3, 3, 3, 0, 4, 5, 4, 3, -1, 4};

int32_t EntityCount(const SpecialToolFileFields& file) {
  return file.entityCount.value_or(static_cast<int32_t>(file.entities.size()));
}

void AppendLegacyFile(ByteBuilder& out, const SpecialToolFileFields& file) {
  AppendLegacyToolRecord(out, file.legacyTool);
  out.I16(file.extensionLength).Zeros(4);
  if (file.extensionLength > static_cast<int16_t>(kExtensionHead)) out.Zeros(file.extensionLength - kExtensionHead);
  out.U8(file.sideCode).Zeros(kLegacySideArea - 1);
  out.I16(static_cast<int16_t>(EntityCount(file))).I16(0).I16(0);
  for (const SptEntity& entity : file.entities) AppendShortFormEntity(out, entity);
}

void AppendCurrentFile(ByteBuilder& out, const SpecialToolFileFields& file) {
  AppendToolRecord(out, file.tool, file.version, false);
  out.U8(file.sideCode).Zeros(kSideArea - 1);
  out.F32(file.infoValue);
  out.I32(0).I32(0).I32(EntityCount(file));
  for (const SptEntity& entity : file.entities) AppendLongFormEntity(out, entity);
}

}  // namespace

int ShortFormParamCount(int type) {
  constexpr int known = static_cast<int>(sizeof kShortFormCounts / sizeof kShortFormCounts[0]);
  return type >= 0 && type < known ? kShortFormCounts[type] : -1;
}

void AppendShortFormEntity(ByteBuilder& out, const SptEntity& entity) {
  out.I8(entity.type).Zeros(2).I16(static_cast<int16_t>(entity.ref)).Zeros(2);
  out.I16(static_cast<int16_t>(entity.flags)).F32(entity.x).F32(entity.y);
  const int count = ShortFormParamCount(entity.type);
  const size_t stored = count < 0 ? entity.params.size() : static_cast<size_t>(count);
  for (size_t i = 0; i < stored; ++i) out.F32(i < entity.params.size() ? entity.params[i] : 0.0f);
}

void AppendLongFormEntity(ByteBuilder& out, const SptEntity& entity) {
  const int32_t count = entity.paramCount.value_or(static_cast<int32_t>(entity.params.size()));
  out.I8(entity.type).I32(entity.ref).U32(entity.flags).F32(entity.x).F32(entity.y).I32(count);
  if (count >= 0 && count <= kMaxLongFormParams) {
    for (int32_t i = 0; i < count; ++i) {
      out.F32(static_cast<size_t>(i) < entity.params.size() ? entity.params[i] : 0.0f);
    }
  }
  out.Zeros(8).I32(entity.wordCount);
  if (entity.wordCount >= 0 && entity.wordCount <= 2) out.Zeros(4 * static_cast<size_t>(entity.wordCount));
  out.I32(entity.textFlag);
  if (entity.textFlag > 0) out.Text("unused", 256);
  out.Zeros(12);
}

std::string BuildSpecialToolFile(const SpecialToolFileFields& file) {
  ByteBuilder out;
  out.I16(static_cast<int16_t>(file.version));
  if (file.version == kLegacyVersion) {
    AppendLegacyFile(out, file);
  } else {
    AppendCurrentFile(out, file);
  }
  return out.bytes();
}

}  // namespace quarnel::testing
