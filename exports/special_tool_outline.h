// The outline that the host receives for a special tool: only lines and arcs.
#pragma once

#include <vector>

#include "quarnel/geometry.h"
#include "spectool/geom_item.h"

namespace quarnel::exports {

// The outline of `expanded` (an item list whose patterns were expanded), in
// list order: lines and arcs as they are, "POINT"s dropped, every other item
// replaced by its exploded pieces in slot order (none for items without a shape).
std::vector<GeomEntity> OutlineOf(spectool::GeomItemList& expanded);

}  // namespace quarnel::exports
