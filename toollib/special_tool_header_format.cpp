#include "toollib/special_tool_header_format.h"

#include "toollib/tool_file.h"

namespace quarnel::toollib {

void ApplySideCode(uint8_t side_code, ToolRecord& tool) {
  if (side_code == kSideOne) {
    tool.specialFlags |= kSpecialFlagOne;
  } else if (side_code == kSideTwo) {
    tool.specialFlags |= kSpecialFlagTwo;
  }
}

void FillFromToolBlock(const LegacyToolRecord& block, ToolRecord& tool) {
  tool.size = block.size;
  tool.SetDimensions(block.dimensions[0], block.dimensions[1], block.dimensions[2]);
  tool.SetKeyedCount(block.keyedCount);
  tool.SetAngles(block.angles[0], block.angles[1], block.angles[2], block.angles[3]);
  tool.dieClearanceCount = block.dieClearanceCount;
  tool.SetDieClearances(block.dieClearances[0], block.dieClearances[1], block.dieClearances[2],
                        block.dieClearances[3]);
}

bool DecodeToolAndSideCode(platform::BinaryReader& in, int version, ToolRecord& tool, uint8_t& side_code) {
  return tool.ReadRecord(in, version, false) != 0 && in.ReadU8(side_code);
}

bool DecodeToolHeader(platform::BinaryReader& in, int version, ToolRecord& tool, uint8_t& side_code,
                      float& info_value) {
  unsigned char side_area_rest[kSideAreaBytes - 1];
  return DecodeToolAndSideCode(in, version, tool, side_code) && in.ReadBytes(side_area_rest, sizeof side_area_rest) &&
         in.ReadF32(info_value);
}

bool EncodeToolHeader(platform::BinaryWriter& out, ToolRecord& tool, uint8_t side_code, float info_value) {
  return tool.WriteRecord(out, false) && out.WriteU8(side_code) && out.WriteZeros(kSideAreaBytes - 1) &&
         out.WriteF32(info_value);
}

bool DecodeLegacyToolHeader(platform::BinaryReader& in, LegacyToolRecord& block, uint8_t& side_code) {
  int16_t extension_length = 0;
  unsigned char head_rest[kExtensionHeadBytes - 2];
  unsigned char side_area[kLegacySideAreaBytes];
  if (!ReadLegacyToolRecord(in, block) || !in.ReadI16(extension_length) || !in.ReadBytes(head_rest, sizeof head_rest) ||
      !in.Skip(extension_length - static_cast<int64_t>(kExtensionHeadBytes)) ||
      !in.ReadBytes(side_area, sizeof side_area)) {
    return false;
  }
  side_code = side_area[0];
  return true;
}

bool EncodeLegacyToolHeader(platform::BinaryWriter& out, const LegacyToolRecord& block, uint8_t side_code) {
  return WriteLegacyToolRecord(out, block) && out.WriteI16(static_cast<int16_t>(kExtensionHeadBytes)) &&
         out.WriteZeros(kExtensionHeadBytes - 2) && out.WriteU8(side_code) && out.WriteZeros(kLegacySideAreaBytes - 1);
}

}  // namespace quarnel::toollib
