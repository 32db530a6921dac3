// How a command fails: one line for standard error that names the file, says
// what went wrong in words and, where the library answered, its status code.
#pragma once

#include <stdexcept>
#include <string>

namespace quarnel::cli {

class CliError : public std::runtime_error {
 public:
  explicit CliError(const std::string& message) : std::runtime_error(message) {}
};

// "FILE: WHAT (status N)": a failure reported by the library.
CliError LibraryFailure(const std::string& file, const std::string& what, int status);

// "FILE: WHAT": a failure found by the tool itself.
CliError FileFailure(const std::string& file, const std::string& what);

// The meaning of a status of the Send and Receive entry points.
std::string ToolLibraryStatusText(int status);

// The meaning of a status of the special-tool entry points.
std::string SpecialToolStatusText(int status);

}  // namespace quarnel::cli
