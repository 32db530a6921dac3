// An outline as an ASCII DXF drawing (AutoCAD 2000 layout, written with
// dxflib) of LINE, ARC and CIRCLE entities.
#pragma once

#include <string>
#include <vector>

#include "render/drawing_units.h"
#include "render/outline_geometry.h"

namespace quarnel::cli {

// Writes the DXF of `pieces` to the file `path`, one entity per piece in
// order, on layer "OUTLINE"; $INSUNITS names `units` when they are given.
// Arcs run counter-clockwise in degrees: a clockwise sweep is turned around
// so that it covers the same points. False when the file cannot be written.
bool WriteOutlineDxf(const std::string& path, const std::vector<DrawnPiece>& pieces, DrawingUnits units);

}  // namespace quarnel::cli
