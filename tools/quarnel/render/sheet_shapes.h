// The outline of an ordinary punch tool (round, square, rectangle, obround,
// D shapes, triangle, rounded rectangles), made by exploding the shape entity
// that its type and dimensions describe.
#pragma once

#include <string>
#include <vector>

#include "host/tool_row.h"
#include "quarnel/geometry.h"

namespace quarnel::cli {

// The shape entity that draws `tool`, or nothing for a special tool or a type
// without a shape. Rotated by the first key angle when the tool is keyed.
std::vector<GeomEntity> ToolShapeEntity(const ToolRow& tool);

// The lines and arcs of that shape (ExplodeShape's pieces); empty without a shape.
std::vector<GeomEntity> StandardToolOutline(const ToolRow& tool);

// The dimensions that the tool's type uses, for people: "10" for a round,
// "20 × 5" for a rectangle, "30 × 10 r2" for a rounded rectangle.
std::string DimensionsText(const ToolRow& tool);

}  // namespace quarnel::cli
