// What the Send and Receive entry points do with their part of the module
// state: the library path, the library of the running sequence (the module's
// current library), the new-library flag and the two station tables.
#pragma once

#include <string>

#include "exports/guard.h"
#include "exports/module_state.h"
#include "toollib/tool_file.h"
#include "toollib/tool_library.h"

namespace quarnel::exports {

// Status codes of the Send and Receive entry points.
inline constexpr int kExchangeDone = 0;
inline constexpr int kLibraryFileMissing = 1;
inline constexpr int kLibraryNotLoaded = 2;  // also: the station file cannot be opened
inline constexpr int kLibraryNotSaved = 3;
inline constexpr int kLibraryHasNoTools = 5;

// Replaces the sequence's library by a new empty one and makes it the current
// library; the earlier library, if any, is dropped unsaved.
toollib::ToolLibrary& CreateCurrentLibrary();
// Drops the sequence's library and clears the current library that pointed to it.
void ReleaseCurrentLibrary();
// Creates the sequence's library as the current library and loads the file
// at `path` into it; the status of the load (cannot open for a null path).
int LoadNewCurrentLibrary(const char* path);
// The opening that SendTools and ReceiveTools share: remembers `path` as the
// library path; 1 when no file is there (tested with the full path that the
// load then opens), 2 when it cannot be loaded (the library stays current),
// 5 when it holds no tools (the library is dropped), else 0.
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
