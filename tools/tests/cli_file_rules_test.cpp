// How the command-line host judges, reads and writes files: kinds decided by
// what the library reads, outputs that never destroy a file, one-line
// messages for what is not a file, and bounded reads.
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <sstream>

#include "cli_test_fixture.h"

namespace quarnel::testing {
namespace {
namespace fs = std::filesystem;

using CliFileKindTest = CliTest;

// Libraries that the tool writes itself are recognised whatever their values,
// also by content alone (a name without a known extension).
TEST_F(CliFileKindTest, LibrariesItWroteAreAlwaysRecognised) {
  std::string many = "type_code,size\n";
  for (int i = 0; i < 14; ++i) many += "1,5\n";
  const std::vector<std::string> csvs = {many + "1,25400000\n", "type_code,size\n1,5\n1,6\n",
                                         "type_code,size\n3,nan\n103,inf\n", "type_code,size\n"};
  for (size_t i = 0; i < csvs.size(); ++i) {
    SCOPED_TRACE(csvs[i]);
    const std::string name = "made" + std::to_string(i) + ".bin";
    ASSERT_EQ(Run({"import", Write("in.csv", csvs[i]), name, "--force"}).exitCode, 0);
    const CliResult check = Run({"check", name});
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_NE(check.out.find("tool library, version 92"), std::string::npos) << check.out;
    EXPECT_EQ(Run({"tools", name}).exitCode, 0);
    if (i + 1 < csvs.size()) {
      EXPECT_EQ(Run({"upgrade", name}).exitCode, 0);
    }
  }
}

TEST_F(CliFileKindTest, BytesThatTheLibraryDoesNotReadAreNoKind) {
  const std::string library = Write("tools.lib", SampleLibrary(92));
  const std::string special = BuildSpecialToolFile({});
  const std::string stations = BuildStationFile({});
  Write("zeros", std::string(2048, '\0'));
  Write("png", "\x89PNG\r\n\x1a\n" + std::string(3000, 'x'));
  Write("empty.sta", "");
  Write("cut.sta", stations.substr(0, stations.size() - 3));
  Write("special.spt", special);
  fs::copy_file(QUARNEL_CLI_PATH, PathOf("binary"));
  ASSERT_EQ(Run({"view", "special.spt", "-o", "drawing.prt"}).exitCode, 0);

  const CliResult check = Run({"check", "zeros", "png", "binary", "drawing.prt"});
  EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
  EXPECT_EQ(Lines(check.out).size(), 4u);
  for (const std::string& line : Lines(check.out)) {
    EXPECT_NE(line.find("skipped"), std::string::npos) << line;
  }
  const nlohmann::json json = RunJson({"check", "zeros", library, "--json"});
  EXPECT_EQ(json["files"][0]["skipped"], true);
  EXPECT_EQ(json["files"][1]["kind"], "tool library");
  EXPECT_NE(Run({"-v", "check", library}).out.find("by its extension"), std::string::npos);

  for (const char* bad : {"png", "empty.sta", "cut.sta", "binary"}) {
    const CliResult tools = Run({"tools", library, "--stations", bad});
    EXPECT_EQ(tools.exitCode, 1) << bad;
    EXPECT_NE(tools.err.find(std::string(bad) + ": does not read as a station file"), std::string::npos)
        << tools.err;
  }
}

using CliOutputTest = CliTest;

// Every way a command could replace a file it must not: refused, file intact.
TEST_F(CliOutputTest, AnOutputNeverReplacesAnInputAndAnExistingOneNeedsForce) {
  const std::string special = BuildSpecialToolFile({});
  Write("punch.spt", special);
  Write("old.lib", SampleLibrary(60));
  Write("taken", "keep me");
  Write("a.csv", "type_code,size\n1,5\n");
  fs::create_symlink("punch.spt", PathOf("link.svg"));
  const std::vector<std::vector<std::string>> refused = {
      {"outline", "punch.spt", "--svg", "punch.spt"},
      {"outline", "punch.spt", "--svg", "link.svg", "--force"},
      {"outline", "punch.spt", "--svg", "x.svg", "--dxf", "x.svg"},
      {"outline", "punch.spt", "--svg", "taken"},
      {"outline", "punch.spt", "--dxf", "taken"},
      {"upgrade", "old.lib", "-o", "taken"},
      {"upgrade", "old.lib", "-o", "old.lib", "--force"},
      {"view", "punch.spt", "-o", "taken"},
      {"import", "a.csv", "taken"},
      {"import", "a.csv", "a.csv", "--force"},
  };
  for (const auto& arguments : refused) {
    const CliResult result = Run(arguments);
    EXPECT_EQ(result.exitCode, 1) << arguments[1] << " " << arguments[3];
    EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
  }
  EXPECT_EQ(ReadFileBytes(PathOf("punch.spt")), special);
  EXPECT_EQ(ReadFileBytes(PathOf("taken")), "keep me");
  EXPECT_EQ(ReadFileBytes(PathOf("old.lib")), SampleLibrary(60));
  EXPECT_FALSE(FileExists(PathOf("x.svg")));

  EXPECT_EQ(Run({"outline", "punch.spt", "--svg", "taken", "--force"}).exitCode, 0);
  EXPECT_NE(ReadFileBytes(PathOf("taken")), "keep me");

  ASSERT_EQ(Run({"demo", "set"}).exitCode, 0);
  Write("set/tools.lib", "mine");
  EXPECT_EQ(Run({"demo", "set"}).exitCode, 1);
  EXPECT_EQ(ReadFileBytes(PathOf("set/tools.lib")), "mine");
  EXPECT_EQ(Run({"demo", "set", "--force"}).exitCode, 0);
}

TEST_F(CliOutputTest, ReplacingWritesThroughLinksAndKeepsModeAndOwner) {
  Write("real.lib", SampleLibrary(60));
  fs::create_symlink("real.lib", PathOf("link.lib"));
  ASSERT_EQ(::chmod(PathOf("real.lib").c_str(), 0600), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(PathOf("real.lib").c_str(), 65534, 65534), 0);
  }

  const CliResult upgrade = Run({"upgrade", "link.lib"});
  ASSERT_EQ(upgrade.exitCode, 0) << upgrade.err;
  EXPECT_TRUE(fs::is_symlink(PathOf("link.lib")));
  EXPECT_EQ(ReadFileBytes(PathOf("real.lib"))[0], 92);
  struct stat status {};
  ASSERT_EQ(::stat(PathOf("real.lib").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0600u);
  if (root) {
    EXPECT_EQ(status.st_uid, 65534u);
  }
}

using CliMessageTest = CliTest;

TEST_F(CliMessageTest, WhatIsNotAFileIsNamedAsSuch) {
  fs::create_directory(PathOf("folder"));
  ASSERT_EQ(::mkfifo(PathOf("pipe").c_str(), 0600), 0);
  const std::string library = Write("tools.lib", SampleLibrary(92));
  const std::vector<std::vector<std::string>> cases = {
      {"tools", "folder"}, {"import", "folder", "x.lib"}, {"upgrade", "folder"},
      {"outline", "folder"}, {"tools", library, "--stations", "folder"}};
  for (const auto& arguments : cases) {
    const CliResult result = Run(arguments);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("folder: is a folder"), std::string::npos) << result.err;
  }
  const CliResult device = Run({"tools", "/dev/zero"});
  EXPECT_NE(device.err.find("/dev/zero: is a device"), std::string::npos) << device.err;

  const CliResult check = Run({"check", "folder", "pipe", "/dev/null"});
  EXPECT_EQ(check.exitCode, 0);
  EXPECT_NE(check.out.find("folder: is a folder"), std::string::npos) << check.out;
  EXPECT_NE(check.out.find("pipe: is a named pipe"), std::string::npos) << check.out;
  EXPECT_NE(check.out.find("/dev/null: is a device"), std::string::npos) << check.out;
}

TEST_F(CliMessageTest, AnUnreadableFileIsPermissionDenied) {
  Write("locked.lib", SampleLibrary(92));
  ASSERT_EQ(::chmod(PathOf("locked.lib").c_str(), 0), 0);
  // Root reads any file: run as the unprivileged user "nobody" then.
  std::string command = "cd '" + scratch_.path() + "' && ";
  if (::geteuid() == 0) {
    if (!FileExists("/usr/bin/setpriv")) GTEST_SKIP() << "runs as root without setpriv";
    ASSERT_EQ(::chmod(scratch_.path().c_str(), 0755), 0);
    command += "/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups ";
  }
  for (const char* name : {"tools", "check"}) {
    const int status = std::system((command + "'" QUARNEL_CLI_PATH "' " + name + " locked.lib >out.txt 2>&1").c_str());
    EXPECT_NE(status, 0) << name;
    EXPECT_NE(ReadFileBytes(PathOf("out.txt")).find("locked.lib: permission denied"), std::string::npos)
        << ReadFileBytes(PathOf("out.txt"));
  }
}

TEST_F(CliMessageTest, UsageErrorsShareOneExitCodeAndOutputFailuresFail) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"bogus"}, {"tools"}, {"tools", "a", "--nope"}, {}}) {
    const CliResult result = Run(arguments);
    EXPECT_EQ(result.exitCode, 2) << result.err;
    EXPECT_EQ(result.err.rfind("quarnel: ", 0), 0u) << result.err;
  }
  EXPECT_NE(Run({"bogus"}).err.find("unknown command 'bogus'"), std::string::npos);

  const CliResult full = Run({"tools", Write("tools.lib", SampleLibrary(92))}, "", "/dev/full");
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_NE(full.err.find("standard output: cannot be written"), std::string::npos) << full.err;
}

using CliCsvTest = CliTest;

TEST_F(CliCsvTest, ReadsWhatSpreadsheetsWriteAndWarnsAboutWhatTheLibraryChanges) {
  const std::string csv = Write("sheet.csv",
                                "\xEF\xBB\xBF Type_Code ; SIZE ;x;keyed_count;type;station_1\r\n"
                                "1;5;5;2;RO;\r\n"
                                "3;nan;4;0;SQ;3\r\n"
                                "77;-1;1;1;;\r\n");
  const CliResult result = Run({"import", csv, "out.lib"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  for (const char* warning : {"line 2: keyed_count 2 of a round tool reads back as 0",
                              "line 3: type \"SQ\" contradicts type_code 3",
                              "line 3: keyed_count 0 of a type-3 tool reads back as 1",
                              "line 3: station_1 is not written", "line 4: type_code 77 has no type",
                              "line 4: size -1 is not above zero"}) {
    EXPECT_NE(result.err.find(warning), std::string::npos) << warning << "\n" << result.err;
  }
  EXPECT_EQ(Run({"-q", "import", csv, "quiet.lib"}).err, "");
  // What the listing writes imports again exactly, NaN included.
  const CliResult exported = Run({"tools", "out.lib", "--csv"});
  ASSERT_EQ(Run({"import", "-", "again.lib"}, Write("exported.csv", exported.out)).exitCode, 0);
  EXPECT_EQ(Run({"tools", "again.lib", "--csv"}).out, exported.out);
  EXPECT_NE(exported.out.find(",nan,"), std::string::npos) << exported.out;
}

// The keyed-count warnings of import name exactly the rows whose keyed count
// the library reads back changed, for every type code and keyed count.
TEST_F(CliCsvTest, WarnsAboutAKeyedCountExactlyWhenTheLibraryReadsItBackChanged) {
  std::string csv = "type_code,size,name,keyed_count,a1\n";
  std::vector<int> given;
  for (int code : {0, 1, 3, 9, 77, 103, 104, 105, 106, 107, 108, 109, 110}) {
    for (int keyed = 0; keyed <= 4; ++keyed) {
      csv += std::to_string(code) + ",10," + (code == 108 ? "NOFILE" : "") + "," + std::to_string(keyed) + ",0.5\n";
      given.push_back(keyed);
    }
  }
  const CliResult imported = Run({"import", Write("k.csv", csv), "k.lib"});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  const std::vector<std::string> listed = Lines(Run({"tools", "k.lib", "--csv"}).out);
  ASSERT_EQ(listed.size(), given.size() + 1);
  for (size_t row = 0; row < given.size(); ++row) {
    std::vector<std::string> cells;
    std::stringstream line(listed[row + 1]);
    for (std::string cell; std::getline(line, cell, ',');) cells.push_back(cell);
    ASSERT_GT(cells.size(), 8u) << listed[row + 1];
    const bool changed = std::stoi(cells[8]) != given[row];
    const std::string warning = "line " + std::to_string(row + 2) + ": keyed_count ";
    EXPECT_EQ(imported.err.find(warning) != std::string::npos, changed) << listed[row + 1] << "\n" << imported.err;
  }
}

TEST_F(CliCsvTest, CountsABadHeaderOnceAndStopsEarlyUnlessAskedForEveryError) {
  const CliResult header = Run({"import", Write("h.csv", "typ,sise,x,x\n1,5,1,1\n"), "h.lib"});
  EXPECT_NE(header.err.find("bad header"), std::string::npos) << header.err;
  EXPECT_EQ(header.err.find("bad rows"), std::string::npos) << header.err;

  std::string rows = "type_code,size\n";
  for (int i = 0; i < 50; ++i) rows += "1,wide\n";
  const std::string csv = Write("bad.csv", rows);
  const CliResult first = Run({"import", csv, "bad.lib"});
  EXPECT_NE(first.err.find("10 bad rows (reading stopped there)"), std::string::npos) << first.err;
  const CliResult all = Run({"import", csv, "bad.lib", "--all-errors"});
  EXPECT_EQ(Lines(all.err).size(), 51u);
  EXPECT_NE(all.err.find("50 bad rows"), std::string::npos);
  EXPECT_FALSE(FileExists(PathOf("bad.lib")));
  // A line is bounded: a file without line ends is not read whole.
  const CliResult endless = Run({"import", Write("long.csv", "type_code,size\n" + std::string(2 << 20, '1')), "l.lib"});
  EXPECT_NE(endless.err.find("line 2: the line is longer than 1 MiB"), std::string::npos) << endless.err;
}

}  // namespace
}  // namespace quarnel::testing
