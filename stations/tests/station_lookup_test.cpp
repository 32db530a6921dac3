// StationOfTool answers from an index built once per table: its answers, and
// the cursor and status it leaves, must be those of a walk through the table.
#include <gtest/gtest.h>

#include <vector>

#include "stations/station_table.h"

namespace quarnel::stations {
namespace {

StationRecord StationAt(int32_t number, int32_t tool_position) {
  StationRecord station;
  station.SetInt32At(kStationNumberOffset, number);
  station.SetInt32At(kToolPositionOffset, tool_position);
  return station;
}

// What a walk with Rewind and ReadNext answers, and where it leaves the table.
struct WalkResult {
  int32_t station;
  int32_t position;
  StatusCode status;
};

WalkResult Walk(StationTable& table, int32_t tool_position) {
  table.Rewind();
  StationRecord station;
  int32_t found = 0;
  while (table.ReadNext(station) == 1) {
    if (station.ToolPosition() == tool_position) {
      found = station.StationNumber();
      break;
    }
  }
  return {found, table.Position(), table.Status()};
}

void ExpectSameAsWalk(StationTable& table, int32_t tool_position) {
  const WalkResult walked = Walk(table, tool_position);
  table.Seek(1);
  const int32_t station = StationOfTool(&table, tool_position);
  EXPECT_EQ(station, walked.station) << "tool position " << tool_position;
  EXPECT_EQ(table.Position(), walked.position) << "tool position " << tool_position;
  EXPECT_EQ(table.Status(), walked.status) << "tool position " << tool_position;
}

TEST(StationLookupTest, AnswersAndLeavesTheTableAsAWalkDoes) {
  StationTable table(0);
  // Positions 7 and 3 are each held twice: the first station in the table answers.
  const std::vector<std::pair<int32_t, int32_t>> stations = {{11, 7}, {12, 3}, {13, 0}, {14, 7}, {15, 9}, {16, 3}};
  for (const auto& [number, position] : stations) table.Append(StationAt(number, position));
  for (int32_t position = -1; position <= 10; ++position) ExpectSameAsWalk(table, position);
  EXPECT_EQ(StationOfTool(&table, 7), 11);
  EXPECT_EQ(StationOfTool(&table, 3), 12);
  EXPECT_EQ(StationOfTool(&table, 8), 0);
}

TEST(StationLookupTest, PositionsFarApartAndNegativeAnswerAsAWalkDoes) {
  // Positions that share low bits, and negative ones, must neither hide a
  // station nor invent one.
  StationTable table(0);
  const std::vector<std::pair<int32_t, int32_t>> stations = {
      {21, 5}, {22, 5 + 4096}, {23, -4091}, {24, 2147483647}, {25, -2147483647 - 1}};
  for (const auto& [number, position] : stations) table.Append(StationAt(number, position));
  for (int32_t position : {5, 5 + 4096, 5 + 8192, -4091, -4091 - 4096, 4101 - 8192, 2147483647,
                           2147483647 - 4096, -2147483647 - 1, 6}) {
    ExpectSameAsWalk(table, position);
  }
  EXPECT_EQ(StationOfTool(&table, 5 + 4096), 22);
  EXPECT_EQ(StationOfTool(&table, 5 + 8192), 0);
}

TEST(StationLookupTest, ChangesToTheTableAreSeenByTheNextLookup) {
  StationTable table(1);
  table.Append(StationAt(21, 4));
  EXPECT_EQ(StationOfTool(&table, 4), 21);
  EXPECT_EQ(StationOfTool(&table, 5), 0);

  table.Append(StationAt(22, 5));
  EXPECT_EQ(StationOfTool(&table, 5), 22);

  StationRecord changed = StationAt(23, 5);
  StationRecord current;
  ASSERT_EQ(table.ReadAt(current, 1), 1);
  table.UpdateCurrent(changed.bytes.data());
  EXPECT_EQ(StationOfTool(&table, 5), 23);
  EXPECT_EQ(StationOfTool(&table, 4), 0);

  table.DeleteAt(1);
  EXPECT_EQ(StationOfTool(&table, 5), 22);
  table.Clear();
  EXPECT_EQ(StationOfTool(&table, 5), 0);
}

TEST(StationLookupTest, AStickyStatusEndsTheLookupAsItEndsTheWalk) {
  StationTable table(0);
  table.Append(StationAt(31, 2));
  table.Append(StationAt(32, 3));
  for (const StatusCode sticky : {StatusCode::kIndexOutOfRange, StatusCode::kExpandedMemoryFail}) {
    table.store().set_status(sticky);
    const WalkResult walked = Walk(table, 3);
    table.store().set_status(sticky);
    EXPECT_EQ(StationOfTool(&table, 3), walked.station);
    EXPECT_EQ(table.Position(), walked.position);
    EXPECT_EQ(table.Status(), walked.status);
  }
}

}  // namespace
}  // namespace quarnel::stations
