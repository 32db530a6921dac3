#include "exports/tool_exchange_state.h"

#include "platform/file_system.h"

namespace quarnel::exports {

ToolExchangeState& ExchangeState() {
  static ToolExchangeState state;
  return state;
}

toollib::ToolLibrary& CreateCurrentLibrary() {
  ToolExchangeState& state = ExchangeState();
  auto library = std::make_unique<toollib::ToolLibrary>();
  toollib::SetCurrentLibrary(library.get());
  state.library = std::move(library);
  return *state.library;
}

void ReleaseCurrentLibrary() {
  ToolExchangeState& state = ExchangeState();
  if (state.library != nullptr && toollib::CurrentLibrary() == state.library.get()) {
    toollib::SetCurrentLibrary(nullptr);
  }
  state.library.reset();
}

int LoadNewCurrentLibrary(const char* path) {
  toollib::ToolLibrary& library = CreateCurrentLibrary();
  if (path == nullptr) return toollib::kFileCannotOpen;
  return library.Load(path);
}

int OpenLibraryFile(const std::string& path) {
  ToolExchangeState& state = ExchangeState();
  state.libraryPath = path;
  if (!platform::Files().Exists(path)) return kLibraryFileMissing;
  if (LoadNewCurrentLibrary(path.c_str()) != toollib::kLoadOk) return kLibraryNotLoaded;
  if (state.library->Count() == 0) {
    ReleaseCurrentLibrary();
    return kLibraryHasNoTools;
  }
  return kExchangeDone;
}

void ReleaseStationTables() {
  ToolExchangeState& state = ExchangeState();
  state.firstStations.reset();
  state.secondStations.reset();
}

void ResetToolExchangeState() {
  ReleaseCurrentLibrary();
  ReleaseStationTables();
  ToolExchangeState& state = ExchangeState();
  state.libraryPath.clear();
  state.newLibrary = 0;
}

}  // namespace quarnel::exports
