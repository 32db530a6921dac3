// How a command fails: one line for standard error that names the file, says
// what went wrong in words and, where the library answered, its status code.
#pragma once

#include <stdexcept>
#include <string>

namespace quarnel::cli {

// Exit statuses, the same for every command.
inline constexpr int kExitFailure = 1;     // a command failed (its one line says why)
inline constexpr int kExitUsage = 2;       // the command line itself is wrong
inline constexpr int kExitUnexpected = 3;  // a failure the command did not foresee

class CliError : public std::runtime_error {
 public:
  explicit CliError(const std::string& message) : std::runtime_error(message) {}
};

// "FILE: WHAT (status N)": a failure reported by the library.
CliError LibraryFailure(const std::string& file, const std::string& what, int status);

// "FILE: WHAT": a failure found by the tool itself.
CliError FileFailure(const std::string& file, const std::string& what);

// How much the commands say besides their results: -q keeps only results and
// failures, -v adds how each input's kind was decided.
enum class Verbosity { kQuiet, kNormal, kVerbose };
void SetVerbosity(Verbosity verbosity);
Verbosity CurrentVerbosity();

// "quarnel: warning: TEXT" on standard error, unless quiet.
void Warn(const std::string& text);

// TEXT as a line of standard output, unless quiet (what was written where).
void Inform(const std::string& text);

// The meaning of a status of the Send and Receive entry points.
std::string ToolLibraryStatusText(int status);

// The meaning of a status of the special-tool entry points.
std::string SpecialToolStatusText(int status);

}  // namespace quarnel::cli
