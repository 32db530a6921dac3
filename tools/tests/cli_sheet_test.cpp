// quarnel sheet: what the page holds for a library, its stations and a
// special tool, and how it refuses to lose or half-write files.
#include <filesystem>
#include <regex>
#include <set>

#include "cli_test_fixture.h"

namespace quarnel::testing {
namespace {

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

StationFields Station(int32_t number, int32_t toolPosition = 0, const ToolFields& tool = {}) {
  StationFields station;
  station.stationNumber = number;
  station.toolPosition = toolPosition;
  station.tool = tool;
  return station;
}

SptEntity Entity(int8_t type, float x, float y, std::vector<float> params) {
  SptEntity entity;
  entity.type = type;
  entity.x = x;
  entity.y = y;
  entity.params = std::move(params);
  return entity;
}

class CliSheetTest : public CliTest {
 protected:
  // The sample library (round, rectangle, triangle, special PUNCH7); table 1
  // holds the round at 1, an empty station 2 and the special tool at 3;
  // table 2 the triangle at 5. The rectangle sits in no station.
  void SetUp() override {
    const std::vector<ToolFields> tools = SampleTools();
    StationFileFields file;
    // Stored out of number order.
    file.first.stations = {Station(3, 4, tools[3]), Station(2), Station(1, 1, tools[0])};
    file.second.tableIdentifier = 1;
    file.second.stations = {Station(5, 3, tools[2])};
    library_ = Write("tools.lib", SampleLibrary(92));
    stations_ = Write("stations.sta", BuildStationFile(file));
  }

  // PUNCH7 in the profile's special-tool folder: a bore and a rectangular hole.
  void WriteSpecialTool() {
    scratch_.SetSpecialToolFolder("c:\\spt\\");
    std::filesystem::create_directories(scratch_.DriveC("spt"));
    SpecialToolFileFields file;
    file.entities = {Entity(1, 0.0f, 0.0f, {20.0f}), Entity(3, -30.0f, 5.0f, {10.0f, 4.0f, 0.0f})};
    WriteFileBytes(scratch_.DriveC("spt/PUNCH7.spt"), BuildSpecialToolFile(file));
  }

  CliResult Sheet(std::vector<std::string> extra = {}) {
    std::vector<std::string> arguments = {"sheet", library_, "--stations", stations_};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return Run(arguments);
  }

  // Every file of the scratch folder, so that a failure can be shown to leave nothing.
  std::set<std::string> Files() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(scratch_.path())) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  std::string library_, stations_;
};

TEST_F(CliSheetTest, DrawsEveryStationInOrderWithItsToolAndListsTheToolsApart) {
  WriteSpecialTool();
  const CliResult result = Sheet({"-o", PathOf("sheet.html"), "--title", "Line 3 <A&B>"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const std::string html = ReadFileBytes(PathOf("sheet.html"));

  EXPECT_EQ(Occurrences(html, "<section class=\"sheet\""), 2u);  // one page per turret table
  EXPECT_EQ(Occurrences(html, "<svg "), 2u);
  EXPECT_NE(html.find("<title>Line 3 &lt;A&amp;B&gt;</title>"), std::string::npos);
  for (const char* absent : {"<script", "<link", "url(", "@import", "https:"}) {
    EXPECT_EQ(html.find(absent), std::string::npos) << absent;
  }
  // Stations in number order, the empty one included, in the drawing and the table.
  const std::regex numbers("<text class=\"number\"[^>]*>(\\d+)</text>");
  std::vector<std::string> drawn;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), numbers);
       it != std::sregex_iterator(); ++it) {
    drawn.push_back((*it)[1]);
  }
  EXPECT_EQ(drawn, (std::vector<std::string>{"1", "2", "3", "5"}));
  EXPECT_EQ(Occurrences(html, "<g class=\"station empty\">"), 1u);
  EXPECT_NE(html.find("<td class=\"station\">2</td><td colspan=\"7\">empty</td>"),
            std::string::npos);
  EXPECT_NE(html.find("<td class=\"station\">3</td><td class=\"n\">4</td><td>SPEC (108)</td>"),
            std::string::npos);
  EXPECT_NE(html.find("<td class=\"station\">5</td><td class=\"n\">3</td><td>TR (107)</td>"),
            std::string::npos);
  // The rectangle sits in no station.
  EXPECT_NE(html.find("Library tools in no station (1)"), std::string::npos);
  EXPECT_NE(html.find("<li>#2 RE 20 20 \u00d7 5</li>"), std::string::npos);

  // Every outline to the one scale; the special tool's real outline (a circle
  // and the four sides of its hole) drawn from its file.
  const std::regex scales("scale\\(([0-9.]+) -([0-9.]+)\\)");
  std::set<std::string> seen;
  size_t shapes = 0;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), scales);
       it != std::sregex_iterator(); ++it) {
    EXPECT_EQ((*it)[1], (*it)[2]);
    seen.insert((*it)[1]);
    ++shapes;
  }
  EXPECT_EQ(shapes, 3u);  // round, special, triangle
  EXPECT_EQ(seen.size(), 1u);
  std::smatch outline;
  ASSERT_TRUE(
      std::regex_search(html, outline,
                        std::regex("d=\"(M[^\"]*)\"[^>]*>\\s*<circle "
                                   "class=\"badge\"[^>]*>\\s*<text class=\"number\"[^>]*>3<")));
  EXPECT_EQ(Occurrences(outline[1], "L"), 4u);
  EXPECT_EQ(Occurrences(outline[1], "A"), 2u);  // the bore, drawn as two half circles
}

TEST_F(CliSheetTest, AMissingSpecialToolFileIsNamedAndTheSheetStillWritten) {
  const CliResult result = Sheet({"-o", PathOf("sheet.html")});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.err.find("PUNCH7.spt"), std::string::npos) << result.err;
  EXPECT_NE(ReadFileBytes(PathOf("sheet.html")).find("PUNCH7 (outline not found)"),
            std::string::npos);
}

TEST_F(CliSheetTest, NeverReplacesAnInputOrAnExistingFileUnasked) {
  const std::string libraryBytes = ReadFileBytes(library_);
  for (const std::string& input : {library_, stations_}) {
    const CliResult result = Sheet({"-o", input, "--force"});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
    EXPECT_NE(result.err.find(input), std::string::npos) << result.err;
  }
  EXPECT_EQ(ReadFileBytes(library_), libraryBytes);

  Write("sheet.html", "keep me");
  const CliResult refused = Sheet({"-o", PathOf("sheet.html")});
  EXPECT_NE(refused.exitCode, 0);
  EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
  EXPECT_EQ(ReadFileBytes(PathOf("sheet.html")), "keep me");
  EXPECT_EQ(Sheet({"-o", PathOf("sheet.html"), "--force"}).exitCode, 0);
  EXPECT_EQ(ReadFileBytes(PathOf("sheet.html")).rfind("<!DOCTYPE html>", 0), 0u);
}

TEST_F(CliSheetTest, AFailureNamesTheFileInOneLineAndLeavesNothing) {
  const std::set<std::string> before = Files();
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"sheet", library_, "--stations", PathOf("missing.sta"), "-o",
                                 PathOf("s.html")},
        std::vector<std::string>{"sheet", PathOf("missing.lib"), "--stations", stations_, "-o",
                                 PathOf("s.html")},
        std::vector<std::string>{"sheet", stations_, "--stations", stations_, "-o",
                                 PathOf("s.html")}}) {
    const CliResult result = Run(arguments);
    EXPECT_NE(result.exitCode, 0);
    ASSERT_EQ(Lines(result.err).size(), 1u) << result.err;
    EXPECT_TRUE(result.err.find("missing") != std::string::npos ||
                result.err.find(stations_) != std::string::npos)
        << result.err;
  }
  EXPECT_EQ(Files(), before);
}

}  // namespace
}  // namespace quarnel::testing
