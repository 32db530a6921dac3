// quarnel upgrade LIBRARY [--output FILE]
#include <iostream>
#include <memory>

#include "commands/commands.h"
#include "core/file_kind.h"
#include "file_io.h"
#include "host/library_access.h"

namespace quarnel::cli {
namespace {

struct UpgradeOptions {
  std::string library;
  std::string output;
  bool force = false;
};

void RunUpgrade(const UpgradeOptions& options) {
  RequireFileKind(options.library, FileKind::kToolLibrary);
  // In place is its own explicit request; an --output is an output like any other.
  if (!options.output.empty()) {
    RequireOutputsAllowed({{options.output, "--output"}}, {options.library}, options.force);
  }
  const std::string target = options.output.empty() ? options.library : options.output;
  const FileIdentity before = IdentifyFile(options.library, FileKind::kToolLibrary);
  UpgradeLibrary(options.library, target);
  const LibraryContents after = ReadLibrary(target, std::nullopt);
  std::cout << options.library << ": ";
  if (before.kind == FileKind::kToolLibrary) std::cout << "version " << before.version << ", ";
  std::cout << after.tools.size() << (after.tools.size() == 1 ? " tool" : " tools")
            << ", saved as version 92 to " << target << "\n";
}

}  // namespace

void AddUpgradeCommand(CLI::App& app) {
  auto options = std::make_shared<UpgradeOptions>();
  CLI::App* command = app.add_subcommand(
      "upgrade",
      "Load a tool library of any version and save it as version 92: in place (replaced "
      "safely, the original stays if anything fails) or to --output.");
  command->add_option("LIBRARY", options->library, "tool library file")->required();
  command->add_option("--output,-o", options->output,
                      "write the upgraded library here instead (never over LIBRARY itself)");
  command->add_flag("--force,-f", options->force, "replace the --output file when it exists");
  command->callback([options] { RunUpgrade(*options); });
}

}  // namespace quarnel::cli
