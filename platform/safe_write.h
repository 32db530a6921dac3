// Replacing a file without ever losing it: the new content goes to a temporary
// file in the same folder, which is moved over the target only once every write
// succeeded and the file was closed.
#pragma once

#include <functional>
#include <string>

#include "platform/file_system.h"

namespace quarnel::platform {

enum class SafeWriteResult { kDone, kOpenFailed, kWriteFailed };

// Calls `write` with the open temporary file; `write` returns false when a write
// failed. On any failure the temporary file is removed and `path` is untouched.
SafeWriteResult WriteFileSafely(const std::string& path, const std::function<bool(File&)>& write);

// The name of the temporary file used for `path`.
std::string TemporaryPathFor(const std::string& path);

}  // namespace quarnel::platform
