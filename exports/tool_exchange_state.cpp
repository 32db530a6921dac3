#include "exports/tool_exchange_state.h"

#include "platform/file_system.h"

namespace quarnel::exports {

toollib::ToolLibrary& CreateCurrentLibrary() {
  ToolExchangeState& state = ExchangeState();
  state.library = std::make_unique<toollib::ToolLibrary>();
  return *state.library;
}

void ReleaseCurrentLibrary() { ExchangeState().library.reset(); }

StatusCode LoadNewCurrentLibrary(const char* path) {
  toollib::ToolLibrary& library = CreateCurrentLibrary();
  if (path == nullptr) return StatusCode::kFileCannotOpen;
  return library.Load(path, Module().folder);
}

int OpenLibraryFile(const std::string& path) {
  ToolExchangeState& state = ExchangeState();
  state.libraryPath = path;
  if (!platform::Files().Exists(path)) {
    return ExchangeResult(ExchangeStep::kOpen, StatusCode::kFileMissing);
  }
  const StatusCode loaded = LoadNewCurrentLibrary(path.c_str());
  if (loaded != StatusCode::kOk) return ExchangeResult(ExchangeStep::kOpen, loaded);
  if (state.library->Count() == 0) {
    ReleaseCurrentLibrary();
    return QUARNEL_LIBRARY_HAS_NO_TOOLS;
  }
  return QUARNEL_EXCHANGE_DONE;
}

void ReleaseStationTables() {
  ToolExchangeState& state = ExchangeState();
  state.firstStations.reset();
  state.secondStations.reset();
}

}  // namespace quarnel::exports
