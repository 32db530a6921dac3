#include "input/polyline_shapes.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "input/outline_entities.h"
#include "render/outline_geometry.h"
#include "spectool/geom_types.h"

namespace quarnel::cli {
namespace {

using spectool::kFlagOverallSize;

// Agreement asked of a shape's pieces with the polyline's, relative to its size.
constexpr double kShapeTolerance = 1e-6;

Point At(const std::vector<PolylineVertex>& v, size_t i) { return {v[i % v.size()].x, v[i % v.size()].y}; }
double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }
double Direction(Point a, Point b) { return std::atan2(b.y - a.y, b.x - a.x); }

// Start, middle and end of a line or arc entity.
std::array<Point, 3> KeyPoints(const GeomEntity& e) {
  if (e.type == kLineType) {
    const Point end = LineEnd(e);
    return {Point{e.x, e.y}, Point{(e.x + end.x) / 2, (e.y + end.y) / 2}, end};
  }
  const double start = e.p[1];
  const double sweep = e.p[2];
  return {ArcPoint(e, start), ArcPoint(e, start + sweep / 2), ArcPoint(e, start + sweep)};
}

bool SamePiece(const GeomEntity& a, const GeomEntity& b, double tolerance) {
  const auto pa = KeyPoints(a);
  const auto pb = KeyPoints(b);
  const bool ends = (Distance(pa[0], pb[0]) < tolerance && Distance(pa[2], pb[2]) < tolerance) ||
                    (Distance(pa[0], pb[2]) < tolerance && Distance(pa[2], pb[0]) < tolerance);
  return ends && Distance(pa[1], pb[1]) < tolerance;
}

// True when the shape explodes into exactly the polyline's pieces.
bool DrawsThePolyline(const GeomEntity& shape, const std::vector<GeomEntity>& pieces, double size) {
  const std::vector<GeomEntity> slots = ExplodedPieces(shape);
  if (slots.size() != pieces.size()) return false;
  const double tolerance = kShapeTolerance * (1.0 + size);
  return std::all_of(pieces.begin(), pieces.end(), [&](const GeomEntity& piece) {
    return std::any_of(slots.begin(), slots.end(),
                       [&](const GeomEntity& slot) { return SamePiece(piece, slot, tolerance); });
  });
}

GeomEntity Shape(int type, Point centre, std::array<double, 4> p, uint32_t flags) {
  GeomEntity shape = RoundHoleEntity(centre.x, centre.y, 0.0);
  shape.type = static_cast<int8_t>(type);
  shape.flags = flags;
  for (size_t i = 0; i < p.size(); ++i) shape.p[i] = static_cast<float>(p[i]);
  return shape;
}

Point Centre(const std::vector<PolylineVertex>& v) {
  Point sum;
  for (const PolylineVertex& vertex : v) sum = {sum.x + vertex.x, sum.y + vertex.y};
  return {sum.x / v.size(), sum.y / v.size()};
}

// The candidate shape for the polyline's vertex and bulge pattern; checked by
// exploding it afterwards.
std::optional<GeomEntity> Candidate(const std::vector<PolylineVertex>& v) {
  const size_t n = v.size();
  auto straight = [&](size_t i) { return v[i % n].bulge == 0.0; };
  if (n == 4 && straight(0) && straight(1) && straight(2) && straight(3)) {
    return Shape(spectool::kGeomCenterRectangle, Centre(v),
                 {Distance(At(v, 0), At(v, 1)), Distance(At(v, 1), At(v, 2)), Direction(At(v, 0), At(v, 1)), 0.0}, 0);
  }
  for (size_t first = 0; first < 2; ++first) {
    if (n == 4 && straight(first) && straight(first + 2) && !straight(first + 1) && !straight(first + 3)) {
      const double width = Distance(At(v, first + 1), At(v, first + 2));
      const double length = Distance(At(v, first), At(v, first + 1)) + width;
      return Shape(spectool::kGeomObroundSlot, Centre(v),
                   {length, width, Direction(At(v, first), At(v, first + 1)), 0.0}, kFlagOverallSize);
    }
    bool alternating = n == 8;
    for (size_t i = 0; alternating && i < n; ++i) alternating = straight(first + i) == (i % 2 == 0);
    if (alternating) {
      const double radius = Distance(At(v, first + 1), At(v, first + 2)) / std::sqrt(2.0);
      const double width = Distance(At(v, first), At(v, first + 1)) + 2 * radius;
      const double height = Distance(At(v, first + 2), At(v, first + 3)) + 2 * radius;
      return Shape(spectool::kGeomRoundedCornerRectangle, Centre(v),
                   {width, height, Direction(At(v, first), At(v, first + 1)), radius}, kFlagOverallSize);
    }
  }
  return std::nullopt;
}

}  // namespace

std::vector<GeomEntity> PolylinePieces(const std::vector<PolylineVertex>& vertices, bool closed) {
  std::vector<GeomEntity> pieces;
  const size_t segments = closed ? vertices.size() : (vertices.empty() ? 0 : vertices.size() - 1);
  for (size_t i = 0; i < segments; ++i) {
    const PolylineVertex& a = vertices[i];
    const PolylineVertex& b = vertices[(i + 1) % vertices.size()];
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    if (dx == 0.0 && dy == 0.0) continue;
    if (a.bulge == 0.0) {
      pieces.push_back(LineEntity(a.x, a.y, b.x, b.y));
      continue;
    }
    // The centre lies off the chord's midpoint along its left normal.
    const double offset = (1.0 - a.bulge * a.bulge) / (4.0 * a.bulge);
    const double cx = (a.x + b.x) / 2 - dy * offset;
    const double cy = (a.y + b.y) / 2 + dx * offset;
    const double radius = std::hypot(dx, dy) * (1.0 + a.bulge * a.bulge) / (4.0 * std::fabs(a.bulge));
    pieces.push_back(ArcEntity(cx, cy, radius, std::atan2(a.y - cy, a.x - cx), 4.0 * std::atan(a.bulge)));
  }
  return pieces;
}

std::optional<GeomEntity> ShapeOfClosedPolyline(const std::vector<PolylineVertex>& vertices) {
  const std::optional<GeomEntity> shape = Candidate(vertices);
  if (!shape) return std::nullopt;
  const std::vector<GeomEntity> pieces = PolylinePieces(vertices, true);
  if (pieces.size() != vertices.size()) return std::nullopt;
  double size = 0.0;
  for (const PolylineVertex& v : vertices) size = std::max({size, std::fabs(v.x), std::fabs(v.y)});
  return DrawsThePolyline(*shape, pieces, size) ? shape : std::nullopt;
}

}  // namespace quarnel::cli
