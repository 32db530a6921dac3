#include <gtest/gtest.h>

#include <cmath>

#include "toollib/tool_record.h"

namespace quarnel::toollib {
namespace {

ToolRecord Tool(int32_t type, float size, float x, float y = 0.0f, float z = 0.0f) {
  ToolRecord tool;
  tool.typeCode = type;
  tool.size = size;
  tool.SetDimensions(x, y, z);
  return tool;
}

TEST(ToolRecordTypes, SlotsAndLabelsFollowTheCodes) {
  const int32_t codes[] = {109, 105, 106, 110, 3, 1, 104, 103, 107, 108};
  const char* labels[] = {"CR  ", "DD  ", "OB  ", "RC  ", "RE  ",
                          "RO  ", "SD  ", "SQ  ", "TR  ", "SPEC"};
  for (int slot = 1; slot <= 10; ++slot) {
    EXPECT_EQ(TypeSlotOfCode(codes[slot - 1]), slot);
    EXPECT_EQ(CodeOfTypeSlot(slot), codes[slot - 1]);
    EXPECT_STREQ(TypeSlotLabel(slot), labels[slot - 1]);
  }
  EXPECT_EQ(TypeSlotOfCode(9), 0);
  EXPECT_EQ(TypeSlotOfCode(0), 0);
  EXPECT_STREQ(TypeSlotLabel(0), "NULL");
  EXPECT_STREQ(TypeSlotLabel(11), "NULL");
}

TEST(ToolRecordKeyedCount, SetterRefusesOutOfRangeAndGetterResets) {
  ToolRecord tool;
  tool.SetKeyedCount(5);
  EXPECT_EQ(tool.keyedCount, 0);
  tool.SetKeyedCount(-1);
  EXPECT_EQ(tool.keyedCount, 0);
  tool.SetKeyedCount(4);
  EXPECT_EQ(tool.keyedCount, 4);

  const float dims[3] = {1, 2, 3};
  const float angles[4] = {1, 2, 3, 4};
  ToolRecord legacy = ToolRecord::FromLegacyRecord(2.0f, 3, "NAME", dims, 7, angles, 9, angles);
  EXPECT_EQ(legacy.keyedCount, 7);
  EXPECT_EQ(legacy.dieClearanceCount, 9);
  EXPECT_EQ(legacy.KeyedCount(), 0);
  EXPECT_EQ(legacy.keyedCount, 0);
  EXPECT_EQ(legacy.specialToolIndex, 0);
  EXPECT_EQ(legacy.dimensions[2], 3.0f);
}

TEST(ToolRecordMatches, TypeCodesMustAgree) {
  ToolRecord a = Tool(3, 1, 1, 1, 1);
  ToolRecord b = Tool(103, 1, 1, 1, 1);
  EXPECT_EQ(a.Matches(b), 0);
}

TEST(ToolRecordMatches, RoundAndSquareCompareXAlone) {
  ToolRecord round = Tool(1, 10, 5, 1, 1);
  ToolRecord other_round = Tool(1, 10, 5, 7, 8);
  EXPECT_EQ(round.Matches(other_round), 1);
  ToolRecord square = Tool(103, 10, 5, 1, 1);
  ToolRecord other_square = Tool(103, 10, 5, 7, 8);
  other_square.keyedCount = 0;
  EXPECT_EQ(square.Matches(other_square), 1);
  ToolRecord rectangle = Tool(3, 10, 5, 1, 1);
  ToolRecord other_rectangle = Tool(3, 10, 5, 7, 1);
  EXPECT_EQ(rectangle.Matches(other_rectangle), 0);
}

TEST(ToolRecordMatches, ToleranceIsStrictAndTakenWithoutRounding) {
  // Sizes exactly the float tolerance apart do not match.
  ToolRecord a = Tool(3, 0.0f, 1, 1, 1);
  ToolRecord b = Tool(3, kLengthTolerance, 1, 1, 1);
  EXPECT_EQ(a.Matches(b), 0);
  // Just inside the tolerance matches.
  ToolRecord c = Tool(3, std::nextafter(kLengthTolerance, 0.0f), 1, 1, 1);
  EXPECT_EQ(a.Matches(c), 1);
  // A difference that float arithmetic would round up to the tolerance still
  // matches: it is taken in double.
  const float base = 1.7e-5f;
  float other = base + kLengthTolerance;
  while (static_cast<double>(other) - base >= static_cast<double>(kLengthTolerance)) {
    other = std::nextafter(other, 0.0f);
  }
  volatile float rounded_difference = other - base;
  ASSERT_GE(rounded_difference, kLengthTolerance);
  ToolRecord d = Tool(3, base, 1, 1, 1);
  ToolRecord e = Tool(3, other, 1, 1, 1);
  EXPECT_EQ(d.Matches(e), 1);
  ToolRecord f = Tool(3, std::nextafter(other, 2.0f), 1, 1, 1);
  EXPECT_EQ(d.Matches(f), 0);
}

TEST(ToolRecordMatches, AnglesComparedUpToKeyedCount) {
  ToolRecord a = Tool(3, 5, 1, 1, 1);
  ToolRecord b = Tool(3, 5, 1, 1, 1);
  a.SetAngles(0.1f, 0.2f, 0.3f, 0.4f);
  b.SetAngles(0.5f, 0.6f, 0.7f, 0.8f);
  EXPECT_EQ(a.Matches(b), 1);  // keyed count 0: any angles
  a.keyedCount = b.keyedCount = 2;
  EXPECT_EQ(a.Matches(b), 0);
  b.SetAngles(0.1f, 0.2f, 0.9f, 0.9f);
  EXPECT_EQ(a.Matches(b), 1);  // only a1 and a2 compared
  b.angles[1] = 0.2f + 2 * kAngleTolerance;
  EXPECT_EQ(a.Matches(b), 0);
}

TEST(ToolRecordMatches, KeyedCountOfTheOtherGoesThroughItsGetter) {
  ToolRecord a = Tool(3, 5, 1, 1, 1);
  ToolRecord b = Tool(3, 5, 1, 1, 1);
  b.keyedCount = 9;  // read as 0, and reset in b
  EXPECT_EQ(a.Matches(b), 1);
  EXPECT_EQ(b.keyedCount, 0);
  ToolRecord c = Tool(3, 5, 1, 1, 1);
  c.keyedCount = 1;
  EXPECT_EQ(c.Matches(b), 0);
}

TEST(ToolRecordMatches, SpecialToolsCompareTheirIndexAlone) {
  ToolRecord a = Tool(108, 1, 1, 1, 1);
  ToolRecord b = Tool(108, 9, 9, 9, 9);
  EXPECT_EQ(a.Matches(b), 1);  // both index 0
  a.specialToolIndex = 3;
  EXPECT_EQ(a.Matches(b), 0);
  b.specialToolIndex = 3;
  EXPECT_EQ(a.Matches(b), 1);
}

TEST(ToolRecordMatches, TypeNineComparesDimensionsAlone) {
  ToolRecord a = Tool(9, 1, 1, 2, 3);
  ToolRecord b = Tool(9, 50, 1, 2, 3);
  b.keyedCount = 3;
  EXPECT_EQ(a.Matches(b), 1);
  b.dimensions[2] = 3.5f;
  EXPECT_EQ(a.Matches(b), 0);
}

TEST(ToolRecordSpecialFlags, ZCarriesTheFlags) {
  ToolRecord tool = Tool(108, 1, 1, 1, 1.00005f);
  tool.FlagsFromZ();
  EXPECT_EQ(tool.specialFlags, kSpecialFlagOne);
  tool.ZFromFlags();
  EXPECT_EQ(tool.dimensions[2], 1.0f);

  tool.dimensions[2] = 1.99995f;
  tool.FlagsFromZ();
  EXPECT_EQ(tool.specialFlags, kSpecialFlagTwo);
  tool.ZFromFlags();
  EXPECT_EQ(tool.dimensions[2], 2.0f);

  tool.dimensions[2] = 1.5f;
  tool.FlagsFromZ();
  EXPECT_EQ(tool.specialFlags, 0u);
  tool.ZFromFlags();
  EXPECT_EQ(tool.dimensions[2], 0.0f);

  tool.specialFlags = kSpecialFlagOne | kSpecialFlagTwo;
  tool.ZFromFlags();
  EXPECT_EQ(tool.dimensions[2], 1.0f);
}

TEST(ToolRecordBytes, RoundTripThroughTheListRecord) {
  ToolRecord tool = Tool(108, 1.5f, 2, 3, 4);
  tool.specialToolIndex = 7;
  tool.valueD = 9.5f;
  tool.specialBlock[23] = 0xAB;
  unsigned char bytes[kToolRecordSize];
  tool.ToBytes(bytes);
  const ToolRecord back = ToolRecord::FromBytes(bytes);
  EXPECT_EQ(back.specialToolIndex, 7);
  EXPECT_EQ(back.valueD, 9.5f);
  EXPECT_EQ(back.specialBlock[23], 0xAB);
  EXPECT_EQ(back.dimensions[1], 3.0f);
}

}  // namespace
}  // namespace quarnel::toollib
