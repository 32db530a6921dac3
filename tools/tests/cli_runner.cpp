#include "cli_runner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/scratch_dir.h"

namespace quarnel::testing {
namespace fs = std::filesystem;
namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

int Run(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

CliResult RunQuarnel(const std::vector<std::string>& arguments, const std::string& folder,
                     const std::string& input, const std::string& output) {
  const std::string out = output.empty() ? (fs::path(folder) / ".quarnel-out").string() : output;
  const std::string err = (fs::path(folder) / ".quarnel-err").string();
  std::string command = "cd " + Quoted(folder) + " && " + Quoted(QUARNEL_CLI_PATH);
  for (const std::string& argument : arguments) command += " " + Quoted(argument);
  command += " >" + Quoted(out) + " 2>" + Quoted(err);
  if (!input.empty()) command += " <" + Quoted(input);
  CliResult result;
  result.exitCode = Run(command);
  result.err = ReadFileBytes(err);
  if (output.empty()) {
    result.out = ReadFileBytes(out);
    fs::remove(out);
  }
  fs::remove(err);
  return result;
}

int RunDrawingCheck(const std::string& script, const std::vector<std::string>& arguments,
                    std::string& message) {
  const std::string log = (fs::temp_directory_path() / ("quarnel-check-" +
                                                        std::to_string(::getpid()))).string();
  std::string command = "/usr/bin/python3 " + Quoted(std::string(QUARNEL_CLI_CHECKS) + "/" + script);
  for (const std::string& argument : arguments) command += " " + Quoted(argument);
  const int code = Run(command + " >" + Quoted(log) + " 2>&1");
  message = ReadFileBytes(log);
  fs::remove(log);
  return code;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace quarnel::testing
