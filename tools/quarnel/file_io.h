// File helpers of the command-line host (POSIX paths): what a command may
// read, what it may write, and writing a file so that it is replaced whole.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quarnel::cli {

// Checks that `path` names a regular file that this process may read; throws
// CliError naming what it is otherwise ("no such WHAT", "is a folder, not a
// WHAT", a named pipe, a device, "permission denied").
void RequireReadableFile(const std::string& path, const std::string& what);

// One file a command writes: its path and the option that named it ("" for
// an operand), for messages.
struct Output {
  std::string path;
  std::string option;
};

// The one rule for every command's outputs, checked before anything is
// written: an output is none of the command's `inputs` and none of its other
// outputs (the same file by any name, links included), and an existing
// output is replaced only with `force`. Throws CliError.
void RequireOutputsAllowed(const std::vector<Output>& outputs,
                           const std::vector<std::string>& inputs, bool force);

// A path next to `target` that does not exist yet, for writing before a rename.
std::string TemporarySibling(const std::string& target);

// Produces `target` safely: `write` fills a temporary file in the folder of
// the file `target` finally names (symbolic links followed) and returns
// false, or throws, when it failed; the temporary file then takes the mode
// and owner of the file it replaces and is renamed over it, so a link stays a
// link. Nothing is left behind on failure. Throws CliError naming `target`.
void ReplaceSafely(const std::string& target, const std::function<bool(const std::string&)>& write);

// Writes `bytes` to `target` through ReplaceSafely.
void WriteFileSafely(const std::string& target, const std::string& bytes);

// The whole content of the regular file at `path`, or nullopt when it cannot
// be read. A file larger than `limit` bytes is refused with a CliError naming
// it, so that no input makes the command hold more than its format needs.
std::optional<std::string> ReadWholeFile(const std::string& path, std::uintmax_t limit);

// The limit for files read whole: a special-tool file or an outline's JSON of
// a million entities (about 85 and 200 bytes each) fits.
constexpr std::uintmax_t kLargestWholeFileBytes = std::uintmax_t{256} << 20;

// True when `path` names an existing regular file.
bool IsRegularFile(const std::string& path);

}  // namespace quarnel::cli
