// Reads from bytes in memory must behave as the file reader's: values decoded
// little-endian, texts terminated, and a short read leaving zeros.
#include <gtest/gtest.h>

#include <string>

#include "platform/span_reader.h"
#include "tests/support/byte_builder.h"

namespace quarnel::platform {
namespace {

const unsigned char* Bytes(const std::string& text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

TEST(SpanReaderTest, ReadsFieldsTextsAndBlocksInOrder) {
  testing::ByteBuilder builder;
  builder.I16(-2).I32(70000).F32(1.5f).Text("ABCDEFGHIJKLMNOPQRSTU", 24).U8(9);
  const std::string bytes = builder.bytes();
  SpanReader in(Bytes(bytes), bytes.size());
  int16_t small = 0;
  int32_t large = 0;
  float value = 0;
  char text[8];
  uint8_t last = 0;
  ASSERT_TRUE(in.ReadI16(small) && in.ReadI32(large) && in.ReadF32(value));
  EXPECT_EQ(small, -2);
  EXPECT_EQ(large, 70000);
  EXPECT_EQ(value, 1.5f);
  // A 24-byte field into 8 bytes: cut and terminated, the rest skipped.
  ASSERT_TRUE(in.ReadText(text, sizeof text, 24));
  EXPECT_STREQ(text, "ABCDEFG");
  ASSERT_TRUE(in.ReadU8(last));
  EXPECT_EQ(last, 9);
  EXPECT_EQ(in.consumed(), bytes.size());
}

TEST(SpanReaderTest, AShortReadLeavesZerosAndEndsTheSpan) {
  const std::string bytes(20, '\x7F');
  SpanReader in(Bytes(bytes), bytes.size());
  unsigned char block[16];
  ASSERT_TRUE(in.ReadBytes(block, sizeof block));  // a block copy
  int64_t too_far = 5;
  EXPECT_FALSE(in.Skip(too_far));
  EXPECT_FALSE(in.Skip(-1));
  EXPECT_EQ(in.consumed(), 16u);
  unsigned char rest[12];
  for (unsigned char& byte : rest) byte = 0xAA;
  EXPECT_FALSE(in.ReadBytes(rest, sizeof rest));
  for (unsigned char byte : rest) EXPECT_EQ(byte, 0);
  EXPECT_EQ(in.consumed(), bytes.size());
  int32_t after = 3;
  EXPECT_FALSE(in.ReadI32(after));
  EXPECT_EQ(after, 0);
}

}  // namespace
}  // namespace quarnel::platform
