// A scratch folder per test (drive C: and the profile mapped into it) and the
// files and runs that the end-to-end tests share.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli_runner.h"
#include "tests/support/library_writer.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/special_tool_writer.h"
#include "tests/support/station_writer.h"

namespace quarnel::testing {

class CliTest : public ::testing::Test {
 protected:
  // Writes `bytes` to `name` in the scratch folder; returns its path.
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = scratch_.path() + "/" + name;
    WriteFileBytes(path, bytes);
    return path;
  }
  std::string PathOf(const std::string& name) const { return scratch_.path() + "/" + name; }
  CliResult Run(const std::vector<std::string>& arguments, const std::string& input = "",
                const std::string& output = "") {
    return RunQuarnel(arguments, scratch_.path(), input, output);
  }
  // Runs a command that prints JSON and must succeed.
  nlohmann::json RunJson(const std::vector<std::string>& arguments) {
    const CliResult result = Run(arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return nlohmann::json::parse(result.out, nullptr, false);
  }

  ScratchDir scratch_;
};

// Tools of a typical library: a round, a rectangle, a triangle and a special tool.
inline std::vector<ToolFields> SampleTools() {
  ToolFields round;
  round.typeCode = 1;
  round.size = 10.0f;
  round.x = 10.0f;
  round.dieClearanceCount = 1;
  round.dieClearances = {0.2f, 0, 0, 0};
  round.valueA = 30.0f;
  ToolFields rectangle;
  rectangle.typeCode = 3;
  rectangle.size = 20.0f;
  rectangle.x = 20.0f;
  rectangle.y = 5.0f;
  rectangle.keyedCount = 2;
  rectangle.angles = {0.0f, 1.5707964f, 0, 0};
  rectangle.valueC = 7.5f;
  ToolFields triangle;
  triangle.typeCode = 107;
  triangle.size = 20.0f;
  triangle.x = 20.0f;
  triangle.y = 17.0f;
  triangle.keyedCount = 1;
  ToolFields special = SpecialToolFields();
  special.size = 66.0f;
  special.specialToolIndex = 1;
  special.specialPath = "C:\\SPT\\PUNCH7.spt";
  special.x = 66.0f;
  special.y = 40.0f;
  return {round, rectangle, triangle, special};
}

inline std::string SampleLibrary(int version) {
  LibraryFileFields file;
  file.version = version;
  file.tools = SampleTools();
  file.paths = {"C:\\SPT\\PUNCH7.spt"};
  return BuildLibraryFile(file);
}

}  // namespace quarnel::testing
