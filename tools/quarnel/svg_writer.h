// An outline as an SVG drawing: to scale, y up, fitted with a margin.
#pragma once

#include <string>
#include <vector>

#include "outline_geometry.h"

namespace quarnel::cli {

// The SVG text of `pieces`, one element per piece in order (<path> for lines
// and arcs, <circle> for full turns), in the outline's own coordinates under a
// y-flipping group; `title` names the drawing.
std::string OutlineSvg(const std::vector<DrawnPiece>& pieces, const std::string& title);

}  // namespace quarnel::cli
