// quarnel import CSV LIBRARY [--force]
#include <iostream>
#include <memory>

#include "cli_error.h"
#include "commands.h"
#include "file_io.h"
#include "library_access.h"
#include "tool_listing.h"

namespace quarnel::cli {
namespace {

struct ImportOptions {
  std::string csv;
  std::string library;
  bool force = false;
};

// At most this many bad rows are named in the one error line.
constexpr size_t kProblemsShown = 10;

void RunImport(const ImportOptions& options) {
  const std::optional<std::string> text = ReadWholeFile(options.csv);
  if (!text || !IsRegularFile(options.csv)) throw FileFailure(options.csv, "no such CSV file");
  if (!options.force && IsRegularFile(options.library)) {
    throw FileFailure(options.library, "already exists; nothing was written (--force replaces it)");
  }
  std::vector<CsvProblem> problems;
  const std::vector<ToolRow> tools = ToolsFromCsv(*text, problems);
  if (!problems.empty()) {
    std::string message = std::to_string(problems.size()) +
                          (problems.size() == 1 ? " bad row" : " bad rows") +
                          ", nothing was written:";
    for (size_t i = 0; i < problems.size() && i < kProblemsShown; ++i) {
      message += (i > 0 ? ";" : "") + std::string(" line ") + std::to_string(problems[i].line) +
                 ": " + problems[i].what;
    }
    if (problems.size() > kProblemsShown) message += "; ...";
    throw FileFailure(options.csv, message);
  }
  if (tools.empty()) throw FileFailure(options.csv, "holds no tools; nothing was written");
  WriteNewLibrary(options.library, tools);
  std::cout << options.library << ": " << tools.size() << (tools.size() == 1 ? " tool" : " tools")
            << " from " << options.csv << ", written as version 92\n";
}

}  // namespace

void AddImportCommand(CLI::App& app) {
  auto options = std::make_shared<ImportOptions>();
  CLI::App* command = app.add_subcommand(
      "import",
      "Create a new version-92 tool library from a CSV of tools with the columns of 'quarnel "
      "tools --csv' (matched by name; type_code and size are required). Bad rows are reported "
      "with their line numbers and nothing is written.");
  command->add_option("CSV", options->csv, "CSV file of tools")->required();
  command->add_option("LIBRARY", options->library, "tool library file to create")->required();
  command->add_flag("--force", options->force, "replace LIBRARY when it exists");
  command->callback([options] { RunImport(*options); });
}

}  // namespace quarnel::cli
