// quarnel add LIBRARY --special NAME.spt [--force]
#include <iostream>
#include <memory>

#include "commands/commands.h"
#include "host/add_special_tool.h"

namespace quarnel::cli {
namespace {

struct AddOptions {
  std::string library;
  std::string special;
  bool force = false;
};

void RunAdd(const AddOptions& options) {
  const AddedSpecialTool added = AddSpecialTool(options.library, options.special, options.force);
  if (added.copied) std::cout << "copied " << options.special << " to " << added.folderCopy << "\n";
  std::cout << options.library << ": special tool " << added.name
            << (added.replaced ? " replaced in place" : added.newLibrary ? " in a new library" : " added")
            << ", " << added.toolCount << (added.toolCount == 1 ? " tool" : " tools") << ", version 92\n";
}

}  // namespace

void AddAddCommand(CLI::App& app) {
  auto options = std::make_shared<AddOptions>();
  CLI::App* command = app.add_subcommand(
      "add",
      "Put a special tool into a tool library through the Send entry points (a new library when LIBRARY "
      "does not exist), with its file copied into the profile's special-tool folder, where the library "
      "finds it by name. A special tool of the same name is overwritten in place.");
  command->add_option("LIBRARY", options->library, "tool library file")->required();
  command->add_option("--special", options->special, "special-tool file (.spt); its name names the tool")
      ->required();
  command->add_flag("--force", options->force,
                    "rewrite the library even when the Send entry points cannot carry all it holds, and replace "
                    "a different file of the same name in the special-tool folder");
  command->callback([options] { RunAdd(*options); });
}

}  // namespace quarnel::cli
