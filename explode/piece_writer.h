// PieceWriter: fills the caller's output slots, in order, with complete line
// and arc pieces; the one place where a piece's fields are laid out.
#pragma once

#include <cstdint>

#include "explode/explode_shape.h"
#include "quarnel/geometry.h"
#include "spectool/geom_point.h"

namespace quarnel::explode {

using spectool::GeomPoint;

class PieceWriter {
 public:
  PieceWriter(GeomEntity* const slots[kMaxPieces], spectool::RotationCache& rotations)
      : slots_(slots), rotations_(rotations) {}

  // Writes a "LINE" from `from` to `to`: start point and displacement.
  void Line(const GeomPoint& from, const GeomPoint& to);
  // Writes an "ARC" about `centre`; a negative sweep runs clockwise.
  void Arc(const GeomPoint& centre, double radius, double start, double sweep);
  // Writes the source entity unchanged, `ref` and `flags` included.
  void Copy(const GeomEntity& source);

  int32_t count() const { return count_; }
  // The rotation cache that the shape's points are turned through.
  spectool::RotationCache& Rotations() const { return rotations_; }

 private:
  void Write(const GeomEntity& piece);

  GeomEntity* const* slots_;
  spectool::RotationCache& rotations_;
  int32_t count_ = 0;
};

// The point at `radius` from `centre` in the direction `angle`, with the sine
// and cosine computed afresh (not through the rotation cache).
GeomPoint PolarPoint(const GeomPoint& centre, double radius, double angle);

// The point at offset (u, v) from `centre` in a frame turned counter-clockwise
// by `rotation`, turned through the rotation cache `cache`.
GeomPoint FramePoint(const GeomPoint& centre, double u, double v, double rotation,
                     spectool::RotationCache& cache);

}  // namespace quarnel::explode
