// quarnel check FILE... [--json]
#include <glob.h>
#include <sys/stat.h>

#include <iostream>
#include <memory>

#include <nlohmann/json.hpp>

#include "cli_error.h"
#include "commands/commands.h"
#include "core/file_kind.h"
#include "file_io.h"
#include "host/special_tool_access.h"

namespace quarnel::cli {
namespace {

struct CheckOptions {
  std::vector<std::string> files;
  bool json = false;
};

// What check found about one path.
struct CheckResult {
  std::string path;
  FileIdentity identity;
  std::string result;  // the words after the kind
  bool skipped = false;  // not a file of a known kind: reported, not a failure
  bool failed = false;
};

// A pattern the shell did not expand (quoted, or from a script): its matches,
// in order; the pattern itself when nothing matches or it is a file's name.
std::vector<std::string> Expanded(const std::string& argument) {
  struct stat status {};
  if (argument.find_first_of("*?[") == std::string::npos || ::stat(argument.c_str(), &status) == 0) {
    return {argument};
  }
  glob_t matches{};
  std::vector<std::string> paths;
  if (::glob(argument.c_str(), 0, nullptr, &matches) == 0) {
    for (size_t i = 0; i < matches.gl_pathc; ++i) paths.emplace_back(matches.gl_pathv[i]);
  }
  ::globfree(&matches);
  if (paths.empty()) paths.push_back(argument);
  return paths;
}

CheckResult CheckFile(const std::string& path) {
  CheckResult check{path, {}, "", false, false};
  struct stat status {};
  const bool exists = ::stat(path.c_str(), &status) == 0;
  try {
    RequireReadableFile(path, "file");
  } catch (const CliError& error) {
    std::string message = error.what();
    message.erase(0, path.size() + 2);
    check.result = message;
    // A folder, a pipe or a device among the files is not a file to check.
    check.skipped = exists && !S_ISREG(status.st_mode);
    check.failed = !check.skipped;
    if (check.skipped) check.result += ": skipped";
    return check;
  }
  check.identity = IdentifyFile(path);
  const FileIdentity& identity = check.identity;
  if (identity.kind == FileKind::kUnknown) {
    check.result = "not a tool library, station file or special-tool file: skipped";
    check.skipped = true;
  } else if (!identity.reads) {
    check.result = "does not read: " + identity.problem;
    check.failed = true;
  } else if (identity.kind == FileKind::kSpecialTool) {
    try {
      const SpecialToolOutline outline = ReadSpecialToolOutline(path);
      check.result = "reads (outline of " + std::to_string(outline.entities.size()) + " lines and arcs)";
    } catch (const CliError& error) {
      check.result = std::string("does not read: ") + error.what();
      check.failed = true;
    }
  } else {
    check.result = "reads";
  }
  if (identity.reads && identity.bytesAfter) check.result += ", with bytes after the end of its data";
  return check;
}

std::string Line(const CheckResult& check) {
  const FileIdentity& identity = check.identity;
  std::string line = check.path + ": ";
  if (identity.kind != FileKind::kUnknown) {
    line += FileKindName(identity.kind) + ", version " + std::to_string(identity.version) + ", " +
            (identity.detail.empty() ? "" : identity.detail + ", ");
    if (CurrentVerbosity() == Verbosity::kVerbose) line += identity.evidence + ", ";
  }
  return line + check.result;
}

nlohmann::ordered_json Json(const CheckResult& check) {
  const FileIdentity& identity = check.identity;
  const bool known = identity.kind != FileKind::kUnknown;
  return {{"path", check.path},
          {"kind", known ? nlohmann::ordered_json(FileKindName(identity.kind)) : nullptr},
          {"version", known ? nlohmann::ordered_json(identity.version) : nullptr},
          {"detail", identity.detail},
          {"evidence", identity.evidence},
          {"reads", known && identity.reads},
          {"bytesAfter", identity.bytesAfter},
          {"skipped", check.skipped},
          {"failed", check.failed},
          {"result", check.result}};
}

void RunCheck(const CheckOptions& options) {
  std::vector<CheckResult> checks;
  for (const std::string& argument : options.files) {
    for (const std::string& path : Expanded(argument)) {
      checks.push_back(CheckFile(path));
      if (!options.json) std::cout << Line(checks.back()) << "\n";
    }
  }
  size_t failed = 0;
  nlohmann::ordered_json files = nlohmann::ordered_json::array();
  for (const CheckResult& check : checks) {
    failed += check.failed ? 1 : 0;
    files.push_back(Json(check));
  }
  if (options.json) {
    std::cout << nlohmann::ordered_json{{"files", files}, {"failed", failed}}.dump(2) << "\n";
  }
  if (failed > 0) {
    throw CliError(std::to_string(failed) + " of " + std::to_string(checks.size()) +
                   (checks.size() == 1 ? " file does" : " files do") + " not read");
  }
}

}  // namespace

void AddCheckCommand(CLI::App& app) {
  auto options = std::make_shared<CheckOptions>();
  CLI::App* command = app.add_subcommand(
      "check",
      "Tell what each file is (tool library, station file or special-tool file: by its "
      "extension, else by what the library reads in it), its version, and whether it reads. "
      "Files of no known kind, folders, pipes and devices are reported and skipped; a missing "
      "or unreadable file, or one that does not read as its kind, fails. A quoted pattern "
      "('dir/*') is expanded.");
  command->add_option("FILE", options->files, "files to check")->required();
  command->add_flag("--json", options->json, "print JSON: one object per file");
  command->callback([options] { RunCheck(*options); });
}

}  // namespace quarnel::cli
