// Polylines with bulges as outline entities: their lines and arcs, or, for a
// closed polyline that is exactly a rectangle, an obround or a rounded-corner
// rectangle, that one shape.
#pragma once

#include <optional>
#include <vector>

#include "quarnel/geometry.h"

namespace quarnel::cli {

// A polyline vertex; the bulge (tan of a quarter of the arc's sweep, positive
// counter-clockwise) shapes the segment to the next vertex.
struct PolylineVertex {
  double x = 0.0, y = 0.0, bulge = 0.0;
};

// The lines and arcs of the polyline, a closing segment included when
// `closed`; segments of zero length are left out.
std::vector<GeomEntity> PolylinePieces(const std::vector<PolylineVertex>& vertices, bool closed);

// The "CENTER RECTANGLE", "OBROUND SLOT" or "ROUNDED CORNER RECTANGLE" whose
// exploded outline runs through the closed polyline's vertices and segments,
// or nothing when the polyline is none of them.
std::optional<GeomEntity> ShapeOfClosedPolyline(const std::vector<PolylineVertex>& vertices);

}  // namespace quarnel::cli
