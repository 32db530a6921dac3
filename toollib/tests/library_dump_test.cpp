#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

#include "tests/support/scratch_dir.h"
#include "toollib/tests/library_fixture.h"

namespace quarnel::toollib {
namespace {

// Runs the test inside the scratch folder, where "debug.txt" is written.
class LibraryDumpTest : public LibraryTest {
 protected:
  void SetUp() override {
    ASSERT_NE(getcwd(saved_cwd_, sizeof saved_cwd_), nullptr);
    ASSERT_EQ(chdir(scratch_.path().c_str()), 0);
    for (int i = 1; i <= 10; ++i) {
      ToolRecord tool;
      tool.typeCode = i <= 5 ? kTypeRound : kTypeRectangle;
      tool.size = static_cast<float>(i);
      tool.SetDimensions(static_cast<float>(i), 0.5f, 0.0f);
      tool.keyedCount = 1;
      tool.SetAngles(0.25f, 0, 0, 0);
      tool.dieClearanceCount = 2;
      library_.Append(tool);
    }
    library_.RebuildTypeTable();
  }
  void TearDown() override { ASSERT_EQ(chdir(saved_cwd_), 0); }

  std::string DebugText() { return testing::ReadFileBytes(scratch_.path() + "/debug.txt"); }

  static std::string TableText() {
    return "\n TOOL TYPES TABLE:\n"
           "\t TYPE         START INDEX          NUMBER OF TOOL\n"
           "\t NULL              0                      1 \n"
           "\t CR                0                      0 \n"
           "\t DD                0                      0 \n"
           "\t OB                0                      0 \n"
           "\t RC                0                      0 \n"
           "\t RE                6                      5 \n"
           "\t RO                1                      5 \n"
           "\t SD                0                      0 \n"
           "\t SQ                0                      0 \n"
           "\t TR                0                      0 \n"
           "\t SPEC              0                      0 \n";
  }

  static std::string ToolText(int i) {
    const int type = i <= 5 ? 1 : 3;
    char text[1024];
    std::snprintf(text, sizeof text,
                  "(SIZE : %d.000000) (TYPE : %d) (SHAPE : (null))\n"
                  "TOOL DIMENSION: (x = %d.000000, y = 0.500000, z = 0.000000) \n"
                  "KEYED COUNT = 1 \n"
                  "ANGLES: (a1 = 0.250000, a2 = 0.000000, a3 = 0.000000, a4 = 0.000000) \n"
                  "DIECLEARANCECOUNT = 2 \n"
                  "DIE CLEARANCES: (d1 = 0.000000, d2 = 0.000000, d3 = 0.000000, d4 = 0.000000) \n",
                  i, type, i);
    return text;
  }

  char saved_cwd_[PATH_MAX] = {};
};

TEST_F(LibraryDumpTest, FileDumpOfARangeAppends) {
  library_.DumpToFile(3, 4);
  const std::string first =
      TableText() + "\nTool # 3 " + ToolText(3) + "\nTool # 4 " + ToolText(4);
  EXPECT_EQ(DebugText(), first);
  library_.DumpToFile(1, 0);
  EXPECT_EQ(DebugText(), first + TableText());
  library_.DumpToFile(9, 99);
  EXPECT_EQ(DebugText(), first + TableText() + TableText() + "\nTool # 9 " + ToolText(9) +
                             "\nTool # 10 " + ToolText(10));
}

TEST_F(LibraryDumpTest, ConsoleDumpPrintsEveryTool) {
  ::testing::internal::CaptureStdout();
  library_.DumpToConsole();
  std::string expected = TableText();
  for (int i = 1; i <= 10; ++i) expected += "Tool # " + std::to_string(i) + " \n" + ToolText(i);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), expected);

  ToolLibrary empty;
  ::testing::internal::CaptureStdout();
  empty.DumpToConsole();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
}

}  // namespace
}  // namespace quarnel::toollib
