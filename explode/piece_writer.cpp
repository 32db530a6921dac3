#include "explode/piece_writer.h"

#include <cassert>
#include <cmath>

#include "spectool/geom_types.h"

namespace quarnel::explode {

void PieceWriter::Line(const GeomPoint& from, const GeomPoint& to) {
  const GeomPoint displacement = to - from;
  GeomEntity piece{};
  piece.type = spectool::kGeomLine;
  piece.x = from.x;
  piece.y = from.y;
  piece.p[0] = displacement.x;
  piece.p[1] = displacement.y;
  Write(piece);
}

void PieceWriter::Arc(const GeomPoint& centre, double radius, double start, double sweep) {
  GeomEntity piece{};
  piece.type = spectool::kGeomArc;
  piece.x = centre.x;
  piece.y = centre.y;
  piece.p[0] = static_cast<float>(radius);
  piece.p[1] = static_cast<float>(start);
  piece.p[2] = static_cast<float>(sweep);
  Write(piece);
}

void PieceWriter::Copy(const GeomEntity& source) { Write(source); }

void PieceWriter::Write(const GeomEntity& piece) {
  // The caller supplies exactly eight slots: no shape writes more, and should
  // a handler ever try, the extra pieces are dropped rather than written past
  // the caller's array (the assertion flags it in debug builds).
  assert(count_ < kMaxPieces);
  if (count_ >= kMaxPieces) return;
  *slots_[count_] = piece;
  ++count_;
}

GeomPoint PolarPoint(const GeomPoint& centre, double radius, double angle) {
  return GeomPoint(centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle));
}

GeomPoint FramePoint(const GeomPoint& centre, double u, double v, double rotation,
                     spectool::RotationCache& cache) {
  GeomPoint point(centre.x + u, centre.y + v);
  point.RotateAbout(centre, rotation, cache);
  return point;
}

}  // namespace quarnel::explode
