// create-special and add: drawings written by ezdxf become special tools
// whose outline is the drawing, outline JSON comes back unchanged, bad input
// writes nothing, and add puts the tool into a library the host reads.
#include <filesystem>

#include "cli_test_fixture.h"

namespace quarnel::testing {
namespace {

class CliMakingTest : public CliTest {
 protected:
  void SetUp() override {
    std::string message;
    ASSERT_EQ(RunDrawingCheck("make_drawings.py", {scratch_.path()}, message), 0) << message;
  }

  // create-special on `drawing`, then the outline that OpenSpecialTool
  // delivers checked against the drawing as ezdxf reads it.
  void ExpectOutlineIsTheDrawing(const std::string& drawing, const std::vector<std::string>& options = {},
                                 const std::string& layer = "") {
    std::vector<std::string> arguments = {"create-special", drawing + ".dxf", drawing + ".spt"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    const CliResult made = Run(arguments);
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const CliResult outline = Run({"outline", drawing + ".spt", "--json"});
    ASSERT_EQ(outline.exitCode, 0) << outline.err;
    Write(drawing + ".json", outline.out);
    std::vector<std::string> check = {PathOf(drawing + ".dxf"), PathOf(drawing + ".json")};
    if (!layer.empty()) check.push_back(layer);
    std::string message;
    EXPECT_EQ(RunDrawingCheck("check_special_from_dxf.py", check, message), 0) << drawing << ": " << message;
  }

  // Expects one error line naming `file` and no output file.
  void ExpectRefused(const CliResult& result, const std::string& file, const std::string& words) {
    EXPECT_NE(result.exitCode, 0);
    EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
    EXPECT_EQ(result.err.rfind("quarnel: " + file + ":", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(words), std::string::npos) << result.err;
  }
};

TEST_F(CliMakingTest, DrawingsOfEveryVersionBecomeTheirOutlines) {
  ExpectOutlineIsTheDrawing("mixed");  // bulges of both signs, arcs over 0 degrees, an arc seen from below
  ExpectOutlineIsTheDrawing("r12");
  ExpectOutlineIsTheDrawing("r2018");
  ExpectOutlineIsTheDrawing("mixed", {"--layer", "0", "--force"}, "0");
  ExpectOutlineIsTheDrawing("shapes", {"--shapes"});
  EXPECT_NE(Run({"create-special", "shapes.dxf", "stored.spt", "--shapes"}).out.find("of 7 entities"),
            std::string::npos);  // three shapes and the four lines of a near-rectangle
}

TEST_F(CliMakingTest, OutlineJsonComesBackUnchanged) {
  ASSERT_EQ(Run({"create-special", "mixed.dxf", "first.spt", "--set", "side=2", "--set", "valueC=0.1",
                 "--set", "a1=0.5", "--size", "33"}).exitCode, 0);
  nlohmann::json first = RunJson({"outline", "first.spt", "--json"});
  Write("first.json", first.dump(2));
  ASSERT_EQ(Run({"create-special", "first.json", "second.spt"}).exitCode, 0);
  nlohmann::json second = RunJson({"outline", "second.spt", "--json"});
  first.erase("file");
  second.erase("file");
  EXPECT_EQ(first, second);
  EXPECT_EQ(first["tool"]["size"], 33.0);
  EXPECT_EQ(first["tool"]["side"], 2);
}

TEST_F(CliMakingTest, BadInputWritesNothing) {
  ExpectRefused(Run({"create-special", "spline.dxf", "out.spt"}), "spline.dxf", "SPLINE (handle ");
  ExpectRefused(Run({"create-special", "empty.dxf", "out.spt"}), "empty.dxf", "no lines");
  ExpectRefused(Run({"create-special", "truncated.dxf", "out.spt"}), "truncated.dxf", "ends early");
  ExpectRefused(Run({"create-special", "binary.dxf", "out.spt"}), "binary.dxf", "binary DXF");
  Write("bad.json", R"({"entities": [{"typeCode": 7, "x": 1}]})");
  ExpectRefused(Run({"create-special", "bad.json", "out.spt"}), "bad.json", "group");
  EXPECT_FALSE(std::filesystem::exists(PathOf("out.spt")));

  Write("out.spt", "earlier");
  ExpectRefused(Run({"create-special", "r12.dxf", "out.spt"}), "out.spt", "--force");
  EXPECT_EQ(ReadFileBytes(PathOf("out.spt")), "earlier");

  const CliResult skipped = Run({"create-special", "spline.dxf", "out.spt", "--skip-unsupported", "--force"});
  EXPECT_EQ(skipped.exitCode, 0) << skipped.err;
  EXPECT_NE(skipped.out.find("skipped SPLINE (handle "), std::string::npos) << skipped.out;
}

TEST_F(CliMakingTest, AddPutsTheToolIntoALibraryTheHostReads) {
  scratch_.SetSpecialToolFolder("c:\\SPT\\");
  ASSERT_EQ(Run({"create-special", "r12.dxf", "HOOK.spt"}).exitCode, 0);
  ASSERT_EQ(Run({"create-special", "shapes.dxf", "PLATE.spt", "--shapes"}).exitCode, 0);
  const CliResult created = Run({"add", "new.lib", "--special", "HOOK.spt"});
  ASSERT_EQ(created.exitCode, 0) << created.err;
  EXPECT_TRUE(FileExists(scratch_.DriveC("SPT/HOOK.spt")));
  ASSERT_EQ(Run({"add", "new.lib", "--special", "PLATE.spt"}).exitCode, 0);
  ASSERT_EQ(Run({"add", "new.lib", "--special", "HOOK.spt"}).exitCode, 0);  // replaced in place

  const nlohmann::json tools = RunJson({"tools", "new.lib", "--json"});
  ASSERT_EQ(tools["tools"].size(), 2u) << tools.dump();
  EXPECT_EQ(tools["tools"][0]["name"], "HOOK");
  EXPECT_EQ(tools["tools"][1]["name"], "PLATE");
  EXPECT_EQ(tools["tools"][1]["typeCode"], 108);
  const nlohmann::json plate = RunJson({"outline", "PLATE.spt", "--json"});
  EXPECT_EQ(tools["tools"][1]["size"], plate["tool"]["size"]);
}

}  // namespace
}  // namespace quarnel::testing
