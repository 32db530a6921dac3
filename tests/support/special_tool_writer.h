// Test-side writer of special-tool files (".spt") of version 7 and of every
// later version, built from values. It knows the layouts on its own and never
// calls the library under test.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/byte_builder.h"
#include "tests/support/library_writer.h"

namespace quarnel::testing {

// One stored entity.
struct SptEntity {
  int8_t type = 0;
  int32_t ref = 0;     // 16 bits in version 7
  uint32_t flags = 0;  // 16 bits in version 7
  float x = 0.0f, y = 0.0f;
  // Leading parameters. Version 7 stores the type's own count of them
  // (missing ones written as 0, extra ones dropped; codes without a count
  // store what is given); later versions store exactly these.
  std::vector<float> params{};
  // Later versions only: the stored parameter count (params.size() when not
  // given; the parameters are written only when it is 0..9), the count m of
  // unused words (written when 0..2) and the flag s of the unused 256-byte text.
  std::optional<int32_t> paramCount{};
  int32_t wordCount = 0;
  int32_t textFlag = 0;
};

// A new on-disk tool record of type 108 (special tool).
inline ToolFields SpecialToolFields() {
  ToolFields tool;
  tool.typeCode = 108;
  return tool;
}

struct SpecialToolFileFields {
  int version = 92;
  // Version 7: the 72-byte tool block and the extension block length L (its
  // 6-byte head included; L - 6 filler bytes follow the head when L > 6).
  LegacyToolFields legacyTool;
  int16_t extensionLength = 6;
  // Later versions: the tool record, in its form without the path.
  ToolFields tool = SpecialToolFields();
  float infoValue = 0.0f;
  // Both: the first byte of the side area.
  uint8_t sideCode = 0;
  std::vector<SptEntity> entities{};
  std::optional<int32_t> entityCount{};  // entities.size() when not given
};

// The parameters version 7 stores for `type`; -1 for codes without a count.
int ShortFormParamCount(int type);

// Appends one entity in the short (version 7) or long form.
void AppendShortFormEntity(ByteBuilder& out, const SptEntity& entity);
void AppendLongFormEntity(ByteBuilder& out, const SptEntity& entity);

std::string BuildSpecialToolFile(const SpecialToolFileFields& file);

}  // namespace quarnel::testing
