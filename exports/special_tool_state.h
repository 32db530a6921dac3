// The special-tool family's module state: the outline of the last
// OpenSpecialTool (GeomList), the items of the last special-tool file read
// (ReadItemList) and the outline of the last LoadSpecialTool (LoadedItemList).
#pragma once

#include <optional>
#include <vector>

#include "exports/outline_entity_list.h"
#include "quarnel/geometry.h"
#include "spectool/geom_item.h"

namespace quarnel::exports {

// The entities handed out by LoadGeometryAtIndex, owned by value; absent
// until the first OpenSpecialTool and again after CloseSpecialTool.
using GeomEntityList = OutlineEntityList;
std::optional<GeomEntityList>& GeomList();

// The reader's list, emptied and refilled by OpenSpecialTool and LoadSpecialTool.
spectool::GeomItemList& ReadItemList();

// The entities handed out by GetGeometryAt and GetGeometryValuesAt.
spectool::GeomItemList& LoadedItemList();

// Puts the three back as the library starts: no GeomList, both item lists empty.
void ResetSpecialToolState();

}  // namespace quarnel::exports
