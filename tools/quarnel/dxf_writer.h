// An outline as an ASCII DXF drawing of LINE, ARC and CIRCLE entities.
#pragma once

#include <string>
#include <vector>

#include "outline_geometry.h"

namespace quarnel::cli {

// The DXF text (release 12 layout) of `pieces`, one entity per piece in order,
// on layer "OUTLINE". Arcs run counter-clockwise in degrees: a clockwise sweep
// is turned around so that it covers the same points.
std::string OutlineDxf(const std::vector<DrawnPiece>& pieces);

}  // namespace quarnel::cli
