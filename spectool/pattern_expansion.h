// Pattern expansion: every line, grid, circle and arc pattern of an item list
// is replaced by copies of the item it repeats, appended to the list, and the
// pattern itself becomes a "POINT".
#pragma once

#include <cstdint>

#include "spectool/geom_item.h"
#include "spectool/geom_point.h"

namespace quarnel::spectool {

// The expansion makes no further copies once the list holds this many items
// (and the reader keeps no more than this many), so that absurd counts such as
// 1e9, infinity or a 100000 by 100000 grid end with bounded memory, while a
// real grid of a million holes still expands whole. Fuzz builds choose a
// smaller limit at build time so that every input stays cheap to run; the
// code that applies it is the same.
#ifdef QUARNEL_EXPANSION_LIMIT
inline constexpr uint32_t kMaxExpandedItems = QUARNEL_EXPANSION_LIMIT;
#else
inline constexpr uint32_t kMaxExpandedItems = 1000000;
#endif

// Expands every pattern of `list` in list order, the copies' own patterns
// included; returns the number of items in the list afterwards.
int32_t ExpandPatterns(GeomItemList& list);

// Places the copies of `pattern` (the item at `position`) and turns that item
// into a "POINT" with ref 0 and flag bits 0 and 1 cleared.
void ExpandPattern(GeomItemList& list, const GeomItem& pattern, int32_t position);

// Appends a copy of the item at `seed_position` placed at `target`, keeping only
// the flag bits of `mask`, together with whatever hangs on it: a pattern's seed
// or a group's members.
void InsertCopy(GeomItemList& list, int32_t seed_position, GeomPoint target, uint32_t mask);

}  // namespace quarnel::spectool
