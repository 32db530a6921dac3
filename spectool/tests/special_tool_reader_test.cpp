#include "spectool/special_tool_reader.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "spectool/geom_types.h"
#include "spectool/tests/geom_test_items.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/special_tool_writer.h"
#include "toollib/tool_library.h"

namespace quarnel::spectool {
namespace {

using quarnel::testing::BuildSpecialToolFile;
using quarnel::testing::SpecialToolFileFields;
using quarnel::testing::SptEntity;

constexpr int kCurrentVersions[] = {52, 54, 60, 61, 62, 71, 80, 90, 91, 92};
constexpr float kSinglePi = 3.1415927f;
constexpr uint32_t kClampedSweepBits = 0x40C90FD4;  // the float 6.2831821
constexpr uint32_t kSingleHalfPiBits = 0x3FC90FDB;  // the float 1.5707964
constexpr unsigned char kSentinel = 0x5A;

// Offsets of the tool fields that the reader may write: size up to and including side.
constexpr size_t kToolFieldsBegin = offsetof(SpecialToolInfo, size);
constexpr size_t kToolFieldsEnd = offsetof(SpecialToolInfo, side) + 1;

SpecialToolFileFields LegacyFile() {
  SpecialToolFileFields file;
  file.version = 7;
  quarnel::testing::LegacyToolFields& tool = file.legacyTool;
  tool.size = 12.5f;
  tool.typeCode = 108;
  tool.name = "PUNCH";
  tool.nameOffset = 6;
  tool.x = 1;
  tool.y = 2;
  tool.z = 3;
  tool.keyedCount = 2;
  tool.angles = {0.5f, 1.5f, 0, 0};
  tool.dieClearanceCount = 3;
  tool.dieClearances = {0.1f, 0.2f, 0.3f, 0};
  return file;
}

SpecialToolFileFields CurrentFile(int version) {
  SpecialToolFileFields file;
  file.version = version;
  quarnel::testing::ToolFields& tool = file.tool;
  tool.size = 20.0f;
  tool.x = 4;
  tool.y = 5;
  tool.keyedCount = 1;
  tool.angles = {0.25f, 0, 0, 0};
  tool.dieClearanceCount = 1;
  tool.dieClearances = {0.15f, 0, 0, 0};
  tool.valueA = 7;
  tool.valueB = 8;
  tool.valueC = -1.5f;
  tool.valueD = 2.5f;
  file.infoValue = 33.0f;
  return file;
}

// A copy of a field of the packed host record, so that checks never bind to it.
template <typename T>
T Value(T field) {
  return field;
}

SptEntity Hole(float x, float y, float diameter = 1.0f) {
  return {.type = kGeomRoundHole, .x = x, .y = y, .params = {diameter}};
}

SptEntity Group(float x, float y) { return {.type = kGeomGroup, .x = x, .y = y}; }

class SpecialToolReader : public ::testing::Test {
 protected:
  struct Result {
    StatusCode status = StatusCode::kOk;
    SpecialToolInfo info{};
    std::vector<GeomItem> items;
  };

  std::string Write(const std::string& bytes, const std::string& name = "X") {
    quarnel::testing::WriteFileBytes(scratch_.DriveC("spt\\" + name + ".spt"), bytes);
    return "c:\\spt\\" + name + ".spt";
  }

  // Every byte of the record set to a sentinel, then the path set.
  static SpecialToolInfo SentinelInfo(const char* path) {
    SpecialToolInfo info;
    std::memset(&info, kSentinel, sizeof info);
    info.path = path;
    return info;
  }

  Result ReadPath(const std::string& path) {
    path_ = path;
    Result result;
    result.info = SentinelInfo(path_.c_str());
    GeomItemList list;
    result.status = ReadSpecialTool(&result.info, list, {library_, folder_});
    result.items = testing::Items(list);
    return result;
  }
  Result Read(const std::string& bytes) { return ReadPath(Write(bytes)); }
  Result Read(const SpecialToolFileFields& file) { return Read(BuildSpecialToolFile(file)); }

  static bool Untouched(const SpecialToolInfo& info, size_t begin, size_t end) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&info);
    for (size_t i = begin; i < end; ++i) {
      if (bytes[i] != kSentinel) return false;
    }
    return true;
  }
  // The path, the two list pointers and every byte that is not a tool field.
  void ExpectOnlyToolFieldsWritten(const Result& r) {
    EXPECT_EQ(Value(r.info.path), path_.c_str());
    EXPECT_TRUE(Untouched(r.info, sizeof(const char*), kToolFieldsBegin));
    EXPECT_TRUE(Untouched(r.info, kToolFieldsEnd, sizeof(SpecialToolInfo)));
  }
  void ExpectInfoUntouched(const Result& r) {
    ExpectOnlyToolFieldsWritten(r);
    EXPECT_TRUE(Untouched(r.info, kToolFieldsBegin, kToolFieldsEnd));
  }

  quarnel::testing::ScratchDir scratch_;
  std::string path_;
  // The library tools are tied into (none unless a test sets one).
  toollib::ToolLibrary* library_ = nullptr;
  toollib::SpecialToolFolderBuffer folder_;
};

TEST_F(SpecialToolReader, Version7FillsTheToolFieldsAndReadsTheEntities) {
  SpecialToolFileFields file = LegacyFile();
  file.sideCode = 1;
  file.entities = {Hole(1, 2, 3), {.type = kGeomLine, .x = 0, .y = 0, .params = {5, 0, 9, 9}}};
  const Result r = Read(file);
  ASSERT_EQ(r.status, StatusCode::kOk);
  ExpectOnlyToolFieldsWritten(r);
  EXPECT_EQ(Value(r.info.size), 12.5f);
  EXPECT_EQ(Value(r.info.infoValue), 12.5f) << "version 7 repeats the size";
  EXPECT_EQ(Value(r.info.dimensions[0]), 1.0f);
  EXPECT_EQ(Value(r.info.dimensions[2]), 3.0f);
  EXPECT_EQ(Value(r.info.angles[1]), 1.5f);
  EXPECT_EQ(Value(r.info.dieClearances[2]), 0.3f);
  EXPECT_EQ(Value(r.info.valueC), 0u);
  EXPECT_EQ(Value(r.info.valueD), 0.0f);
  EXPECT_EQ(Value(r.info.side), 1);
  ASSERT_EQ(r.items.size(), 2u);
  EXPECT_EQ(r.items[0].type(), kGeomRoundHole);
  EXPECT_EQ(r.items[0].param(0), 3.0f);
  EXPECT_EQ(r.items[1].param(3), 9.0f);
  EXPECT_EQ(r.items[1].link(), -1);
}

TEST_F(SpecialToolReader, Version7SkipsTheExtensionBlockByItsLength) {
  for (int16_t length : {6, 7, 40}) {
    SpecialToolFileFields file = LegacyFile();
    file.extensionLength = length;
    file.sideCode = 2;
    file.entities = {Hole(4, 4)};
    const Result r = Read(file);
    ASSERT_EQ(r.status, StatusCode::kOk) << "L = " << length;
    EXPECT_EQ(Value(r.info.side), 2) << "L = " << length;
    ASSERT_EQ(r.items.size(), 1u) << "L = " << length;
    EXPECT_EQ(r.items[0].x(), 4.0f);
  }
}

TEST_F(SpecialToolReader, Version7CutInsideTheToolDataIsReadWithoutIt) {
  SpecialToolFileFields file = LegacyFile();
  file.entities = {Hole(1, 1)};
  const std::string whole = BuildSpecialToolFile(file);
  // Inside the tool block, inside the extension head, inside the side area.
  for (size_t cut : {size_t{3}, size_t{40}, size_t{76}, size_t{100}, size_t{2 + 72 + 6 + 63}}) {
    const Result r = Read(whole.substr(0, cut));
    EXPECT_EQ(r.status, StatusCode::kOk) << "cut at " << cut;
    ExpectInfoUntouched(r);
    EXPECT_TRUE(r.items.empty());
  }
}

TEST_F(SpecialToolReader, Version7CutInsideTheEntitiesKeepsTheEarlierOnes) {
  SpecialToolFileFields file = LegacyFile();
  file.entities = {Hole(1, 1), Hole(2, 2), Hole(3, 3)};
  const std::string whole = BuildSpecialToolFile(file);
  const Result r = Read(whole.substr(0, whole.size() - 3));
  EXPECT_EQ(r.status, StatusCode::kOk);
  EXPECT_EQ(Value(r.info.size), 12.5f);
  EXPECT_EQ(r.items.size(), 2u);
}

TEST_F(SpecialToolReader, EveryLaterVersionFillsTheToolFields) {
  for (int version : kCurrentVersions) {
    SpecialToolFileFields file = CurrentFile(version);
    file.entities = {Hole(6, 7, 2)};
    const Result r = Read(file);
    ASSERT_EQ(r.status, StatusCode::kOk) << "version " << version;
    ExpectOnlyToolFieldsWritten(r);
    EXPECT_EQ(Value(r.info.size), 20.0f);
    EXPECT_EQ(Value(r.info.infoValue), 33.0f);
    EXPECT_EQ(Value(r.info.dimensions[0]), 4.0f);
    EXPECT_EQ(Value(r.info.dimensions[1]), 5.0f);
    EXPECT_EQ(Value(r.info.angles[0]), 0.25f);
    EXPECT_EQ(Value(r.info.dieClearances[0]), 0.15f);
    const bool carries_values = version >= 60;
    EXPECT_EQ(Value(r.info.valueC), std::bit_cast<uint32_t>(carries_values ? -1.5f : 0.0f)) << version;
    EXPECT_EQ(Value(r.info.valueD), carries_values ? 2.5f : 0.0f) << version;
    EXPECT_EQ(Value(r.info.side), 0);
    ASSERT_EQ(r.items.size(), 1u);
    EXPECT_EQ(r.items[0].x(), 6.0f);
    EXPECT_EQ(r.items[0].param(0), 2.0f);
  }
}

TEST_F(SpecialToolReader, SideComesFromTheSideCodeOrTheStoredZ) {
  struct Case {
    float z;
    uint8_t side_code;
    uint8_t side;
  };
  for (const Case c : {Case{0, 1, 1}, Case{0, 2, 2}, Case{0, 3, 0}, Case{2, 0, 2}, Case{2, 1, 1}, Case{1, 2, 1}}) {
    SpecialToolFileFields file = CurrentFile(92);
    file.tool.z = c.z;
    file.sideCode = c.side_code;
    EXPECT_EQ(Value(Read(file).info.side), c.side) << "z " << c.z << " side code " << int{c.side_code};
  }
}

TEST_F(SpecialToolReader, LaterVersionCutInsideTheEntitiesEndsEarlyWithToolFieldsFilled) {
  SpecialToolFileFields file = CurrentFile(60);
  file.entities = {Hole(1, 1), Hole(2, 2), Hole(3, 3)};
  const std::string whole = BuildSpecialToolFile(file);
  const Result r = Read(whole.substr(0, whole.size() - 5));
  EXPECT_EQ(r.status, StatusCode::kFileReadFailed);
  EXPECT_EQ(Value(r.info.size), 20.0f);
  EXPECT_EQ(Value(r.info.infoValue), 33.0f);
  EXPECT_EQ(r.items.size(), 2u);
}

TEST_F(SpecialToolReader, LaterVersionCutInsideTheToolDataWritesNothing) {
  const std::string whole = BuildSpecialToolFile(CurrentFile(92));
  const size_t entity_head = 12;
  for (size_t cut : {size_t{1}, size_t{2}, size_t{30}, whole.size() - entity_head - 4 - 20,
                     whole.size() - entity_head - 2}) {
    const Result r = Read(whole.substr(0, cut));
    EXPECT_EQ(r.status, StatusCode::kFileReadFailed) << "cut at " << cut;
    ExpectInfoUntouched(r);
  }
  EXPECT_EQ(Read(whole.substr(0, whole.size() - 1)).status, StatusCode::kFileReadFailed) << "entity head cut";
}

TEST_F(SpecialToolReader, UnknownVersionsAreRefused) {
  for (int version : {5, 6, 53, 93, -7}) {
    SpecialToolFileFields file = CurrentFile(92);
    file.version = version;
    const Result r = Read(file);
    EXPECT_EQ(r.status, StatusCode::kFileUnknownVersion) << version;
    ExpectInfoUntouched(r);
  }
}

TEST_F(SpecialToolReader, MissingOrUnusablePathsAreNoSuchFile) {
  EXPECT_EQ(ReadPath("c:\\spt\\NONE.spt").status, StatusCode::kFileMissing);
  GeomItemList list;
  EXPECT_EQ(ReadSpecialTool(nullptr, list, {library_, folder_}), StatusCode::kFileMissing);
  SpecialToolInfo info = SentinelInfo(nullptr);
  const SpecialToolInfo before = info;
  EXPECT_EQ(ReadSpecialTool(&info, list, {library_, folder_}), StatusCode::kFileMissing);
  EXPECT_EQ(std::memcmp(&info, &before, sizeof info), 0);
}

TEST_F(SpecialToolReader, PathsOver255CharactersAreRefused) {
  const std::string folder = "c:\\spt\\";
  const std::string bytes = BuildSpecialToolFile(CurrentFile(92));
  const std::string longest_name(kMaxSpecialToolPath - folder.size() - 4, 'N');
  EXPECT_EQ(ReadPath(Write(bytes, longest_name)).status, StatusCode::kOk);
  const Result r = ReadPath(Write(bytes, longest_name + "N"));
  EXPECT_EQ(r.status, StatusCode::kFileMissing);
  ExpectInfoUntouched(r);
}

TEST_F(SpecialToolReader, FilesAreClosedOnEveryPath) {
  quarnel::testing::FaultyFileSystem files;
  const std::string bytes = BuildSpecialToolFile(CurrentFile(92));
  EXPECT_EQ(Read(bytes).status, StatusCode::kOk);
  EXPECT_EQ(Read(bytes.substr(0, 40)).status, StatusCode::kFileReadFailed);
  EXPECT_EQ(Read(std::string("\x05\x00", 2)).status, StatusCode::kFileUnknownVersion);
  EXPECT_EQ(Read(LegacyFile()).status, StatusCode::kOk);
  EXPECT_EQ(Read(std::string()).status, StatusCode::kFileReadFailed);
  EXPECT_EQ(files.open_files(), 0);
  files.FailOpen(platform::OpenMode::kRead);
  const Result r = Read(bytes);
  EXPECT_EQ(r.status, StatusCode::kFileCannotOpen);
  ExpectInfoUntouched(r);
}

TEST_F(SpecialToolReader, ToolIsTiedToItsFileInTheCurrentLibrary) {
  toollib::ToolLibrary library;
  library_ = &library;
  EXPECT_EQ(Read(CurrentFile(92)).status, StatusCode::kOk);
  ASSERT_EQ(library.SpecialPaths().Count(), 1u);
  char path[256];
  library.SpecialPathAt(1, path);
  EXPECT_NE(std::string(path).find("X.spt"), std::string::npos) << path;
}

// The entity section, read through whole files of both forms.
class SpecialToolEntities : public SpecialToolReader {
 protected:
  std::vector<GeomItem> ReadEntities(int version, std::vector<SptEntity> entities,
                                     StatusCode expected_status = StatusCode::kOk) {
    SpecialToolFileFields file = version == 7 ? LegacyFile() : CurrentFile(version);
    file.entities = std::move(entities);
    const Result r = Read(file);
    EXPECT_EQ(r.status, expected_status);
    return r.items;
  }
};

TEST_F(SpecialToolEntities, GroupEntriesShiftWhatFollowsWithoutAccumulating) {
  for (int version : {7, 92}) {
    const auto items = ReadEntities(version, {Hole(1, 1), Group(10, 5), Hole(1, 1), Group(3, 3), Hole(0, 0),
                                              Group(0, 0), Hole(1, 1)});
    ASSERT_EQ(items.size(), 4u) << "groups are not stored";
    const float expected[4][2] = {{1, 1}, {11, 6}, {3, 3}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(items[i].x(), expected[i][0]) << version << " item " << i;
      EXPECT_EQ(items[i].y(), expected[i][1]) << version << " item " << i;
    }
  }
}

TEST_F(SpecialToolEntities, ShortFormClampsSweepsToOneTurn) {
  struct Case {
    float sweep;
    float stored;
  };
  const float clamped = std::bit_cast<float>(kClampedSweepBits);
  for (int8_t type : {kGeomArc, kGeomRadiusedSlot}) {
    for (const Case c : {Case{7.0f, clamped}, Case{-7.0f, -clamped}, Case{6.2f, 6.2f}, Case{-6.2f, -6.2f}}) {
      const auto items = ReadEntities(7, {{.type = type, .params = {1, 0.5f, c.sweep, 0.25f, 0.75f}}});
      ASSERT_EQ(items.size(), 1u);
      EXPECT_EQ(items[0].param(2), c.stored) << int{type} << " sweep " << c.sweep;
      EXPECT_EQ(items[0].param(1), 0.5f);
    }
  }
  const auto long_form = ReadEntities(92, {{.type = kGeomArc, .params = {1, 0, 7.0f}}});
  EXPECT_EQ(long_form[0].param(2), 7.0f) << "the long form keeps long sweeps";
}

TEST_F(SpecialToolEntities, ShortFormSweepLimitIsTestedInDoublePrecision) {
  // The float full turn times the float 57.29578 is 360.0000142 in double but
  // rounds to 360 in float: the sweep is clamped. One float step below stays.
  const float full_turn = std::bit_cast<float>(uint32_t{0x40C90FDB});
  const float below = std::bit_cast<float>(uint32_t{0x40C90FDA});
  const auto items = ReadEntities(7, {{.type = kGeomArc, .params = {1, 0, full_turn}},
                                      {.type = kGeomArc, .params = {1, 0, -full_turn}},
                                      {.type = kGeomArc, .params = {1, 0, below}}});
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(std::bit_cast<uint32_t>(items[0].param(2)), kClampedSweepBits);
  EXPECT_EQ(std::bit_cast<uint32_t>(items[1].param(2)), kClampedSweepBits | 0x80000000u);
  EXPECT_EQ(items[2].param(2), below);
}

TEST_F(SpecialToolEntities, DShapeFlatIsClampedInTheShortFormOnly) {
  EXPECT_EQ(ReadEntities(7, {{.type = kGeomDoubleD, .params = {10, 12, 0}}})[0].param(1), 10.0f);
  EXPECT_EQ(ReadEntities(7, {{.type = kGeomDoubleD, .params = {-10, 12, 0}}})[0].param(1), -10.0f);
  EXPECT_EQ(ReadEntities(7, {{.type = kGeomSingleD, .params = {10, 12, kSinglePi}}})[0].param(1), 10.0f);
  EXPECT_EQ(ReadEntities(7, {{.type = kGeomDoubleD, .params = {10, 8, 0}}})[0].param(1), 8.0f);
  EXPECT_EQ(ReadEntities(92, {{.type = kGeomDoubleD, .params = {10, 12, 0}}})[0].param(1), 12.0f);
}

TEST_F(SpecialToolEntities, SingleDIsTurnedByHalfATurnInBothForms) {
  struct Case {
    float stored;
    float read;
  };
  for (int version : {7, 54}) {
    for (const Case c : {Case{0, kSinglePi}, Case{kSinglePi, 0}, Case{-kSinglePi, 0}, Case{1, 1 - kSinglePi}}) {
      const auto items = ReadEntities(version, {{.type = kGeomSingleD, .params = {10, 5, c.stored}}});
      ASSERT_EQ(items.size(), 1u);
      EXPECT_FLOAT_EQ(items[0].param(2), c.read) << "version " << version << " stored " << c.stored;
    }
  }
  EXPECT_EQ(ReadEntities(7, {{.type = kGeomSingleD, .params = {10, 5, 0}}})[0].param(2), kSinglePi);
}

TEST_F(SpecialToolEntities, VNotchAngleBelowAThousandthOfADegreeBecomesHalfPi) {
  const float half_pi = std::bit_cast<float>(kSingleHalfPiBits);
  // Version 7 stores four parameters; the fifth is always pi/2.
  const auto legacy = ReadEntities(7, {{.type = kGeomVNotch, .params = {1, 2, 3, 4, 0.5f}},
                                       {.type = kGeomRoundHole, .params = {9}}});
  ASSERT_EQ(legacy.size(), 2u);
  EXPECT_EQ(legacy[0].param(3), 4.0f);
  EXPECT_EQ(legacy[0].param(4), half_pi);
  EXPECT_EQ(legacy[1].param(0), 9.0f) << "the next entry starts where the four parameters end";
  EXPECT_EQ(ReadEntities(92, {{.type = kGeomVNotch, .params = {1, 2, 3, 4, 0}}})[0].param(4), half_pi);
  EXPECT_EQ(ReadEntities(92, {{.type = kGeomVNotch, .params = {1, 2, 3, 4, -1}}})[0].param(4), half_pi);
  EXPECT_EQ(ReadEntities(92, {{.type = kGeomVNotch, .params = {1, 2, 3, 4, 0.5f}}})[0].param(4), 0.5f);
}

TEST_F(SpecialToolEntities, ParametersAnEntryDoesNotStoreCarryOver) {
  for (int version : {7, 80}) {
    const auto items = ReadEntities(version, {{.type = kGeomLine, .params = {1, 2, 3, 4}}, Group(0, 0),
                                              {.type = kGeomRoundHole, .params = {9}}});
    ASSERT_EQ(items.size(), 2u);
    // A group stores nine parameters in version 7 (zeros here), none in the long form.
    const float expected_p1 = version == 7 ? 0.0f : 2.0f;
    EXPECT_EQ(items[1].param(0), 9.0f);
    EXPECT_EQ(items[1].param(1), expected_p1) << version;
  }
  const auto carried = ReadEntities(92, {{.type = kGeomLine, .params = {1, 2, 3, 4}},
                                         {.type = kGeomRoundHole, .params = {9}}});
  EXPECT_EQ(carried[1].param(3), 4.0f);
}

TEST_F(SpecialToolEntities, LongFormCountOutsideZeroToNineStoresNoParameter) {
  const auto first = ReadEntities(92, {{.type = kGeomArc, .params = {1, 2, 3}, .paramCount = 12}});
  ASSERT_EQ(first.size(), 1u);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(first[0].param(i), 0.0f);
  const auto items = ReadEntities(92, {{.type = kGeomArc, .params = {5, 6, 7}},
                                       {.type = kGeomLine, .x = 3, .params = {1, 2}, .paramCount = 12},
                                       {.type = kGeomLine, .x = 4, .params = {1, 2}, .paramCount = -1}});
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[1].x(), 3.0f);
  EXPECT_EQ(items[1].param(0), 5.0f);
  EXPECT_EQ(items[2].x(), 4.0f);
  EXPECT_EQ(items[2].param(2), 7.0f);
}

TEST_F(SpecialToolEntities, LongFormSkipsItsUnusedFieldsByTheirCounts) {
  const auto items = ReadEntities(91, {{.type = kGeomRoundHole, .x = 1, .params = {1}, .wordCount = 2, .textFlag = 1},
                                       {.type = kGeomRoundHole, .x = 2, .params = {2}, .wordCount = 7, .textFlag = -3},
                                       {.type = kGeomRoundHole, .x = 3, .params = {3}, .wordCount = -1}});
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[1].x(), 2.0f);
  EXPECT_EQ(items[2].x(), 3.0f);
  EXPECT_EQ(items[2].param(0), 3.0f);
}

TEST_F(SpecialToolEntities, FlagBitsAndRefsAsStored) {
  const uint32_t flags = 0x1C83;
  const std::vector<SptEntity> entities = {{.type = kGeomRoundHole, .ref = -2, .flags = flags, .params = {1}},
                                           {.type = kGeomPatternLine, .ref = 1, .flags = flags, .params = {1, 0, 2}}};
  const auto legacy = ReadEntities(7, entities);
  ASSERT_EQ(legacy.size(), 2u);
  EXPECT_EQ(legacy[0].flags(), 0x1C02u) << "bits 0 and 7 cleared on a version-7 non-pattern";
  EXPECT_EQ(legacy[0].ref(), -2) << "refs are sign-extended";
  EXPECT_EQ(legacy[1].flags(), 0x1C03u) << "patterns keep bit 0";
  const auto current = ReadEntities(92, entities);
  EXPECT_EQ(current[0].flags(), 0x1C03u) << "the long form keeps bit 0";
  EXPECT_EQ(current[1].flags(), 0x1C03u);
  // A 16-bit flags word is sign-extended to 32 bits.
  EXPECT_EQ(ReadEntities(7, {{.type = kGeomLine, .flags = 0x8001}})[0].flags(), 0xFFFF8000u);
}

TEST_F(SpecialToolEntities, ShortFormCodeWithoutParameterCountEndsTheSection) {
  for (int8_t code : {22, 24, 100, -5}) {
    const auto items = ReadEntities(7, {Hole(1, 1), {.type = code, .params = {1, 2}}, Hole(2, 2)});
    ASSERT_EQ(items.size(), 1u) << "code " << int{code};
    EXPECT_EQ(items[0].x(), 1.0f);
  }
  const auto code23 = ReadEntities(7, {{.type = 23, .params = {1, 2, 3, 4}}, Hole(2, 2)});
  EXPECT_EQ(code23.size(), 2u);
  const auto long_form = ReadEntities(92, {{.type = 22, .params = {1, 2}}, Hole(2, 2)});
  EXPECT_EQ(long_form.size(), 2u) << "the long form stores its own parameter count";
}

TEST_F(SpecialToolEntities, CountsBeyondTheFileEndTheSection) {
  SpecialToolFileFields legacy = LegacyFile();
  legacy.entities = {Hole(1, 1)};
  legacy.entityCount = 32767;
  Result r = Read(legacy);
  EXPECT_EQ(r.status, StatusCode::kOk);
  EXPECT_EQ(r.items.size(), 1u);

  SpecialToolFileFields current = CurrentFile(92);
  current.entities = {Hole(1, 1)};
  current.entityCount = std::numeric_limits<int32_t>::max();
  r = Read(current);
  EXPECT_EQ(r.status, StatusCode::kFileReadFailed);
  EXPECT_EQ(r.items.size(), 1u);

  for (int32_t count : {0, -5}) {
    current.entityCount = count;
    r = Read(current);
    EXPECT_EQ(r.status, StatusCode::kOk);
    EXPECT_TRUE(r.items.empty());
  }
}

TEST(SpecialToolOppositeAngle, TurnsByHalfATurnIntoTheClosedRange) {
  EXPECT_EQ(OppositeAngle(0.0f), static_cast<double>(kSinglePi));
  EXPECT_EQ(OppositeAngle(kSinglePi), 0.0);
  EXPECT_EQ(OppositeAngle(-kSinglePi), 0.0);
  EXPECT_NEAR(OppositeAngle(1.0f), 1.0 - std::numbers::pi, 1e-6);
  EXPECT_NEAR(OppositeAngle(-1.0f), std::numbers::pi - 1.0, 1e-6);
  EXPECT_NEAR(OppositeAngle(10 * kSinglePi + 0.5f), 0.5 - std::numbers::pi, 1e-4);
}

TEST(SpecialToolOppositeAngle, EndsForHugeAndNonFiniteAngles) {
  for (float a : {1e30f, -1e30f, 3e7f, std::numeric_limits<float>::max()}) {
    const double r = OppositeAngle(a);
    EXPECT_LE(std::fabs(r), std::numbers::pi + 1e-6) << a;
  }
  EXPECT_TRUE(std::isnan(OppositeAngle(std::numeric_limits<float>::quiet_NaN())));
  EXPECT_TRUE(std::isinf(OppositeAngle(std::numeric_limits<float>::infinity())));
}

}  // namespace
}  // namespace quarnel::spectool
