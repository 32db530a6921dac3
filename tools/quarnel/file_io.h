// File helpers of the command-line host (POSIX paths).
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quarnel::cli {

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// A path next to `target` that does not exist yet, for writing before a rename.
std::string TemporarySibling(const std::string& target);

// Produces `target` safely: `write` fills a temporary file next to it (and
// returns false, or throws, when it failed), which then replaces `target`.
// Nothing is left behind on failure. Throws CliError naming `target`.
void ReplaceSafely(const std::string& target, const std::function<bool(const std::string&)>& write);

// Writes `bytes` to `target` through ReplaceSafely.
void WriteFileSafely(const std::string& target, const std::string& bytes);

// True when `path` names an existing regular file.
bool IsRegularFile(const std::string& path);

}  // namespace quarnel::cli
