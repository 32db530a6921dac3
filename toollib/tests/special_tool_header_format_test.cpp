// The tool data at the head of a special-tool file and the legacy tool record:
// the encoders write what the test-side writer writes, the decoders read back
// what the encoders wrote.
#include "toollib/special_tool_header_format.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/memory_file.h"
#include "tests/support/special_tool_writer.h"
#include "toollib/tool_record_format.h"

namespace quarnel::toollib {
namespace {

using quarnel::platform::MemoryFile;

// The bytes from just after the version, `count` of them.
std::string HeadOf(const quarnel::testing::SpecialToolFileFields& fields, size_t count) {
  return quarnel::testing::BuildSpecialToolFile(fields).substr(2, count);
}

TEST(SpecialToolHeaderFormat, VersionSevenHeadAndLegacyRecordRoundTrip) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> value(-100.0f, 100.0f);
  for (int round = 0; round < 50; ++round) {
    quarnel::testing::SpecialToolFileFields fields;
    fields.version = kLegacySpecialToolVersion;
    quarnel::testing::LegacyToolFields& tool = fields.legacyTool;
    tool.size = value(random);
    tool.typeCode = static_cast<int8_t>(random());
    tool.name = "PUNCH" + std::to_string(round);
    tool.x = value(random), tool.y = value(random), tool.z = value(random);
    tool.keyedCount = static_cast<int8_t>(random());
    for (float& angle : tool.angles) angle = value(random);
    tool.dieClearanceCount = static_cast<int8_t>(random());
    for (float& clearance : tool.dieClearances) clearance = value(random);
    fields.sideCode = static_cast<uint8_t>(random() % 4);
    const std::string expected = HeadOf(fields, kLegacyToolRecordSize + kExtensionHeadBytes + kLegacySideAreaBytes);

    MemoryFile file(expected);
    platform::BinaryReader in(file);
    LegacyToolRecord block;
    uint8_t side_code = 0xEE;
    ASSERT_TRUE(DecodeLegacyToolHeader(in, block, side_code));
    EXPECT_EQ(side_code, fields.sideCode);
    EXPECT_EQ(block.Name(false), tool.name);
    EXPECT_EQ(block.keyedCount, tool.keyedCount);
    EXPECT_EQ(block.dimensions[2], tool.z);

    MemoryFile written;
    platform::BinaryWriter out(written);
    ASSERT_TRUE(EncodeLegacyToolHeader(out, block, side_code));
    EXPECT_EQ(written.bytes(), expected);
  }
}

TEST(SpecialToolHeaderFormat, LaterVersionsHeadRoundTrips) {
  for (int version : {52, 60, 80, 90, 92}) {
    for (uint8_t side : {kNoSide, kSideOne, kSideTwo, uint8_t{3}}) {
      quarnel::testing::SpecialToolFileFields fields;
      fields.version = version;
      fields.tool.size = 12.5f;
      fields.tool.x = 3.0f, fields.tool.y = 4.0f, fields.tool.z = side == kSideTwo ? 2.0f : 1.0f;
      fields.tool.keyedCount = 2;
      fields.tool.valueC = 7.0f;
      fields.tool.specialBlock[5] = 99;
      fields.sideCode = side;
      fields.infoValue = 33.0f + side;
      const size_t head_bytes = ToolRecordBytes(version, true, false) + kSideAreaBytes + kInfoValueBytes;
      const std::string expected = HeadOf(fields, head_bytes);

      MemoryFile file(expected);
      platform::BinaryReader in(file);
      ToolRecord tool;
      uint8_t side_code = 0xEE;
      float info_value = 0.0f;
      ASSERT_TRUE(DecodeToolHeader(in, version, tool, side_code, info_value));
      EXPECT_EQ(side_code, side);
      EXPECT_EQ(info_value, fields.infoValue);
      EXPECT_EQ(tool.size, 12.5f);
      if (version != 92) continue;
      MemoryFile written;
      platform::BinaryWriter out(written);
      ASSERT_TRUE(EncodeToolHeader(out, tool, side_code, info_value));
      EXPECT_EQ(written.bytes(), expected) << "side " << int{side};
    }
  }
}

}  // namespace
}  // namespace quarnel::toollib
