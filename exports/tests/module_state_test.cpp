// The state that the families share: a call of one family works on the
// library that another family's sequence holds, and one reset puts all of the
// module state back as it is at load.
#include "exports/module_state.h"

#include <gtest/gtest.h>

#include "exports/tests/tool_exchange_fixture.h"
#include "spectool/geom_types.h"
#include "tests/support/special_tool_writer.h"

namespace quarnel::exports {
namespace {

class ModuleStateTest : public ToolExchangeTest {
 protected:
  // Writes c:\<name>.spt holding `entities` and returns the host's record naming it.
  SpecialToolInfo SpecialToolFile(const std::string& name, std::vector<testing::SptEntity> entities) {
    testing::SpecialToolFileFields file;
    file.entities = std::move(entities);
    path_ = WriteFile(name + ".spt", testing::BuildSpecialToolFile(file));
    SpecialToolInfo info{};
    info.path = path_.c_str();
    return info;
  }

  std::string path_;
};

// OpenSpecialTool inside a Send sequence ties the tool into the sequence's
// library, and EndSendTool saves that path with the library.
TEST_F(ModuleStateTest, OpenSpecialToolTiesIntoTheOpenSendLibrary) {
  SpecialToolInfo info = SpecialToolFile("PUNCH9", {});
  ASSERT_EQ(StartSendTool("c:\\new.tl", 1), 0);
  int32_t count = -1;
  ASSERT_EQ(OpenSpecialTool(&info, &count), 0);
  CloseSpecialTool();
  ASSERT_EQ(EndSendTool(), 0);

  toollib::ToolLibrary saved;
  toollib::SpecialToolFolderBuffer folder;
  ASSERT_EQ(saved.Load("c:\\new.tl", folder), StatusCode::kOk);
  ASSERT_EQ(saved.SpecialPaths().Count(), 1u);
  char path[toollib::kSpecialPathSize];
  saved.SpecialPathAt(1, path);
  EXPECT_EQ(std::string(path), SpecialPath("PUNCH9"));
}

TEST_F(ModuleStateTest, ResetPutsEveryPartBackAsAtLoad) {
  ASSERT_EQ(StartSendTool("c:\\reset.tl", 1), 0);
  SendFields(0, RectangleTool(1.0f));
  testing::SptEntity turned;
  turned.type = spectool::kGeomRectangularHole;
  turned.params = {4, 2, 0.5f};
  SpecialToolInfo info = SpecialToolFile("TURNED", {turned});
  int32_t count = 0;
  ASSERT_EQ(OpenSpecialTool(&info, &count), 0);
  ASSERT_EQ(LoadSpecialTool(&info, &count), 0);
  ASSERT_GT(count, 0);

  ResetModuleState();
  EXPECT_EQ(EndSendTool(), 0);
  EXPECT_FALSE(FileExists("reset.tl")) << "the reset dropped the library unsaved";
  const ModuleState& state = Module();
  EXPECT_TRUE(state.exchange.libraryPath.empty());
  EXPECT_EQ(state.exchange.newLibrary, 0);
  EXPECT_FALSE(state.specialTools.geomList.has_value());
  EXPECT_EQ(state.specialTools.readItems.Count(), 0u);
  EXPECT_EQ(state.specialTools.loadedItems.Count(), 0u);
  EXPECT_EQ(state.rotations.angle, spectool::RotationCache{}.angle) << "the next rotation computes afresh";
}

}  // namespace
}  // namespace quarnel::exports
