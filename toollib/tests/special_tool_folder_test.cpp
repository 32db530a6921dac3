#include "toollib/special_tool_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/scratch_dir.h"

namespace quarnel::toollib {
namespace {

class SpecialToolFolderTest : public ::testing::Test {
 protected:
  testing::ScratchDir scratch_;
  SpecialToolFolderBuffer folder_;
};

TEST_F(SpecialToolFolderTest, DefaultWithoutTheSetting) {
  EXPECT_STREQ(SpecialToolFolder(folder_), "c:\\Tervan\\Moldrin\\SPECTOOL\\");
  scratch_.WriteProfile("[Other]\nKVT_DEFAULT_SPECIAL_TOOL_PATH=D:\\X\n");
  EXPECT_STREQ(SpecialToolFolder(folder_), "c:\\Tervan\\Moldrin\\SPECTOOL\\");
}

TEST_F(SpecialToolFolderTest, EmptyValueGivesTheDefault) {
  scratch_.SetSpecialToolFolder("");
  EXPECT_STREQ(SpecialToolFolder(folder_), "c:\\Tervan\\Moldrin\\SPECTOOL\\");
}

TEST_F(SpecialToolFolderTest, OneTrailingBackslash) {
  scratch_.SetSpecialToolFolder("D:\\TOOLS\\SPT");
  EXPECT_STREQ(SpecialToolFolder(folder_), "D:\\TOOLS\\SPT\\");
  scratch_.SetSpecialToolFolder("D:\\TOOLS\\SPT\\");
  EXPECT_STREQ(SpecialToolFolder(folder_), "D:\\TOOLS\\SPT\\");
  scratch_.SetSpecialToolFolder("relative");
  EXPECT_STREQ(SpecialToolFolder(folder_), "relative\\");
}

TEST_F(SpecialToolFolderTest, LongValueKeepsItsBackslashWithinTheBuffer) {
  const std::string long_value = "D:\\" + std::string(252, 'F');  // 255 characters
  scratch_.SetSpecialToolFolder(long_value);
  const std::string folder = SpecialToolFolder(folder_);
  EXPECT_EQ(folder.size(), 255u);
  EXPECT_EQ(folder, long_value.substr(0, 254) + "\\");

  const std::string ending = "D:\\" + std::string(251, 'F') + "\\";  // 255, ends in '\'
  scratch_.SetSpecialToolFolder(ending);
  EXPECT_EQ(std::string(SpecialToolFolder(folder_)), ending);
}

// The profile text may be kept between lookups; a rewrite of the same size
// within the file system's timestamp granularity must still be seen.
TEST_F(SpecialToolFolderTest, EveryRewriteIsSeenAtOnce) {
  for (int i = 0; i < 20; ++i) {
    const std::string folder = "D:\\TOOLS\\S" + std::to_string(i % 10) + "\\";
    scratch_.SetSpecialToolFolder(folder);
    EXPECT_EQ(std::string(SpecialToolFolder(folder_)), folder) << i;
    EXPECT_EQ(std::string(SpecialToolFolder(folder_)), folder) << i;
  }
}

}  // namespace
}  // namespace quarnel::toollib
