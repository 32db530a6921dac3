#include "partfile/part_drawing_writer.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "partfile/tests/part_drawing_expectation.h"
#include "platform/safe_write.h"
#include "spectool/geom_types.h"
#include "tests/support/byte_builder.h"
#include "tests/support/scratch_dir.h"

namespace quarnel::partfile {
namespace {

using namespace quarnel::partfile::testing;
using quarnel::testing::ByteCursor;
using quarnel::testing::FileExists;
using quarnel::testing::ReadFileBytes;
using quarnel::testing::ScratchDir;
using quarnel::testing::WriteFileBytes;

constexpr float kPi = 3.1415927f;

std::vector<SecondListRecord> Records(const std::vector<int>& seeds) {
  std::vector<SecondListRecord> records;
  for (int seed : seeds) records.push_back(SecondListData(seed));
  return records;
}

class PartDrawingWriterTest : public ::testing::Test {
 protected:
  // Saves the drawing at c:\spt.prt and returns the file's bytes.
  std::string Save(const std::vector<GeomEntity>& entities, const std::vector<int>& seeds) {
    const std::vector<SecondListRecord> records = Records(seeds);
    EXPECT_EQ(SavePartDrawing(kPartDrawingPath, entities, records), StatusCode::kOk);
    return ReadFileBytes(scratch_.DriveC("spt.prt"));
  }

  // The entity record at `index` of a drawing without second-list elements.
  static EntityValues StoredEntity(const std::string& file, size_t index) {
    ByteCursor c(file);
    c.Raw(kHeaderBytes + index * kEntityRecordBytes);
    EntityValues e{};
    e.type = c.I8();
    e.ref = c.I32();
    e.flags = c.U32();
    e.x = c.F32();
    e.y = c.F32();
    EXPECT_EQ(c.I32(), 9);
    for (float& p : e.p) p = c.F32();
    return e;
  }

  ScratchDir scratch_;
};

TEST_F(PartDrawingWriterTest, EmptyListsGiveHeaderSectionAndTrailerOnly) {
  const std::string file = Save({}, {});
  EXPECT_EQ(file, ExpectedPartDrawing({}, {}));
  EXPECT_EQ(file.size(), kHeaderBytes + 4 + kTrailerFixedBytes);
}

TEST_F(PartDrawingWriterTest, CompleteFileMatchesByteForByte) {
  const std::vector<GeomEntity> entities = {
      MakeEntity(spectool::kGeomLine, 0, 0x0400, 1.5f, -2.0f, {10.0f, 0.0f, 7.0f, 8.0f}),
      MakeEntity(spectool::kGeomArc, 0, 0, 3.0f, 4.0f, {2.0f, 0.5f, -1.25f}),
      MakeEntity(spectool::kGeomPoint, 5, 0x0083, -1.0f, 9.0f, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
  };
  std::vector<GeomEntity> stored = entities;
  stored[2].ref = 4;
  stored[2].flags = 0x0003;
  EXPECT_EQ(Save(entities, {7, 8, 9}), ExpectedPartDrawing(stored, {7, 8, 9}));
}

TEST_F(PartDrawingWriterTest, SizeGrowsByEntityRecordAndTrailerRowPerEntity) {
  const std::vector<GeomEntity> entities(4, MakeEntity(spectool::kGeomLine, 0, 0, 0, 0, {1, 1}));
  const size_t section = 4 + 42 + 16;  // one second-list element
  EXPECT_EQ(Save(entities, {1}).size(),
            kHeaderBytes + 93 * 4 + section + kTrailerFixedBytes + kTrailerBytesPerEntity * 4);
}

TEST_F(PartDrawingWriterTest, SecondListOfOneElementIsFollowedByItsTwoWords) {
  const std::string file = Save({}, {5});
  ByteCursor c(file);
  c.Raw(kHeaderBytes);
  EXPECT_EQ(c.I32(), 0);
  const SecondListRecord element = SecondListData(5);
  EXPECT_EQ(c.Raw(42), std::string(element.begin(), element.end()));
  EXPECT_EQ(c.I32(), 0);
  EXPECT_EQ(c.I32(), 0);
  EXPECT_EQ(c.I32(), WordAt24(5));
  EXPECT_EQ(c.I32(), WordAt30(5));
  EXPECT_EQ(c.remaining(), kTrailerFixedBytes);
}

TEST_F(PartDrawingWriterTest, SecondListOfThreeWritesElementZeroLast) {
  const std::string file = Save({}, {10, 11, 12});
  ByteCursor c(file);
  c.Raw(kHeaderBytes);
  EXPECT_EQ(c.I32(), 2);
  for (int seed : {11, 12, 10}) {
    const SecondListRecord element = SecondListData(seed);
    EXPECT_EQ(c.Raw(42), std::string(element.begin(), element.end())) << "element " << seed;
  }
  EXPECT_EQ(c.I32(), 0);
  EXPECT_EQ(c.I32(), 0);
  EXPECT_EQ(c.I32(), WordAt24(10));
  EXPECT_EQ(c.I32(), WordAt30(10));
}

TEST_F(PartDrawingWriterTest, SeedPositionBecomesZeroBasedOnlyWhenInUse) {
  const std::string file = Save({MakeEntity(spectool::kGeomPatternCircle, 3, 0x0001, 0, 0),
                                 MakeEntity(spectool::kGeomPatternCircle, 3, 0x0002, 0, 0)},
                                {});
  EXPECT_EQ(StoredEntity(file, 0).ref, 2);
  EXPECT_EQ(StoredEntity(file, 1).ref, 3);
}

TEST_F(PartDrawingWriterTest, GroupMembershipBitIsDropped) {
  const std::string file = Save({MakeEntity(spectool::kGeomLine, 0, 0x81, 0, 0)}, {});
  EXPECT_EQ(StoredEntity(file, 0).flags, 0x01u);
  EXPECT_EQ(StoredEntity(file, 0).ref, -1);  // bit 0 set: 0 becomes -1
}

TEST_F(PartDrawingWriterTest, SingleDFlatSideIsTurnedByHalfATurn) {
  const std::string file =
      Save({MakeEntity(spectool::kGeomSingleD, 0, 0, 0, 0, {5.0f, 3.0f, 0.0f}),
            MakeEntity(spectool::kGeomSingleD, 0, 0, 0, 0, {5.0f, 3.0f, kPi / 2}),
            MakeEntity(spectool::kGeomDoubleD, 0, 0, 0, 0, {5.0f, 3.0f, kPi / 2})},
           {});
  EXPECT_EQ(std::bit_cast<uint32_t>(StoredEntity(file, 0).p[2]), std::bit_cast<uint32_t>(kPi));
  EXPECT_FLOAT_EQ(StoredEntity(file, 1).p[2], -kPi / 2);
  EXPECT_EQ(StoredEntity(file, 1).p[0], 5.0f);
  EXPECT_EQ(StoredEntity(file, 2).p[2], kPi / 2);  // only SINGLE D is turned
}

TEST_F(PartDrawingWriterTest, ReplacesAnEarlierDrawingWhole) {
  WriteFileBytes(scratch_.DriveC("spt.prt"), std::string(5000, 'x'));
  EXPECT_EQ(Save({}, {}), ExpectedPartDrawing({}, {}));
  EXPECT_FALSE(FileExists(scratch_.DriveC(platform::TemporaryPathFor("spt.prt"))));
}

}  // namespace
}  // namespace quarnel::partfile
