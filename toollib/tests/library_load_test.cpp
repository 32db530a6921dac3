#include <gtest/gtest.h>

#include "tests/support/byte_builder.h"
#include "tests/support/library_writer.h"
#include "toollib/tests/library_fixture.h"
#include "toollib/tool_file.h"

namespace quarnel::toollib {
namespace {

using testing::BuildLegacyLibraryFile;
using testing::BuildLibraryFile;
using testing::ExtraFields;
using testing::LegacyLibraryFileFields;
using testing::LegacyToolFields;
using testing::LibraryFileFields;
using testing::ToolFields;

ToolFields Fields(int32_t type, float size) {
  ToolFields tool;
  tool.typeCode = type;
  tool.size = size;
  tool.x = size;
  tool.y = size + 1;
  tool.z = size + 2;
  tool.keyedCount = 1;
  tool.angles = {0.5f, 0, 0, 0};
  return tool;
}

class LibraryLoadTest : public LibraryTest {
 protected:
  StatusCode Load(const std::string& bytes) {
    return library_.Load(WriteFile("lib.tlb", bytes).c_str(), folder_);
  }
};

TEST_F(LibraryLoadTest, MissingFileCannotBeOpened) {
  EXPECT_EQ(library_.Load("c:\\missing.tlb", folder_), StatusCode::kFileCannotOpen);
  EXPECT_EQ(library_.Load(nullptr, folder_), StatusCode::kFileCannotOpen);
}

TEST_F(LibraryLoadTest, UnknownVersionsAreRefused) {
  library_.Append(ToolRecord{});
  for (int version : {5, 93, 0, 53, 2, 8}) {
    testing::ByteBuilder file;
    file.I16(static_cast<int16_t>(version)).I32(0);
    EXPECT_EQ(Load(file.bytes()), StatusCode::kFileUnknownVersion) << version;
  }
  EXPECT_EQ(library_.Count(), 1u);  // nothing loaded, nothing cleared
  EXPECT_EQ(Load(""), StatusCode::kFileReadFailed);
  EXPECT_EQ(Load("\x5c"), StatusCode::kFileReadFailed);
}

TEST_F(LibraryLoadTest, EveryCurrentVersionLoadsItsRecords) {
  for (int version : {52, 54, 60, 61, 62, 71, 80, 90, 91, 92}) {
    LibraryFileFields file;
    file.version = version;
    file.typeTable = {{0, 0}, {1, 1}, {2, 1}};
    ToolFields round = Fields(1, 5);
    round.valueA = 1.25f;
    round.valueB = 2.5f;
    round.valueC = 3.75f;
    round.valueD = 4.5f;
    round.dieClearanceCount = 2;
    round.dieClearances = {0.1f, 0.2f, 0, 0};
    round.keyedCount = 0;
    ToolFields special = Fields(108, 6);
    special.specialToolIndex = 1;
    special.z = 2.0f;
    special.specialBlock[0] = 9;
    file.tools = {round, special};
    file.paths = {"D:\\OLD\\ABC.SPT"};
    SCOPED_TRACE(version);
    ASSERT_EQ(Load(BuildLibraryFile(file)), StatusCode::kOk);
    ASSERT_EQ(library_.Count(), 2u);
    const ToolRecord first = ToolAt(1);
    EXPECT_EQ(first.typeCode, 1);
    EXPECT_EQ(first.size, 5.0f);
    EXPECT_EQ(first.dimensions[1], 6.0f);
    EXPECT_EQ(first.dieClearanceCount, 2);
    EXPECT_EQ(first.dieClearances[1], 0.2f);
    EXPECT_EQ(first.valueA, 1.25f);
    EXPECT_EQ(first.valueB, 2.5f);
    EXPECT_EQ(first.valueC, version >= 60 ? 3.75f : 0.0f);
    EXPECT_EQ(first.valueD, version >= 60 ? 4.5f : 0.0f);
    const ToolRecord second = ToolAt(2);
    EXPECT_EQ(second.specialToolIndex, 1);
    EXPECT_EQ(second.specialFlags, kSpecialFlagTwo);
    EXPECT_EQ(second.specialBlock[0], version >= 90 ? 9 : 0);
    EXPECT_EQ(PathAt(1), kFolder + "ABC.spt");
    EXPECT_EQ(library_.SpecialPaths().Count(), 1u);
    // The short type table of version 52 fills slot 2 from its second pair.
    EXPECT_EQ(library_.Types()[version == 52 ? 2 : 1].start, 1);
  }
}

TEST_F(LibraryLoadTest, ShortTypeTableFillsItsNineSlots) {
  LibraryFileFields file;
  file.version = 52;
  file.typeTable = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}, {11, 12}, {13, 14}, {15, 16}, {17, 18}};
  library_.Types()[1] = TypeSlotEntry{40, 41};
  library_.Types()[12] = TypeSlotEntry{42, 43};
  ASSERT_EQ(Load(BuildLibraryFile(file)), StatusCode::kOk);
  const int slots[] = {0, 2, 3, 5, 6, 7, 8, 9, 10};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(library_.Types()[slots[i]].start, 2 * i + 1);
    EXPECT_EQ(library_.Types()[slots[i]].count, 2 * i + 2);
  }
  EXPECT_EQ(library_.Types()[1].start, 0);
  EXPECT_EQ(library_.Types()[4].count, 0);
  EXPECT_EQ(library_.Types()[12].start, 42);
}

TEST_F(LibraryLoadTest, LongTypeTableKeepsAllTwentySlots) {
  LibraryFileFields file;
  for (int i = 0; i < 20; ++i) file.typeTable.push_back({i * 3, i * 3 + 1});
  ASSERT_EQ(Load(BuildLibraryFile(file)), StatusCode::kOk);
  EXPECT_EQ(library_.Types()[19].start, 57);
  EXPECT_EQ(library_.Types()[19].count, 58);
}

TEST_F(LibraryLoadTest, KeyedCountRulesPerKind) {
  LibraryFileFields file;
  ToolFields round = Fields(1, 1);
  round.keyedCount = 3;
  ToolFields rectangle = Fields(3, 2);
  rectangle.keyedCount = 0;
  rectangle.angles = {0.7f, 0.8f, 0, 0};
  ToolFields negative = Fields(104, 3);
  negative.keyedCount = -2;
  negative.angles = {0.7f, 0, 0, 0};
  ToolFields special = Fields(108, 4);
  special.keyedCount = 0;
  ToolFields kept = Fields(3, 5);
  kept.keyedCount = 9;
  file.tools = {round, rectangle, negative, special, kept};
  ASSERT_EQ(Load(BuildLibraryFile(file)), StatusCode::kOk);
  EXPECT_EQ(ToolAt(1).keyedCount, 0);
  EXPECT_EQ(ToolAt(2).keyedCount, 1);
  EXPECT_EQ(ToolAt(2).angles[0], 0.0f);
  EXPECT_EQ(ToolAt(2).angles[1], 0.8f);
  EXPECT_EQ(ToolAt(3).keyedCount, 1);
  EXPECT_EQ(ToolAt(3).angles[0], 0.0f);
  EXPECT_EQ(ToolAt(4).keyedCount, 0);
  EXPECT_EQ(ToolAt(5).keyedCount, 9);  // stored as read; the getter resets it
}

TEST_F(LibraryLoadTest, TriangleDimensionsAreStoredYXZ) {
  LibraryFileFields file;
  ToolFields triangle = Fields(107, 1);
  triangle.x = 1;
  triangle.y = 2;
  triangle.z = 3;
  file.tools = {triangle};
  ASSERT_EQ(Load(BuildLibraryFile(file)), StatusCode::kOk);
  const ToolRecord tool = ToolAt(1);
  EXPECT_EQ(tool.dimensions[0], 1.0f);
  EXPECT_EQ(tool.dimensions[1], 2.0f);
  EXPECT_EQ(tool.dimensions[2], 3.0f);
}

TEST_F(LibraryLoadTest, SpecialFlagsComeFromZ) {
  LibraryFileFields file;
  for (float z : {0.0f, 1.00005f, 2.0f, 1.5f}) {
    ToolFields special = Fields(108, 1);
    special.z = z;
    file.tools.push_back(special);
  }
  ASSERT_EQ(Load(BuildLibraryFile(file)), StatusCode::kOk);
  EXPECT_EQ(ToolAt(1).specialFlags, 0u);
  EXPECT_EQ(ToolAt(2).specialFlags, kSpecialFlagOne);
  EXPECT_EQ(ToolAt(3).specialFlags, kSpecialFlagTwo);
  EXPECT_EQ(ToolAt(4).specialFlags, 0u);
}

TEST_F(LibraryLoadTest, ExtrasOfEveryVersionAreCarried) {
  for (int version : {54, 60, 80, 90}) {
    LibraryFileFields file;
    file.version = version;
    ExtraFields extra;
    extra.textLength = 12;
    extra.leadingValue = 5;
    extra.firstText = "first";
    extra.secondText = "second";
    extra.firstByte = 7;
    extra.secondShort = -3;
    extra.blockWide = {1, 2, 3, 4, 5, 6, 7, 8};
    extra.blockSecond = 11;
    extra.entries = {{3, 1.5f, 4, 5}, {6, 2.5f, 7, 8}};
    extra.leadByte = 21;
    extra.trailByte = 22;
    file.extras = {extra, ExtraFields{}};
    SCOPED_TRACE(version);
    ASSERT_EQ(Load(BuildLibraryFile(file)), StatusCode::kOk);
    ASSERT_EQ(library_.Extras().Count(), 2u);
    ToolExtra read;
    ASSERT_EQ(library_.ReadExtra(read, 1), 1);
    EXPECT_EQ(read.leadingValue, 5);
    EXPECT_STREQ(read.firstText, "first");
    EXPECT_STREQ(read.secondText, "second");
    EXPECT_EQ(read.firstByte, 7);
    EXPECT_EQ(read.secondShort, -3);
    EXPECT_EQ(read.block.wideValue[7], 8);
    EXPECT_EQ(read.block.secondValue, 11);
    EXPECT_EQ(read.block.entryCount, 2);
    EXPECT_EQ(read.block.entryValue[1], 2.5f);
    EXPECT_EQ(read.block.entryByteC[1], 8);
    EXPECT_EQ(read.block.entryByteA[2], 255);  // entries not in the file keep new values
    EXPECT_EQ(read.block.leadByte, version >= 80 ? 21 : 0);
    EXPECT_EQ(read.block.trailByte, version >= 90 ? 22 : 0);
  }
}

TEST_F(LibraryLoadTest, ImpossibleExtraSizesFailTheLoad) {
  for (int16_t length : {int16_t{0}, int16_t{-1}, int16_t{257}}) {
    LibraryFileFields file;
    ExtraFields extra;
    extra.textLength = length;
    file.extras = {extra};
    EXPECT_EQ(Load(BuildLibraryFile(file)), StatusCode::kFileReadFailed) << length;
  }
  {
    LibraryFileFields file;
    ExtraFields extra;
    extra.entryCount = 21;
    file.extras = {extra};
    EXPECT_EQ(Load(BuildLibraryFile(file)), StatusCode::kFileReadFailed);
  }
  LibraryFileFields file;
  ExtraFields extra;
  extra.textLength = 256;
  extra.entries.resize(20);
  file.extras = {extra};
  EXPECT_EQ(Load(BuildLibraryFile(file)), StatusCode::kOk);
}

// A count below 0 reads no entries; the record loads, keeps its count and is
// saved with it, so that the file reads the same way again.
TEST_F(LibraryLoadTest, NegativeExtraEntryCountReadsNoEntriesAndIsKept) {
  LibraryFileFields file;
  file.tools = {Fields(3, 1)};
  // The table that a save rebuilds for one type-3 tool.
  file.typeTable = {{0, 1}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {1, 1}};
  ExtraFields extra;
  extra.entryCount = -1;
  extra.leadByte = 9;
  extra.trailByte = 10;
  file.extras = {extra};
  ASSERT_EQ(Load(BuildLibraryFile(file)), StatusCode::kOk);
  ToolExtra read;
  ASSERT_EQ(library_.ReadExtra(read, 1), 1);
  EXPECT_EQ(read.block.entryCount, -1);
  EXPECT_EQ(read.block.entryByteA[0], 255);  // no entry was read
  EXPECT_EQ(read.block.leadByte, 9);
  EXPECT_EQ(read.block.trailByte, 10);

  ASSERT_EQ(library_.Save("c:\\resaved.tlb"), StatusCode::kOk);
  file.extras[0].entries.clear();
  EXPECT_EQ(ReadFile("resaved.tlb"), BuildLibraryFile(file));
}

TEST_F(LibraryLoadTest, HugeCountsFailWhenTheFileEnds) {
  LibraryFileFields file;
  file.tools = {Fields(3, 1), Fields(3, 2), Fields(3, 3)};
  file.toolCount = 2000000000;
  EXPECT_EQ(Load(BuildLibraryFile(file)), StatusCode::kFileReadFailed);
  EXPECT_EQ(library_.Count(), 3u);  // what was read stays

  LibraryFileFields extras;
  extras.extraCount = 2000000000;
  EXPECT_EQ(Load(BuildLibraryFile(extras)), StatusCode::kFileReadFailed);
  LibraryFileFields paths;
  paths.pathCount = 2000000000;
  EXPECT_EQ(Load(BuildLibraryFile(paths)), StatusCode::kFileReadFailed);

  LibraryFileFields negative;
  negative.toolCount = -5;
  negative.extraCount = -1;
  negative.pathCount = -1;
  EXPECT_EQ(Load(BuildLibraryFile(negative)), StatusCode::kOk);
  EXPECT_EQ(library_.Count(), 0u);
}

TEST_F(LibraryLoadTest, LoadReplacesWhatTheLibraryHeld) {
  LibraryFileFields file;
  file.tools = {Fields(3, 1)};
  file.extras = {ExtraFields{}};
  file.paths = {"C:\\A\\ONE.SPT"};
  ASSERT_EQ(Load(BuildLibraryFile(file)), StatusCode::kOk);
  ASSERT_EQ(Load(BuildLibraryFile(file)), StatusCode::kOk);
  EXPECT_EQ(library_.Count(), 1u);
  EXPECT_EQ(library_.Extras().Count(), 1u);
  EXPECT_EQ(library_.SpecialPaths().Count(), 1u);
}

// Legacy layout.

LegacyToolFields LegacyTool(int8_t type, float size) {
  LegacyToolFields tool;
  tool.typeCode = type;
  tool.size = size;
  tool.x = size;
  tool.y = size * 2;
  tool.z = size * 3;
  tool.name = "TOOL";
  return tool;
}

TEST_F(LibraryLoadTest, LegacyPlaceholderIsSkipped) {
  for (int16_t n : {int16_t{0}, int16_t{1}, int16_t{-4}}) {
    LegacyLibraryFileFields file;
    file.storedCount = n;
    EXPECT_EQ(Load(BuildLegacyLibraryFile(file)), StatusCode::kOk) << n;
    EXPECT_EQ(library_.Count(), 0u);
  }
  LegacyLibraryFileFields file;
  file.version = 1;
  file.tools = {LegacyTool(3, 1), LegacyTool(1, 2)};
  ASSERT_EQ(Load(BuildLegacyLibraryFile(file)), StatusCode::kOk);
  ASSERT_EQ(library_.Count(), 2u);
  EXPECT_EQ(ToolAt(1).size, 1.0f);
  EXPECT_EQ(ToolAt(2).typeCode, 1);
  EXPECT_EQ(ToolAt(2).dimensions[2], 6.0f);
}

TEST_F(LibraryLoadTest, LegacyUnusedAnglesAndClearancesAreZeroed) {
  LegacyLibraryFileFields file;
  for (int8_t k : {int8_t{0}, int8_t{1}, int8_t{2}, int8_t{3}, int8_t{9}}) {
    LegacyToolFields tool = LegacyTool(3, 1);
    tool.keyedCount = k;
    tool.angles = {1, 2, 3, 4};
    tool.dieClearanceCount = k;
    tool.dieClearances = {5, 6, 7, 8};
    file.tools.push_back(tool);
  }
  ASSERT_EQ(Load(BuildLegacyLibraryFile(file)), StatusCode::kOk);
  for (int i = 0; i < 5; ++i) {
    const ToolRecord tool = ToolAt(i + 1);
    const int k = i < 4 ? i : 4;
    for (int a = 0; a < 4; ++a) {
      EXPECT_EQ(tool.angles[a], a < k ? static_cast<float>(a + 1) : 0.0f) << i << " " << a;
      EXPECT_EQ(tool.dieClearances[a], a < k ? static_cast<float>(a + 5) : 0.0f);
    }
  }
  EXPECT_EQ(ToolAt(5).keyedCount, 9);  // taken as given
}

TEST_F(LibraryLoadTest, LegacyVersionOneSpecialToolUsesItsSanitisedName) {
  LegacyLibraryFileFields file;
  file.version = 1;
  LegacyToolFields special = LegacyTool(108, 1);
  special.name = "A/B:C";
  file.tools = {special};
  ASSERT_EQ(Load(BuildLegacyLibraryFile(file)), StatusCode::kOk);
  EXPECT_EQ(ToolAt(1).specialToolIndex, 1);
  EXPECT_EQ(PathAt(1), kFolder + "A_B_C.spt");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(LibraryLoadTest, LegacySpecialToolWithoutAReadableFileKeepsItsOwnFields) {
  LegacyLibraryFileFields file;
  file.version = 6;
  LegacyToolFields before = LegacyTool(3, 7);
  before.keyedCount = 4;
  before.angles = {1, 2, 3, 4};
  LegacyToolFields special = LegacyTool(108, 2);
  special.name = "GONE";
  special.nameOffset = 6;
  special.keyedCount = 1;
  special.angles = {1, 2, 3, 4};
  file.tools = {before, special};
  // First without the file, then with one that ends after its version.
  for (const bool short_file : {false, true}) {
    if (short_file) {
      testing::ByteBuilder spt;
      spt.I16(92);
      WriteFile(kFolderInDriveC + "GONE.spt", spt.bytes());
    }
    ASSERT_EQ(Load(BuildLegacyLibraryFile(file)), StatusCode::kOk);
    ASSERT_EQ(library_.Count(), 2u);
    const ToolRecord tool = ToolAt(2);
    EXPECT_EQ(tool.typeCode, 108);
    EXPECT_EQ(tool.size, 2.0f);
    EXPECT_EQ(tool.dimensions[1], 4.0f);
    EXPECT_EQ(tool.keyedCount, 1);
    EXPECT_EQ(tool.angles[0], 1.0f);
    EXPECT_EQ(tool.angles[1], 0.0f);
    EXPECT_EQ(tool.specialToolIndex, 1);
    EXPECT_EQ(PathAt(1), kFolder + "GONE.spt");
    EXPECT_EQ(Messages().size(), short_file ? 1u : 0u);
  }
}

TEST_F(LibraryLoadTest, LegacySpecialToolReadsItsSpecialToolFile) {
  testing::ByteBuilder spt;
  ToolFields header = Fields(108, 12.5f);
  header.x = 3;
  header.keyedCount = 2;
  header.z = 0;
  spt.I16(92);
  testing::AppendToolRecord(spt, header, 92, false);
  spt.U8(2);
  WriteFile(kFolderInDriveC + "PUNCH_7.spt", spt.bytes());

  LegacyLibraryFileFields file;
  file.version = 7;
  LegacyToolFields special = LegacyTool(108, 1);
  special.name = "PUNCH:7";
  special.nameOffset = 6;
  file.tools = {special};
  ASSERT_EQ(Load(BuildLegacyLibraryFile(file)), StatusCode::kOk);
  const ToolRecord tool = ToolAt(1);
  EXPECT_EQ(tool.size, 12.5f);
  EXPECT_EQ(tool.dimensions[0], 3.0f);
  EXPECT_EQ(tool.keyedCount, 2);
  EXPECT_EQ(tool.specialFlags, kSpecialFlagTwo);
  EXPECT_EQ(tool.specialToolIndex, 1);
  EXPECT_EQ(PathAt(1), kFolder + "PUNCH_7.spt");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "spt version is 92");
}

TEST_F(LibraryLoadTest, LegacyShortRecordEmptiesTheLibrary) {
  LegacyLibraryFileFields file;
  file.tools = {LegacyTool(3, 1), LegacyTool(3, 2)};
  file.storedCount = 4;  // one record more than the file holds
  EXPECT_EQ(Load(BuildLegacyLibraryFile(file)), StatusCode::kFileReadFailed);
  EXPECT_EQ(library_.Count(), 0u);
}

}  // namespace
}  // namespace quarnel::toollib
