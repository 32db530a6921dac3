// tools, upgrade, import and check on files written by the test-side writers.
#include <filesystem>

#include "cli_test_fixture.h"

namespace quarnel::testing {
namespace {

std::string SampleStations() {
  const std::vector<ToolFields> tools = SampleTools();
  StationFileFields file;
  StationFields first;
  first.stationNumber = 4;
  first.toolPosition = 1;
  first.tool = tools[0];
  StationFields special;
  special.stationNumber = 7;
  special.toolPosition = 4;
  special.tool = tools[3];
  StationFields second;
  second.stationNumber = 2;
  second.toolPosition = 2;
  second.tool = tools[1];
  file.first.stations = {first, special};
  file.second.tableIdentifier = 1;
  file.second.stations = {second};
  return BuildStationFile(file);
}

// The first 22 CSV columns (the tool's own values, without its stations).
std::vector<std::string> ToolColumns(const std::string& csv) {
  std::vector<std::string> rows;
  for (const std::string& line : Lines(csv)) {
    size_t cut = 0;
    for (int commas = 0; commas < 22 && cut != std::string::npos; ++commas) {
      cut = line.find(',', cut == 0 ? 0 : cut + 1);
    }
    rows.push_back(line.substr(0, cut));
  }
  return rows;
}

using CliToolsTest = CliTest;

TEST_F(CliToolsTest, ListsEveryToolWithItsTypeAndBothStations) {
  const std::string library = Write("tools.lib", SampleLibrary(92));
  const std::string stations = Write("stations.sta", SampleStations());
  const nlohmann::json listing = RunJson({"tools", library, "--stations", stations, "--json"});
  const nlohmann::json& tools = listing["tools"];
  ASSERT_EQ(tools.size(), 4u);
  EXPECT_EQ(tools[0]["type"], "RO");
  EXPECT_EQ(tools[0]["firstStation"], 4);
  EXPECT_EQ(tools[0]["index"], 1);  // as in the table and the CSV
  EXPECT_TRUE(tools[0]["secondStation"].is_null());
  EXPECT_EQ(tools[1]["type"], "RE");
  EXPECT_EQ(tools[1]["secondStation"], 2);
  EXPECT_EQ(tools[1]["angles"][1].get<float>(), 1.5707964f);
  EXPECT_EQ(tools[1]["valueC"].get<float>(), 7.5f);
  EXPECT_EQ(tools[2]["type"], "TR");
  EXPECT_EQ(tools[2]["x"], 20.0);
  EXPECT_EQ(tools[2]["y"], 17.0);
  EXPECT_EQ(tools[3]["type"], "SPEC");
  EXPECT_EQ(tools[3]["typeCode"], 108);
  EXPECT_EQ(tools[3]["name"], "PUNCH7");
  EXPECT_EQ(tools[3]["firstStation"], 7);

  const CliResult table = Run({"tools", library, "--stations", stations});
  ASSERT_EQ(table.exitCode, 0) << table.err;
  EXPECT_NE(table.out.find("PUNCH7"), std::string::npos);
  EXPECT_NE(table.out.find("Station 2"), std::string::npos);
}

TEST_F(CliToolsTest, ReadsOlderVersionsAndLeavesStationsOutWithoutAStationFile) {
  const nlohmann::json v54 = RunJson({"tools", Write("v54.lib", SampleLibrary(54)), "--json"});
  ASSERT_EQ(v54["tools"].size(), 4u);
  EXPECT_FALSE(v54["tools"][0].contains("firstStation"));
  EXPECT_EQ(v54["tools"][1]["valueC"], 0.0);  // version 54 does not carry value C

  LegacyLibraryFileFields legacy;
  legacy.version = 7;
  LegacyToolFields round;
  round.typeCode = 1;
  round.size = 6.5f;
  round.x = 6.5f;
  legacy.tools = {round, round};
  const nlohmann::json v7 = RunJson({"tools", Write("v7.lib", BuildLegacyLibraryFile(legacy)), "--json"});
  ASSERT_EQ(v7["tools"].size(), 2u);
  EXPECT_EQ(v7["tools"][1]["size"], 6.5);

  const CliResult csv = Run({"tools", PathOf("v54.lib"), "--csv"});
  ASSERT_EQ(csv.exitCode, 0) << csv.err;
  EXPECT_EQ(Lines(csv.out)[1].substr(Lines(csv.out)[1].size() - 2), ",,");
}

TEST_F(CliToolsTest, TheTableStaysAlignedWithNamesOutsideAscii) {
  LibraryFileFields file;
  file.tools = SampleTools();
  file.tools[3].specialPath = "C:\\SPT\\PÜNCH–7.spt";
  file.paths = {"C:\\SPT\\PÜNCH–7.spt"};
  const CliResult table = Run({"tools", Write("tools.lib", BuildLibraryFile(file))});
  ASSERT_EQ(table.exitCode, 0) << table.err;
  ASSERT_NE(table.out.find("PÜNCH–7"), std::string::npos) << table.out;
  // The last column is right-aligned: every row ends in the same terminal column.
  const std::vector<std::string> lines = Lines(table.out);
  auto width = [](const std::string& line) {
    size_t characters = 0;
    for (unsigned char c : line) characters += (c & 0xC0) != 0x80 ? 1 : 0;
    return characters;
  };
  for (size_t i = 2; i < lines.size(); ++i) EXPECT_EQ(width(lines[i]), width(lines[1])) << lines[i];
}

using CliUpgradeTest = CliTest;

TEST_F(CliUpgradeTest, RewritesAnOlderLibraryInPlaceAsVersion92WithTheSameTools) {
  const std::string library = Write("old.lib", SampleLibrary(60));
  const nlohmann::json before = RunJson({"tools", library, "--json"})["tools"];
  const CliResult upgrade = Run({"upgrade", library});
  ASSERT_EQ(upgrade.exitCode, 0) << upgrade.err;
  EXPECT_NE(upgrade.out.find("version 60"), std::string::npos);
  const std::string bytes = ReadFileBytes(library);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 92);
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(RunJson({"tools", library, "--json"})["tools"], before);
  for (const auto& entry : std::filesystem::directory_iterator(scratch_.path())) {
    EXPECT_NE(entry.path().extension(), ".tmp") << "left behind: " << entry.path();
  }
}

TEST_F(CliUpgradeTest, WritesToOutputAndLeavesTheSourceAlone) {
  const std::string source = SampleLibrary(54);
  const std::string library = Write("old.lib", source);
  const CliResult upgrade = Run({"upgrade", library, "--output", PathOf("new.lib")});
  ASSERT_EQ(upgrade.exitCode, 0) << upgrade.err;
  EXPECT_EQ(ReadFileBytes(library), source);
  EXPECT_EQ(ReadFileBytes(PathOf("new.lib"))[0], 92);
  EXPECT_EQ(RunJson({"tools", PathOf("new.lib"), "--json"})["tools"].size(), 4u);
}

using CliImportTest = CliTest;

TEST_F(CliImportTest, ExportedCsvImportsIntoTheSameTools) {
  const CliResult exported = Run({"tools", Write("tools.lib", SampleLibrary(92)), "--csv"});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  const std::string csv = Write("tools.csv", exported.out);
  const CliResult imported = Run({"import", csv, PathOf("copy.lib")});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  const CliResult again = Run({"tools", PathOf("copy.lib"), "--csv"});
  ASSERT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(ToolColumns(again.out), ToolColumns(exported.out));
}

TEST_F(CliImportTest, BadRowsAreNamedByLineAndNothingIsWritten) {
  const std::string csv = Write("tools.csv",
                                "type_code,size,name,x,keyed_count\n"
                                "1,10,,10,0\n"
                                "3,wide,,20,1\n"
                                "\n"
                                "108,50,,50,0\n"
                                "1,5,,5,0,9\n");
  const CliResult result = Run({"import", csv, PathOf("new.lib")});
  EXPECT_NE(result.exitCode, 0);
  EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
  EXPECT_NE(result.err.find("line 3: size \"wide\""), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("line 5: a special tool"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("line 6: has 6 fields"), std::string::npos) << result.err;
  EXPECT_FALSE(FileExists(PathOf("new.lib")));
}

TEST_F(CliImportTest, AnExistingLibraryIsReplacedOnlyWithForce) {
  const std::string existing = Write("tools.lib", SampleLibrary(92));
  const std::string csv = Write("one.csv", "type_code,size,x\n1,8,8\n");
  EXPECT_NE(Run({"import", csv, existing}).exitCode, 0);
  EXPECT_EQ(ReadFileBytes(existing), SampleLibrary(92));
  ASSERT_EQ(Run({"import", csv, existing, "--force"}).exitCode, 0);
  EXPECT_EQ(RunJson({"tools", existing, "--json"})["tools"].size(), 1u);
}

using CliCheckTest = CliTest;

TEST_F(CliCheckTest, TellsLibrariesStationFilesAndSpecialToolsApartByContent) {
  SpecialToolFileFields v7;
  v7.version = 7;
  v7.entities = {{1, 0, 0, 0, 0, {5}}};
  SpecialToolFileFields v92;
  v92.entities = {{1, 0, 0, 0, 0, {5}}};
  // Names that say nothing: the content decides.
  const CliResult result = Run({"check", Write("a", SampleLibrary(62)), Write("b", SampleStations()),
                                Write("c.x", BuildSpecialToolFile(v7)),
                                Write("d.x", BuildSpecialToolFile(v92)),
                                Write("e", SampleLibrary(92))});
  ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_NE(lines[0].find("tool library, version 62"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("station file"), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find("special-tool file, version 7"), std::string::npos) << lines[2];
  EXPECT_NE(lines[3].find("special-tool file, version 92"), std::string::npos) << lines[3];
  EXPECT_NE(lines[4].find("4 tools, reads"), std::string::npos) << lines[4];
}

TEST_F(CliCheckTest, FailsWhenAnyFileIsMissingOrTruncatedAndSkipsFilesOfNoKnownKind) {
  const std::string library = SampleLibrary(92);
  const CliResult result =
      Run({"check", Write("good.lib", library), Write("cut.lib", library.substr(0, library.size() / 2)),
           Write("notes.txt", "tool list\n"), PathOf("missing.lib")});
  EXPECT_NE(result.exitCode, 0);
  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_NE(lines[0].find("reads"), std::string::npos);
  EXPECT_NE(lines[1].find("tool library"), std::string::npos) << lines[1];
  EXPECT_NE(lines[1].find("does not read"), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find("not a tool library, station file or special-tool file: skipped"),
            std::string::npos) << lines[2];
  EXPECT_NE(lines[3].find("no such file"), std::string::npos) << lines[3];
  EXPECT_NE(result.err.find("2 of 4 files do not read"), std::string::npos) << result.err;
}

using CliFailureTest = CliTest;

TEST_F(CliFailureTest, EachFailureIsOneLineNamingTheFile) {
  const std::string library = SampleLibrary(92);
  Write("tools.lib", library);
  Write("cut.lib", library.substr(0, 40));
  SpecialToolFileFields special;
  special.entities = {{1, 0, 0, 0, 0, {5}}, {4, 0, 0, 0, 0, {1, 1}}};
  const std::string spt = BuildSpecialToolFile(special);
  Write("punch.spt", spt);
  Write("cut.spt", spt.substr(0, spt.size() - 10));
  struct Case {
    std::vector<std::string> arguments;
    std::string file;
    std::string words;
  };
  const std::vector<Case> cases = {
      {{"tools", "missing.lib"}, "missing.lib", "no such tool library file"},
      {{"outline", "missing.spt"}, "missing.spt", "no such special-tool file"},
      {{"tools", "punch.spt"}, "punch.spt", "not a tool library"},
      {{"outline", "tools.lib"}, "tools.lib", "not a special-tool file"},
      {{"tools", "tools.lib", "--stations", "tools.lib"}, "tools.lib", "not a station file"},
      {{"tools", "cut.lib"}, "cut.lib", "could not be loaded (status 2)"},
      {{"upgrade", "cut.lib"}, "cut.lib", "(status 2)"},
      {{"outline", "cut.spt"}, "cut.spt", "ended early (status 4)"},
      {{"view", "cut.spt"}, "cut.spt", "(status 4)"},
      {{"outline", "punch.spt", "--svg", "no/such/folder/x.svg"}, "no/such/folder/x.svg",
       "cannot be written"},
      {{"upgrade", "tools.lib", "--output", "no/such/folder/x.lib"}, "no/such/folder/x.lib",
       "cannot be written"},
  };
  for (const Case& failure : cases) {
    const CliResult result = Run(failure.arguments);
    SCOPED_TRACE(failure.arguments[0] + " " + failure.arguments[1]);
    EXPECT_NE(result.exitCode, 0);
    ASSERT_EQ(Lines(result.err).size(), 1u) << result.err;
    EXPECT_NE(result.err.find(failure.file + ":"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(failure.words), std::string::npos) << result.err;
  }
  EXPECT_EQ(ReadFileBytes(PathOf("tools.lib")), library);
}

TEST_F(CliFailureTest, EveryCommandHasHelp) {
  for (const char* command : {"tools", "upgrade", "import", "outline", "view", "check", "demo"}) {
    const CliResult result = Run({command, "--help"});
    EXPECT_EQ(result.exitCode, 0) << command;
    EXPECT_NE(result.out.find("Usage"), std::string::npos) << command;
  }
  EXPECT_NE(Run({"no-such-command"}).exitCode, 0);
}

}  // namespace
}  // namespace quarnel::testing
