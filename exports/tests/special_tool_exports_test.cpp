#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <vector>

#include "exports/module_state.h"
#include "exports/tests/special_tool_test_support.h"
#include "quarnel/quarnel.h"
#include "spectool/geom_types.h"

namespace quarnel::exports::testing {
namespace {

using namespace quarnel::spectool;

constexpr float kFullTurn = 6.2831855f;

class SpecialToolExportsTest : public SpecialToolExportsFixture {
 protected:
  std::string RoundHoleTool() {
    return WriteSpecialTool(scratch_, "hole", {Stored(kGeomRoundHole, 10, 20, {5})});
  }
  // A line, a point and a rectangular hole: five lines in all.
  std::string LinePointRectangleTool() {
    return WriteSpecialTool(scratch_, "lpr",
                            {Stored(kGeomLine, 1, 2, {3, 4, 0, 0}), Stored(kGeomPoint, 7, 7, {}),
                             Stored(kGeomRectangularHole, 0, 0, {4, 2, 0})});
  }

  // Every entity of the Open way, fetched as the host does.
  static std::vector<HostRecord> FetchOpened(int32_t count) {
    std::vector<HostRecord> records(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
      EXPECT_EQ(LoadGeometryAtIndex(i, &records[static_cast<size_t>(i)]), 0);
    }
    return records;
  }
  static std::vector<HostRecord> FetchLoaded(int32_t count) {
    std::vector<HostRecord> records(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) GetGeometryAt(&records[static_cast<size_t>(i)], i);
    return records;
  }
};

TEST_F(SpecialToolExportsTest, MissingFileGivesStatusOneAndNoOutlineBothWays) {
  const std::string path = "c:\\absent.spt";
  SpecialToolInfo info = InfoFor(path);
  int32_t count = 99;
  EXPECT_EQ(OpenSpecialTool(&info, &count), 1);
  EXPECT_EQ(count, 0);
  HostRecord record;
  EXPECT_EQ(LoadGeometryAtIndex(0, &record), 0);
  EXPECT_TRUE(record.EntityUntouched());

  count = 99;
  EXPECT_EQ(LoadSpecialTool(&info, &count), 1);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(LoadedItemList().Count(), 0u);
  GetGeometryAt(&record, 0);
  EXPECT_TRUE(record.EntityUntouched());
}

TEST_F(SpecialToolExportsTest, RoundHoleBecomesOneArcAndFillsTheInfoRecord) {
  const std::string path = RoundHoleTool();
  SpecialToolInfo info = InfoFor(path);
  int32_t count = 0;
  ASSERT_EQ(OpenSpecialTool(&info, &count), 0);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(info.size, 12.5f);
  EXPECT_EQ(info.infoValue, 3.0f);

  const HostRecord arc = FetchOpened(1)[0];
  EXPECT_TRUE(arc.HeaderIntact());
  EXPECT_EQ(arc.entity.type, kGeomArc);
  EXPECT_EQ(arc.values().x, 10.0f);
  EXPECT_EQ(arc.values().y, 20.0f);
  EXPECT_EQ(arc.values().p[0], 5.0f);
  EXPECT_EQ(arc.values().p[1], 0.0f);
  EXPECT_EQ(std::bit_cast<uint32_t>(arc.values().p[2]), std::bit_cast<uint32_t>(kFullTurn));

  ASSERT_EQ(LoadSpecialTool(&info, &count), 0);
  ASSERT_EQ(count, 1);
  const HostRecord loaded = FetchLoaded(1)[0];
  EXPECT_TRUE(loaded.HeaderIntact());
  EXPECT_EQ(std::memcmp(&loaded.entity, &arc.entity, sizeof(GeomEntity)), 0);
}

TEST_F(SpecialToolExportsTest, LineIsKeptPointDroppedRectangleExploded) {
  const std::string path = LinePointRectangleTool();
  SpecialToolInfo info = InfoFor(path);
  int32_t opened = 0;
  int32_t loaded = 0;
  ASSERT_EQ(OpenSpecialTool(&info, &opened), 0);
  ASSERT_EQ(LoadSpecialTool(&info, &loaded), 0);
  ASSERT_EQ(opened, 5);
  ASSERT_EQ(loaded, 5);

  const std::vector<HostRecord> open_way = FetchOpened(opened);
  const std::vector<HostRecord> load_way = FetchLoaded(loaded);
  EXPECT_EQ(open_way[0].values().x, 1.0f);
  EXPECT_EQ(open_way[0].values().p[0], 3.0f);
  EXPECT_EQ(open_way[0].values().p[1], 4.0f);
  double perimeter = 0.0;
  for (size_t i = 0; i < open_way.size(); ++i) {
    EXPECT_TRUE(open_way[i].HeaderIntact());
    EXPECT_EQ(open_way[i].entity.type, kGeomLine) << "entity " << i;
    EXPECT_EQ(std::memcmp(&open_way[i].entity, &load_way[i].entity, sizeof(GeomEntity)), 0)
        << "entity " << i;
    if (i > 0) perimeter += std::hypot(open_way[i].values().p[0], open_way[i].values().p[1]);
  }
  EXPECT_NEAR(perimeter, 12.0, 1e-4);  // the 4 x 2 rectangle
}

TEST_F(SpecialToolExportsTest, CirclePatternOfARoundHoleGivesFiveArcs) {
  const std::string path = WriteSpecialTool(
      scratch_, "circle",
      {Stored(kGeomRoundHole, 5, 0, {1}, 0, kFlagSeed),
       Stored(kGeomPatternCircle, 0, 0, {5, 0, 4}, 1, kFlagRefInUse)});
  SpecialToolInfo info = InfoFor(path);
  int32_t count = 0;
  ASSERT_EQ(OpenSpecialTool(&info, &count), 0);
  ASSERT_EQ(count, 5);
  const float centres[5][2] = {{5, 0}, {5, 0}, {0, 5}, {-5, 0}, {0, -5}};
  const std::vector<HostRecord> arcs = FetchOpened(count);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(arcs[i].entity.type, kGeomArc);
    EXPECT_NEAR(arcs[i].values().x, centres[i][0], 1e-5) << "arc " << i;
    EXPECT_NEAR(arcs[i].values().y, centres[i][1], 1e-5) << "arc " << i;
    EXPECT_EQ(arcs[i].values().p[0], 1.0f);
  }
}

TEST_F(SpecialToolExportsTest, IndexesOutsideTheOutlineWriteNothing) {
  const std::string path = LinePointRectangleTool();
  SpecialToolInfo info = InfoFor(path);
  int32_t count = 0;
  ASSERT_EQ(LoadSpecialTool(&info, &count), 0);
  ASSERT_EQ(OpenSpecialTool(&info, &count), 0);

  for (int32_t index : {count, -1, 1 << 30}) {
    HostRecord record;
    GetGeometryAt(&record, index);
    EXPECT_TRUE(record.EntityUntouched()) << index;
    EXPECT_EQ(LoadGeometryAtIndex(index, &record), 0);
    EXPECT_TRUE(record.EntityUntouched()) << index;
    int32_t type = 77;
    float x = 77.0f;
    GetGeometryValuesAt(&type, nullptr, nullptr, &x, nullptr, nullptr, nullptr, index);
    EXPECT_EQ(type, 77);
    EXPECT_EQ(x, 77.0f);
  }
  HostRecord last;
  GetGeometryAt(&last, count - 1);
  EXPECT_TRUE(last.HeaderIntact());
  EXPECT_EQ(last.entity.type, kGeomLine);
  HostRecord last_opened;
  EXPECT_EQ(LoadGeometryAtIndex(count - 1, &last_opened), 0);
  EXPECT_EQ(std::memcmp(&last.entity, &last_opened.entity, sizeof(GeomEntity)), 0);
}

TEST_F(SpecialToolExportsTest, ValuesAtGiveTypeSignExtendedAndTheLeadingParameters) {
  GeomEntity entity{};
  entity.type = -1;
  entity.ref = 6;
  entity.flags = 0x80000401u;
  entity.x = 1.5f;
  entity.y = -2.5f;
  entity.p[0] = 3.0f;
  entity.p[1] = 4.0f;
  entity.p[2] = 5.0f;
  LoadedItemList().Append(spectool::GeomItem(entity));

  int32_t type = 0, flags = 0, ref = 0;
  float x = 0, y = 0, p0 = 0, p1 = 0;
  GetGeometryValuesAt(&type, &flags, &ref, &x, &y, &p0, &p1, 0);
  EXPECT_EQ(type, -1);
  EXPECT_EQ(static_cast<uint32_t>(flags), 0x80000401u);
  EXPECT_EQ(ref, 6);
  EXPECT_EQ(x, 1.5f);
  EXPECT_EQ(y, -2.5f);
  EXPECT_EQ(p0, 3.0f);
  EXPECT_EQ(p1, 4.0f);
}

TEST_F(SpecialToolExportsTest, SecondOpenReplacesTheFirstOutline) {
  const std::string rectangle = LinePointRectangleTool();
  const std::string hole = RoundHoleTool();
  SpecialToolInfo info = InfoFor(rectangle);
  int32_t count = 0;
  ASSERT_EQ(OpenSpecialTool(&info, &count), 0);
  ASSERT_EQ(count, 5);

  info = InfoFor(hole);
  ASSERT_EQ(OpenSpecialTool(&info, &count), 0);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(FetchOpened(1)[0].entity.type, kGeomArc);
  HostRecord beyond;
  LoadGeometryAtIndex(1, &beyond);
  EXPECT_TRUE(beyond.EntityUntouched());

  const std::string absent = "c:\\absent.spt";
  info = InfoFor(absent);
  EXPECT_EQ(OpenSpecialTool(&info, &count), 1);
  EXPECT_EQ(count, 0);
  LoadGeometryAtIndex(0, &beyond);
  EXPECT_TRUE(beyond.EntityUntouched());
}

TEST_F(SpecialToolExportsTest, CloseReleasesTheOutlineAndMayBeRepeated) {
  CloseSpecialTool();  // before any Open
  const std::string path = RoundHoleTool();
  SpecialToolInfo info = InfoFor(path);
  int32_t count = 0;
  ASSERT_EQ(OpenSpecialTool(&info, &count), 0);
  CloseSpecialTool();
  EXPECT_FALSE(GeomList().has_value());
  CloseSpecialTool();
  HostRecord record;
  EXPECT_EQ(LoadGeometryAtIndex(0, &record), 0);
  EXPECT_TRUE(record.EntityUntouched());

  ASSERT_EQ(OpenSpecialTool(&info, &count), 0);  // a new list after Close
  EXPECT_EQ(count, 1);
}

TEST_F(SpecialToolExportsTest, OpenAndLoadKeepTheirOwnOutlines) {
  const std::string hole = RoundHoleTool();
  const std::string rectangle = LinePointRectangleTool();
  SpecialToolInfo info = InfoFor(hole);
  int32_t count = 0;
  ASSERT_EQ(LoadSpecialTool(&info, &count), 0);
  info = InfoFor(rectangle);
  ASSERT_EQ(OpenSpecialTool(&info, &count), 0);
  ASSERT_EQ(count, 5);
  EXPECT_EQ(LoadedItemList().Count(), 1u);
  EXPECT_EQ(FetchLoaded(1)[0].entity.type, kGeomArc);

  info = InfoFor(hole);
  ASSERT_EQ(LoadSpecialTool(&info, &count), 0);
  ASSERT_EQ(count, 1);
  ASSERT_TRUE(GeomList().has_value());
  EXPECT_EQ(GeomList()->size(), 5u);
}

TEST_F(SpecialToolExportsTest, FailedLoadLeavesNoLoadedOutline) {
  const std::string hole = RoundHoleTool();
  SpecialToolInfo info = InfoFor(hole);
  int32_t count = 0;
  ASSERT_EQ(LoadSpecialTool(&info, &count), 0);
  quarnel::testing::WriteFileBytes(scratch_.DriveC("bad.spt"), std::string("\x05\x00", 2));
  const std::string bad = "c:\\bad.spt";
  info = InfoFor(bad);
  count = 99;
  EXPECT_EQ(LoadSpecialTool(&info, &count), 3);  // unknown version
  EXPECT_EQ(count, 0);
  EXPECT_EQ(LoadedItemList().Count(), 0u);
}

TEST_F(SpecialToolExportsTest, MissingRecordsAndCountsAreRefusedQuietly) {
  int32_t count = 99;
  EXPECT_EQ(OpenSpecialTool(nullptr, &count), 1);
  EXPECT_EQ(count, 0);
  count = 99;
  EXPECT_EQ(LoadSpecialTool(nullptr, &count), 1);
  EXPECT_EQ(count, 0);

  const std::string path = RoundHoleTool();
  SpecialToolInfo info = InfoFor(path);
  EXPECT_EQ(OpenSpecialTool(&info, nullptr), 0);
  EXPECT_EQ(LoadSpecialTool(&info, nullptr), 0);
  EXPECT_EQ(LoadGeometryAtIndex(0, nullptr), 0);
  GetGeometryAt(nullptr, 0);
  GetGeometryValuesAt(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0);
}

TEST_F(SpecialToolExportsTest, VersionSevenFileGivesTheSameOutline) {
  const std::string path = WriteSpecialTool(
      scratch_, "old", {Stored(kGeomLine, 1, 2, {3, 4, 0, 0}), Stored(kGeomRoundHole, 0, 0, {2})},
      7);
  SpecialToolInfo info = InfoFor(path);
  int32_t count = 0;
  ASSERT_EQ(OpenSpecialTool(&info, &count), 0);
  ASSERT_EQ(count, 2);
  const std::vector<HostRecord> records = FetchOpened(count);
  EXPECT_EQ(records[0].entity.type, kGeomLine);
  EXPECT_EQ(records[1].entity.type, kGeomArc);
  EXPECT_EQ(records[1].values().p[0], 2.0f);
}

}  // namespace
}  // namespace quarnel::exports::testing
