// Everything the library keeps between calls, in one object: the state of the
// Send and Receive sequences (whose library is the module's current library),
// the special-tool family's three lists and the small buffers that lower
// layers write their texts and cached values into. Lower layers never reach
// this object: the entry points hand them the parts they act on.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "exports/outline_entity_list.h"
#include "quarnel/geometry.h"
#include "spectool/geom_item.h"
#include "spectool/geom_point.h"
#include "stations/station_table.h"
#include "store/vir_store.h"
#include "toollib/special_tool_folder.h"
#include "toollib/special_tool_link.h"
#include "toollib/tool_library.h"

namespace quarnel::exports {

struct ToolExchangeState {
  // The tool library file of the running sequence.
  std::string libraryPath;
  // Owned; the module's current library, into which special tools are tied
  // by whichever family's call ties one.
  std::unique_ptr<toollib::ToolLibrary> library;
  // The last new-library argument of StartSendTool.
  int32_t newLibrary = 0;
  std::unique_ptr<stations::StationTable> firstStations;
  std::unique_ptr<stations::StationTable> secondStations;
};

// The entities handed out by LoadGeometryAtIndex, held compactly.
using GeomEntityList = OutlineEntityList;

struct SpecialToolState {
  // Absent until the first OpenSpecialTool and again after CloseSpecialTool.
  std::optional<GeomEntityList> geomList;
  // The reader's list, emptied and refilled by OpenSpecialTool and LoadSpecialTool.
  spectool::GeomItemList readItems;
  // The entities handed out by GetGeometryAt and GetGeometryValuesAt.
  spectool::GeomItemList loadedItems;
};

struct ModuleState {
  ToolExchangeState exchange;
  SpecialToolState specialTools;
  // The text of the last SpecialToolFolder.
  toollib::SpecialToolFolderBuffer folder;
  // The two buffers SpecialToolName hands names out in, in turn.
  toollib::SpecialToolNameBuffers names;
  // The sine and cosine cache of every rotation.
  spectool::RotationCache rotations;
  // The text of the last ErrorText.
  store::ErrorTextBuffer storeErrorText;

  // Where special tools are tied to their files: the current library.
  toollib::SpecialToolLinks Links() { return {exchange.library.get(), folder}; }
};

// The one state of the module.
ModuleState& Module();

// Views into it, by the names the entry points use.
inline ToolExchangeState& ExchangeState() { return Module().exchange; }
inline std::optional<GeomEntityList>& GeomList() { return Module().specialTools.geomList; }
inline spectool::GeomItemList& ReadItemList() { return Module().specialTools.readItems; }
inline spectool::GeomItemList& LoadedItemList() { return Module().specialTools.loadedItems; }

}  // namespace quarnel::exports

namespace quarnel {

// Puts all of the module state back as the library starts: no library, no
// station tables, no GeomList, empty item lists, empty path and buffers, flag
// 0 and a rotation cache that has computed nothing. For tests.
void ResetModuleState();

}  // namespace quarnel
