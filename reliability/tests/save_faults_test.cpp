// Failures of the platform file layer while the library writes: every write
// that reaches it fails in turn, then the flush to the device, the close and
// the replacing rename. After each the answer is the documented failure, the
// previous file is intact to the byte and no temporary file is left behind.
// A save reaches the device before its name does, and its folder after.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/binary_writer.h"
#include "platform/safe_write.h"
#include "quarnel/quarnel.h"
#include "reliability/tests/reliability_fixture.h"
#include "reliability/tests/sample_files.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/write_buffer_scope.h"

namespace quarnel::reliability {
namespace {

using testing::FaultyFileSystem;

constexpr char kFaultLibrary[] = "c:\\reliability\\faults.tl";
constexpr char kPartDrawing[] = "c:\\spt.prt";
constexpr int kNotSaved = 3;

// How a run breaks the file layer; nothing when `fault` is kNone.
enum class Fault { kNone, kWrite, kClose, kReplace, kOpen, kFlush, kFolderFlush };

// The order in which every save makes its content last.
const std::vector<std::string> kDurableOrder = {"flush", "close", "replace", "flush folder"};

void Arm(FaultyFileSystem& files, Fault fault, int k) {
  switch (fault) {
    case Fault::kWrite: files.FailWriteCall(k); break;
    case Fault::kClose: files.FailClose(); break;
    case Fault::kReplace: files.FailReplace(); break;
    case Fault::kOpen: files.FailOpen(platform::OpenMode::kWrite); break;
    case Fault::kFlush: files.FailFlush(); break;
    case Fault::kFolderFlush: files.FailFolderFlush(); break;
    case Fault::kNone: break;
  }
}

class SaveFaults : public ReliabilityTest {
 protected:
  // Overwrites tool 0 of the rich library at kFaultLibrary and saves it with
  // `fault` armed; the save's answer and the writes it made.
  std::pair<int, int> SaveWith(Fault fault, int k = 0) {
    WriteWindowsFile(kFaultLibrary, previous_);
    EXPECT_EQ(StartSendTool(kFaultLibrary, 0), 0);
    SendTool(0, 42.0f, 3, nullptr, 1, 2, 3, 2, 0.5f, 0.5f, 0, 0, 1, 0.1f, 0, 0, 0, 1, 2, 3, 4);
    FaultyFileSystem files;
    Arm(files, fault, k);
    const int status = EndSendTool();
    EXPECT_EQ(files.open_files(), 0) << "a file was left open";
    durability_calls_ = files.durability_calls();
    return {status, files.write_calls()};
  }

  void ExpectPreviousIntact(const std::string& what) {
    EXPECT_EQ(ReadWindowsFile(kFaultLibrary), previous_) << what;
    EXPECT_FALSE(WindowsFileExists(platform::TemporaryPathFor(kFaultLibrary))) << what;
    // The failed save released the library: nothing is left to save.
    EXPECT_EQ(EndSendTool(), 0) << what;
    EXPECT_EQ(ReadWindowsFile(kFaultLibrary), previous_) << what;
  }

  const std::string previous_ = RichLibrary(92).bytes;
  std::vector<std::string> durability_calls_;
};

// Saves are buffered: the file layer sees the writes that reach it, one with
// the real buffer, and writes ending at every point of the file with a
// 13-byte one. Every one of them fails in turn.
const size_t kWriteBuffers[] = {platform::WriteBufferSize(), 13};

TEST_F(SaveFaults, EveryFailedWriteKeepsThePreviousLibrary) {
  for (size_t buffer : kWriteBuffers) {
    const testing::WriteBufferScope scope(buffer);
    const auto [status, writes] = SaveWith(Fault::kNone);
    ASSERT_EQ(status, 0);
    ASSERT_NE(ReadWindowsFile(kFaultLibrary), previous_) << "the clean save changed nothing";
    ASSERT_GT(writes, buffer < 100 ? 50 : 0);
    for (int k = 1; k <= writes; ++k) {
      EXPECT_EQ(SaveWith(Fault::kWrite, k).first, kNotSaved) << "write " << k;
      ExpectPreviousIntact("write " + std::to_string(k));
    }
  }
}

TEST_F(SaveFaults, ASavedLibraryReachesTheDeviceBeforeItsName) {
  ASSERT_EQ(SaveWith(Fault::kNone).first, 0);
  EXPECT_EQ(durability_calls_, kDurableOrder);
  // A folder that cannot be flushed: the new library is in place, but it is
  // not known to survive a power cut, so the save is not reported as done.
  EXPECT_EQ(SaveWith(Fault::kFolderFlush).first, kNotSaved);
  EXPECT_NE(ReadWindowsFile(kFaultLibrary), previous_);
  EXPECT_FALSE(WindowsFileExists(platform::TemporaryPathFor(kFaultLibrary)));
}

TEST_F(SaveFaults, AFailedOpenFlushCloseOrRenameKeepsThePreviousLibrary) {
  for (Fault fault : {Fault::kOpen, Fault::kFlush, Fault::kClose, Fault::kReplace}) {
    EXPECT_EQ(SaveWith(fault).first, kNotSaved) << static_cast<int>(fault);
    ExpectPreviousIntact("fault " + std::to_string(static_cast<int>(fault)));
  }
}

TEST_F(SaveFaults, ANewLibraryThatCannotBeWrittenLeavesNoFile) {
  for (Fault fault : {Fault::kOpen, Fault::kWrite, Fault::kFlush, Fault::kClose, Fault::kReplace}) {
    ASSERT_EQ(StartSendTool(kFaultLibrary, 1), 0);
    SendTool(0, 5.0f, 1, nullptr, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    FaultyFileSystem files;
    Arm(files, fault, 1);  // a small save reaches the file in one write
    EXPECT_EQ(EndSendTool(), kNotSaved);
    EXPECT_FALSE(WindowsFileExists(kFaultLibrary));
    EXPECT_FALSE(WindowsFileExists(platform::TemporaryPathFor(kFaultLibrary)));
  }
}

// A host special-tool object with a few entities and a second list.
class DrawingFaults : public ReliabilityTest {
 protected:
  DrawingFaults() {
    for (int i = 0; i < 5; ++i) {
      GeomEntity entity{};
      entity.type = static_cast<int8_t>(i == 4 ? 15 : 4);
      entity.ref = i;
      entity.flags = 0x81;
      entity.x = static_cast<float>(i);
      entity.p[2] = 0.5f;
      entities_.AddTail(new GeomEntityObject(entity));
    }
    for (int i = 0; i < 3; ++i) {
      auto* element = new SecondListElement();
      std::memset(element->data, 0x30 + i, sizeof element->data);
      second_.AddTail(element);
    }
    info_.path = "c:\\reliability\\unused.spt";
    info_.entities = &entities_;
    info_.secondList = &second_;
  }
  ~DrawingFaults() override {
    for (CObList* list : {&entities_, &second_}) {
      for (POSITION at = list->GetHeadPosition(); at != nullptr;) delete list->GetNext(at);
      list->RemoveAll();
    }
  }

  // Draws with `fault` armed over a previous drawing; the answer and the writes made.
  std::pair<uint8_t, int> DrawWith(Fault fault, int k = 0) {
    WriteWindowsFile(kPartDrawing, previous_);
    FaultyFileSystem files;
    Arm(files, fault, k);
    const uint8_t drawn = ViewSpecialTool(&info_);
    EXPECT_EQ(files.open_files(), 0) << "a file was left open";
    durability_calls_ = files.durability_calls();
    return {drawn, files.write_calls()};
  }

  void ExpectPreviousIntact(const std::string& what) {
    EXPECT_EQ(ReadWindowsFile(kPartDrawing), previous_) << what;
    EXPECT_FALSE(WindowsFileExists(platform::TemporaryPathFor(kPartDrawing))) << what;
  }

  const std::string previous_ = "the drawing of the tool shown before";
  CObList entities_;
  CObList second_;
  SpecialToolInfo info_{};
  std::vector<std::string> durability_calls_;
};

TEST_F(DrawingFaults, EveryFailedWriteKeepsThePreviousDrawing) {
  for (size_t buffer : kWriteBuffers) {
    const testing::WriteBufferScope scope(buffer);
    const auto [drawn, writes] = DrawWith(Fault::kNone);
    ASSERT_EQ(drawn, 1);
    ASSERT_NE(ReadWindowsFile(kPartDrawing), previous_);
    ASSERT_GT(writes, buffer < 100 ? 20 : 0);
    for (int k = 1; k <= writes; ++k) {
      EXPECT_EQ(DrawWith(Fault::kWrite, k).first, 0) << "write " << k;
      ExpectPreviousIntact("write " + std::to_string(k));
    }
  }
}

TEST_F(DrawingFaults, ADrawingReachesTheDeviceBeforeItsName) {
  ASSERT_EQ(DrawWith(Fault::kNone).first, 1);
  EXPECT_EQ(durability_calls_, kDurableOrder);
  EXPECT_EQ(DrawWith(Fault::kFolderFlush).first, 0);
  EXPECT_FALSE(WindowsFileExists(platform::TemporaryPathFor(kPartDrawing)));
}

TEST_F(DrawingFaults, AFailedOpenFlushCloseOrRenameKeepsThePreviousDrawing) {
  for (Fault fault : {Fault::kOpen, Fault::kFlush, Fault::kClose, Fault::kReplace}) {
    EXPECT_EQ(DrawWith(fault).first, 0) << static_cast<int>(fault);
    ExpectPreviousIntact("fault " + std::to_string(static_cast<int>(fault)));
  }
}

}  // namespace
}  // namespace quarnel::reliability
