// The outline that the host receives for a special tool: only lines and arcs.
#pragma once

#include <cstddef>
#include <functional>

#include "quarnel/geometry.h"
#include "spectool/geom_item.h"
#include "spectool/pattern_expansion.h"

namespace quarnel::exports {

// An outline ends after this many entities, so that a small file whose items
// each explode into eight pieces cannot make the host's process hold more than
// about 256 MB (per entity: at most 60 bytes in GeomList, 12 when it repeats
// another's fields elsewhere, 93 in LoadedItemList, next to the 93 of each of
// at most as many items in ReadItemList).
inline constexpr size_t kMaxOutlineEntities = spectool::kMaxExpandedItems;

using OutlineSink = std::function<void(const GeomEntity&)>;

// Hands `deliver` the outline of `expanded` (an item list whose patterns were
// expanded), in list order: lines and arcs as they are, "POINT"s dropped, every
// other item replaced by its exploded pieces in slot order (none for items
// without a shape). Stops after kMaxOutlineEntities entities; returns how many
// were delivered.
size_t DeliverOutline(spectool::GeomItemList& expanded, const OutlineSink& deliver);

}  // namespace quarnel::exports
