#include <cstring>
#include <limits>

#include "exports/tests/tool_exchange_fixture.h"
#include "tests/support/station_writer.h"

namespace quarnel::exports {
namespace {

using testing::ExtraFields;
using testing::LibraryFileFields;
using testing::StationFields;
using testing::StationFileFields;
using testing::ToolFields;

constexpr float kSentinel = -999.0f;
constexpr int kIntSentinel = -999;

// Every output of ReceiveTool, preset to values the library never writes.
struct Received {
  char name[256];
  float size = kSentinel;
  int typeCode = kIntSentinel;
  float x = kSentinel, y = kSentinel, z = kSentinel;
  int keyedCount = kIntSentinel;
  float a1 = kSentinel, a2 = kSentinel, a3 = kSentinel, a4 = kSentinel;
  int dieClearanceCount = kIntSentinel;
  float d1 = kSentinel, d2 = kSentinel, d3 = kSentinel, d4 = kSentinel;
  float valueA = kSentinel, valueB = kSentinel, valueC = kSentinel, valueD = kSentinel;
  int secondStation = kIntSentinel;
  int firstStation = kIntSentinel;

  Received() { std::memset(name, 'q', sizeof name); }
  bool Untouched() const {
    Received fresh;
    return std::memcmp(name, fresh.name, sizeof name) == 0 && size == kSentinel &&
           typeCode == kIntSentinel && x == kSentinel && y == kSentinel && z == kSentinel &&
           keyedCount == kIntSentinel && a1 == kSentinel && a4 == kSentinel &&
           dieClearanceCount == kIntSentinel && d1 == kSentinel && d4 == kSentinel &&
           valueA == kSentinel && valueD == kSentinel && secondStation == kIntSentinel &&
           firstStation == kIntSentinel;
  }
};

Received Receive(int index) {
  Received r;
  EXPECT_EQ(ReceiveTool(index, &r.size, &r.typeCode, r.name, &r.x, &r.y, &r.z, &r.keyedCount,
                        &r.a1, &r.a2, &r.a3, &r.a4, &r.dieClearanceCount, &r.d1, &r.d2, &r.d3,
                        &r.d4, &r.valueA, &r.valueB, &r.valueC, &r.valueD, &r.secondStation,
                        &r.firstStation),
            0);
  return r;
}

void ExpectValuesOf(const Received& r, const ToolFields& tool) {
  EXPECT_EQ(r.size, tool.size);
  EXPECT_EQ(r.typeCode, tool.typeCode);
  EXPECT_EQ(r.x, tool.x);
  EXPECT_EQ(r.y, tool.y);
  EXPECT_EQ(r.z, tool.z);
  EXPECT_EQ(r.keyedCount, tool.keyedCount);
  EXPECT_EQ(r.a1, tool.angles[0]);
  EXPECT_EQ(r.a2, tool.angles[1]);
  EXPECT_EQ(r.a3, tool.angles[2]);
  EXPECT_EQ(r.a4, tool.angles[3]);
  EXPECT_EQ(r.dieClearanceCount, tool.dieClearanceCount);
  EXPECT_EQ(r.d1, tool.dieClearances[0]);
  EXPECT_EQ(r.d2, tool.dieClearances[1]);
  EXPECT_EQ(r.d3, tool.dieClearances[2]);
  EXPECT_EQ(r.d4, tool.dieClearances[3]);
  EXPECT_EQ(r.valueA, tool.valueA);
  EXPECT_EQ(r.valueB, tool.valueB);
  EXPECT_EQ(r.valueC, tool.valueC);
  EXPECT_EQ(r.valueD, tool.valueD);
}

ExtraFields ExtraWithStation(float station) {
  ExtraFields extra;
  extra.entries = {{255, station, 1, 0}};
  return extra;
}

// Twelve tools: tool 3 is the special tool PUNCH7, tool 4 names station 7.9
// in its extra, tools 5 and 6 are twins.
LibraryFileFields TwelveTools() {
  LibraryFileFields file;
  for (int i = 1; i <= 12; ++i) file.tools.push_back(RectangleTool(10.0f * static_cast<float>(i)));
  file.tools[2] = SpecialTool(30.0f, 1);
  file.tools[3].extraIndex = 1;
  file.tools[5] = file.tools[4];
  file.extras = {ExtraWithStation(7.9f)};
  file.paths = {SpecialPath("PUNCH7")};
  return file;
}

StationFields Station(int32_t number, int32_t position, const ToolFields& tool) {
  StationFields station;
  station.stationNumber = number;
  station.toolPosition = position;
  station.tool = tool;
  if (tool.typeCode == 108) station.tool.specialPath = SpecialPath("PUNCH7");
  return station;
}

class ReceiveExportsTest : public ToolExchangeTest {
 protected:
  // Starts a Receive of TwelveTools with `stations`; the start's result.
  int StartTwelve(const StationFileFields& stations, int* count) {
    library_ = TwelveTools();
    const std::string library = WriteFile("lib.tl", testing::BuildLibraryFile(library_));
    const std::string station_file = WriteFile("st.st", testing::BuildStationFile(stations));
    return StartReceiveTool(library.c_str(), station_file.c_str(), count);
  }

  LibraryFileFields library_;
};

TEST_F(ReceiveExportsTest, EveryValueAndBothStationsOfATool) {
  StationFileFields stations;
  const ToolFields first = RectangleTool(10.0f);
  stations.first.stations = {Station(101, 1, first)};
  stations.second.stations = {Station(201, 1, first), Station(203, 3, SpecialTool(30.0f, 1))};
  int count = kIntSentinel;
  ASSERT_EQ(StartTwelve(stations, &count), 0);
  EXPECT_EQ(count, 12);

  const Received rectangle = Receive(0);
  ExpectValuesOf(rectangle, first);
  EXPECT_STREQ(rectangle.name, "");
  EXPECT_EQ(rectangle.secondStation, 201);
  EXPECT_EQ(rectangle.firstStation, 101);

  const Received special = Receive(2);
  ExpectValuesOf(special, library_.tools[2]);
  EXPECT_STREQ(special.name, "PUNCH7");
  EXPECT_EQ(special.secondStation, 203);
  EXPECT_EQ(special.firstStation, 0);
  EXPECT_EQ(EndReceiveTool(), 0);
}

TEST_F(ReceiveExportsTest, IndexOutsideTheLibraryWritesNothing) {
  int count = 0;
  ASSERT_EQ(StartTwelve(StationFileFields{}, &count), 0);
  EXPECT_EQ(count, 12);
  EXPECT_TRUE(Receive(12).Untouched());
  EXPECT_TRUE(Receive(-1).Untouched());
  EXPECT_FALSE(Receive(11).Untouched());
}

TEST_F(ReceiveExportsTest, ToolWithoutASecondTableStationFallsBackToItsExtra) {
  // Empty tables: every lookup answers 0.
  ASSERT_EQ(StartTwelve(StationFileFields{}, nullptr), 0);
  const Received with_extra = Receive(3);
  EXPECT_EQ(with_extra.secondStation, 7);
  EXPECT_EQ(with_extra.firstStation, 0);
  const Received without = Receive(0);
  EXPECT_EQ(without.secondStation, 0);
  EXPECT_EQ(without.firstStation, 0);
}

TEST_F(ReceiveExportsTest, ExtraStationsAreTruncatedTowardZeroAndNonsenseIsNone) {
  LibraryFileFields file;
  for (float station : {-3.7f, 3.0e9f, std::numeric_limits<float>::quiet_NaN(), -2147483648.0f}) {
    ToolFields tool = RectangleTool(static_cast<float>(file.tools.size()));
    tool.extraIndex = static_cast<int32_t>(file.extras.size()) + 1;
    file.tools.push_back(tool);
    file.extras.push_back(ExtraWithStation(station));
  }
  const std::string library = WriteFile("lib.tl", testing::BuildLibraryFile(file));
  const std::string stations = WriteFile("st.st", testing::BuildStationFile({}));
  ASSERT_EQ(StartReceiveTool(library.c_str(), stations.c_str(), nullptr), 0);
  EXPECT_EQ(Receive(0).secondStation, -3);
  EXPECT_EQ(Receive(1).secondStation, 0);
  EXPECT_EQ(Receive(2).secondStation, 0);
  // The lowest int is a float exactly, and truncates to itself.
  EXPECT_EQ(Receive(3).secondStation, std::numeric_limits<int32_t>::min());
}

TEST_F(ReceiveExportsTest, TwinToolsAreToldApartByTheOrderOfTheirStations) {
  StationFileFields stations;
  const ToolFields twin = TwelveTools().tools[4];
  stations.first.stations = {Station(105, 5, twin), Station(106, 5, twin)};
  ASSERT_EQ(StartTwelve(stations, nullptr), 0);
  EXPECT_EQ(Receive(4).firstStation, 105);
  EXPECT_EQ(Receive(5).firstStation, 106);
}

TEST_F(ReceiveExportsTest, SecondStationOfAToolWithoutATwinCarriesNothing) {
  LibraryFileFields file = TwelveTools();
  file.tools[5] = RectangleTool(60.0f);
  const std::string library = WriteFile("lib.tl", testing::BuildLibraryFile(file));
  StationFileFields stations;
  stations.first.stations = {Station(105, 5, file.tools[4]), Station(106, 5, file.tools[4])};
  const std::string station_file = WriteFile("st.st", testing::BuildStationFile(stations));
  ASSERT_EQ(StartReceiveTool(library.c_str(), station_file.c_str(), nullptr), 0);
  EXPECT_EQ(Receive(4).firstStation, 105);
  EXPECT_EQ(Receive(5).firstStation, 0);
}

TEST_F(ReceiveExportsTest, MissingStationFileStillReportsTheTools) {
  const std::string library = WriteFile("lib.tl", testing::BuildLibraryFile(TwelveTools()));
  int count = 0;
  EXPECT_EQ(StartReceiveTool(library.c_str(), "c:\\missing.st", &count), 2);
  EXPECT_EQ(count, 12);
  const Received tool = Receive(3);
  ExpectValuesOf(tool, TwelveTools().tools[3]);
  EXPECT_EQ(tool.secondStation, 7);
  EXPECT_EQ(tool.firstStation, 0);

  // A null station path is a station file that cannot be opened.
  EXPECT_EQ(StartReceiveTool(library.c_str(), nullptr, &count), 2);
  EXPECT_EQ(Receive(0).typeCode, 3);
}

TEST_F(ReceiveExportsTest, StationsOfAnEarlierSequenceDoNotOutliveItsStart) {
  StationFileFields stations;
  stations.first.stations = {Station(101, 1, RectangleTool(10.0f))};
  ASSERT_EQ(StartTwelve(stations, nullptr), 0);
  ASSERT_EQ(Receive(0).firstStation, 101);
  EXPECT_EQ(StartReceiveTool("c:\\lib.tl", "c:\\missing.st", nullptr), 2);
  EXPECT_EQ(Receive(0).firstStation, 0);
}

TEST_F(ReceiveExportsTest, UnloadableOrEmptyLibraryIsReported) {
  int count = kIntSentinel;
  EXPECT_EQ(StartReceiveTool("c:\\missing.tl", "c:\\missing.st", &count), 2);
  EXPECT_EQ(count, kIntSentinel);
  EXPECT_EQ(StartReceiveTool(nullptr, nullptr, &count), 2);
  EXPECT_EQ(count, kIntSentinel);

  const std::string empty = WriteFile("empty.tl", testing::BuildLibraryFile(LibraryFileFields{}));
  EXPECT_EQ(StartReceiveTool(empty.c_str(), "c:\\missing.st", &count), 5);
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(Receive(0).Untouched());
}

TEST_F(ReceiveExportsTest, EndReceiveToolEndsEverythingAndMayBeRepeated) {
  EXPECT_EQ(EndReceiveTool(), 0);
  ASSERT_EQ(StartTwelve(StationFileFields{}, nullptr), 0);
  EXPECT_EQ(EndReceiveTool(), 0);
  EXPECT_EQ(EndReceiveTool(), 0);
  EXPECT_TRUE(Receive(0).Untouched());
  EXPECT_EQ(exports::ExchangeState().library, nullptr);
}

TEST_F(ReceiveExportsTest, NullOutputsAreSkipped) {
  ASSERT_EQ(StartTwelve(StationFileFields{}, nullptr), 0);
  EXPECT_EQ(ReceiveTool(2, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
            0);
  float size = kSentinel;
  int second = kIntSentinel;
  EXPECT_EQ(ReceiveTool(3, &size, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, &second, nullptr),
            0);
  EXPECT_EQ(size, 40.0f);
  EXPECT_EQ(second, 7);
}

TEST_F(ReceiveExportsTest, StationFileIsNeverWritten) {
  StationFileFields stations;
  stations.first.stations = {Station(101, 1, RectangleTool(10.0f))};
  ASSERT_EQ(StartTwelve(stations, nullptr), 0);
  const std::string station_bytes = ReadFile("st.st");
  // A host that ends a Receive with EndSendTool saves the library to its own
  // file, never over the station file.
  EXPECT_EQ(EndSendTool(), 0);
  EXPECT_EQ(ReadFile("st.st"), station_bytes);
  EXPECT_TRUE(SameBytes(ReadFile("lib.tl"), testing::BuildLibraryFile([] {
    LibraryFileFields saved = TwelveTools();
    saved.typeTable = testing::TypePairs(20, {0, 0});
    saved.typeTable[0] = {0, 1};
    saved.typeTable[5] = {1, 11};  // the rectangles around the special tool
    saved.typeTable[10] = {3, 1};
    return saved;
  }())));
}

TEST_F(ReceiveExportsTest, ReceiveToolsAppendsAfterTheItemsTheListHolds) {
  LibraryFileFields file;
  file.tools = {RectangleTool(10.0f), SpecialTool(20.0f, 1), RectangleTool(30.0f),
                RectangleTool(40.0f), RectangleTool(50.0f)};
  file.paths = {SpecialPath("PUNCH7")};
  const std::string path = WriteFile("lib\\lib.tl", testing::BuildLibraryFile(file));
  CObList list;
  for (int i = 0; i < 3; ++i) list.AddTail(ItemOf(RectangleTool(-1.0f)));

  EXPECT_EQ(ReceiveTools(CString(path.c_str()), &list), 0);
  ASSERT_EQ(list.GetCount(), 8);
  for (int i = 0; i < 5; ++i) {
    const auto* item = static_cast<const ToolListItem*>(list.GetAt(list.FindIndex(3 + i)));
    const ToolFields& tool = file.tools[i];
    EXPECT_EQ(item->size, tool.size);
    EXPECT_EQ(item->typeCode, tool.typeCode);
    EXPECT_STREQ(item->name, i == 1 ? "PUNCH7" : "");
    EXPECT_EQ(item->x, tool.x);
    EXPECT_EQ(item->y, tool.y);
    EXPECT_EQ(item->z, tool.z);
    EXPECT_EQ(item->keyedCount, tool.keyedCount);
    EXPECT_EQ(item->a4, tool.angles[3]);
    EXPECT_EQ(item->dieClearanceCount, tool.dieClearanceCount);
    EXPECT_EQ(item->d4, tool.dieClearances[3]);
    EXPECT_EQ(item->valueA, tool.valueA);
    EXPECT_EQ(item->valueD, tool.valueD);
  }
  DeleteItems(list);
  EXPECT_EQ(exports::ExchangeState().library, nullptr);
  EXPECT_TRUE(Receive(0).Untouched());
}

TEST_F(ReceiveExportsTest, ReceiveToolsReportsAMissingUnreadableOrEmptyLibrary) {
  CObList list;
  EXPECT_EQ(ReceiveTools(CString("c:\\missing.tl"), &list), 1);
  LibraryFileFields unknown;
  unknown.version = 93;
  const std::string unknown_path = WriteFile("unknown.tl", testing::BuildLibraryFile(unknown));
  EXPECT_EQ(ReceiveTools(CString(unknown_path.c_str()), &list), 2);
  const std::string empty = WriteFile("empty.tl", testing::BuildLibraryFile(LibraryFileFields{}));
  EXPECT_EQ(ReceiveTools(CString(empty.c_str()), &list), 5);
  EXPECT_EQ(list.GetCount(), 0);

  // A null list receives nothing.
  LibraryFileFields file;
  file.tools = {RectangleTool(10.0f)};
  const std::string path = WriteFile("lib.tl", testing::BuildLibraryFile(file));
  EXPECT_EQ(ReceiveTools(CString(path.c_str()), nullptr), 0);
}

}  // namespace
}  // namespace quarnel::exports
