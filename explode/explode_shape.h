// ExplodeShape: turns one shape entity into the lines and arcs that draw it.
#pragma once

#include <cstdint>

#include "quarnel/geometry.h"
#include "spectool/geom_point.h"

namespace quarnel::explode {

// No shape produces more pieces than this.
inline constexpr int kMaxPieces = 8;

// Turns one shape entity into at most eight "LINE"/"ARC" pieces written to
// slots[0..count-1]; slots point at the 53 entity bytes of the caller's host
// entity objects (after their object header, which is never touched). Rotated
// points are turned through `rotations` (the module's shared cache). The
// result is true whatever the input: nothing here can fail, so callers read
// the count and never branch on the result.
bool ExplodeShape(const GeomEntity& source, int32_t* count, GeomEntity* const slots[kMaxPieces],
                  spectool::RotationCache& rotations);

}  // namespace quarnel::explode
