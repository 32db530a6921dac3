// The on-disk tool record's encoder against the test-side writer, and the
// decoder reading back what the encoder wrote, in every current version.
#include "toollib/tool_record_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/support/library_writer.h"
#include "platform/memory_file.h"

namespace quarnel::toollib {
namespace {

constexpr int kCurrentVersions[] = {52, 54, 60, 61, 62, 71, 80, 90, 91, 92};
constexpr int32_t kTypes[] = {kTypeRound, kTypeRectangle, kTypeDimensionsOnly, kTypeSquare,
                              kTypeTriangle, kTypeSpecial, kTypeRoundedRect, 42};

// Records the loader keeps as they are: keyed counts it does not correct and,
// for a special tool, a z of 0, 1 or 2 with the flags it gives.
ToolRecord RandomTool(std::mt19937& random) {
  std::uniform_real_distribution<float> value(-1000.0f, 1000.0f);
  auto pick = [&random](int below) { return static_cast<int32_t>(random() % static_cast<uint32_t>(below)); };
  ToolRecord tool;
  tool.typeCode = kTypes[pick(static_cast<int>(std::size(kTypes)))];
  tool.size = value(random);
  tool.specialToolIndex = pick(50);
  tool.extraIndex = pick(50);
  tool.SetDimensions(value(random), value(random), value(random));
  tool.keyedCount = tool.typeCode == kTypeRound ? 0 : tool.typeCode == kTypeSpecial ? pick(5) : 1 + pick(4);
  tool.SetAngles(value(random), value(random), value(random), value(random));
  tool.dieClearanceCount = pick(9) - 2;
  tool.SetDieClearances(value(random), value(random), value(random), value(random));
  tool.valueA = value(random);
  tool.valueB = value(random);
  tool.valueC = value(random);
  tool.valueD = value(random);
  if (tool.typeCode == kTypeSpecial) {
    tool.dimensions[2] = static_cast<float>(pick(3));
    tool.FlagsFromZ();
    for (unsigned char& byte : tool.specialBlock) byte = static_cast<unsigned char>(random());
  }
  return tool;
}

testing::ToolFields AsFields(const ToolRecord& tool) {
  testing::ToolFields fields;
  fields.size = tool.size;
  fields.typeCode = tool.typeCode;
  std::copy_n(tool.specialBlock, kSpecialBlockSize, fields.specialBlock.begin());
  fields.specialToolIndex = tool.specialToolIndex;
  fields.extraIndex = tool.extraIndex;
  fields.x = tool.dimensions[0];
  fields.y = tool.dimensions[1];
  fields.z = tool.dimensions[2];
  fields.keyedCount = tool.keyedCount;
  std::copy_n(tool.angles, 4, fields.angles.begin());
  fields.dieClearanceCount = tool.dieClearanceCount;
  std::copy_n(tool.dieClearances, 4, fields.dieClearances.begin());
  fields.valueA = tool.valueA;
  fields.valueB = tool.valueB;
  fields.valueC = tool.valueC;
  fields.valueD = tool.valueD;
  return fields;
}

// What a version does not carry reads back as in a new record.
ToolRecord AsCarriedBy(ToolRecord tool, int version) {
  if (version < kFirstVersionWithValuesCD) tool.valueC = tool.valueD = 0.0f;
  if (version < kFirstVersionWithSpecialBlock) std::fill(std::begin(tool.specialBlock), std::end(tool.specialBlock), 0);
  return tool;
}

TEST(ToolRecordFormat, EncodesAsTheFileWriterAndDecodesBackInEveryVersion) {
  std::mt19937 random(17);
  for (int round = 0; round < 200; ++round) {
    const ToolRecord tool = RandomTool(random);
    for (int version : kCurrentVersions) {
      SCOPED_TRACE(::testing::Message() << "type " << tool.typeCode << ", version " << version);
      platform::MemoryFile file;
      platform::BinaryWriter out(file);
      ASSERT_EQ(EncodeToolRecord(out, tool, version, false), 1);
      testing::ByteBuilder expected;
      testing::AppendToolRecord(expected, AsFields(tool), version, false);
      ASSERT_EQ(file.bytes(), expected.bytes());
      EXPECT_EQ(file.bytes().size(), ToolRecordBytes(version, tool.typeCode == kTypeSpecial, false));

      platform::BinaryReader in(file);
      ToolRecord back;
      ASSERT_EQ(DecodeToolRecord(in, version, false, back), 1);
      unsigned char want[kToolRecordSize];
      unsigned char got[kToolRecordSize];
      AsCarriedBy(tool, version).ToBytes(want);
      back.ToBytes(got);
      EXPECT_TRUE(std::equal(std::begin(want), std::end(want), std::begin(got)));
    }
  }
}

}  // namespace
}  // namespace quarnel::toollib
