#include <tuple>

#include "exports/tests/tool_exchange_fixture.h"
#include "tests/support/faulty_file_system.h"

namespace quarnel::exports {
namespace {

using testing::ExtraFields;
using testing::LibraryFileFields;
using testing::ToolFields;
using testing::TypePairs;

// Type slots of the codes used here.
constexpr int kRectangleSlot = 5;
constexpr int kRoundSlot = 6;
constexpr int kSpecialSlot = 10;

// A type table as the saver rebuilds it: slot 0 is (0, 1), the given slots
// their (start, count), every other slot (0, 0).
TypePairs Table(std::initializer_list<std::tuple<int, int32_t, int32_t>> slots) {
  TypePairs pairs(20, {0, 0});
  pairs[0] = {0, 1};
  for (const auto& [slot, start, count] : slots) pairs[slot] = {start, count};
  return pairs;
}

ToolFields RoundTool(float size) {
  ToolFields tool = RectangleTool(size);
  tool.typeCode = 1;
  tool.keyedCount = 0;  // a round tool is loaded with keyed count 0
  return tool;
}

ExtraFields Extra(int32_t leading, float station) {
  ExtraFields extra;
  extra.leadingValue = leading;
  extra.firstText = "first " + std::to_string(leading);
  extra.secondText = "second " + std::to_string(leading);
  extra.firstByte = 3;
  extra.secondByte = 4;
  extra.firstShort = -5;
  extra.secondShort = 6;
  extra.blockFirst = 7;
  extra.blockWide = {1, 2, 3, 4, 5, 6, 7, 8};
  extra.blockThird = 9;
  extra.entries = {{12, station, 13, 14}, {15, 2.5f, 16, 17}};
  extra.leadByte = 18;
  extra.trailByte = 19;
  return extra;
}

// A version-92 library of two rectangles around a special tool, with two
// extras and one special path, in the form the saver writes back unchanged.
LibraryFileFields EditableLibrary() {
  LibraryFileFields file;
  ToolFields first = RectangleTool(10.0f);
  first.extraIndex = 2;
  ToolFields special = SpecialTool(20.0f, 1);
  special.extraIndex = 1;
  file.tools = {first, special, RectangleTool(30.0f)};
  file.typeTable = Table({{kRectangleSlot, 1, 2}, {kSpecialSlot, 2, 1}});
  file.typeTable[15] = {11, 12};  // carried unchanged
  file.extras = {Extra(1, 7.9f), Extra(2, 4.0f)};
  file.paths = {SpecialPath("PUNCH7")};
  return file;
}

using SendExportsTest = ToolExchangeTest;

TEST_F(SendExportsTest, NewLibraryOfThreeToolsIsWrittenAsVersion92WithItsTypeTable) {
  ASSERT_EQ(StartSendTool("c:\\new.tl", 1), 0);
  EXPECT_FALSE(FileExists("new.tl"));
  ToolFields special = SpecialTool(30.0f, 0);
  // The index is not used when appending.
  EXPECT_EQ(SendFields(7, RoundTool(10.0f)), 0);
  EXPECT_EQ(SendFields(-1, RectangleTool(20.0f)), 0);
  EXPECT_EQ(SendFields(0, special, "PUNCH7"), 0);
  EXPECT_EQ(EndSendTool(), 0);

  LibraryFileFields expected;
  ToolFields saved_special = special;
  saved_special.specialToolIndex = 1;
  saved_special.specialBlock = {};
  saved_special.z = 0.0f;  // a new tool has no special flags
  expected.tools = {RoundTool(10.0f), RectangleTool(20.0f), saved_special};
  expected.typeTable = Table({{kRoundSlot, 1, 1}, {kRectangleSlot, 2, 1}, {kSpecialSlot, 3, 1}});
  expected.paths = {SpecialPath("PUNCH7")};
  EXPECT_TRUE(SameBytes(ReadFile("new.tl"), testing::BuildLibraryFile(expected)));
}

TEST_F(SendExportsTest, NewLibraryStoresAnOutOfRangeKeyedCountAsZero) {
  ASSERT_EQ(StartSendTool("c:\\new.tl", 1), 0);
  ToolFields tool = RectangleTool(20.0f);
  tool.keyedCount = 6;
  SendFields(0, tool);
  ASSERT_EQ(EndSendTool(), 0);

  LibraryFileFields expected;
  tool.keyedCount = 0;
  expected.tools = {tool};
  expected.typeTable = Table({{kRectangleSlot, 1, 1}});
  EXPECT_TRUE(SameBytes(ReadFile("new.tl"), testing::BuildLibraryFile(expected)));
}

TEST_F(SendExportsTest, EditingKeepsEverythingButTheHostsFieldsOfTheSentTool) {
  LibraryFileFields file = EditableLibrary();
  const std::string path = WriteFile("edit.tl", testing::BuildLibraryFile(file));
  ASSERT_EQ(StartSendTool(path.c_str(), 0), 0);
  // Tool 1 takes new values but keeps its extra index; the special tool,
  // sent without a name and with z = 2, keeps its path, extra, flags and block.
  SendFields(0, RectangleTool(50.0f));
  ToolFields special = SpecialTool(60.0f, 0);
  special.z = 2.0f;
  SendFields(1, special);
  ASSERT_EQ(EndSendTool(), 0);

  LibraryFileFields expected = file;
  expected.tools[0] = RectangleTool(50.0f);
  expected.tools[0].extraIndex = 2;
  expected.tools[1] = SpecialTool(60.0f, 1);
  expected.tools[1].extraIndex = 1;
  EXPECT_TRUE(SameBytes(ReadFile("edit.tl"), testing::BuildLibraryFile(expected)));
}

TEST_F(SendExportsTest, IndexOutsideTheLibraryChangesNothing) {
  const std::string original = testing::BuildLibraryFile(EditableLibrary());
  const std::string path = WriteFile("edit.tl", original);
  ASSERT_EQ(StartSendTool(path.c_str(), 0), 0);
  EXPECT_EQ(SendFields(3, RectangleTool(50.0f)), 0);
  EXPECT_EQ(SendFields(-1, RectangleTool(50.0f)), 0);
  ASSERT_EQ(EndSendTool(), 0);
  EXPECT_TRUE(SameBytes(ReadFile("edit.tl"), original));
}

TEST_F(SendExportsTest, SpecialToolWithANewNameAppendsItsPath) {
  LibraryFileFields file = EditableLibrary();
  const std::string path = WriteFile("edit.tl", testing::BuildLibraryFile(file));
  ASSERT_EQ(StartSendTool(path.c_str(), 0), 0);
  SendFields(1, SpecialTool(20.0f, 0), "C:\\ELSEWHERE\\NEWONE.SPT");
  ASSERT_EQ(EndSendTool(), 0);

  LibraryFileFields expected = file;
  expected.tools[1].specialToolIndex = 2;
  expected.paths.push_back(SpecialPath("NEWONE"));
  EXPECT_TRUE(SameBytes(ReadFile("edit.tl"), testing::BuildLibraryFile(expected)));
}

TEST_F(SendExportsTest, FailedStartLeavesNothingForEndSendToolToWrite) {
  EXPECT_EQ(EndSendTool(), 0);
  EXPECT_EQ(StartSendTool("c:\\missing.tl", 0), 2);
  EXPECT_EQ(EndSendTool(), 0);
  EXPECT_FALSE(FileExists("missing.tl"));

  // A careless host's null path is a file that cannot be loaded, with either flag.
  EXPECT_EQ(StartSendTool(nullptr, 0), 2);
  EXPECT_EQ(StartSendTool(nullptr, 1), 2);
  EXPECT_EQ(SendFields(0, RectangleTool(1.0f)), 0);
  EXPECT_EQ(EndSendTool(), 0);

  LibraryFileFields unknown;
  unknown.version = 93;
  const std::string unknown_path = WriteFile("unknown.tl", testing::BuildLibraryFile(unknown));
  EXPECT_EQ(StartSendTool(unknown_path.c_str(), 0), 2);
  EXPECT_EQ(EndSendTool(), 0);
}

TEST_F(SendExportsTest, EmptyLibraryIsRefusedAndLeftAlone) {
  const std::string original = testing::BuildLibraryFile(LibraryFileFields{});
  const std::string path = WriteFile("empty.tl", original);
  EXPECT_EQ(StartSendTool(path.c_str(), 0), 5);
  EXPECT_EQ(SendFields(0, RectangleTool(1.0f)), 0);
  EXPECT_EQ(EndSendTool(), 0);
  EXPECT_EQ(ReadFile("empty.tl"), original);
}

TEST_F(SendExportsTest, FailedSaveReportsThreeAndStillEndsTheSequence) {
  const std::string original = testing::BuildLibraryFile(EditableLibrary());
  const std::string path = WriteFile("edit.tl", original);
  ASSERT_EQ(StartSendTool(path.c_str(), 0), 0);
  SendFields(0, RectangleTool(50.0f));
  {
    testing::FaultyFileSystem faulty;
    faulty.FailOpen(platform::OpenMode::kWrite);
    EXPECT_EQ(EndSendTool(), 3);
  }
  EXPECT_EQ(EndSendTool(), 0);
  EXPECT_EQ(ReadFile("edit.tl"), original);
}

TEST_F(SendExportsTest, SendToolWithoutASequenceDoesNothing) {
  EXPECT_EQ(SendFields(0, RectangleTool(1.0f), "PUNCH7"), 0);
  EXPECT_EQ(EndSendTool(), 0);
}

TEST_F(SendExportsTest, SendToolsOverwritesOnlyTheToolsTheListHolds) {
  LibraryFileFields file = EditableLibrary();
  // Kept away from the current folder: the existence test uses the full path.
  const std::string path = WriteFile("lib\\edit.tl", testing::BuildLibraryFile(file));
  CObList list;
  list.AddTail(ItemOf(RectangleTool(50.0f)));
  list.AddTail(ItemOf(SpecialTool(60.0f, 0), "PUNCH9"));
  EXPECT_EQ(SendTools(CString(path.c_str()), &list), 0);
  EXPECT_EQ(list.GetCount(), 2);
  DeleteItems(list);

  LibraryFileFields expected = file;
  expected.tools[0] = RectangleTool(50.0f);
  expected.tools[0].extraIndex = 2;
  expected.tools[1] = SpecialTool(60.0f, 2);
  expected.tools[1].extraIndex = 1;
  expected.paths.push_back(SpecialPath("PUNCH9"));
  EXPECT_TRUE(SameBytes(ReadFile("lib/edit.tl"), testing::BuildLibraryFile(expected)));
  EXPECT_EQ(EndSendTool(), 0);  // SendTools left no library behind
}

TEST_F(SendExportsTest, SendToolsIgnoresItemsBeyondTheLibraryAndNullItems) {
  LibraryFileFields file = EditableLibrary();
  const std::string path = WriteFile("edit.tl", testing::BuildLibraryFile(file));
  CObList list;
  list.AddTail(nullptr);
  list.AddTail(nullptr);
  list.AddTail(ItemOf(RectangleTool(70.0f)));
  list.AddTail(ItemOf(RectangleTool(80.0f)));
  EXPECT_EQ(SendTools(CString(path.c_str()), &list), 0);
  DeleteItems(list);

  LibraryFileFields expected = file;
  expected.tools[2] = RectangleTool(70.0f);
  EXPECT_TRUE(SameBytes(ReadFile("edit.tl"), testing::BuildLibraryFile(expected)));
}

TEST_F(SendExportsTest, SendToolsResavesALegacyLibraryAsVersion92) {
  testing::LegacyLibraryFileFields legacy;
  testing::LegacyToolFields first;
  first.size = 4.0f;
  first.typeCode = 3;
  first.x = 1.0f;
  first.y = 2.0f;
  first.z = 3.0f;
  first.keyedCount = 2;
  first.angles = {0.5f, 0.25f, 9.0f, 9.0f};
  first.dieClearanceCount = 1;
  first.dieClearances = {0.1f, 9.0f, 9.0f, 9.0f};
  testing::LegacyToolFields second = first;
  second.size = 6.0f;
  legacy.tools = {first, second};
  const std::string path = WriteFile("old.tl", testing::BuildLegacyLibraryFile(legacy));

  // A null list is an empty one: every tool is saved as loaded.
  EXPECT_EQ(SendTools(CString(path.c_str()), nullptr), 0);

  LibraryFileFields expected;
  for (const auto& tool : legacy.tools) {
    ToolFields saved;
    saved.size = tool.size;
    saved.typeCode = tool.typeCode;
    saved.x = tool.x;
    saved.y = tool.y;
    saved.z = tool.z;
    saved.keyedCount = 2;
    saved.angles = {0.5f, 0.25f, 0.0f, 0.0f};
    saved.dieClearanceCount = 1;
    saved.dieClearances = {0.1f, 0.0f, 0.0f, 0.0f};
    expected.tools.push_back(saved);
  }
  expected.typeTable = Table({{kRectangleSlot, 1, 2}});
  EXPECT_TRUE(SameBytes(ReadFile("old.tl"), testing::BuildLibraryFile(expected)));
}

TEST_F(SendExportsTest, SendToolsReportsAMissingUnreadableOrEmptyLibrary) {
  CObList list;
  EXPECT_EQ(SendTools(CString("c:\\missing.tl"), &list), 1);
  EXPECT_EQ(SendTools(CString(), &list), 1);
  EXPECT_FALSE(FileExists("missing.tl"));

  LibraryFileFields unknown;
  unknown.version = 5;
  const std::string unknown_path = WriteFile("unknown.tl", testing::BuildLibraryFile(unknown));
  EXPECT_EQ(SendTools(CString(unknown_path.c_str()), &list), 2);

  const std::string empty = testing::BuildLibraryFile(LibraryFileFields{});
  const std::string empty_path = WriteFile("empty.tl", empty);
  EXPECT_EQ(SendTools(CString(empty_path.c_str()), &list), 5);
  EXPECT_EQ(ReadFile("empty.tl"), empty);
  EXPECT_EQ(EndSendTool(), 0);
}

TEST_F(SendExportsTest, SendToolsKeepsTheLibraryAfterAFailedSaveForEndSendTool) {
  LibraryFileFields file = EditableLibrary();
  const std::string original = testing::BuildLibraryFile(file);
  const std::string path = WriteFile("edit.tl", original);
  CObList list;
  list.AddTail(ItemOf(RectangleTool(50.0f)));
  {
    testing::FaultyFileSystem faulty;
    faulty.FailOpen(platform::OpenMode::kWrite);
    EXPECT_EQ(SendTools(CString(path.c_str()), &list), 3);
  }
  DeleteItems(list);
  EXPECT_EQ(ReadFile("edit.tl"), original);

  EXPECT_EQ(EndSendTool(), 0);
  LibraryFileFields expected = file;
  expected.tools[0] = RectangleTool(50.0f);
  expected.tools[0].extraIndex = 2;
  EXPECT_TRUE(SameBytes(ReadFile("edit.tl"), testing::BuildLibraryFile(expected)));
}

}  // namespace
}  // namespace quarnel::exports
