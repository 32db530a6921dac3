// Runs the built quarnel binary and the independent drawing checks.
#pragma once

#include <string>
#include <vector>

namespace quarnel::testing {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs quarnel with `arguments` in `folder`, capturing both output streams.
// `input` and `output`, when given, are files for standard input and output
// instead (result.out is then empty).
CliResult RunQuarnel(const std::vector<std::string>& arguments, const std::string& folder,
                     const std::string& input = "", const std::string& output = "");

// Runs one of the Python checks of this folder (check_dxf.py, check_svg.py)
// with Debian's python3; returns its exit status, its complaint in `message`.
int RunDrawingCheck(const std::string& script, const std::vector<std::string>& arguments,
                    std::string& message);

// Lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text);

}  // namespace quarnel::testing
