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

StatusCode LoadNewCurrentLibrary(const char* path) {
  toollib::ToolLibrary& library = CreateCurrentLibrary();
  if (path == nullptr) return StatusCode::kFileCannotOpen;
  return library.Load(path);
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

void ResetToolExchangeState() {
  ReleaseCurrentLibrary();
  ReleaseStationTables();
  ToolExchangeState& state = ExchangeState();
  state.libraryPath.clear();
  state.newLibrary = 0;
}

}  // namespace quarnel::exports
