#include <gtest/gtest.h>

#include <string>

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "platform/file_system.h"
#include "platform/ini_profile.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/safe_write.h"
#include "tests/support/scratch_dir.h"

namespace quarnel::platform {
namespace {

using testing::ScratchDir;

TEST(ProfileTest, ReadsTheIniFileWithoutRegardToCase) {
  ScratchDir scratch;
  scratch.WriteProfile("; comment\n[Other]\nkey=no\n[kestrac]\n  kvt_default_special_tool_path =  D:\\TOOLS\\SPT  \r\n");
  char buffer[256];
  EXPECT_EQ(GetProfileText("Kestrac", "KVT_DEFAULT_SPECIAL_TOOL_PATH", "", buffer, sizeof buffer),
            12u);
  EXPECT_STREQ(buffer, "D:\\TOOLS\\SPT");
}

TEST(ProfileTest, MissingFileOrKeyGivesTheDefaultCutToTheBuffer) {
  ScratchDir scratch;
  char buffer[5];
  EXPECT_EQ(GetProfileText("Kestrac", "KEY", "defaultvalue", buffer, sizeof buffer), 4u);
  EXPECT_STREQ(buffer, "defa");
  scratch.WriteProfile("[Kestrac]\nOTHER=1\n");
  EXPECT_EQ(GetProfileText("Kestrac", "KEY", "", buffer, sizeof buffer), 0u);
  EXPECT_STREQ(buffer, "");
}

TEST(ProfileTest, FirstMatchingSectionWins) {
  EXPECT_EQ(FindIniValue("[A]\nk=1\n[a]\nk=2\n", "A", "k"), "1");
  EXPECT_EQ(FindIniValue("[A]\nx=1\n[B]\nk=2\n", "A", "k"), std::nullopt);
  EXPECT_EQ(FindIniValue("[A]\nk=\n", "a", "K"), "");
}

TEST(PathsTest, DriveLettersMapToFolders) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows paths name real drives: MapPath leaves them as they are";
#endif
  ScratchDir scratch;
  EXPECT_EQ(MapPath("c:\\spt.prt"), scratch.DriveC("spt.prt"));
  EXPECT_EQ(MapPath("C:\\A\\B.SPT"), scratch.DriveC("A/B.SPT"));
  EXPECT_EQ(MapPath("rel\\name.lib"), "rel/name.lib");
}

TEST(PathsTest, FileNamePart) {
  EXPECT_EQ(FileNameWithoutExtension("C:\\X\\PUNCH7.SPT"), "PUNCH7");
  EXPECT_EQ(FileNameWithoutExtension("punch7.spt"), "punch7");
  EXPECT_EQ(FileNameWithoutExtension("a.b\\name"), "name");
  EXPECT_EQ(FileNameWithoutExtension("x.spt.spt"), "x.spt");
}

TEST(FileSystemTest, OpensThroughTheDriveMapping) {
  ScratchDir scratch;
  testing::WriteFileBytes(scratch.DriveC("dir/f.bin"), "abc");
  EXPECT_TRUE(Files().Exists("C:\\dir\\f.bin"));
  EXPECT_FALSE(Files().Exists("C:\\dir\\g.bin"));
  auto file = Files().Open("c:\\dir\\f.bin", OpenMode::kRead);
  ASSERT_TRUE(file);
  char bytes[4] = {};
  EXPECT_EQ(file->Read(bytes, 4), 3u);
}

TEST(BinaryIoTest, RoundTripsLittleEndianValues) {
  ScratchDir scratch;
  {
    auto file = Files().Open("c:\\v.bin", OpenMode::kWrite);
    ASSERT_TRUE(file);
    BinaryWriter out(*file);
    EXPECT_TRUE(out.WriteI16(-2) && out.WriteI32(0x01020304) && out.WriteF32(1.5f) &&
                out.WriteU8(0xFE) && out.WriteText("hello", 8));
    EXPECT_TRUE(file->Close());
  }
  const std::string bytes = testing::ReadFileBytes(scratch.DriveC("v.bin"));
  EXPECT_EQ(bytes, std::string("\xFE\xFF\x04\x03\x02\x01\x00\x00\xC0\x3F\xFE", 11) +
                       std::string("hello\0\0\0", 8));
  auto file = Files().Open("c:\\v.bin", OpenMode::kRead);
  BinaryReader in(*file);
  int16_t a = 0;
  int32_t b = 0;
  float c = 0;
  uint8_t d = 0;
  char text[4];
  EXPECT_TRUE(in.ReadI16(a) && in.ReadI32(b) && in.ReadF32(c) && in.ReadU8(d));
  EXPECT_TRUE(in.ReadText(text, sizeof text, 8));
  EXPECT_EQ(a, -2);
  EXPECT_EQ(b, 0x01020304);
  EXPECT_EQ(c, 1.5f);
  EXPECT_EQ(d, 0xFE);
  EXPECT_STREQ(text, "hel");
  int32_t past_end = 77;
  EXPECT_FALSE(in.ReadI32(past_end));
  EXPECT_EQ(past_end, 0);
}

std::string g_last_message;
void RecordMessage(const char* text) { g_last_message = text; }

TEST(MessageBoxTest, HandlerReplacesTheSystemMessage) {
  MessageHandler previous = SetMessageHandler(&RecordMessage);
  ShowMessage("spt version is 7");
  SetMessageHandler(previous);
  EXPECT_EQ(g_last_message, "spt version is 7");
}

TEST(SafeWriteTest, FailedWriteKeepsTheOldFile) {
  ScratchDir scratch;
  testing::WriteFileBytes(scratch.DriveC("lib.dat"), "old");
  const auto result = WriteFileSafely("c:\\lib.dat", [](File& f) {
    BinaryWriter(f).WriteI32(1);
    return false;
  });
  EXPECT_EQ(result, StatusCode::kFileWriteFailed);
  EXPECT_EQ(testing::ReadFileBytes(scratch.DriveC("lib.dat")), "old");
  EXPECT_FALSE(testing::FileExists(scratch.DriveC("lib.dat.quarnel-tmp")));
  EXPECT_EQ(WriteFileSafely("c:\\lib.dat",
                            [](File& f) { return BinaryWriter(f).WriteText("new", 4); }),
            StatusCode::kOk);
  EXPECT_EQ(testing::ReadFileBytes(scratch.DriveC("lib.dat")), std::string("new\0", 4));
}

}  // namespace
}  // namespace quarnel::platform
