// A buffered writer must put exactly the bytes of an unbuffered one into the
// file, wherever its buffer boundaries fall, and report a failed Write of the
// file whichever call it is: at the write that triggered it or at Flush.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/binary_writer.h"
#include "platform/file_system.h"

namespace quarnel::platform {
namespace {

// A file in memory whose `fail_call`-th Write (1-based; 0 = none) writes nothing.
class MemoryFile final : public File {
 public:
  explicit MemoryFile(int fail_call = 0) : fail_call_(fail_call) {}
  size_t Read(void*, size_t) override { return 0; }
  size_t Write(const void* data, size_t size) override {
    if (++calls_ == fail_call_) return 0;
    bytes_.append(static_cast<const char*>(data), size);
    return size;
  }
  bool SeekFromCurrent(int64_t) override { return false; }
  bool SeekTo(int64_t) override { return false; }
  bool Flush() override { return true; }
  bool Close() override { return true; }

  const std::string& bytes() const { return bytes_; }
  int calls() const { return calls_; }

 private:
  int fail_call_;
  int calls_ = 0;
  std::string bytes_;
};

// Fields of every kind and width, a long text and zeros among them; true when
// every write and the final Flush reported success.
bool WriteSample(BinaryWriter& out) {
  bool ok = true;
  for (int i = 0; i < 40; ++i) {
    ok = ok && out.WriteU8(static_cast<uint8_t>(i)) && out.WriteI16(static_cast<int16_t>(-i)) &&
         out.WriteI32(i * 70001) && out.WriteF32(static_cast<float>(i) * 0.25f) &&
         out.WriteText("name " + std::to_string(i), 21) && out.WriteZeros(static_cast<size_t>(i % 5));
  }
  const std::string block(700, 'b');
  return ok && out.WriteBytes(block.data(), block.size()) && out.Flush();
}

std::string UnbufferedSample() {
  MemoryFile file;
  BinaryWriter out(file);
  EXPECT_TRUE(WriteSample(out));
  return file.bytes();
}

TEST(BinaryWriterBufferTest, EveryBufferSizeWritesTheSameBytesInFewerCalls) {
  const std::string expected = UnbufferedSample();
  for (size_t buffer : {1u, 3u, 7u, 64u, 4096u, 256u * 1024u}) {
    MemoryFile file;
    BinaryWriter out(file, buffer);
    ASSERT_TRUE(WriteSample(out)) << buffer;
    EXPECT_EQ(file.bytes(), expected) << buffer;
    EXPECT_EQ(file.calls(), static_cast<int>((expected.size() + buffer - 1) / buffer)) << buffer;
  }
}

TEST(BinaryWriterBufferTest, AFailedWriteOfTheFileAtAnyCallFailsTheWholeWrite) {
  for (size_t buffer : {7u, 100u}) {
    int calls = 0;
    {
      MemoryFile counting;
      BinaryWriter out(counting, buffer);
      ASSERT_TRUE(WriteSample(out));
      calls = counting.calls();
    }
    for (int k = 1; k <= calls; ++k) {
      MemoryFile file(k);
      BinaryWriter out(file, buffer);
      EXPECT_FALSE(WriteSample(out)) << "buffer " << buffer << ", call " << k;
      // Nothing reaches the file after the failed call.
      EXPECT_EQ(file.calls(), k) << "buffer " << buffer << ", call " << k;
      EXPECT_FALSE(out.Flush());
    }
  }
}

}  // namespace
}  // namespace quarnel::platform
