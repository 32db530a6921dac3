// Libraries larger than the reader's buffer: records lie across its refills,
// are decoded from the buffer or through the file, and must load the same
// either way; a record cut short is never kept.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/byte_builder.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/library_writer.h"
#include "toollib/tests/library_fixture.h"
#include "toollib/tool_file.h"

namespace quarnel::toollib {
namespace {

using testing::ExtraFields;
using testing::LibraryFileFields;
using testing::ToolFields;

constexpr int kTools = 3000;
constexpr int kTypes[] = {1, 3, 103, 107, 108, 110};

// Tool i: its type from the cycle above, every value derived from i.
ToolFields ToolNumber(int i) {
  ToolFields tool;
  tool.typeCode = kTypes[i % 6];
  tool.size = static_cast<float>(i) + 0.5f;
  tool.x = static_cast<float>(i);
  tool.y = static_cast<float>(i) + 0.25f;
  tool.z = tool.typeCode == 108 ? 1.0f : static_cast<float>(i % 7);
  tool.keyedCount = tool.typeCode == 1 ? 0 : 2;
  tool.angles = {1.0f, 2.0f, static_cast<float>(i), 0.0f};
  tool.dieClearanceCount = i % 5;
  tool.dieClearances = {0.125f, static_cast<float>(i), 0.0f, 0.0f};
  tool.valueA = static_cast<float>(-i);
  tool.valueD = static_cast<float>(i * 2);
  if (tool.typeCode == 108) {
    tool.specialToolIndex = 1 + i % 3;
    tool.specialBlock[23] = static_cast<uint8_t>(i);
  }
  if (i % 10 == 0) tool.extraIndex = i / 10 + 1;
  return tool;
}

// Extra k: texts of a length that varies, so that later records shift.
ExtraFields ExtraNumber(int k) {
  ExtraFields extra;
  extra.textLength = static_cast<int16_t>(1 + (k * 37) % 256);
  extra.leadingValue = k;
  // A text field holds its text and a NUL.
  extra.firstText = std::string(static_cast<size_t>(extra.textLength) - 1, static_cast<char>('a' + k % 26));
  extra.secondText = std::string("second").substr(0, static_cast<size_t>(extra.textLength) - 1);
  extra.entries.resize(static_cast<size_t>(k % 21));
  if (!extra.entries.empty()) extra.entries[0].value = static_cast<float>(k);
  return extra;
}

LibraryFileFields LargeLibrary() {
  LibraryFileFields file;
  for (int i = 0; i < kTools; ++i) file.tools.push_back(ToolNumber(i));
  for (int k = 0; k < kTools / 10; ++k) file.extras.push_back(ExtraNumber(k));
  file.paths = {"D:\\A\\ONE.SPT", "D:\\B\\TWO.SPT", "THREE"};
  return file;
}

class LibraryLargeLoadTest : public LibraryTest {};

TEST_F(LibraryLargeLoadTest, EveryRecordLoadsAsWrittenWhereverTheBufferEnds) {
  const std::string bytes = testing::BuildLibraryFile(LargeLibrary());
  ASSERT_GT(bytes.size(), 3u * 65536u);  // several refills of the reader
  const std::string path = WriteFile("large.tlb", bytes);
  ASSERT_EQ(library_.Load(path.c_str(), folder_), StatusCode::kOk);
  ASSERT_EQ(library_.Count(), static_cast<uint32_t>(kTools));
  for (int i = 0; i < kTools; ++i) {
    const ToolFields want = ToolNumber(i);
    const ToolRecord tool = ToolAt(i + 1);
    ASSERT_EQ(tool.typeCode, want.typeCode) << i;
    ASSERT_EQ(tool.size, want.size) << i;
    ASSERT_EQ(tool.dimensions[0], want.x) << i;
    ASSERT_EQ(tool.dimensions[1], want.y) << i;
    ASSERT_EQ(tool.angles[2], want.angles[2]) << i;
    ASSERT_EQ(tool.dieClearanceCount, want.dieClearanceCount) << i;
    ASSERT_EQ(tool.dieClearances[1], want.dieClearances[1]) << i;
    ASSERT_EQ(tool.valueA, want.valueA) << i;
    ASSERT_EQ(tool.valueD, want.valueD) << i;
    ASSERT_EQ(tool.extraIndex, want.extraIndex) << i;
    if (want.typeCode == 108) {
      ASSERT_EQ(tool.specialToolIndex, want.specialToolIndex) << i;
      ASSERT_EQ(tool.specialBlock[23], want.specialBlock[23]) << i;
      ASSERT_EQ(tool.specialFlags, kSpecialFlagOne) << i;
    }
  }
  ASSERT_EQ(library_.Extras().Count(), static_cast<uint32_t>(kTools / 10));
  for (int k = 0; k < kTools / 10; ++k) {
    ToolExtra extra;
    ASSERT_EQ(library_.ReadExtra(extra, k + 1), 1);
    const ExtraFields want = ExtraNumber(k);
    ASSERT_EQ(extra.leadingValue, k);
    ASSERT_EQ(std::string(extra.firstText), want.firstText) << k;
    ASSERT_EQ(std::string(extra.secondText), want.secondText) << k;
    ASSERT_EQ(extra.block.entryCount, static_cast<int8_t>(want.entries.size())) << k;
    if (!want.entries.empty()) {
      ASSERT_EQ(extra.block.entryValue[0], static_cast<float>(k));
    }
  }
  EXPECT_EQ(PathAt(2), kFolder + "TWO.spt");
  EXPECT_EQ(PathAt(3), kFolder + "THREE.spt");
}

TEST_F(LibraryLargeLoadTest, ACutRecordIsNotKeptAndTheRecordsBeforeItAre) {
  // Where each tool record ends in the file: the header is 2 + 4 + 20 * 8.
  std::vector<size_t> record_ends;
  size_t offset = 2 + 4 + 20 * 8;
  for (int i = 0; i < kTools; ++i) {
    testing::ByteBuilder record;
    testing::AppendToolRecord(record, ToolNumber(i), 92, false);
    offset += record.bytes().size();
    record_ends.push_back(offset);
  }
  const std::string path = WriteFile("large.tlb", testing::BuildLibraryFile(LargeLibrary()));
  // Cuts inside records near the first refills, in a record's last checked
  // field (valueB: a cut in valueC or valueD only shows at the next record),
  // and inside the record after a whole one.
  for (size_t cut : {size_t{65536 + 3}, size_t{2 * 65536 - 1}, record_ends[1999] - 9,
                     record_ends[2500] + 40}) {
    testing::FaultyFileSystem files;
    files.CutReadsAfter(cut);
    ASSERT_EQ(library_.Load(path.c_str(), folder_), StatusCode::kFileReadFailed) << cut;
    size_t complete = 0;
    while (complete < record_ends.size() && record_ends[complete] <= cut) ++complete;
    ASSERT_EQ(library_.Count(), complete) << cut;
    const ToolRecord last = ToolAt(static_cast<int32_t>(complete));
    EXPECT_EQ(last.size, ToolNumber(static_cast<int>(complete) - 1).size) << cut;
  }
}

}  // namespace
}  // namespace quarnel::toollib
