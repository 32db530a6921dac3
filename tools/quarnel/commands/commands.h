// The subcommands of quarnel. Each Add*Command registers one subcommand with
// its options and help; running it prints its result on standard output and
// throws CliError when it fails.
#pragma once

#include <CLI/CLI.hpp>

namespace quarnel::cli {

void AddToolsCommand(CLI::App& app);
void AddUpgradeCommand(CLI::App& app);
void AddImportCommand(CLI::App& app);
void AddOutlineCommand(CLI::App& app);
void AddViewCommand(CLI::App& app);
void AddCheckCommand(CLI::App& app);
void AddDemoCommand(CLI::App& app);
void AddSheetCommand(CLI::App& app);
void WriteDemoSheet(const std::string& library, const std::string& stations, const std::string& output);
void AddCreateSpecialCommand(CLI::App& app);
void AddAddCommand(CLI::App& app);

}  // namespace quarnel::cli
