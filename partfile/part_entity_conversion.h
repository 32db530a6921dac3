// How an outline entity is stored in a part drawing: the group-membership bit
// dropped, a pattern's seed position made 0-based, and a SINGLE D's flat side
// turned back by half a turn.
#pragma once

#include "quarnel/geometry.h"

namespace quarnel::partfile {

// The entity as a part drawing record holds it; `entity` itself is not changed.
GeomEntity PartDrawingEntity(const GeomEntity& entity);

}  // namespace quarnel::partfile
