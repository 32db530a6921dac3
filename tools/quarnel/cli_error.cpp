#include "cli_error.h"

#include <iostream>

namespace quarnel::cli {
namespace {
Verbosity g_verbosity = Verbosity::kNormal;
}

void SetVerbosity(Verbosity verbosity) { g_verbosity = verbosity; }
Verbosity CurrentVerbosity() { return g_verbosity; }

void Warn(const std::string& text) {
  if (g_verbosity == Verbosity::kQuiet) return;
  std::cout.flush();
  std::cerr << "quarnel: warning: " << text << "\n";
}

void Inform(const std::string& text) {
  if (g_verbosity != Verbosity::kQuiet) std::cout << text << "\n";
}

CliError LibraryFailure(const std::string& file, const std::string& what, int status) {
  return CliError(file + ": " + what + " (status " + std::to_string(status) + ")");
}

CliError FileFailure(const std::string& file, const std::string& what) {
  return CliError(file + ": " + what);
}

std::string ToolLibraryStatusText(int status) {
  switch (status) {
    case 0: return "done";
    case 1: return "the tool library file does not exist";
    case 2: return "the file could not be loaded or opened";
    case 3: return "the tool library could not be saved";
    case 5: return "the tool library holds no tools";
    default: return "unexpected failure";
  }
}

std::string SpecialToolStatusText(int status) {
  switch (status) {
    case 0: return "done";
    case 1: return "no such special-tool file";
    case 2: return "the special-tool file cannot be opened";
    case 3: return "the special-tool file has an unknown version";
    case 4: return "the special-tool file ended early";
    default: return "unexpected failure";
  }
}

}  // namespace quarnel::cli
