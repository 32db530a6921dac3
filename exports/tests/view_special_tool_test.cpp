#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "partfile/tests/part_drawing_expectation.h"
#include "platform/safe_write.h"
#include "quarnel/quarnel.h"
#include "spectool/geom_types.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/scratch_dir.h"

namespace quarnel::exports {
namespace {

using namespace quarnel::partfile::testing;
using quarnel::testing::FileExists;
using quarnel::testing::ReadFileBytes;
using quarnel::testing::ScratchDir;
using quarnel::testing::WriteFileBytes;

// The host's special-tool object with its two lists; it owns the elements, as
// the host does.
class HostSpecialTool {
 public:
  HostSpecialTool() {
    info_.entities = &entities_;
    info_.secondList = &second_;
  }
  ~HostSpecialTool() {
    for (CObject* element : owned_) delete element;
  }

  void AddEntity(const GeomEntity& entity) {
    entities_.AddTail(Own(new GeomEntityObject(entity)));
  }
  void AddSecond(int seed) {
    auto* element = new SecondListElement();
    const auto data = SecondListData(seed);
    std::memcpy(element->data, data.data(), data.size());
    second_.AddTail(Own(element));
  }
  void AddNullEntity() { entities_.AddTail(nullptr); }
  void AddNullSecond() { second_.AddTail(nullptr); }

  // The entity bytes of the host's list, as they stand now.
  std::vector<GeomEntity> Entities() {
    std::vector<GeomEntity> entities;
    for (POSITION pos = entities_.GetHeadPosition(); pos != nullptr;) {
      entities.push_back(static_cast<GeomEntityObject*>(entities_.GetNext(pos))->entity);
    }
    return entities;
  }

  SpecialToolInfo* info() { return &info_; }

 private:
  CObject* Own(CObject* object) {
    owned_.push_back(object);
    return object;
  }

  SpecialToolInfo info_{};
  CObList entities_;
  CObList second_;
  std::vector<CObject*> owned_;
};

bool SameBytes(const std::vector<GeomEntity>& a, const std::vector<GeomEntity>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(GeomEntity)) == 0);
}

class ViewSpecialToolTest : public ::testing::Test {
 protected:
  std::string Drawing() const { return ReadFileBytes(scratch_.DriveC("spt.prt")); }
  bool TemporaryLeft() const {
    return FileExists(scratch_.DriveC(platform::TemporaryPathFor("spt.prt")));
  }

  ScratchDir scratch_;
};

TEST_F(ViewSpecialToolTest, WritesTheHostsOutlineAndLeavesTheHostsObjectsAlone) {
  HostSpecialTool host;
  host.AddEntity(MakeEntity(spectool::kGeomArc, 0, 0x80, 1, 2, {3, 0, 6.2831855f}));
  host.AddEntity(MakeEntity(spectool::kGeomPatternLine, 3, 0x01, 0, 0, {10, 0, 3}));
  host.AddEntity(MakeEntity(spectool::kGeomSingleD, 0, 0, 5, 5, {4, 3, 0}));
  host.AddSecond(1);
  host.AddSecond(2);
  const std::vector<GeomEntity> before = host.Entities();

  std::vector<GeomEntity> stored = before;
  stored[0].flags = 0;
  stored[1].ref = 2;
  stored[2].p[2] = 3.1415927f;
  const std::string expected = ExpectedPartDrawing(stored, {1, 2});

  EXPECT_EQ(ViewSpecialTool(host.info()), 1);
  EXPECT_EQ(Drawing(), expected);
  EXPECT_TRUE(SameBytes(host.Entities(), before));

  // A second view of the same object converts afresh from the host's values.
  EXPECT_EQ(ViewSpecialTool(host.info()), 1);
  EXPECT_EQ(Drawing(), expected);
  EXPECT_TRUE(SameBytes(host.Entities(), before));
  EXPECT_FALSE(TemporaryLeft());
}

TEST_F(ViewSpecialToolTest, EmptyListsGiveAnEmptyDrawing) {
  HostSpecialTool host;
  EXPECT_EQ(ViewSpecialTool(host.info()), 1);
  EXPECT_EQ(Drawing(), ExpectedPartDrawing({}, {}));
}

TEST_F(ViewSpecialToolTest, MissingListsAreEmptyAndMissingElementsAreZero) {
  SpecialToolInfo info{};
  EXPECT_EQ(ViewSpecialTool(&info), 1);
  EXPECT_EQ(Drawing(), ExpectedPartDrawing({}, {}));

  HostSpecialTool host;
  host.AddNullEntity();
  host.AddEntity(MakeEntity(spectool::kGeomLine, 0, 0, 1, 1, {2, 2}));
  host.AddNullSecond();
  EXPECT_EQ(ViewSpecialTool(host.info()), 1);

  ByteBuilder b;
  Header(b, 2);
  EntityRecord(b, GeomEntity{});
  EntityRecord(b, MakeEntity(spectool::kGeomLine, 0, 0, 1, 1, {2, 2}));
  b.I32(0).Zeros(42).I32(0).I32(0).I32(0).I32(0);
  Trailer(b, 2);
  EXPECT_EQ(Drawing(), b.bytes());
}

TEST_F(ViewSpecialToolTest, NoObjectWritesNothing) {
  EXPECT_EQ(ViewSpecialTool(nullptr), 0);
  EXPECT_FALSE(FileExists(scratch_.DriveC("spt.prt")));
}

TEST_F(ViewSpecialToolTest, FailedWriteKeepsTheEarlierDrawingWhole) {
  WriteFileBytes(scratch_.DriveC("spt.prt"), "earlier drawing");
  HostSpecialTool host;
  host.AddEntity(MakeEntity(spectool::kGeomLine, 0, 0, 1, 1, {2, 2}));
  host.AddSecond(4);
  {
    quarnel::testing::FaultyFileSystem faulty;
    faulty.FailWritesBeyond(500);
    EXPECT_EQ(ViewSpecialTool(host.info()), 0);
  }
  EXPECT_EQ(Drawing(), "earlier drawing");
  EXPECT_FALSE(TemporaryLeft());
}

TEST_F(ViewSpecialToolTest, FailuresToCreateCloseOrMoveAreReported) {
  WriteFileBytes(scratch_.DriveC("spt.prt"), "earlier drawing");
  HostSpecialTool host;
  host.AddEntity(MakeEntity(spectool::kGeomLine, 0, 0, 1, 1, {2, 2}));
  for (int fault = 0; fault < 3; ++fault) {
    quarnel::testing::FaultyFileSystem faulty;
    if (fault == 0) faulty.FailOpen(platform::OpenMode::kWrite);
    if (fault == 1) faulty.FailClose();
    if (fault == 2) faulty.FailReplace();
    EXPECT_EQ(ViewSpecialTool(host.info()), 0) << "fault " << fault;
    EXPECT_EQ(faulty.open_files(), 0) << "fault " << fault;
  }
  EXPECT_EQ(Drawing(), "earlier drawing");
  EXPECT_FALSE(TemporaryLeft());
}

}  // namespace
}  // namespace quarnel::exports
