#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "toollib/tests/library_fixture.h"
#include "toollib/tool_library.h"

namespace quarnel::toollib {
namespace {

ToolRecord Tool(int32_t type, float size) {
  ToolRecord tool;
  tool.typeCode = type;
  tool.size = size;
  tool.SetDimensions(size, size, 0.0f);
  return tool;
}

using ToolLibraryTest = LibraryTest;

TEST_F(ToolLibraryTest, NewLibraryIsEmpty) {
  EXPECT_EQ(library_.Count(), 0u);
  EXPECT_EQ(library_.Extras().Count(), 0u);
  EXPECT_EQ(library_.SpecialPaths().Count(), 0u);
  for (const TypeSlotEntry& slot : library_.Types()) {
    EXPECT_EQ(slot.start, 0);
    EXPECT_EQ(slot.count, 0);
  }
}

TEST_F(ToolLibraryTest, RebuildTypeTableCountsEachCodeAndKeepsUpperSlots) {
  library_.Types()[15] = TypeSlotEntry{7, 8};
  for (int32_t type : {3, 3, 1, 108, 3, 42, 109}) library_.Append(Tool(type, 1));
  library_.RebuildTypeTable();
  EXPECT_EQ(library_.TypeSlot(0).start, 0);
  EXPECT_EQ(library_.TypeSlot(0).count, 1);
  EXPECT_EQ(library_.TypeSlot(42).count, 1);  // every unlisted code uses slot 0
  EXPECT_EQ(library_.TypeSlot(3).start, 1);
  EXPECT_EQ(library_.TypeSlot(3).count, 3);  // not kept together: the range is 1..3
  EXPECT_EQ(library_.TypeSlot(1).start, 3);
  EXPECT_EQ(library_.TypeSlot(108).start, 4);
  EXPECT_EQ(library_.TypeSlot(109).start, 7);
  EXPECT_EQ(library_.TypeSlot(110).start, 0);
  EXPECT_EQ(library_.TypeSlot(110).count, 0);
  EXPECT_EQ(library_.Types()[15].start, 7);
  EXPECT_EQ(library_.Types()[15].count, 8);
}

TEST_F(ToolLibraryTest, FindMatchingToolSearchesTheSlotRange) {
  // Ten round tools of sizes 1..10.
  for (int i = 1; i <= 10; ++i) library_.Append(Tool(1, static_cast<float>(i)));
  // Slot (0, 0): every tool is examined.
  EXPECT_EQ(library_.FindMatchingTool(Tool(1, 9)), 9);
  EXPECT_EQ(library_.FindMatchingTool(Tool(1, 11)), 0);
  // Slot (7, 2): positions 7 and 8 only.
  library_.Types()[TypeSlotOfCode(1)] = TypeSlotEntry{7, 2};
  EXPECT_EQ(library_.FindMatchingTool(Tool(1, 7)), 7);
  EXPECT_EQ(library_.FindMatchingTool(Tool(1, 8)), 8);
  EXPECT_EQ(library_.FindMatchingTool(Tool(1, 9)), 0);
  EXPECT_EQ(library_.FindMatchingTool(Tool(1, 6)), 0);
  // Start 1 and start 0 both begin at the first tool; count 0 goes to the end.
  library_.Types()[TypeSlotOfCode(1)] = TypeSlotEntry{1, 0};
  EXPECT_EQ(library_.FindMatchingTool(Tool(1, 10)), 10);
  // A start beyond the list finds nothing.
  library_.Types()[TypeSlotOfCode(1)] = TypeSlotEntry{20, 0};
  EXPECT_EQ(library_.FindMatchingTool(Tool(1, 10)), 0);
  // Type code 0 is never looked for.
  ToolRecord none = Tool(0, 1);
  EXPECT_EQ(library_.FindMatchingTool(none), 0);
}

TEST_F(ToolLibraryTest, ExtraOfToolCopiesOnlyAnExistingExtra) {
  ToolExtra first = NewToolExtra();
  first.block.entryValue[0] = 4.5f;
  library_.AppendExtra(first);
  ToolRecord with_extra = Tool(3, 1);
  with_extra.extraIndex = 1;
  library_.Append(Tool(3, 2));
  library_.Append(with_extra);

  ToolExtra buffer = NewToolExtra();
  buffer.leadingValue = 77;
  EXPECT_EQ(library_.ExtraOfTool(1, &buffer), 0);
  EXPECT_EQ(buffer.leadingValue, 77);  // untouched
  EXPECT_EQ(library_.ExtraOfTool(2, &buffer), 1);
  EXPECT_EQ(buffer.block.entryValue[0], 4.5f);
  EXPECT_EQ(buffer.leadingValue, 0);
  EXPECT_EQ(library_.ExtraOfTool(0, &buffer), 0);
  EXPECT_EQ(library_.ExtraOfTool(3, &buffer), 0);
  EXPECT_EQ(library_.ExtraOfTool(2, nullptr), 0);
}

TEST(ToolExtraTest, NewValues) {
  const ToolExtra extra = NewToolExtra();
  EXPECT_EQ(extra.leadingValue, 0);
  EXPECT_EQ(extra.block.secondValue, 1);
  EXPECT_EQ(extra.block.firstValue, 0);
  EXPECT_EQ(extra.block.entryCount, 0);
  for (int i = 0; i < kExtraEntryCount; ++i) {
    EXPECT_EQ(extra.block.entryByteA[i], 255);
    EXPECT_EQ(extra.block.entryByteB[i], 1);
    EXPECT_EQ(extra.block.entryByteC[i], 0);
    EXPECT_EQ(extra.block.entryValue[i], 0.0f);
  }
  EXPECT_STREQ(extra.firstText, "");
  EXPECT_EQ(NewExtraBlock().secondValue, 0);
}

TEST_F(ToolLibraryTest, SpecialPathsAreReRootedAndFoundWithoutCase) {
  EXPECT_EQ(library_.AddSpecialPath("NOSLASH.SPT", folder_), 0);
  EXPECT_EQ(library_.AddSpecialPath("D:\\OLD\\ABC.SPT", folder_), 1);
  EXPECT_EQ(PathAt(1), kFolder + "ABC.spt");
  EXPECT_EQ(library_.FindSpecialPath("x:\\y\\abc.dat", folder_), 1);
  EXPECT_EQ(library_.FindSpecialPath("x:\\y\\abd", folder_), 0);
  EXPECT_EQ(PathAt(0), "");
  EXPECT_EQ(PathAt(2), "");
}

// The lookup answers as a walk from the head would: the first entry whose text
// equals the wanted path without regard to letter case, across appends and
// after the list is emptied and filled anew.
TEST_F(ToolLibraryTest, FindSpecialPathAnswersAsAWalkFromTheHead) {
  const char* names[] = {"ABC", "abc", "Abd", "x_Y", "X_y", "q", "ABC"};
  auto lower = [](std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
  };
  auto walk = [&](const std::string& name) {
    for (int32_t k = 1; k <= static_cast<int32_t>(library_.SpecialPaths().Count()); ++k) {
      if (lower(PathAt(k)) == lower(kFolder + name + ".spt")) return k;
    }
    return 0;
  };
  for (int round = 0; round < 2; ++round) {
    for (const char* added : names) {
      library_.AddSpecialPath(("D:\\F\\" + std::string(added) + (round ? ".SPT" : ".spt")).c_str(), folder_);
      for (const char* wanted : {"abc", "ABD", "x_y", "Q", "none"}) {
        EXPECT_EQ(library_.FindSpecialPath(("E:\\" + std::string(wanted)).c_str(), folder_), walk(wanted)) << wanted;
      }
    }
    library_.Clear();
    EXPECT_EQ(library_.FindSpecialPath("E:\\abc", folder_), 0);
  }
}

TEST_F(ToolLibraryTest, LongPathsAreCutToTheField) {
  const std::string long_name(400, 'N');
  EXPECT_EQ(library_.AddSpecialPath(("C:\\" + long_name + ".spt").c_str(), folder_), 1);
  EXPECT_EQ(PathAt(1).size(), 255u);
  EXPECT_EQ(library_.FindSpecialPath(("E:\\" + long_name).c_str(), folder_), 1);
}

TEST_F(ToolLibraryTest, ResolveSpecialToolUsesNameWithoutFolderOrExtension) {
  ToolRecord a = Tool(108, 1);
  a.ResolveSpecialTool("C:\\X\\PUNCH7.SPT", Links());
  EXPECT_EQ(a.specialToolIndex, 1);
  ToolRecord b = Tool(108, 1);
  b.ResolveSpecialTool("punch7", Links());
  EXPECT_EQ(b.specialToolIndex, 1);
  ToolRecord c = Tool(108, 1);
  c.ResolveSpecialTool("punch7.spt", Links());
  EXPECT_EQ(c.specialToolIndex, 2);
  EXPECT_EQ(PathAt(2), kFolder + "punch7.spt.spt");
  ToolRecord d = Tool(108, 1);
  d.ResolveSpecialTool("OTHER", Links());
  EXPECT_EQ(d.specialToolIndex, 3);
  EXPECT_EQ(library_.SpecialPaths().Count(), 3u);

  // Not a special tool, or no name: nothing changes.
  ToolRecord e = Tool(3, 1);
  e.ResolveSpecialTool("NEW", Links());
  EXPECT_EQ(e.specialToolIndex, 0);
  d.ResolveSpecialTool(nullptr, Links());
  EXPECT_EQ(d.specialToolIndex, 3);
  EXPECT_EQ(library_.SpecialPaths().Count(), 3u);
}

TEST_F(ToolLibraryTest, ResolveSpecialToolNeedsACurrentLibrary) {
  ToolRecord a = Tool(108, 1);
  a.specialToolIndex = 5;
  a.ResolveSpecialTool("PUNCH", {nullptr, folder_});
  EXPECT_EQ(a.specialToolIndex, 5);
  EXPECT_STREQ(a.SpecialToolName(256, nullptr, names_), "");
  char path[kSpecialPathSize] = "junk";
  a.SpecialToolPath(path, nullptr);
  EXPECT_STREQ(path, "");
}

TEST_F(ToolLibraryTest, SpecialToolNameAlternatesBetweenTwoBuffers) {
  ToolRecord a = Tool(108, 1);
  a.ResolveSpecialTool("FIRST", Links());
  ToolRecord b = Tool(108, 1);
  b.ResolveSpecialTool("SECOND", Links());
  const char* first = a.SpecialToolName(256, &library_, names_);
  const char* second = b.SpecialToolName(256, &library_, names_);
  EXPECT_STREQ(first, "FIRST");
  EXPECT_STREQ(second, "SECOND");
  const char* third = b.SpecialToolName(4, &library_, names_);
  EXPECT_EQ(third, first);  // the buffer of the name before last is reused
  EXPECT_STREQ(third, "SEC");
  EXPECT_STREQ(second, "SECOND");

  char path[kSpecialPathSize];
  a.SpecialToolPath(path, &library_);
  EXPECT_EQ(std::string(path), kFolder + "FIRST.spt");

  ToolRecord plain = Tool(3, 1);
  plain.specialToolIndex = 1;
  EXPECT_STREQ(plain.SpecialToolName(256, &library_, names_), "");
  ToolRecord out_of_range = Tool(108, 1);
  out_of_range.specialToolIndex = 9;
  EXPECT_STREQ(out_of_range.SpecialToolName(256, &library_, names_), "");
  out_of_range.SpecialToolPath(path, &library_);
  EXPECT_STREQ(path, "");
}

TEST_F(ToolLibraryTest, ClearEmptiesAllThreeLists) {
  library_.Append(Tool(3, 1));
  library_.AppendExtra(NewToolExtra());
  library_.AddSpecialPath("C:\\A.spt", folder_);
  library_.Clear();
  EXPECT_EQ(library_.Count(), 0u);
  EXPECT_EQ(library_.Extras().Count(), 0u);
  EXPECT_EQ(library_.SpecialPaths().Count(), 0u);
}

}  // namespace
}  // namespace quarnel::toollib
