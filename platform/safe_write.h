// Replacing a file without ever losing it, a power cut included: the new
// content goes to a temporary file in the same folder, which is flushed to the
// storage device, closed and only then moved over the target; the folder is
// flushed after the move, so that the name cannot point at an empty file.
#pragma once

#include <functional>
#include <string>

#include "platform/file_system.h"
#include "platform/status.h"

namespace quarnel::platform {

// Calls `write` with the open temporary file; `write` returns false when a write
// failed. kOk when `path` holds the new content, kFileCannotOpen when the
// temporary file cannot be created, else kFileWriteFailed. On any failure
// before the move the temporary file is removed and `path` is untouched.
// When only the folder's flush after the move fails, `path` holds the new
// content but its survival of a power cut is not assured: that is reported as
// a failed write too.
StatusCode WriteFileSafely(const std::string& path, const std::function<bool(File&)>& write);

// The name of the temporary file used for `path`.
std::string TemporaryPathFor(const std::string& path);

}  // namespace quarnel::platform
