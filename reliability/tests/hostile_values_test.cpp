// Counts, lengths and values no writer of these files would store, and
// careless pointers from the host: each call ends at once with its documented
// answer, and no allocation follows a count read from a file.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>
#include <string>

#include "quarnel/quarnel.h"
#include "reliability/tests/reliability_fixture.h"
#include "reliability/tests/sample_files.h"
#include "exports/special_tool_outline.h"
#include "exports/module_state.h"
#include "spectool/pattern_expansion.h"
#include "toollib/special_tool_folder.h"

namespace quarnel::reliability {
namespace {

using testing::ExtraFields;
using testing::LibraryFileFields;
using testing::SptEntity;
using testing::ToolFields;

constexpr int32_t kHugeCount = std::numeric_limits<int32_t>::max();
constexpr int kNotLoaded = 2, kNoTools = 5;
constexpr int kEndedEarly = 4;

#ifdef __linux__
// The growth of the process's peak resident memory while `run` runs, in MiB.
template <typename Run>
long PeakGrowthMiB(Run run) {
  auto status_kib = [](const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
      if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field)));
    }
    return 0L;
  };
  std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from now
  const long before = status_kib("VmRSS:");
  run();
  return (status_kib("VmHWM:") - before) / 1024;
}
#else
template <typename Run>
long PeakGrowthMiB(Run run) {
  run();
  return 0;
}
#endif

// A count read from a file may cost time per stored item, never memory for
// items that are not there.
constexpr long kSmallGrowthMiB = 32;

ToolFields PlainTool() {
  ToolFields tool;
  tool.size = 5.0f;
  tool.typeCode = 3;
  tool.keyedCount = 1;
  return tool;
}

class HostileLibrary : public ReliabilityTest {
 protected:
  // Loads `bytes` as a library; the answer of StartReceiveTool and the tools receivable.
  std::pair<int, int> Receive(const std::string& bytes) {
    WriteWindowsFile(kLibraryInput, bytes);
    int count = -1;
    int status = 0;
    const long growth = PeakGrowthMiB([&] { status = StartReceiveTool(kLibraryInput, kMissingStations, &count); });
    EXPECT_LT(growth, kSmallGrowthMiB);
    int receivable = 0;
    for (char name[256]; receivable < 1000; ++receivable) {
      name[0] = 'Z';
      ReceiveTool(receivable, nullptr, nullptr, name, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                  nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                  nullptr, nullptr, nullptr);
      if (name[0] == 'Z') break;
    }
    EndReceiveTool();
    EXPECT_TRUE(RunLibraryInput(bytes).empty());
    return {status, receivable};
  }
};

TEST_F(HostileLibrary, HugeToolExtraAndPathCountsWithFewBytesBehindThem) {
  LibraryFileFields file;
  file.tools = {PlainTool()};
  file.toolCount = kHugeCount;
  EXPECT_EQ(Receive(testing::BuildLibraryFile(file)), std::make_pair(kNotLoaded, 1));

  file.toolCount.reset();
  file.extraCount = kHugeCount;
  EXPECT_EQ(Receive(testing::BuildLibraryFile(file)), std::make_pair(kNotLoaded, 1));

  file.extraCount.reset();
  file.pathCount = kHugeCount;
  EXPECT_EQ(Receive(testing::BuildLibraryFile(file)), std::make_pair(kNotLoaded, 1));

  for (int32_t negative : {-1, std::numeric_limits<int32_t>::min()}) {
    LibraryFileFields none;
    none.toolCount = negative;
    none.extraCount = negative;
    none.pathCount = negative;
    EXPECT_EQ(Receive(testing::BuildLibraryFile(none)), std::make_pair(kNoTools, 0)) << negative;
  }
}

TEST_F(HostileLibrary, ToolExtraTextLengthsAndEntryCountsOutsideTheirFields) {
  for (int16_t length : {int16_t{0}, int16_t{-1}, int16_t{257}, int16_t{30000}}) {
    LibraryFileFields file;
    file.tools = {PlainTool()};
    ExtraFields extra;
    extra.textLength = length;
    file.extras = {extra};
    EXPECT_EQ(Receive(testing::BuildLibraryFile(file)), std::make_pair(kNotLoaded, 1)) << length;
  }
  for (int entries : {21, 127, -1}) {
    LibraryFileFields file;
    file.tools = {PlainTool()};
    ExtraFields extra;
    extra.entryCount = static_cast<int8_t>(entries);
    file.extras = {extra};
    EXPECT_EQ(Receive(testing::BuildLibraryFile(file)), std::make_pair(kNotLoaded, 1)) << entries;
  }
}

TEST_F(HostileLibrary, LegacyStoredCountsBeyondTheRecordsOrNegative) {
  testing::LegacyLibraryFileFields file;
  file.version = 7;
  testing::LegacyToolFields tool;
  tool.size = 5.0f;
  tool.typeCode = 3;
  file.tools = {tool, tool};
  file.storedCount = 32767;
  // A legacy library is all or nothing.
  EXPECT_EQ(Receive(testing::BuildLegacyLibraryFile(file)), std::make_pair(kNotLoaded, 0));
  for (int16_t negative : {int16_t{-1}, int16_t{-32768}}) {
    file.storedCount = negative;
    EXPECT_EQ(Receive(testing::BuildLegacyLibraryFile(file)), std::make_pair(kNoTools, 0)) << negative;
  }
}

using HostileStations = ReliabilityTest;

TEST_F(HostileStations, HugeStationCountsWithFewBytesBehindThem) {
  testing::StationFileFields file;
  testing::StationFields station;
  station.stationNumber = 7;
  station.toolPosition = 1;
  file.first.stations = {station};
  file.first.storedCount = kHugeCount;
  file.second.storedCount = kHugeCount;
  const std::string bytes = testing::BuildStationFile(file);
  WriteWindowsFile(kStationInput, bytes);
  int count = 0;
  int status = -1;
  EXPECT_LT(PeakGrowthMiB([&] { status = StartReceiveTool(kStationLibrary, kStationInput, &count); }),
            kSmallGrowthMiB);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(count, kStationLibraryTools);
  EndReceiveTool();
  EXPECT_TRUE(RunStationInput(bytes).empty());
}

class HostileSpecialTool : public ReliabilityTest {
 protected:
  // Opens `bytes` as a special tool; its answer and entity count.
  std::pair<int32_t, int32_t> Open(const std::string& bytes) {
    WriteWindowsFile(kSpecialToolInput, bytes);
    SpecialToolInfo info{};
    info.path = kSpecialToolInput;
    int32_t count = -1;
    const int32_t status = OpenSpecialTool(&info, &count);
    CloseSpecialTool();
    return {status, count};
  }

  static std::string File(std::vector<SptEntity> entities, int version = 92) {
    testing::SpecialToolFileFields file;
    file.version = version;
    file.entities = std::move(entities);
    return testing::BuildSpecialToolFile(file);
  }

  static SptEntity Entity(int8_t type, std::vector<float> params, int32_t ref = 0, uint32_t flags = 0) {
    SptEntity entity;
    entity.type = type;
    entity.params = std::move(params);
    entity.ref = ref;
    entity.flags = flags;
    return entity;
  }
};

TEST_F(HostileSpecialTool, HugeEntityCountsWithFewBytesBehindThem) {
  testing::SpecialToolFileFields file;
  file.entities = {Entity(4, {1, 0})};
  file.entityCount = kHugeCount;
  std::pair<int32_t, int32_t> result;
  EXPECT_LT(PeakGrowthMiB([&] { result = Open(testing::BuildSpecialToolFile(file)); }), kSmallGrowthMiB);
  EXPECT_EQ(result, std::make_pair(kEndedEarly, 0));

  // Version 7 counts in 16 bits and keeps what it read.
  file.version = 7;
  file.entityCount = 32767;
  EXPECT_EQ(Open(testing::BuildSpecialToolFile(file)), std::make_pair(0, 1));
}

TEST_F(HostileSpecialTool, LongFormCountsOutsideTheirRangesReadNothingForThem) {
  SptEntity first = Entity(4, {1, 0});
  const SptEntity second = Entity(4, {2, 0});
  for (int32_t params : {-5, 1000}) {
    first.paramCount = params;
    EXPECT_EQ(Open(File({first, second})), std::make_pair(0, 2)) << params;
  }
  first.paramCount.reset();
  for (int32_t words : {3, -1}) {
    first.wordCount = words;
    EXPECT_EQ(Open(File({first, second})), std::make_pair(0, 2)) << words;
  }
  first.wordCount = 0;
  first.textFlag = kHugeCount;  // one 256-byte text, however large the flag
  EXPECT_EQ(Open(File({first, second})), std::make_pair(0, 2));
}

TEST_F(HostileSpecialTool, AbsurdPatternCountsMakeABoundedNumberOfCopies) {
  const SptEntity hole = Entity(1, {1});
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  // A count that can never be reached stops at the expansion's limit; one that
  // is not a finite number makes no copy.
  for (float count : {1e9f, 1e30f}) {
    std::pair<int32_t, int32_t> result;
    PeakGrowthMiB([&] { result = Open(File({hole, Entity(10, {0.001f, 0, count}, 1, 1)})); });
    EXPECT_EQ(result.first, 0) << count;
    EXPECT_GT(result.second, 1) << count;
    EXPECT_LE(result.second, static_cast<int32_t>(spectool::kMaxExpandedItems)) << count;
  }
  EXPECT_EQ(Open(File({hole, Entity(10, {1, 0, nan}, 1, 1)})), std::make_pair(0, 1));
  EXPECT_EQ(Open(File({hole, Entity(10, {1, 0, inf}, 1, 1)})), std::make_pair(0, 1));
  EXPECT_EQ(Open(File({hole, Entity(13, {5, 0, 1, inf}, 1, 1)})), std::make_pair(0, 1));
  EXPECT_EQ(Open(File({hole, Entity(12, {5, 0, -inf}, 1, 1)})), std::make_pair(0, 1));

  const auto grid = Open(File({hole, Entity(11, {1, 1, 100000, 100000, 0}, 1, 1)}));
  EXPECT_EQ(grid.first, 0);
  EXPECT_LE(grid.second, static_cast<int32_t>(spectool::kMaxExpandedItems));
}

// The shipped limits: a real grid of a million holes still arrives whole.
TEST_F(HostileSpecialTool, OutlinesEndAtAMillionItemsAndAMillionEntities) {
  EXPECT_EQ(spectool::kMaxExpandedItems, 1000000u);
  EXPECT_EQ(exports::kMaxOutlineEntities, 1000000u);
}

// A 1000 by 1000 grid of eight-piece shapes would be eight million entities:
// both ways end at the limit with success, within the memory a 32-bit host
// can spare (records are packed: their sizes are those of the i686 DLL).
TEST_F(HostileSpecialTool, AGridOfEightPieceShapesEndsAtTheOutlineLimitWithin256MiB) {
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizer keeps freed memory in quarantine: only the counts hold there.
  constexpr long kOutlineBudgetMiB = std::numeric_limits<long>::max();
#else
  constexpr long kOutlineBudgetMiB = 256;
#endif
  const std::string grid = MillionItemSpecialTools().front();
  const auto limit = static_cast<int32_t>(exports::kMaxOutlineEntities);
  std::pair<int32_t, int32_t> opened;
  EXPECT_LT(PeakGrowthMiB([&] { opened = Open(grid); }), kOutlineBudgetMiB);
  EXPECT_EQ(opened, std::make_pair(0, limit));

  WriteWindowsFile(kSpecialToolInput, grid);
  SpecialToolInfo info{};
  info.path = kSpecialToolInput;
  int32_t loaded = -1;
  int32_t status = -1;
  EXPECT_LT(PeakGrowthMiB([&] { status = LoadSpecialTool(&info, &loaded); }), kOutlineBudgetMiB);
  EXPECT_EQ(std::make_pair(status, loaded), std::make_pair(0, limit));
  ResetModuleState();
}

TEST_F(HostileSpecialTool, PatternsThatRepeatThemselvesEachOtherOrNothing) {
  const SptEntity hole = Entity(1, {1});
  // Position 2 repeats itself; 3 and 4 repeat each other.
  EXPECT_EQ(Open(File({hole, Entity(10, {1, 0, 3}, 2, 1)})).first, 0);
  EXPECT_EQ(Open(File({hole, Entity(10, {1, 0, 3}, 3, 1), Entity(12, {2, 0, 4}, 2, 1)})).first, 0);
  for (int32_t ref : {0, -1, 3, 1000, std::numeric_limits<int32_t>::min(), kHugeCount}) {
    EXPECT_EQ(Open(File({hole, Entity(12, {5, 0, 4}, ref, 1)})), std::make_pair(0, 1)) << ref;
  }
  for (const std::string& bytes : PatternSpecialTools()) EXPECT_TRUE(RunSpecialToolInput(bytes).empty());
}

using CarelessHost = ReliabilityTest;

TEST_F(CarelessHost, PathsOf300And1000Characters) {
  for (size_t length : {300u, 1000u}) {
    const std::string path = "c:\\" + std::string(length, 'p') + ".tl";
    int count = -1;
    EXPECT_EQ(StartReceiveTool(path.c_str(), path.c_str(), &count), kNotLoaded);
    EXPECT_EQ(count, -1);
    EndReceiveTool();
    EXPECT_EQ(StartSendTool(path.c_str(), 0), kNotLoaded);
    ASSERT_EQ(StartSendTool(path.c_str(), 1), 0);
    SendTool(0, 5.0f, 108, path.c_str(), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(EndSendTool(), 3) << length;
    CObList list;
    EXPECT_EQ(ReceiveTools(CString(path.c_str()), &list), 1);
    EXPECT_EQ(SendTools(CString(path.c_str()), &list), 1);
    EXPECT_EQ(list.GetCount(), 0);

    SpecialToolInfo info{};
    info.path = path.c_str();
    int32_t entities = -1;
    EXPECT_EQ(OpenSpecialTool(&info, &entities), 1);
    EXPECT_EQ(entities, 0);
    EXPECT_EQ(LoadSpecialTool(&info, &entities), 1);
    EXPECT_EQ(entities, 0);
  }
}

TEST_F(CarelessHost, NullPointersEverywhere) {
  WriteWindowsFile(kLibraryInput, RichLibrary(92).bytes);
  EXPECT_EQ(StartReceiveTool(nullptr, nullptr, nullptr), kNotLoaded);
  EXPECT_EQ(StartReceiveTool(kLibraryInput, nullptr, nullptr), kNotLoaded);
  EXPECT_EQ(ReceiveTool(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr),
            0);
  EXPECT_EQ(EndReceiveTool(), 0);
  EXPECT_EQ(StartSendTool(nullptr, 0), kNotLoaded);
  EXPECT_EQ(StartSendTool(nullptr, 1), kNotLoaded);
  EXPECT_EQ(StartSendTool(kLibraryInput, 0), 0);
  EXPECT_EQ(SendTool(0, 1.0f, 108, nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(EndSendTool(), 0);
  EXPECT_EQ(ReceiveTools(CString(kLibraryInput), nullptr), 0);
  EXPECT_EQ(SendTools(CString(kLibraryInput), nullptr), 0);
  EXPECT_EQ(ReceiveTools(CString(), nullptr), 1);

  int32_t count = -1;
  EXPECT_EQ(OpenSpecialTool(nullptr, &count), 1);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(OpenSpecialTool(nullptr, nullptr), 1);
  EXPECT_EQ(LoadSpecialTool(nullptr, nullptr), 1);
  SpecialToolInfo info{};
  EXPECT_EQ(OpenSpecialTool(&info, nullptr), 1);
  EXPECT_EQ(LoadSpecialTool(&info, &count), 1);
  WriteWindowsFile(kSpecialToolInput, RichSpecialTool(92).bytes);
  info.path = kSpecialToolInput;
  EXPECT_EQ(OpenSpecialTool(&info, nullptr), 0);
  EXPECT_EQ(LoadSpecialTool(&info, nullptr), 0);
  EXPECT_EQ(LoadGeometryAtIndex(0, nullptr), 0);
  GetGeometryAt(nullptr, 0);
  GetGeometryValuesAt(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0);
  CloseSpecialTool();
  CloseSpecialTool();

  EXPECT_EQ(ViewSpecialTool(nullptr), 0);
  EXPECT_EQ(ViewSpecialTool(&info), 1) << "no lists draw an empty part";
  CObList with_nulls;
  with_nulls.AddTail(nullptr);
  info.entities = &with_nulls;
  info.secondList = &with_nulls;
  EXPECT_EQ(ViewSpecialTool(&info), 1);
}

// A host object of another class, smaller than any element the lists hold.
class ForeignObject : public CObject {
 public:
  CRuntimeClass* GetRuntimeClass() const override {
    static CRuntimeClass foreign = {"CForeign", static_cast<int>(sizeof(ForeignObject)), 1};
    return &foreign;
  }
};

TEST_F(CarelessHost, ListElementsOfAnotherClassAreSkippedNotRead) {
  WriteWindowsFile(kLibraryInput, RichLibrary(92).bytes);
  CObList before;
  ASSERT_EQ(ReceiveTools(CString(kLibraryInput), &before), 0);
  ForeignObject foreign;
  ToolListItem item(77.0f, 1, CString(), 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  CObList tools;
  tools.AddTail(&foreign);
  tools.AddTail(&item);
  EXPECT_EQ(SendTools(CString(kLibraryInput), &tools), 0);
  CObList after;
  ASSERT_EQ(ReceiveTools(CString(kLibraryInput), &after), 0);
  const auto size_at = [](CObList& list, intptr_t i) {
    return static_cast<ToolListItem*>(list.GetAt(list.FindIndex(i)))->size;
  };
  EXPECT_EQ(size_at(after, 0), size_at(before, 0)) << "the foreign element changed tool 1";
  EXPECT_EQ(size_at(after, 1), 77.0f);
  for (CObList* list : {&before, &after}) {
    for (POSITION at = list->GetHeadPosition(); at != nullptr;) delete list->GetNext(at);
  }

  SpecialToolInfo info{};
  CObList foreign_only;
  foreign_only.AddTail(&foreign);
  info.entities = &foreign_only;
  info.secondList = &foreign_only;
  EXPECT_EQ(ViewSpecialTool(&info), 1);
}

}  // namespace
}  // namespace quarnel::reliability

namespace quarnel::reliability {
namespace {

using HostileProfile = ReliabilityTest;

TEST_F(HostileProfile, AFolderValueBeginningWithANulByteGivesTheDefaultFolder) {
  scratch_.WriteProfile("[Kestrac]\nKVT_DEFAULT_SPECIAL_TOOL_PATH=" + std::string(1, '\0') + "d:\\tools\\\n");
  EXPECT_STREQ(toollib::SpecialToolFolder(exports::Module().folder), toollib::kDefaultSpecialToolFolder);
}

}  // namespace
}  // namespace quarnel::reliability
