#include "exports/tool_exchange_state.h"

#include "platform/file_system.h"

namespace quarnel::exports {

toollib::ToolLibrary& CreateCurrentLibrary() {
  ToolExchangeState& state = ExchangeState();
  state.library = std::make_unique<toollib::ToolLibrary>();
  return *state.library;
}

void ReleaseCurrentLibrary() { ExchangeState().library.reset(); }

int LoadNewCurrentLibrary(const char* path) {
  toollib::ToolLibrary& library = CreateCurrentLibrary();
  if (path == nullptr) return toollib::kFileCannotOpen;
  return library.Load(path, Module().folder);
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

}  // namespace quarnel::exports
