// The part drawing's structures read back as they were written, at the sizes
// their constants give.
#include "partfile/part_drawing_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "platform/memory_file.h"

namespace quarnel::partfile {
namespace {

using quarnel::platform::MemoryFile;

TEST(PartDrawingFormat, StructuresReadBackAsWritten) {
  std::mt19937 random(71);
  std::uniform_real_distribution<float> value(-500.0f, 500.0f);
  for (int32_t count : {0, 1, 7}) {
    MemoryFile file;
    platform::BinaryWriter out(file);
    PartDrawingHeader header;
    header.entityCount = count;
    PartDrawingTrailer trailer;
    trailer.entityCount = count;
    std::vector<GeomEntity> entities(static_cast<size_t>(count));
    for (GeomEntity& entity : entities) {
      entity.type = static_cast<int8_t>(random() % 30);
      entity.ref = static_cast<int32_t>(random());
      entity.flags = static_cast<uint32_t>(random());
      entity.x = value(random);
      entity.y = value(random);
      // By index: the packed parameters cannot be bound by reference.
      for (size_t i = 0; i < sizeof entity.p / sizeof(float); ++i) entity.p[i] = value(random);
    }
    ASSERT_TRUE(EncodeHeader(out, header));
    EXPECT_EQ(file.bytes().size(), kPartHeaderBytes);
    for (const GeomEntity& entity : entities) ASSERT_TRUE(EncodeEntityRecord(out, entity));
    EXPECT_EQ(file.bytes().size(), kPartHeaderBytes + kPartEntityRecordBytes * entities.size());
    ASSERT_TRUE(EncodeTrailer(out, trailer));
    EXPECT_EQ(file.bytes().size(), kPartHeaderBytes + (kPartEntityRecordBytes + kPartTrailerEntityBytes) * entities.size() +
                                       kPartTrailerFixedBytes);

    platform::BinaryReader in(file);
    PartDrawingHeader header_back;
    header_back.product.clear();
    ASSERT_TRUE(DecodeHeader(in, header_back));
    EXPECT_EQ(header_back, header);
    for (const GeomEntity& entity : entities) {
      GeomEntity back{};
      ASSERT_TRUE(DecodeEntityRecord(in, back));
      EXPECT_EQ(std::memcmp(&back, &entity, sizeof back), 0);
    }
    PartDrawingTrailer trailer_back;
    trailer_back.customerName.clear();
    ASSERT_TRUE(DecodeTrailer(in, trailer_back));
    EXPECT_EQ(trailer_back, trailer);
  }
}

}  // namespace
}  // namespace quarnel::partfile
