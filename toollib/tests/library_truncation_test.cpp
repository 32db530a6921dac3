// Every file cut short at any offset fails cleanly.
#include <gtest/gtest.h>

#include "tests/support/byte_builder.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/library_writer.h"
#include "toollib/tests/library_fixture.h"
#include "toollib/tool_file.h"

namespace quarnel::toollib {
namespace {

std::string RichCurrentFile() {
  testing::LibraryFileFields file;
  file.version = 92;
  for (int i = 0; i < 20; ++i) file.typeTable.push_back({i, i + 1});
  testing::ToolFields round;
  round.typeCode = kTypeRound;
  round.size = 1;
  testing::ToolFields triangle;
  triangle.typeCode = kTypeTriangle;
  triangle.x = 1;
  triangle.y = 2;
  testing::ToolFields special;
  special.typeCode = kTypeSpecial;
  special.specialToolIndex = 1;
  special.z = 1;
  special.specialBlock[3] = 3;
  file.tools = {round, triangle, special};
  testing::ExtraFields extra;
  extra.firstText = "text";
  extra.entries = {{1, 2.0f, 3, 4}, {5, 6.0f, 7, 8}};
  file.extras = {extra, testing::ExtraFields{}};
  file.paths = {"D:\\OLD\\ABC.SPT", "E:\\X\\Y.SPT"};
  return testing::BuildLibraryFile(file);
}

std::string RichLegacyFile() {
  testing::LegacyLibraryFileFields file;
  file.version = 7;
  testing::LegacyToolFields plain;
  plain.typeCode = kTypeRectangle;
  plain.size = 2;
  plain.keyedCount = 1;
  testing::LegacyToolFields special;
  special.typeCode = kTypeSpecial;
  special.name = "HEAD";
  special.nameOffset = 6;
  file.tools = {plain, special, plain};
  return testing::BuildLegacyLibraryFile(file);
}

class LibraryTruncationTest : public LibraryTest {
 protected:
  // Loads the three-tool file `whole`, then loads it again with every file
  // read ending early at each offset in turn: each such load fails with 765
  // and closes its files. A legacy load keeps no tools after a failure; a
  // current one keeps the tools read before it.
  void ExpectEveryCutFails(const std::string& whole, bool legacy) {
    const std::string path = WriteFile("whole.tlb", whole);
    ASSERT_EQ(library_.Load(path.c_str(), folder_), StatusCode::kOk);
    ASSERT_EQ(library_.Count(), 3u);
    for (size_t length = 0; length < whole.size(); ++length) {
      testing::FaultyFileSystem files;
      files.CutReadsAfter(length);
      ASSERT_EQ(library_.Load(path.c_str(), folder_), StatusCode::kFileReadFailed) << "cut at " << length;
      ASSERT_EQ(files.open_files(), 0);
      // Without a whole version nothing is cleared.
      if (legacy && length >= 2) {
        ASSERT_EQ(library_.Count(), 0u) << "cut at " << length;
      }
      ASSERT_LE(library_.Count(), 3u);
    }
  }
};

TEST_F(LibraryTruncationTest, CurrentFileCutAnywhereFailsToRead) {
  ExpectEveryCutFails(RichCurrentFile(), false);
}

TEST_F(LibraryTruncationTest, LegacyFileCutAnywhereFailsAndLeavesNoTools) {
  // The special tool's own file, so that the header read runs at every cut
  // (its reads are cut short too).
  testing::ByteBuilder spt;
  spt.I16(7);
  testing::LegacyToolFields header;
  header.size = 4;
  testing::AppendLegacyToolRecord(spt, header);
  WriteFile(kFolderInDriveC + "HEAD.spt", spt.bytes());
  ExpectEveryCutFails(RichLegacyFile(), true);
}

TEST_F(LibraryTruncationTest, SpecialToolHeaderCutAnywhereReadsNothing) {
  testing::ByteBuilder spt;
  spt.I16(90);
  testing::ToolFields tool;
  tool.typeCode = kTypeSpecial;
  tool.size = 6;
  testing::AppendToolRecord(spt, tool, 90, false);
  spt.U8(1);
  const std::string whole = spt.bytes();
  WriteFile(kFolderInDriveC + "CUT.spt", whole);
  for (size_t length = 0; length < whole.size(); ++length) {
    testing::FaultyFileSystem files;
    files.CutReadsAfter(length);
    ToolRecord record;
    record.size = 99;
    ASSERT_EQ(ReadSpecialToolHeader("CUT", record, Links()), 0) << "cut at " << length;
    EXPECT_EQ(record.typeCode, kTypeSpecial);
    EXPECT_EQ(record.size, 0.0f);
  }
  ToolRecord record;
  EXPECT_EQ(ReadSpecialToolHeader("CUT", record, Links()), 1);
  EXPECT_EQ(record.size, 6.0f);
}

}  // namespace
}  // namespace quarnel::toollib
