// An outline as an SVG drawing: to scale, y up, its viewBox fitted to the
// outline with a margin.
#pragma once

#include <string>
#include <vector>

#include "render/drawing_units.h"
#include "render/outline_geometry.h"

namespace quarnel::cli {

// The SVG text of `pieces`, one element per piece in order (<path> for lines
// and arcs, <circle> for full turns), in the outline's own coordinates under a
// y-flipping group; `title` names the drawing. Its width and height are the
// viewBox's in `units` ("30mm"), or unscaled user units when none are stated.
std::string OutlineSvg(const std::vector<DrawnPiece>& pieces, const std::string& title,
                       DrawingUnits units = DrawingUnits::kUnstated);

}  // namespace quarnel::cli
