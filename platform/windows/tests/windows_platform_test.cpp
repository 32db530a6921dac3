#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "tests/support/scratch_dir.h"

namespace quarnel::platform {
namespace {

using testing::ReadFileBytes;
using testing::ScratchDir;
using testing::WriteFileBytes;

TEST(WindowsPathsTest, PathsAreUsedAsGiven) {
  EXPECT_EQ(MapPath("C:\\A\\B.SPT"), "C:\\A\\B.SPT");
  EXPECT_EQ(MapPath("rel\\name.lib"), "rel\\name.lib");
}

TEST(WindowsFileSystemTest, ReplaceMovesOverAnExistingFileAndRemoveDeletes) {
  ScratchDir scratch;
  WriteFileBytes(scratch.DriveC("q\\new.lib"), "new");
  WriteFileBytes(scratch.DriveC("q\\tools.lib"), "old");
  FileSystem& files = RealFileSystem();
  EXPECT_TRUE(files.Exists("c:\\q"));
  EXPECT_TRUE(files.Replace("c:\\q\\new.lib", "c:\\q\\tools.lib"));
  EXPECT_EQ(ReadFileBytes(scratch.DriveC("q\\tools.lib")), "new");
  EXPECT_FALSE(files.Exists("c:\\q\\new.lib"));
  EXPECT_FALSE(files.Replace("c:\\q\\new.lib", "c:\\q\\tools.lib"));
  EXPECT_TRUE(files.Remove("c:\\q\\tools.lib"));
  EXPECT_FALSE(files.Exists("c:\\q\\tools.lib"));
  EXPECT_FALSE(files.Remove("c:\\q\\tools.lib"));
}

}  // namespace
}  // namespace quarnel::platform
