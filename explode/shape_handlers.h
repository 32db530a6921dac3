// The shape handlers behind ExplodeShape, one per shape type. Each reads the
// working copy of its source entity and writes its pieces in slot order.
#pragma once

#include <cstdint>

#include "explode/piece_writer.h"
#include "quarnel/geometry.h"
#include "spectool/geom_point.h"

namespace quarnel::explode {

// A handler's working copy of the source: reference point, flags, parameters.
// Handlers correct their own copies of a parameter, never the source entity.
struct ShapeInput {
  GeomPoint centre;
  uint32_t flags = 0;
  float p[9] = {};
};

// Slots.
void ExplodeRadiusedSlot(const ShapeInput& in, PieceWriter& out);
void ExplodeObroundSlot(const ShapeInput& in, PieceWriter& out);

// Rectangles.
void ExplodeCenterRectangle(const ShapeInput& in, PieceWriter& out);
void ExplodeRectangularHole(const ShapeInput& in, PieceWriter& out);
void ExplodeRoundedCornerRectangle(const ShapeInput& in, PieceWriter& out);

// Notches, D shapes and the triangle.
void ExplodeCornerNotch(const ShapeInput& in, PieceWriter& out);
void ExplodeVNotch(const ShapeInput& in, PieceWriter& out);
void ExplodeSingleD(const ShapeInput& in, PieceWriter& out);
void ExplodeDoubleD(const ShapeInput& in, PieceWriter& out);
void ExplodeTriangle(const ShapeInput& in, PieceWriter& out);

}  // namespace quarnel::explode
