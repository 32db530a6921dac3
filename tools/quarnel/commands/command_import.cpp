// quarnel import CSV LIBRARY [--force] [--all-errors]
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "cli_error.h"
#include "commands/commands.h"
#include "file_io.h"
#include "host/library_access.h"
#include "platform/file_system.h"
#include "render/tool_listing.h"
#include "toollib/special_tool_folder.h"

namespace quarnel::cli {
namespace {

struct ImportOptions {
  std::string csv;
  std::string library;
  bool force = false;
  bool allErrors = false;
};

// Without --all-errors, at most this many bad rows are read and named.
constexpr size_t kProblemsShown = 10;

// "-" names standard input and standard output.
constexpr const char* kStandardStream = "-";

// Whether the special-tool folder of the profile holds NAME.spt (the core's
// own reading of the folder setting; no library state is involved).
bool SpecialToolFileExists(const std::string& name) {
  toollib::SpecialToolFolderBuffer folder;
  return platform::Files().Exists(std::string(toollib::SpecialToolFolder(folder)) + name + ".spt");
}

void ReportProblems(const std::string& csv, const CsvImport& read, bool allErrors) {
  const std::vector<CsvProblem>& problems = read.problems;
  if (read.badHeader) {
    throw FileFailure(csv, "bad header, nothing was written: line " +
                               std::to_string(problems[0].line) + ": " + problems[0].what);
  }
  if (allErrors) {
    for (const CsvProblem& problem : problems) {
      std::cerr << "quarnel: " << csv << ": line " << problem.line << ": " << problem.what << "\n";
    }
  }
  std::string message = std::to_string(problems.size()) + (problems.size() == 1 ? " bad row" : " bad rows") +
                        (!allErrors && problems.size() >= kProblemsShown ? " (reading stopped there)" : "") +
                        ", nothing was written" + (allErrors ? "" : ":");
  for (size_t i = 0; !allErrors && i < problems.size(); ++i) {
    message += (i > 0 ? ";" : "") + std::string(" line ") + std::to_string(problems[i].line) + ": " +
               problems[i].what;
  }
  throw FileFailure(csv, message);
}

// Writes the new library to standard output: the library writes files only,
// so it goes through a temporary file.
void WriteLibraryToStandardOutput(const std::vector<ToolRow>& tools) {
  const char* folder = std::getenv("TMPDIR");
  const std::string temporary = TemporarySibling(
      std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/quarnel-import.lib");
  struct Remove {
    std::string path;
    ~Remove() { std::error_code ignored; std::filesystem::remove(path, ignored); }
  } remove{temporary};
  WriteNewLibrary(temporary, tools);
  std::ifstream in(temporary, std::ios::binary);
  std::cout << in.rdbuf();
}

void RunImport(const ImportOptions& options) {
  const bool fromStandardInput = options.csv == kStandardStream;
  const bool toStandardOutput = options.library == kStandardStream;
  if (toStandardOutput && ::isatty(STDOUT_FILENO)) {
    throw FileFailure(options.library, "a tool library is binary; redirect standard output to a file");
  }
  if (!fromStandardInput) RequireReadableFile(options.csv, "CSV file");
  if (!toStandardOutput) {
    RequireOutputsAllowed({{options.library, ""}},
                          fromStandardInput ? std::vector<std::string>{} : std::vector{options.csv},
                          options.force);
  }
  std::ifstream file;
  if (!fromStandardInput) file.open(options.csv, std::ios::binary);
  std::istream& in = fromStandardInput ? std::cin : file;
  const std::string csvName = fromStandardInput ? "standard input" : options.csv;
  const CsvImport read =
      ToolsFromCsv(in, options.allErrors ? 0 : kProblemsShown, SpecialToolFileExists);
  if (!read.problems.empty()) ReportProblems(csvName, read, options.allErrors);
  for (const CsvProblem& warning : read.warnings) {
    Warn(csvName + ": line " + std::to_string(warning.line) + ": " + warning.what);
  }
  if (toStandardOutput) {
    WriteLibraryToStandardOutput(read.tools);
    return;
  }
  WriteNewLibrary(options.library, read.tools);
  Inform(options.library + ": " + std::to_string(read.tools.size()) +
         (read.tools.size() == 1 ? " tool" : " tools") + " from " + csvName + ", written as version 92");
}

}  // namespace

void AddImportCommand(CLI::App& app) {
  auto options = std::make_shared<ImportOptions>();
  CLI::App* command = app.add_subcommand(
      "import",
      "Create a new version-92 tool library from a CSV of tools with the columns of 'quarnel "
      "tools --csv' (matched by name; type_code and size are required). Bad rows are reported "
      "with their line numbers and nothing is written; values the library will change or "
      "ignore are warned about. A CSV of a header alone makes an empty library.");
  command->add_option("CSV", options->csv, "CSV file of tools ('-': standard input)")->required();
  command->add_option("LIBRARY", options->library, "tool library file to create ('-': standard output)")
      ->required();
  command->add_flag("--force,-f", options->force, "replace LIBRARY when it exists");
  command->add_flag("--all-errors", options->allErrors,
                    "read the whole CSV and name every bad row, one per line");
  command->callback([options] { RunImport(*options); });
}

}  // namespace quarnel::cli
