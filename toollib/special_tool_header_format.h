// The tool data at the head of a special-tool file, after its version, with
// its decoders and encoders side by side. Both the library loader (which
// reads a legacy library's special tools) and the special-tool reader read it.
//
// Version 7:      tool block 72 (the legacy tool record) + extension head 6
//                 (the extension's length L 2 + 4 not read) + the rest of the
//                 extension L - 6 + side area 64.
// Versions 52-92: the tool record of the version, without path + side area 60
//                 + info value 4.
// Side area: the side code 1, then bytes not read (63 or 59).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "toollib/legacy_record_format.h"
#include "toollib/tool_record.h"

namespace quarnel::toollib {

inline constexpr int16_t kLegacySpecialToolVersion = 7;

// Side codes, the first byte of the side area: which side bit of the tool's
// special flags the file sets.
inline constexpr uint8_t kNoSide = 0;
inline constexpr uint8_t kSideOne = 1;
inline constexpr uint8_t kSideTwo = 2;

// Side area of the later versions: side code 1 + 59 bytes not read = 60.
inline constexpr size_t kSideAreaBytes = 60;
// Side area of version 7: side code 1 + 63 bytes not read = 64.
inline constexpr size_t kLegacySideAreaBytes = 64;
// Version 7's extension head: length 2 + 4 bytes not read = 6, counted in the length.
inline constexpr size_t kExtensionHeadBytes = 6;
// The info value after the later versions' side area: a float32.
inline constexpr size_t kInfoValueBytes = 4;

// Sets the special flag of side code 1 or 2; any other code sets nothing.
void ApplySideCode(uint8_t side_code, ToolRecord& tool);
// The tool fields of a version-7 tool block: size, dimensions, keyed count
// (through the setter: outside 0..4 it becomes 0), angles, die clearance
// count and die clearances. Type and name are not taken.
void FillFromToolBlock(const LegacyToolRecord& block, ToolRecord& tool);

// Later versions. The tool record of file version `version` and the side
// code, the side area's first byte: the part the library loader reads.
bool DecodeToolAndSideCode(platform::BinaryReader& in, int version, ToolRecord& tool, uint8_t& side_code);
// The whole tool data: the above, the rest of the side area and the info value.
bool DecodeToolHeader(platform::BinaryReader& in, int version, ToolRecord& tool, uint8_t& side_code,
                      float& info_value);
// Writes the version-92 record (so a special tool's z is replaced by 0, 1 or 2
// from its flags first), the side area with zeros after the code and the info value.
bool EncodeToolHeader(platform::BinaryWriter& out, ToolRecord& tool, uint8_t side_code, float info_value);

// Version 7: the tool block, the extension head, the rest of the extension
// (skipped) and the side area; `side_code` is the side area's first byte.
bool DecodeLegacyToolHeader(platform::BinaryReader& in, LegacyToolRecord& block, uint8_t& side_code);
// Writes the tool block, an extension of its head alone and the side area.
bool EncodeLegacyToolHeader(platform::BinaryWriter& out, const LegacyToolRecord& block, uint8_t side_code);

}  // namespace quarnel::toollib
