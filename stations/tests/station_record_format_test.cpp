// The station record's decoder against the test-side station writer, and its
// encoder writing back the bytes it read.
#include "stations/station_record_format.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/memory_file.h"
#include "tests/support/station_writer.h"

namespace quarnel::stations {
namespace {

TEST(StationRecordFormat, DecodesTheFileOrderAndEncodesItBack) {
  std::mt19937 random(176);
  for (int round = 0; round < 100; ++round) {
    quarnel::testing::StationFields fields;
    fields.stationNumber = static_cast<int32_t>(random());
    fields.stationSize = static_cast<float>(random() % 1000) / 8.0f;
    fields.stationKind = static_cast<int32_t>(random() % 9);
    fields.toolPosition = static_cast<int32_t>(random() % 3);  // 0 often: the flag rule applies
    fields.flags = static_cast<uint8_t>(random());
    fields.carriedSeed = static_cast<uint8_t>(random());
    quarnel::testing::ByteBuilder file_bytes;
    quarnel::testing::AppendStation(file_bytes, fields);
    const std::string record_bytes = file_bytes.bytes().substr(0, kStationRecordFileBytes);

    quarnel::platform::MemoryFile file(record_bytes);
    platform::BinaryReader in(file);
    StationRecord record;
    ASSERT_TRUE(DecodeStationRecord(in, record));
    if (fields.toolPosition == 0) fields.flags &= static_cast<uint8_t>(~kFirstToolFlag);
    const std::string image = quarnel::testing::StationRecordImage(fields);
    ASSERT_EQ(std::string(record.bytes.begin(), record.bytes.end()), image);
    EXPECT_EQ(record.StationNumber(), fields.stationNumber);
    EXPECT_EQ(record.ToolPosition(), fields.toolPosition);

    quarnel::platform::MemoryFile written;
    platform::BinaryWriter out(written);
    ASSERT_TRUE(EncodeStationRecord(out, record));
    quarnel::testing::ByteBuilder rewritten;
    quarnel::testing::AppendStation(rewritten, fields);
    EXPECT_EQ(written.bytes(), rewritten.bytes().substr(0, kStationRecordFileBytes));
  }
}

}  // namespace
}  // namespace quarnel::stations
