#include "exports/module_state.h"

namespace quarnel {
namespace exports {

ModuleState& Module() {
  static ModuleState state;
  return state;
}

}  // namespace exports

void ResetModuleState() {
  exports::ModuleState& state = exports::Module();
  state.exchange = exports::ToolExchangeState{};
  state.specialTools.geomList.reset();
  state.specialTools.readItems.Clear();
  state.specialTools.loadedItems.Clear();
  state.folder = {};
  state.names = {};
  state.rotations = {};
  state.storeErrorText = {};
}

}  // namespace quarnel
