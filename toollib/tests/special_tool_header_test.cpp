#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/byte_builder.h"
#include "tests/support/library_writer.h"
#include "toollib/tests/library_fixture.h"
#include "toollib/tool_file.h"

namespace quarnel::toollib {
namespace {

class SpecialToolHeaderTest : public LibraryTest {
 protected:
  std::string CurrentSpt(int version, uint8_t side_code) {
    testing::ByteBuilder spt;
    spt.I16(static_cast<int16_t>(version));
    testing::ToolFields tool;
    tool.typeCode = kTypeSpecial;
    tool.size = 8;
    tool.x = 3;
    tool.keyedCount = 2;
    tool.angles = {0.5f, 0.25f, 0, 0};
    tool.valueC = 6;
    testing::AppendToolRecord(spt, tool, version, false);
    spt.U8(side_code);
    return spt.bytes();
  }
};

TEST_F(SpecialToolHeaderTest, NameIsLookedUpInTheFolder) {
  WriteFile(kFolderInDriveC + "PUNCH7.spt", CurrentSpt(92, 1));
  ToolRecord record;
  ASSERT_EQ(ReadSpecialToolHeader("PUNCH7", record, Links()), 1);
  EXPECT_EQ(record.typeCode, kTypeSpecial);
  EXPECT_EQ(record.size, 8.0f);
  EXPECT_EQ(record.keyedCount, 2);
  EXPECT_EQ(record.angles[1], 0.25f);
  EXPECT_EQ(record.valueC, 6.0f);
  EXPECT_EQ(record.specialFlags, kSpecialFlagOne);
  EXPECT_EQ(record.specialToolIndex, 1);
  EXPECT_EQ(PathAt(1), kFolder + "PUNCH7.spt");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "spt version is 92");
}

TEST_F(SpecialToolHeaderTest, PathIsReadAsGiven) {
  WriteFile("T\\PUNCH7.SPT", CurrentSpt(54, 2));
  ToolRecord record;
  ASSERT_EQ(ReadSpecialToolHeader("C:\\T\\PUNCH7.SPT", record, Links()), 1);
  EXPECT_EQ(record.size, 8.0f);
  EXPECT_EQ(record.valueC, 0.0f);  // not carried before version 60
  EXPECT_EQ(record.specialFlags, kSpecialFlagTwo);
  EXPECT_EQ(PathAt(1), kFolder + "PUNCH7.spt");  // tied through its name
}

TEST_F(SpecialToolHeaderTest, Version7ReadsTheLegacyToolBlock) {
  testing::ByteBuilder spt;
  spt.I16(7);
  testing::LegacyToolFields tool;
  tool.size = 2.5f;
  tool.x = 1;
  tool.y = 2;
  tool.keyedCount = 7;  // through the setter: 0
  tool.angles = {1, 2, 3, 4};
  tool.dieClearanceCount = 3;
  tool.dieClearances = {5, 6, 7, 8};
  testing::AppendLegacyToolRecord(spt, tool);
  WriteFile(kFolderInDriveC + "OLD.spt", spt.bytes());
  ToolRecord record;
  ASSERT_EQ(ReadSpecialToolHeader("OLD", record, Links()), 1);
  EXPECT_EQ(record.size, 2.5f);
  EXPECT_EQ(record.dimensions[1], 2.0f);
  EXPECT_EQ(record.keyedCount, 0);
  EXPECT_EQ(record.angles[3], 4.0f);
  EXPECT_EQ(record.dieClearanceCount, 3);
  EXPECT_EQ(record.dieClearances[3], 8.0f);
  EXPECT_EQ(Messages().at(0), "spt version is 7");
}

TEST_F(SpecialToolHeaderTest, MissingFileLeavesTheRecordUntouched) {
  ToolRecord record;
  record.size = 42;
  EXPECT_EQ(ReadSpecialToolHeader("NOTHERE", record, Links()), 0);
  EXPECT_EQ(record.size, 42.0f);
  EXPECT_EQ(record.typeCode, 0);
  EXPECT_EQ(library_.SpecialPaths().Count(), 0u);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(ReadSpecialToolHeader(nullptr, record, Links()), 0);
}

TEST_F(SpecialToolHeaderTest, UnknownVersionKeepsTheTiedRecord) {
  testing::ByteBuilder spt;
  spt.I16(30).Zeros(100);
  WriteFile(kFolderInDriveC + "ODD.spt", spt.bytes());
  ToolRecord record;
  record.size = 42;
  EXPECT_EQ(ReadSpecialToolHeader("ODD", record, Links()), 0);
  EXPECT_EQ(record.typeCode, kTypeSpecial);
  EXPECT_EQ(record.size, 0.0f);
  EXPECT_EQ(record.specialToolIndex, 1);
  EXPECT_EQ(Messages().at(0), "spt version is 30");
}

TEST(SanitizeFileNameTest, ReplacesEveryForbiddenCharacter) {
  char text[] = "A/B:C*D\"E<F>G?H\\I|J.K";
  SanitizeFileName(text);
  EXPECT_STREQ(text, "A_B_C_D_E_F_G_H_I_J.K");
  SanitizeFileName(nullptr);
}

TEST(LegacyRecordNameTest, ShiftedNameTakesTheFirstByteOfX) {
  // A name filling its whole field runs into x when read one byte further in.
  testing::ByteBuilder bytes;
  testing::LegacyToolFields tool;
  tool.name = std::string(20, 'N');
  testing::AppendLegacyToolRecord(bytes, tool);
  LegacyToolRecord record;
  std::memcpy(record.nameField, bytes.bytes().data() + 5, sizeof record.nameField);
  record.dimensions[0] = std::bit_cast<float>(0x41u);  // first byte 'A'
  EXPECT_EQ(record.Name(false), std::string(20, 'N'));
  EXPECT_EQ(record.Name(true), std::string(19, 'N'));
  std::memset(record.nameField, 'M', sizeof record.nameField);
  EXPECT_EQ(record.Name(true), std::string(20, 'M') + "A");
  EXPECT_EQ(record.Name(false), std::string(21, 'M'));
}

}  // namespace
}  // namespace quarnel::toollib
