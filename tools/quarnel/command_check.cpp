// quarnel check FILE...
#include <iostream>
#include <memory>

#include "cli_error.h"
#include "commands.h"
#include "file_io.h"
#include "file_kind.h"
#include "library_access.h"
#include "special_tool_access.h"

namespace quarnel::cli {
namespace {

struct CheckOptions {
  std::vector<std::string> files;
};

// Whether the library loads a file of the identified kind; `result` says how it went.
bool Loads(const std::string& path, const FileIdentity& identity, std::string& result) {
  try {
    switch (identity.kind) {
      case FileKind::kToolLibrary: {
        const LibraryContents contents = ReadLibrary(path, std::nullopt);
        result = "loads (" + std::to_string(contents.tools.size()) + " tools)";
        return true;
      }
      case FileKind::kSpecialTool: {
        const SpecialToolOutline outline = ReadSpecialToolOutline(path);
        result = "loads (outline of " + std::to_string(outline.entities.size()) +
                 " lines and arcs)";
        return true;
      }
      case FileKind::kStationFile:
        // The library reads a station file only while it receives a tool
        // library; its two tables are all there, which is what it needs.
        result = "reads (both tables complete)";
        return true;
      case FileKind::kUnknown:
        break;
    }
  } catch (const CliError& error) {
    std::string message = error.what();
    if (message.rfind(path + ": ", 0) == 0) message.erase(0, path.size() + 2);
    result = "does not load: " + message;
    return false;
  }
  result = "is not a tool library, station file or special-tool file";
  return false;
}

// One line about one file; true when it loads.
bool CheckFile(const std::string& path) {
  const std::optional<std::string> bytes = IsRegularFile(path) ? ReadWholeFile(path) : std::nullopt;
  if (!bytes) {
    std::cout << path << ": no such file\n";
    return false;
  }
  const FileIdentity identity = IdentifyFile(*bytes);
  std::string line = path + ": ";
  if (identity.kind != FileKind::kUnknown) {
    line += FileKindName(identity.kind) + ", version " + std::to_string(identity.version) + ", " +
            identity.detail + ": ";
  }
  std::string result;
  bool ok = Loads(path, identity, result);
  if (ok && !identity.complete) {
    result = "ends early: the file is shorter than its layout, so its data are incomplete";
    ok = false;
  }
  std::cout << line << result << "\n";
  return ok;
}

void RunCheck(const CheckOptions& options) {
  size_t failed = 0;
  for (const std::string& path : options.files) {
    if (!CheckFile(path)) ++failed;
  }
  if (failed > 0) {
    throw CliError(std::to_string(failed) + " of " + std::to_string(options.files.size()) +
                   (options.files.size() == 1 ? " file does" : " files do") + " not load");
  }
}

}  // namespace

void AddCheckCommand(CLI::App& app) {
  auto options = std::make_shared<CheckOptions>();
  CLI::App* command = app.add_subcommand(
      "check",
      "Tell what each file is (tool library, station file or special-tool file, by its "
      "content), its version, and whether it loads. Fails when any does not.");
  command->add_option("FILE", options->files, "files to check")->required();
  command->callback([options] { RunCheck(*options); });
}

}  // namespace quarnel::cli
