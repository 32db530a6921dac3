#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "platform/binary_writer.h"
#include "platform/safe_write.h"
#include "tests/support/byte_builder.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/write_buffer_scope.h"
#include "tests/support/library_writer.h"
#include "toollib/tests/library_fixture.h"
#include "toollib/tool_file.h"

namespace quarnel::toollib {
namespace {

using testing::ByteCursor;

class LibrarySaveTest : public LibraryTest {
 protected:
  const std::string kPath = "c:\\lib.tlb";

  // A library with a triangle, a special tool and an extra.
  void FillLibrary() {
    ToolRecord triangle;
    triangle.typeCode = kTypeTriangle;
    triangle.size = 4;
    triangle.SetDimensions(1, 2, 3);
    triangle.keyedCount = 2;
    triangle.SetAngles(0.25f, 0.5f, 0, 0);
    triangle.valueC = 7;
    library_.Append(triangle);
    ToolRecord special;
    special.typeCode = kTypeSpecial;
    special.size = 9;
    special.SetDimensions(5, 6, 1.5f);
    special.specialFlags = kSpecialFlagTwo;
    special.specialBlock[0] = 0x5A;
    special.specialBlock[23] = 0xA5;
    special.ResolveSpecialTool("PUNCH", Links());
    special.extraIndex = 1;
    library_.Append(special);
    ToolExtra extra = NewToolExtra();
    std::snprintf(extra.firstText, sizeof extra.firstText, "hello");
    extra.block.entryCount = 1;
    extra.block.entryValue[0] = 3.5f;
    extra.block.trailByte = 8;
    library_.AppendExtra(extra);
  }

  std::string SavedBytes() { return ReadFile("lib.tlb"); }
};

TEST_F(LibrarySaveTest, WritesVersion92FieldByField) {
  FillLibrary();
  ASSERT_EQ(library_.Save(kPath.c_str()), StatusCode::kOk);
  const std::string bytes = SavedBytes();
  ByteCursor in(bytes);
  EXPECT_EQ(in.I16(), 92);
  EXPECT_EQ(in.I32(), 2);
  // Type table, rebuilt: slot 0 (0, 1), slot 9 the triangle, slot 10 the special tool.
  EXPECT_EQ(in.I32(), 0);
  EXPECT_EQ(in.I32(), 1);
  in.Raw(8 * 8);
  EXPECT_EQ(in.I32(), 1);
  EXPECT_EQ(in.I32(), 1);
  EXPECT_EQ(in.I32(), 2);
  EXPECT_EQ(in.I32(), 1);
  in.Raw(9 * 8);
  // Triangle: y, x, z on disk.
  EXPECT_EQ(in.F32(), 4.0f);
  EXPECT_EQ(in.I32(), kTypeTriangle);
  EXPECT_EQ(in.I32(), 0);
  EXPECT_EQ(in.I32(), 0);
  EXPECT_EQ(in.F32(), 2.0f);
  EXPECT_EQ(in.F32(), 1.0f);
  EXPECT_EQ(in.F32(), 3.0f);
  in.Raw(4 + 16 + 4 + 16 + 8);
  EXPECT_EQ(in.F32(), 7.0f);  // valueC
  in.Raw(4);
  // Special tool: the block, then the index; z written from the flags.
  EXPECT_EQ(in.F32(), 9.0f);
  EXPECT_EQ(in.I32(), kTypeSpecial);
  const std::string_view block = in.Raw(24);
  EXPECT_EQ(static_cast<uint8_t>(block[0]), 0x5A);
  EXPECT_EQ(static_cast<uint8_t>(block[23]), 0xA5);
  EXPECT_EQ(in.I32(), 1);
  EXPECT_EQ(in.I32(), 1);
  EXPECT_EQ(in.F32(), 5.0f);
  EXPECT_EQ(in.F32(), 6.0f);
  EXPECT_EQ(in.F32(), 2.0f);
  in.Raw(4 + 16 + 4 + 16 + 16);
  // Extras: text length 256, texts 256 bytes, lead and trail bytes.
  EXPECT_EQ(in.I32(), 1);
  EXPECT_EQ(in.I16(), 256);
  EXPECT_EQ(in.I32(), 0);
  EXPECT_EQ(in.Text(256), "hello");
  in.Raw(2 + 256 + 4 + 4 + 8);
  EXPECT_EQ(in.I32(), 1);  // the block's second value
  in.Raw(4);
  EXPECT_EQ(in.I8(), 1);
  EXPECT_EQ(in.U8(), 255);
  EXPECT_EQ(in.F32(), 3.5f);
  in.Raw(2);
  EXPECT_EQ(in.U8(), 0);  // lead byte
  EXPECT_EQ(in.U8(), 8);  // trail byte
  // Paths: count, 256 zero-padded bytes each.
  EXPECT_EQ(in.I32(), 1);
  const std::string_view path = in.Raw(256);
  EXPECT_EQ(std::string(path.substr(0, path.find('\0'))), kFolder + "PUNCH.spt");
  EXPECT_EQ(path.find_first_not_of('\0', path.find('\0')), std::string_view::npos);
  EXPECT_EQ(in.remaining(), 0u);
}

TEST_F(LibrarySaveTest, SaveThenLoadGivesTheSameTools) {
  FillLibrary();
  ToolRecord before[2];
  library_.ReadAt(before[0], 1);
  library_.ReadAt(before[1], 2);
  ASSERT_EQ(library_.Save(kPath.c_str()), StatusCode::kOk);

  ToolLibrary loaded;
  ASSERT_EQ(loaded.Load(kPath.c_str(), folder_), StatusCode::kOk);
  ASSERT_EQ(loaded.Count(), 2u);
  for (int i = 0; i < 2; ++i) {
    ToolRecord after;
    loaded.ReadAt(after, i + 1);
    EXPECT_EQ(after.typeCode, before[i].typeCode);
    EXPECT_EQ(after.size, before[i].size);
    EXPECT_EQ(after.dimensions[0], before[i].dimensions[0]);
    EXPECT_EQ(after.dimensions[1], before[i].dimensions[1]);
    EXPECT_EQ(after.keyedCount, before[i].keyedCount);
    EXPECT_EQ(after.angles[1], before[i].angles[1]);
    EXPECT_EQ(after.valueC, before[i].valueC);
    EXPECT_EQ(after.specialToolIndex, before[i].specialToolIndex);
    EXPECT_EQ(after.specialFlags, before[i].specialFlags);
    EXPECT_EQ(0, std::memcmp(after.specialBlock, before[i].specialBlock, kSpecialBlockSize));
  }
  ToolRecord special;
  loaded.ReadAt(special, 2);
  EXPECT_EQ(special.dimensions[2], 2.0f);  // z of a special tool carries its flags
  EXPECT_EQ(loaded.TypeSlot(kTypeTriangle).start, 1);
  ToolExtra extra;
  ASSERT_EQ(loaded.ExtraOfTool(2, &extra), 1);
  EXPECT_EQ(extra.block.entryValue[0], 3.5f);
  EXPECT_EQ(extra.block.trailByte, 8);
  EXPECT_STREQ(extra.firstText, "hello");
  // The library saved is untouched by the save: z stays as it was.
  ToolRecord kept;
  library_.ReadAt(kept, 2);
  EXPECT_EQ(kept.dimensions[2], 1.5f);
  // Saving the loaded library again gives the same bytes.
  const std::string first_save = SavedBytes();
  ASSERT_EQ(loaded.Save(kPath.c_str()), StatusCode::kOk);
  EXPECT_EQ(SavedBytes(), first_save);
}

TEST_F(LibrarySaveTest, SpecialToolZIsWrittenFromItsFlags) {
  for (uint32_t flags : {0u, kSpecialFlagOne, kSpecialFlagTwo}) {
    library_.Clear();
    ToolRecord special;
    special.typeCode = kTypeSpecial;
    special.SetDimensions(1, 1, 7.0f);
    special.specialFlags = flags;
    library_.Append(special);
    ASSERT_EQ(library_.Save(kPath.c_str()), StatusCode::kOk);
    const std::string bytes = SavedBytes();
    ByteCursor in(bytes);
    in.Raw(2 + 4 + 160 + 4 + 4 + 24 + 4 + 4 + 8);
    EXPECT_EQ(in.F32(), static_cast<float>(flags)) << flags;
  }
}

TEST_F(LibrarySaveTest, Version80And90SpecialToolsBothLoadAndSaveWithTheBlock) {
  for (int version : {80, 90}) {
    testing::LibraryFileFields file;
    file.version = version;
    testing::ToolFields special;
    special.typeCode = kTypeSpecial;
    special.size = 3;
    special.z = 1;
    special.specialBlock[5] = 42;
    file.tools = {special};
    SCOPED_TRACE(version);
    ASSERT_EQ(library_.Load(WriteFile("old.tlb", testing::BuildLibraryFile(file)).c_str(), folder_), StatusCode::kOk);
    ToolRecord tool = ToolAt(1);
    EXPECT_EQ(tool.size, 3.0f);
    EXPECT_EQ(tool.specialFlags, kSpecialFlagOne);
    ASSERT_EQ(library_.Save(kPath.c_str()), StatusCode::kOk);
    const std::string bytes = SavedBytes();
    ByteCursor in(bytes);
    in.Raw(2 + 4 + 160 + 8);
    EXPECT_EQ(static_cast<uint8_t>(in.Raw(24)[5]), version >= 90 ? 42 : 0);
  }
}

// Failed saves leave the old file exactly as it was and no temporary file.
class LibrarySaveFailureTest : public LibrarySaveTest {
 protected:
  void SetUp() override {
    WriteFile("lib.tlb", "the old library");
    FillLibrary();
  }
  void ExpectOldFileIntact() {
    EXPECT_EQ(SavedBytes(), "the old library");
    EXPECT_FALSE(testing::FileExists(
        scratch_.DriveC(platform::TemporaryPathFor("lib.tlb"))));
  }
};

TEST_F(LibrarySaveFailureTest, FailedOpen) {
  testing::FaultyFileSystem files;
  files.FailOpen(platform::OpenMode::kWrite);
  library_.Types()[9] = TypeSlotEntry{7, 3};
  EXPECT_EQ(library_.Save(kPath.c_str()), StatusCode::kFileCannotOpen);
  ExpectOldFileIntact();
  // The type table is rebuilt only for a file that is being written.
  EXPECT_EQ(library_.Types()[9].start, 7);
  EXPECT_EQ(library_.Types()[9].count, 3);
}

TEST_F(LibrarySaveFailureTest, FailedWriteAtEveryCall) {
  // With the real buffer the file sees one write; with a 5-byte one it sees
  // writes ending at every point of the file.
  for (size_t buffer : {platform::WriteBufferSize(), size_t{5}}) {
    const testing::WriteBufferScope scope(buffer);
    int calls = 0;
    {
      testing::FaultyFileSystem counting;
      ASSERT_EQ(library_.Save("c:\\count.tlb"), StatusCode::kOk);
      calls = counting.write_calls();
    }
    ASSERT_GT(calls, buffer < 100 ? 20 : 0);
    for (int k = 1; k <= calls; ++k) {
      testing::FaultyFileSystem files;
      files.FailWriteCall(k);
      EXPECT_EQ(library_.Save(kPath.c_str()), StatusCode::kFileWriteFailed) << "write " << k;
      EXPECT_EQ(files.open_files(), 0);
      ExpectOldFileIntact();
    }
  }
}

TEST_F(LibrarySaveFailureTest, FailedWriteWhenTheDiskFills) {
  testing::FaultyFileSystem files;
  files.FailWritesBeyond(1000);
  EXPECT_EQ(library_.Save(kPath.c_str()), StatusCode::kFileWriteFailed);
  ExpectOldFileIntact();
}

TEST_F(LibrarySaveFailureTest, FailedClose) {
  testing::FaultyFileSystem files;
  files.FailClose();
  EXPECT_EQ(library_.Save(kPath.c_str()), StatusCode::kFileWriteFailed);
  ExpectOldFileIntact();
}

TEST_F(LibrarySaveFailureTest, FailedReplace) {
  testing::FaultyFileSystem files;
  files.FailReplace();
  EXPECT_EQ(library_.Save(kPath.c_str()), StatusCode::kFileWriteFailed);
  ExpectOldFileIntact();
}

TEST_F(LibrarySaveTest, SaveIntoAMissingFolderCannotOpen) {
  EXPECT_EQ(library_.Save("c:\\no\\such\\folder\\lib.tlb"), StatusCode::kFileCannotOpen);
  EXPECT_EQ(library_.Save(nullptr), StatusCode::kFileCannotOpen);
}

}  // namespace
}  // namespace quarnel::toollib
