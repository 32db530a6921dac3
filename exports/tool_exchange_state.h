// What the Send and Receive entry points do with their part of the module
// state: the library path, the library of the running sequence (the module's
// current library), the new-library flag and the two station tables.
#pragma once

#include <string>

#include "exports/export_status.h"
#include "exports/guard.h"
#include "exports/module_state.h"
#include "toollib/tool_file.h"
#include "toollib/tool_library.h"

namespace quarnel::exports {


// Replaces the sequence's library by a new empty one and makes it the current
// library; the earlier library, if any, is dropped unsaved.
toollib::ToolLibrary& CreateCurrentLibrary();
// Drops the sequence's library and clears the current library that pointed to it.
void ReleaseCurrentLibrary();
// Creates the sequence's library as the current library and loads the file
// at `path` into it; the status of the load (cannot open for a null path).
StatusCode LoadNewCurrentLibrary(const char* path);
// The opening that SendTools and ReceiveTools share: remembers `path` as the
// library path; QUARNEL_LIBRARY_FILE_MISSING when no file is there (tested
// with the full path that the load then opens), QUARNEL_LIBRARY_NOT_LOADED
// when it cannot be loaded (the library stays current),
// QUARNEL_LIBRARY_HAS_NO_TOOLS when it holds no tools (the library is
// dropped), else QUARNEL_EXCHANGE_DONE.
int OpenLibraryFile(const std::string& path);
// Drops both station tables.
void ReleaseStationTables();

// Runs an entry point that creates, loads or saves the sequence's library.
// If anything escapes, the library is dropped, so that no later call saves a
// half-read library over the host's file, and the answer is `failure`.
template <typename Body>
int GuardedExchange(int failure, Body&& body) noexcept {
  return Guarded(failure, [&body]() -> int {
    try {
      return body();
    } catch (...) {
      ReleaseCurrentLibrary();
      throw;
    }
  });
}

}  // namespace quarnel::exports
