#include "stations/station_table.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "stations/station_file.h"
#include "tests/support/library_writer.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/station_writer.h"

namespace quarnel::stations {
namespace {

using testing::StationFields;
using testing::StationTableFields;
using testing::ToolFields;

ToolFields Rectangle(float size) {
  ToolFields tool;
  tool.size = size;
  tool.typeCode = 3;
  tool.x = size + 1.0f;
  tool.y = size + 2.0f;
  tool.keyedCount = 1;
  tool.angles = {0.5f, 0.0f, 0.0f, 0.0f};
  return tool;
}

StationFields Station(int32_t number, int32_t position, const ToolFields& tool) {
  StationFields station;
  station.stationNumber = number;
  station.toolPosition = position;
  station.flags = 0x07;
  station.carriedSeed = static_cast<uint8_t>(number);
  station.tool = tool;
  return station;
}

class StationTableTest : public ::testing::Test {
 protected:
  // Loads a version-92 library of `tools` into library_.
  void LoadLibrary(const std::vector<ToolFields>& tools, const std::vector<std::string>& paths = {}) {
    testing::LibraryFileFields file;
    file.tools = tools;
    file.paths = paths;
    testing::WriteFileBytes(scratch_.DriveC("lib.tl"), testing::BuildLibraryFile(file));
    ASSERT_EQ(library_.Load("c:\\lib.tl", folder_), StatusCode::kOk);
  }

  // Loads `table` (written on its own) into `into`; the load's result.
  int LoadTable(const StationTableFields& table, StationTable& into, bool relink = true) {
    testing::ByteBuilder bytes;
    testing::AppendStationTable(bytes, table);
    return LoadBytes(bytes.bytes(), into, relink);
  }
  int LoadBytes(const std::string& bytes, StationTable& into, bool relink = true) {
    testing::WriteFileBytes(scratch_.DriveC("table.st"), bytes);
    auto file = platform::Files().Open("c:\\table.st", platform::OpenMode::kRead);
    EXPECT_NE(file, nullptr);
    platform::BinaryReader in(*file);
    return into.LoadStations(in, kStationFileVersion, {relink ? &library_ : nullptr, folder_});
  }

  StationRecord RecordAt(StationTable& table, int32_t n) {
    StationRecord record;
    EXPECT_EQ(table.ReadAt(record, n), 1) << "station " << n;
    return record;
  }

  testing::ScratchDir scratch_;
  toollib::ToolLibrary library_;
  toollib::SpecialToolFolderBuffer folder_;
};

TEST_F(StationTableTest, RecordFieldsLandAtTheirOffsetsAndTheHeaderIsRead) {
  StationTableFields fields;
  fields.markedPosition = 2;
  fields.tableIdentifier = 1;
  fields.thirdHeaderValue = 77;
  StationFields carried = Station(31, 4, Rectangle(1.0f));
  carried.stationSize = 2.5f;
  carried.stationKind = 6;
  StationFields toolless = Station(32, 0, Rectangle(1.0f));
  fields.stations = {carried, toolless};

  StationTable table(0);
  ASSERT_EQ(LoadTable(fields, table, false), 1);
  EXPECT_EQ(table.markedPosition, 2);
  EXPECT_EQ(table.tableIdentifier, 1);
  EXPECT_EQ(table.thirdHeaderValue, 77);
  EXPECT_EQ(table.fourthValue, 0);
  ASSERT_EQ(table.Count(), 2u);

  // Without a library the records stay as read, every carried byte in place.
  const StationRecord first = RecordAt(table, 1);
  EXPECT_EQ(std::string(first.bytes.begin(), first.bytes.end()),
            testing::StationRecordImage(carried));
  EXPECT_EQ(first.StationNumber(), 31);
  EXPECT_EQ(first.StationSize(), 2.5f);
  EXPECT_EQ(first.StationKind(), 6);
  EXPECT_EQ(first.ToolPosition(), 4);

  // A station read without a tool loses flag bit 0 only.
  std::string expected = testing::StationRecordImage(toolless);
  expected[kStationFlagsOffset] = 0x06;
  const StationRecord second = RecordAt(table, 2);
  EXPECT_EQ(std::string(second.bytes.begin(), second.bytes.end()), expected);
}

TEST_F(StationTableTest, EmptyTableAnswersZeroForEveryTool) {
  LoadLibrary({Rectangle(1.0f)});
  StationTable table(1);
  EXPECT_EQ(LoadTable(StationTableFields{}, table), 1);
  EXPECT_EQ(table.Count(), 0u);
  EXPECT_EQ(table.tableIdentifier, 0);
  EXPECT_EQ(StationOfTool(&table, 1), 0);
  EXPECT_EQ(StationOfTool(nullptr, 1), 0);
}

TEST_F(StationTableTest, StationsAreRelinkedToTheirToolsInTheLoadedLibrary) {
  ToolFields special;
  special.size = 3.0f;
  special.typeCode = 108;
  special.specialToolIndex = 1;
  special.specialPath = "c:\\Tervan\\Moldrin\\SPECTOOL\\PUNCH7.spt";
  LoadLibrary({Rectangle(1.0f), Rectangle(2.0f), special},
              {"c:\\Tervan\\Moldrin\\SPECTOOL\\PUNCH7.spt"});

  StationFields stays = Station(11, 1, Rectangle(1.0f));
  StationFields beyond = Station(12, 9, Rectangle(2.0f));
  StationFields gone = Station(13, 2, Rectangle(5.0f));
  // The stored special tool names its file; its index in the station file means nothing.
  ToolFields stored_special = special;
  stored_special.specialToolIndex = 40;
  stored_special.specialPath = "D:\\OTHER\\punch7.SPT";
  StationFields by_path = Station(14, 3, stored_special);
  StationFields untouched = Station(15, 0, Rectangle(1.0f));
  StationTableFields fields;
  fields.stations = {stays, beyond, gone, by_path, untouched};

  StationTable table(0);
  ASSERT_EQ(LoadTable(fields, table), 1);
  EXPECT_EQ(RecordAt(table, 1).ToolPosition(), 1);
  EXPECT_EQ(RecordAt(table, 2).ToolPosition(), 2);
  const StationRecord lost = RecordAt(table, 3);
  EXPECT_EQ(lost.ToolPosition(), 0);
  EXPECT_EQ(lost.Flags(), 0x04);  // bits 0 and 1 go with the tool; bit 2 stays
  EXPECT_EQ(lost.StationNumber(), 13);
  EXPECT_EQ(RecordAt(table, 4).ToolPosition(), 3);
  EXPECT_EQ(RecordAt(table, 5).ToolPosition(), 0);

  EXPECT_EQ(StationOfTool(&table, 1), 11);
  EXPECT_EQ(StationOfTool(&table, 2), 12);
  EXPECT_EQ(StationOfTool(&table, 3), 14);
  EXPECT_EQ(StationOfTool(&table, 4), 0);
}

TEST_F(StationTableTest, SecondStationOfATwinToolTakesTheNextLibraryPosition) {
  const ToolFields twin = Rectangle(5.0f);
  LoadLibrary({Rectangle(1.0f), Rectangle(2.0f), Rectangle(3.0f), Rectangle(4.0f), twin, twin});
  StationTableFields fields;
  fields.stations = {Station(21, 5, twin), Station(22, 5, twin), Station(23, 5, twin)};

  StationTable table(0);
  ASSERT_EQ(LoadTable(fields, table), 1);
  EXPECT_EQ(RecordAt(table, 1).ToolPosition(), 5);
  EXPECT_EQ(RecordAt(table, 2).ToolPosition(), 6);
  EXPECT_EQ(RecordAt(table, 3).ToolPosition(), 0);  // no third twin
  EXPECT_EQ(StationOfTool(&table, 5), 21);
  EXPECT_EQ(StationOfTool(&table, 6), 22);
}

TEST_F(StationTableTest, SecondStationOfASingleToolIsLeftWithout) {
  LoadLibrary({Rectangle(1.0f), Rectangle(2.0f), Rectangle(3.0f), Rectangle(4.0f),
               Rectangle(5.0f), Rectangle(6.0f)});
  StationTableFields fields;
  fields.stations = {Station(21, 5, Rectangle(5.0f)), Station(22, 5, Rectangle(5.0f))};

  StationTable table(0);
  ASSERT_EQ(LoadTable(fields, table), 1);
  EXPECT_EQ(RecordAt(table, 1).ToolPosition(), 5);
  EXPECT_EQ(RecordAt(table, 2).ToolPosition(), 0);
  EXPECT_EQ(StationOfTool(&table, 6), 0);
}

TEST_F(StationTableTest, LookupAnswersTheFirstStationOfAPosition) {
  StationTableFields fields;
  fields.stations = {Station(31, 2, Rectangle(2.0f)), Station(32, 1, Rectangle(1.0f)),
                     Station(33, 2, Rectangle(2.0f))};
  // Read without re-linking, two stations keep one position.
  StationTable table(0);
  ASSERT_EQ(LoadTable(fields, table, false), 1);
  EXPECT_EQ(StationOfTool(&table, 2), 31);
  EXPECT_EQ(StationOfTool(&table, 1), 32);
  EXPECT_EQ(StationOfTool(&table, 3), 0);
}

TEST_F(StationTableTest, ShortTableKeepsWhatWasRead) {
  LoadLibrary({Rectangle(1.0f), Rectangle(2.0f)});
  StationTableFields fields;
  fields.stations = {Station(41, 1, Rectangle(1.0f)), Station(42, 2, Rectangle(2.0f))};
  fields.storedCount = 3;
  StationTable table(0);
  EXPECT_EQ(LoadTable(fields, table), 0);
  EXPECT_EQ(table.Count(), 2u);
  EXPECT_EQ(StationOfTool(&table, 2), 42);

  // A station cut inside its stored tool record is not kept.
  testing::ByteBuilder bytes;
  testing::AppendStationTable(bytes, fields);
  StationTable cut(0);
  EXPECT_EQ(LoadBytes(bytes.bytes().substr(0, bytes.size() - 10), cut), 0);
  EXPECT_EQ(cut.Count(), 1u);

  // Header values read before the file ends stay.
  testing::ByteBuilder header;
  header.I32(7).I32(1);
  StationTable headless(0);
  EXPECT_EQ(LoadBytes(header.bytes(), headless), 0);
  EXPECT_EQ(headless.markedPosition, 7);
  EXPECT_EQ(headless.tableIdentifier, 1);
  EXPECT_EQ(headless.Count(), 0u);
}

TEST_F(StationTableTest, LoadingAgainReplacesTheStations) {
  LoadLibrary({Rectangle(1.0f)});
  StationTableFields fields;
  fields.stations = {Station(51, 1, Rectangle(1.0f))};
  StationTable table(0);
  ASSERT_EQ(LoadTable(fields, table), 1);
  ASSERT_EQ(LoadTable(fields, table), 1);
  EXPECT_EQ(table.Count(), 1u);
  EXPECT_EQ(RecordAt(table, 1).ToolPosition(), 1);
}

TEST_F(StationTableTest, StationFileHoldsBothTablesAfterItsLeadingArea) {
  LoadLibrary({Rectangle(1.0f), Rectangle(2.0f)});
  testing::StationFileFields file;
  file.first.stations = {Station(61, 1, Rectangle(1.0f))};
  file.separator = -1;
  file.second.tableIdentifier = 1;
  file.second.stations = {Station(62, 2, Rectangle(2.0f))};
  testing::WriteFileBytes(scratch_.DriveC("st.st"), testing::BuildStationFile(file));

  StationTable first(0);
  StationTable second(1);
  ASSERT_EQ(LoadStationFile("c:\\st.st", {&library_, folder_}, first, second), StatusCode::kOk);
  EXPECT_EQ(StationOfTool(&first, 1), 61);
  EXPECT_EQ(StationOfTool(&second, 2), 62);
  EXPECT_EQ(second.tableIdentifier, 1);
  EXPECT_EQ(LoadStationFile("c:\\missing.st", {&library_, folder_}, first, second),
            StatusCode::kFileCannotOpen);
}

}  // namespace
}  // namespace quarnel::stations
