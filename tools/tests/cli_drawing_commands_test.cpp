// outline, view and demo: the outline as the host receives it, its SVG and
// DXF drawings read back by independent readers, the part drawing file.
#include <algorithm>
#include <filesystem>
#include <numbers>
#include <set>

#include "cli_test_fixture.h"

namespace quarnel::testing {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

class CliDrawingTest : public CliTest {
 protected:
  // Runs outline with --json, --svg and --dxf and the independent checks of both drawings.
  void ExpectDrawingsMatchOutline(const std::string& special) {
    const std::string stem = PathOf(std::filesystem::path(special).stem().string());
    const CliResult outline =
        Run({"outline", special, "--json", "--svg", stem + ".svg", "--dxf", stem + ".dxf"});
    ASSERT_EQ(outline.exitCode, 0) << outline.err;
    const std::string json = Write(std::filesystem::path(stem).filename().string() + ".json",
                                   outline.out);
    std::string message;
    EXPECT_EQ(RunDrawingCheck("check_dxf.py", {json, stem + ".dxf"}, message), 0) << message;
    EXPECT_EQ(RunDrawingCheck("check_svg.py", {json, stem + ".svg", stem + ".png"}, message), 0)
        << message;
  }
};

TEST_F(CliDrawingTest, OutlineIsWhatTheHostReceives) {
  SpecialToolFileFields file;
  file.tool.size = 40.0f;
  file.sideCode = 1;
  file.entities = {{4, 0, 0, 1, 2, {3, 4}},             // a line
                   {17, 0, 0, 9, 9, {}},                // a point: nothing
                   {3, 0, 0, 0, 0, {4, 2, 0}},          // a rectangle: four lines
                   {1, 0, 0x2, 5, 0, {1}},              // a hole repeated by ...
                   {12, 4, 0x1, 0, 0, {5, 0, 4}}};      // ... a circle pattern of 4
  const nlohmann::json outline = RunJson({"outline", Write("p.spt", BuildSpecialToolFile(file)), "--json"});
  EXPECT_EQ(outline["tool"]["size"], 40.0);
  EXPECT_EQ(outline["tool"]["side"], 1);
  const nlohmann::json& entities = outline["entities"];
  ASSERT_EQ(entities.size(), 10u);
  EXPECT_EQ(entities[0]["type"], "LINE");
  EXPECT_EQ(entities[0]["end"], nlohmann::json::array({4.0, 6.0}));
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(entities[i]["type"], "LINE");
  for (int i = 5; i <= 9; ++i) EXPECT_EQ(entities[i]["type"], "ARC");
  EXPECT_NEAR(entities[7]["centre"][1].get<double>(), 5.0, 1e-5);  // the copy at 90 degrees
  EXPECT_EQ(entities[0]["index"], 1);
  // The pattern's seed and its first copy coincide: the listing says so.
  EXPECT_EQ(entities[6]["coincidesWith"], 6);
  EXPECT_FALSE(entities[7].contains("coincidesWith"));
  const CliResult text = Run({"outline", "p.spt", "--svg", "p.svg"});
  EXPECT_NE(text.out.find("1 entity coincides with an earlier one"), std::string::npos) << text.out;
}

TEST_F(CliDrawingTest, DrawingsNameTheUnitsTheyAreGiven) {
  SpecialToolFileFields file;
  file.entities = {{1, 0, 0, 0, 0, {10}}};
  Write("p.spt", BuildSpecialToolFile(file));
  ASSERT_EQ(Run({"outline", "p.spt", "--svg", "mm.svg", "--dxf", "mm.dxf", "--units", "mm"}).exitCode, 0);
  ASSERT_EQ(Run({"outline", "p.spt", "--dxf", "in.dxf", "--units", "in"}).exitCode, 0);
  ASSERT_EQ(Run({"outline", "p.spt", "--svg", "plain.svg"}).exitCode, 0);
  EXPECT_NE(ReadFileBytes(PathOf("mm.svg")).find("width=\"22mm\" height=\"22mm\" viewBox=\"-11 -11 22 22\""),
            std::string::npos) << ReadFileBytes(PathOf("mm.svg"));
  EXPECT_NE(ReadFileBytes(PathOf("plain.svg")).find("width=\"22\" height=\"22\""), std::string::npos);
  for (const auto& [name, code] : {std::pair{"mm.dxf", "4"}, std::pair{"in.dxf", "1"}}) {
    const std::vector<std::string> lines = Lines(ReadFileBytes(PathOf(name)));
    const auto found = std::find(lines.begin(), lines.end(), "$INSUNITS");
    ASSERT_LT(found + 2, lines.end()) << name;
    EXPECT_EQ(*(found + 2), code) << name;
  }
  EXPECT_EQ(Run({"outline", "p.spt", "--units", "cm"}).exitCode, 2);
}

TEST_F(CliDrawingTest, SvgAndDxfOfEveryShapeMatchTheOutline) {
  SpecialToolFileFields file;
  file.entities = {
      {1, 0, 0, 0, 0, {20}},                                   // round hole
      {1, 0, 0, 50, 0, {-3}},                                  // negative radius
      {2, 0, 0x0800, 0, 0, {30, 0.3f, 2.0f, 4}},               // radiused slot
      {3, 0, 0, -40, -40, {10, -5, 0.2f}},                     // rectangular hole
      {5, 0, 0, 0, 60, {8, kPi / 4, -4.0f}},                   // clockwise arc over half a turn
      {5, 0, 0, 20, 60, {8, 0, 0}},                            // zero sweep: draws nothing
      {6, 0, 0x0400, 30, 30, {16, 6, 0.5f}},                   // obround slot
      {8, 0, 0, 60, 60, {5, 3, 5, 3, 0.4f}},                   // corner notch
      {9, 0, 0, -60, 0, {10, 0, 0, 0, kPi / 2}},               // V notch
      {14, 0, 0, 0, -60, {12, 6, 0.3f}},                       // centre rectangle
      {15, 0, 0, 60, -30, {5, 3, 0}},                          // single D
      {16, 0, 0, -30, 60, {5, 3, 1}},                          // double D
      {20, 0, 0x0400, -60, -60, {20, 10, 0, 2}},               // rounded corner rectangle
      {21, 0, 0, 60, -60, {8, 6, -0.5f}},                      // triangle
      {1, 0, 0x2, 100, 0, {2}},                                // seed of ...
      {10, 15, 0x1, 100, 0, {0, 8, 3}},                        // a line pattern
      {11, 15, 0x1, 120, 0, {6, 6, 2, 2, 0.5f}},               // a grid pattern
      {13, 15, 0x1, 100, 50, {10, 0, 0.5f, 3}}};               // an arc pattern
  ExpectDrawingsMatchOutline(Write("shapes.spt", BuildSpecialToolFile(file)));
}

TEST_F(CliDrawingTest, AVersion7FullTurnArcIsDrawnAsACircle) {
  SpecialToolFileFields file;
  file.version = 7;
  file.entities = {{5, 0, 0, 0, 0, {10, 0, 7.0f}}, {4, 0, 0, -10, -10, {20, 0}}};
  const std::string special = Write("v7.spt", BuildSpecialToolFile(file));
  ExpectDrawingsMatchOutline(special);
  EXPECT_NE(ReadFileBytes(PathOf("v7.svg")).find("<circle"), std::string::npos);
  EXPECT_NE(ReadFileBytes(PathOf("v7.dxf")).find("CIRCLE"), std::string::npos);
}

TEST_F(CliDrawingTest, ViewWritesThePartDrawingOnDriveC) {
  SpecialToolFileFields file;
  file.entities = {{1, 0, 0, 0, 0, {5}}, {4, 0, 0, 0, 0, {1, 1}}};
  const CliResult view =
      Run({"view", Write("p.spt", BuildSpecialToolFile(file)), "--output", PathOf("copy.prt")});
  ASSERT_EQ(view.exitCode, 0) << view.err;
  const std::string drawing = scratch_.DriveC("spt.prt");
  EXPECT_NE(view.out.find(drawing), std::string::npos) << view.out;
  // Header, two entity records, an empty second list and the trailer.
  const size_t entities = 2;
  EXPECT_EQ(ReadFileBytes(drawing).size(), 101 + 93 * entities + 4 + 1394 + 44 * entities);
  EXPECT_EQ(ReadFileBytes(PathOf("copy.prt")), ReadFileBytes(drawing));
}

TEST_F(CliDrawingTest, DemoWritesASetThatEveryCommandReads) {
  const CliResult demo = Run({"demo", "set"});
  ASSERT_EQ(demo.exitCode, 0) << demo.err;
  const std::string folder = PathOf("set");
  std::vector<std::string> check = {"check"};
  std::vector<std::string> specials;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string extension = entry.path().extension().string();
    if (extension == ".spt") specials.push_back(entry.path().string());
    if (extension == ".spt" || extension == ".lib" || extension == ".sta") {
      check.push_back(entry.path().string());
    }
  }
  ASSERT_GE(specials.size(), 5u);
  const CliResult checked = Run(check);
  EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;

  const nlohmann::json tools =
      RunJson({"tools", folder + "/tools.lib", "--stations", folder + "/stations.sta", "--json"})["tools"];
  std::set<std::string> labels;
  for (const nlohmann::json& tool : tools) {
    labels.insert(tool["type"].get<std::string>());
    EXPECT_GT(tool["firstStation"].get<int>(), 0) << tool.dump();
    if (tool["type"] == "SPEC") {
      EXPECT_TRUE(FileExists(folder + "/" + tool["name"].get<std::string>() + ".spt")) << tool.dump();
    }
  }
  EXPECT_EQ(labels, (std::set<std::string>{"RO", "SQ", "RE", "OB", "SD", "DD", "TR", "CR", "RC", "SPEC"}));

  for (const std::string& special : specials) {
    const std::string svg = special.substr(0, special.size() - 4) + ".svg";
    ASSERT_TRUE(FileExists(svg)) << svg;
    ExpectDrawingsMatchOutline(special);
  }
}

}  // namespace
}  // namespace quarnel::testing
