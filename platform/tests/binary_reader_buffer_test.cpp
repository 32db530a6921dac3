// The reader serves fields from a block buffer: values, skips, seeks and
// short reads must come out as if every field were read from the file itself,
// wherever the block boundaries fall.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/binary_reader.h"
#include "platform/file_system.h"
#include "tests/support/byte_builder.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/scratch_dir.h"

namespace quarnel::platform {
namespace {

using testing::ScratchDir;

// Larger than two of the reader's blocks; the int32 at byte offset 4k is k.
constexpr int32_t kWords = 40000;

std::string CountingFile() {
  testing::ByteBuilder bytes;
  for (int32_t k = 0; k < kWords; ++k) bytes.I32(k);
  return bytes.bytes();
}

class BinaryReaderBufferTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::WriteFileBytes(scratch_.DriveC("words.bin"), CountingFile()); }
  std::unique_ptr<File> Open() { return Files().Open("c:\\words.bin", OpenMode::kRead); }

  ScratchDir scratch_;
};

TEST_F(BinaryReaderBufferTest, FieldsAcrossBlockBoundariesKeepTheirValues) {
  auto file = Open();
  ASSERT_TRUE(file);
  BinaryReader in(*file);
  // After an odd lead byte every int32 field lies across word bounds, and
  // some across the bounds of the reader's blocks.
  const std::string content = CountingFile();
  uint8_t lead = 0xFF;
  ASSERT_TRUE(in.ReadU8(lead));
  EXPECT_EQ(lead, 0);
  testing::ByteCursor expected(std::string_view(content).substr(1));
  for (int32_t k = 0; k + 1 < kWords; ++k) {
    int32_t value = -1;
    ASSERT_TRUE(in.ReadI32(value)) << k;
    ASSERT_EQ(value, expected.I32()) << k;
  }
  int32_t past_end = 5;
  EXPECT_FALSE(in.ReadI32(past_end));
  EXPECT_EQ(past_end, 0);
}

TEST_F(BinaryReaderBufferTest, SkipsAndSeeksWithinAndBeyondTheBuffer) {
  auto file = Open();
  ASSERT_TRUE(file);
  BinaryReader in(*file);
  int32_t value = 0;
  ASSERT_TRUE(in.ReadI32(value));
  ASSERT_TRUE(in.Skip(4 * 10));  // within the block just read
  ASSERT_TRUE(in.ReadI32(value));
  EXPECT_EQ(value, 11);
  ASSERT_TRUE(in.Skip(-8));  // back within the buffer
  ASSERT_TRUE(in.ReadI32(value));
  EXPECT_EQ(value, 11 - 1);
  ASSERT_TRUE(in.Skip(4 * 30000));  // beyond the buffered block
  ASSERT_TRUE(in.ReadI32(value));
  EXPECT_EQ(value, 11 + 30000);
  ASSERT_TRUE(in.Skip(-4 * 30005));  // back before the buffered block
  ASSERT_TRUE(in.ReadI32(value));
  EXPECT_EQ(value, 11 + 30000 + 1 - 30005);
  ASSERT_TRUE(in.SeekTo(4 * 123));
  ASSERT_TRUE(in.ReadI32(value));
  EXPECT_EQ(value, 123);
  EXPECT_FALSE(in.Skip(-1000000));  // before the start: refused, position kept
  ASSERT_TRUE(in.ReadI32(value));
  EXPECT_EQ(value, 124);
}

TEST_F(BinaryReaderBufferTest, LargeBlocksAndShortReadsAtTheEnd) {
  auto file = Open();
  ASSERT_TRUE(file);
  BinaryReader in(*file);
  int32_t first = 0;
  ASSERT_TRUE(in.ReadI32(first));
  // A block larger than the buffer, starting inside it.
  std::string block(4 * 30000, '\0');
  ASSERT_TRUE(in.ReadBytes(block.data(), block.size()));
  testing::ByteCursor cursor(block);
  EXPECT_EQ(cursor.I32(), 1);
  ASSERT_TRUE(in.SeekTo(4 * (kWords - 1) + 1));
  unsigned char tail[8];
  for (unsigned char& byte : tail) byte = 0xAA;
  EXPECT_FALSE(in.ReadBytes(tail, sizeof tail));
  for (unsigned char byte : tail) EXPECT_EQ(byte, 0);
  uint8_t after = 9;
  EXPECT_FALSE(in.ReadU8(after));
  EXPECT_EQ(after, 0);
}

TEST_F(BinaryReaderBufferTest, AFileCutShortEndsTheReadsWhereItEnds) {
  testing::FaultyFileSystem faults;
  faults.CutReadsAfter(4 * 20000 + 2);
  auto file = Open();
  ASSERT_TRUE(file);
  BinaryReader in(*file);
  int32_t value = 0;
  for (int32_t k = 0; k < 20000; ++k) {
    ASSERT_TRUE(in.ReadI32(value)) << k;
    ASSERT_EQ(value, k);
  }
  value = 7;
  EXPECT_FALSE(in.ReadI32(value));
  EXPECT_EQ(value, 0);
}

}  // namespace
}  // namespace quarnel::platform
