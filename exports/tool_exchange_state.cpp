#include "exports/tool_exchange_state.h"

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
