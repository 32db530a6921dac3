#include "spectool/special_tool_writer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "spectool/geom_types.h"
#include "spectool/special_tool_reader.h"
#include "platform/file_system.h"
#include "tests/support/byte_builder.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/special_tool_writer.h"

namespace quarnel::spectool {
namespace {

using quarnel::testing::ReadFileBytes;

constexpr float kSmallestNotchAngle = 1.7453292e-05f;

// Storable entity lists of every type: coordinates as the reader delivers
// them, parameters of any bit pattern but signalling NaNs, single-D rotations
// the reader can produce and V-notch angles it leaves alone.
class EntityGenerator {
 public:
  explicit EntityGenerator(uint32_t seed) : random_(seed) {}

  std::vector<GeomEntity> List() {
    std::vector<GeomEntity> entities(Below(40));
    for (GeomEntity& entity : entities) entity = Entity();
    return entities;
  }

 private:
  GeomEntity Entity() {
    GeomEntity e{};
    do {
      e.type = static_cast<int8_t>(Below(30) - 3);
    } while (e.type == kGeomGroup);
    e.ref = static_cast<int32_t>(random_());
    e.flags = static_cast<uint32_t>(random_()) & ~kFlagGroupMember;
    e.x = Coordinate();
    e.y = Coordinate();
    for (int i = 0; i < 9; ++i) e.p[i] = Below(4) == 0 ? AnyQuietBits() : Ordinary();
    if (e.type == kGeomSingleD) e.p[2] = static_cast<float>(OppositeAngle(Ordinary()));
    if (e.type == kGeomVNotch && !(e.p[4] >= kSmallestNotchAngle)) e.p[4] = 1.0f;
    return e;
  }
  // Any bit pattern but a signalling NaN, which x87 arithmetic would quiet.
  float AnyQuietBits() {
    uint32_t bits = static_cast<uint32_t>(random_());
    if ((bits & 0x7F800000u) == 0x7F800000u && (bits & 0x007FFFFFu) != 0) bits |= 0x00400000u;
    return std::bit_cast<float>(bits);
  }
  // The reader moves every point by its group offset, zero here.
  float Coordinate() { return static_cast<float>(static_cast<double>(Ordinary()) + 0.0); }
  float Ordinary() { return std::uniform_real_distribution<float>(-1000.0f, 1000.0f)(random_); }
  int Below(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }

  std::mt19937 random_;
};

toollib::ToolRecord SomeTool() {
  toollib::ToolRecord tool;
  tool.size = 12.5f;
  tool.SetDimensions(3.0f, 4.0f, 99.0f);
  tool.keyedCount = 2;
  tool.SetAngles(0.5f, 1.5f, 0.0f, 0.0f);
  tool.dieClearanceCount = 1;
  tool.SetDieClearances(0.1f, 0.2f, 0.3f, 0.4f);
  tool.valueA = 7.0f;
  tool.valueB = 8.0f;
  tool.valueC = std::bit_cast<float>(0x7FC01234u);
  tool.valueD = -2.5f;
  return tool;
}

class SpecialToolWriter : public ::testing::Test {
 protected:
  // Writes `content` and reads it back through the reader.
  std::vector<GeomEntity> RoundTrip(const SpecialToolContent& content, SpecialToolInfo& info) {
    const SpecialToolWriteResult result = WriteSpecialTool(path_, content);
    EXPECT_EQ(result.status, SpecialToolWriteStatus::kWritten) << result.reason;
    info = SpecialToolInfo{};
    info.path = path_.c_str();
    GeomItemList items;
    toollib::SpecialToolFolderBuffer folder;
    EXPECT_EQ(ReadSpecialTool(&info, items, {nullptr, folder}), StatusCode::kOk);
    std::vector<GeomEntity> back;
    GeomItem item;
    for (int32_t i = 1; i <= static_cast<int32_t>(items.Count()); ++i) {
      items.ReadAt(item, i);
      back.push_back(item.entity);
    }
    return back;
  }

  quarnel::testing::ScratchDir scratch_;
  std::string path_ = scratch_.DriveC("TOOL.spt");
};

TEST_F(SpecialToolWriter, EveryGeneratedListReadsBackBitForBit) {
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    const std::vector<GeomEntity> entities = EntityGenerator(seed).List();
    for (const GeomEntity& entity : entities) ASSERT_FALSE(UnstorableReason(entity)) << "seed " << seed;
    SpecialToolContent content{.tool = SomeTool(), .side = static_cast<uint8_t>(seed % 3),
                               .infoValue = static_cast<float>(seed), .entities = entities};
    SpecialToolInfo info;
    const std::vector<GeomEntity> back = RoundTrip(content, info);
    ASSERT_EQ(back.size(), entities.size()) << "seed " << seed;
    for (size_t i = 0; i < back.size(); ++i) {
      ASSERT_EQ(std::memcmp(&back[i], &entities[i], sizeof(GeomEntity)), 0)
          << "seed " << seed << ", entity " << i << " of type " << int{entities[i].type};
    }
    ASSERT_EQ(info.side, content.side);
    ASSERT_EQ(std::bit_cast<uint32_t>(info.infoValue), std::bit_cast<uint32_t>(content.infoValue));
  }
}

TEST_F(SpecialToolWriter, ToolDataReadBackWithZFromTheSide) {
  SpecialToolContent content{.tool = SomeTool(), .side = kSideTwo, .infoValue = 33.0f, .entities = {}};
  SpecialToolInfo info;
  EXPECT_TRUE(RoundTrip(content, info).empty());
  EXPECT_EQ(info.size, 12.5f);
  EXPECT_EQ(info.dimensions[0], 3.0f);
  EXPECT_EQ(info.dimensions[1], 4.0f);
  EXPECT_EQ(info.dimensions[2], 2.0f);  // z carries the side
  EXPECT_EQ(info.angles[1], 1.5f);
  EXPECT_EQ(info.dieClearances[3], 0.4f);
  EXPECT_EQ(info.valueC, 0x7FC01234u);
  EXPECT_EQ(info.valueD, -2.5f);
  EXPECT_EQ(info.side, kSideTwo);
}

// The test-side writer knows the layout on its own: both give the same bytes.
TEST_F(SpecialToolWriter, BytesMatchTheIndependentWriter) {
  GeomEntity hole{};
  hole.type = kGeomRoundHole;
  hole.ref = 3;
  hole.flags = 0x0400;
  hole.x = 1.5f;
  hole.y = -2.0f;
  hole.p[0] = 5.0f;
  GeomEntity single_d = hole;
  single_d.type = kGeomSingleD;
  single_d.p[2] = 0.0f;  // stored as a half turn the other way
  const GeomEntity entities[] = {hole, single_d};
  SpecialToolContent content{.tool = SomeTool(), .side = kSideOne, .infoValue = 9.0f, .entities = entities};
  ASSERT_EQ(WriteSpecialTool(path_, content).status, SpecialToolWriteStatus::kWritten);

  quarnel::testing::SpecialToolFileFields file;
  quarnel::testing::ToolFields& tool = file.tool;
  tool.size = 12.5f;
  tool.x = 3.0f;
  tool.y = 4.0f;
  tool.z = 1.0f;
  tool.keyedCount = 2;
  tool.angles = {0.5f, 1.5f, 0.0f, 0.0f};
  tool.dieClearanceCount = 1;
  tool.dieClearances = {0.1f, 0.2f, 0.3f, 0.4f};
  tool.valueA = 7.0f;
  tool.valueB = 8.0f;
  tool.valueC = std::bit_cast<float>(0x7FC01234u);
  tool.valueD = -2.5f;
  file.sideCode = 1;
  file.infoValue = 9.0f;
  const std::vector<float> nine = {5.0f, 0, 0, 0, 0, 0, 0, 0, 0};
  file.entities.push_back({.type = kGeomRoundHole, .ref = 3, .flags = 0x0400, .x = 1.5f, .y = -2.0f, .params = nine});
  file.entities.push_back(file.entities.back());
  file.entities.back().type = kGeomSingleD;
  file.entities.back().params[2] = -3.1415927f;
  EXPECT_EQ(ReadFileBytes(path_), quarnel::testing::BuildSpecialToolFile(file));
}

TEST_F(SpecialToolWriter, WhatTheReaderWouldChangeIsRefusedAndNothingIsWritten) {
  GeomEntity base{};
  base.type = kGeomLine;
  std::vector<std::pair<GeomEntity, const char*>> cases;
  GeomEntity e = base;
  e.type = kGeomGroup;
  cases.emplace_back(e, "group");
  e = base;
  e.flags = kFlagGroupMember;
  cases.emplace_back(e, "group-member");
  e = base;
  e.x = -0.0f;
  cases.emplace_back(e, "negative zero");
  e = base;
  e.type = kGeomVNotch;
  e.p[4] = 1e-6f;
  cases.emplace_back(e, "V-notch");
  e = base;
  e.type = kGeomSingleD;
  e.p[2] = 1e-30f;  // a half turn away, nothing this small survives the turn back
  cases.emplace_back(e, "single-D");

  quarnel::testing::WriteFileBytes(path_, "earlier");
  for (const auto& [entity, words] : cases) {
    const GeomEntity entities[] = {base, entity};
    SpecialToolContent content;
    content.entities = entities;
    const SpecialToolWriteResult result = WriteSpecialTool(path_, content);
    EXPECT_EQ(result.status, SpecialToolWriteStatus::kUnstorableEntity) << words;
    EXPECT_EQ(result.entityIndex, 1u) << words;
    EXPECT_NE(result.reason.find(words), std::string::npos) << result.reason;
  }
  EXPECT_EQ(ReadFileBytes(path_), "earlier");
}

// The short entity record (version 7) has its encoder next to its decoder:
// both agree with each other and with the test-side writer for every type.
TEST_F(SpecialToolWriter, ShortEntityRecordsAgreeWithTheIndependentWriter) {
  std::mt19937 random(5);
  for (int type = -2; type <= 24; ++type) {
    StoredEntity entity;
    entity.type = static_cast<int8_t>(type);
    entity.ref = static_cast<int16_t>(random());
    entity.flags = static_cast<uint32_t>(static_cast<int16_t>(random()));
    entity.x = static_cast<float>(random() % 1000) / 8.0f;
    entity.y = -entity.x;
    for (float& p : entity.p) p = static_cast<float>(random() % 1000) / 4.0f;
    const int stored = ShortEntityParamCount(type);
    {
      const std::unique_ptr<platform::File> file = platform::Files().Open(path_, platform::OpenMode::kWrite);
      platform::BinaryWriter out(*file);
      ASSERT_EQ(EncodeShortEntity(out, entity), stored >= 0) << type;
    }
    if (stored < 0) continue;
    quarnel::testing::ByteBuilder oracle;
    quarnel::testing::AppendShortFormEntity(
        oracle, {.type = entity.type, .ref = entity.ref, .flags = entity.flags, .x = entity.x, .y = entity.y,
                 .params = std::vector<float>(entity.p, entity.p + stored)});
    ASSERT_EQ(ReadFileBytes(path_), oracle.bytes()) << type;

    const std::unique_ptr<platform::File> file = platform::Files().Open(path_, platform::OpenMode::kRead);
    platform::BinaryReader in(*file);
    StoredEntity back;
    ASSERT_TRUE(DecodeShortEntity(in, back)) << type;
    if (type == kGeomVNotch) entity.p[4] = 0.0f;  // the fifth is not stored
    for (int i = stored; i < kMaxStoredParams; ++i) back.p[i] = entity.p[i];
    EXPECT_EQ(std::memcmp(&back.p, &entity.p, sizeof back.p), 0) << type;
    EXPECT_EQ(back.type, entity.type);
    EXPECT_EQ(back.ref, entity.ref);
    EXPECT_EQ(back.flags, entity.flags);
    EXPECT_EQ(back.x, entity.x);
    EXPECT_EQ(back.y, entity.y);
  }
}

}  // namespace
}  // namespace quarnel::spectool
