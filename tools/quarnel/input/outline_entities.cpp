#include "input/outline_entities.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>

#include "explode/explode_shape.h"
#include "render/outline_geometry.h"

namespace quarnel::cli {
namespace {

// A float that reads back unchanged: the reader adds a zero offset to every
// point, which would turn a negative zero into a positive one.
float Coordinate(double value) { return static_cast<float>(value) + 0.0f; }

GeomEntity Entity(int type, double x, double y) {
  GeomEntity entity{};
  entity.type = static_cast<int8_t>(type);
  entity.x = Coordinate(x);
  entity.y = Coordinate(y);
  return entity;
}

// Points on each piece that bound it: the ends, and for arcs every axis
// direction the arc passes and enough points between that the circle through
// them is within a few parts in 1e5 of the arc's own.
constexpr double kSampleStep = std::numbers::pi / 180.0;

void AddArcPoints(const DrawnPiece& piece, std::vector<Point>& points) {
  const double sweep = piece.kind == DrawnPiece::Kind::kCircle ? 2.0 * std::numbers::pi : piece.sweep;
  const double start = piece.kind == DrawnPiece::Kind::kCircle ? 0.0 : piece.startAngle;
  const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / kSampleStep)));
  for (int i = 0; i <= steps; ++i) {
    const double a = start + sweep * i / steps;
    points.push_back({piece.centre.x + piece.radius * std::cos(a), piece.centre.y + piece.radius * std::sin(a)});
  }
  for (int quarter = -8; quarter <= 8; ++quarter) {
    const double a = quarter * std::numbers::pi / 2.0;
    const double lo = std::min(start, start + sweep);
    const double hi = std::max(start, start + sweep);
    if (a >= lo && a <= hi) {
      points.push_back({piece.centre.x + piece.radius * std::cos(a), piece.centre.y + piece.radius * std::sin(a)});
    }
  }
}

struct Circle {
  Point centre;
  double radius = -1.0;
  bool Holds(Point p) const { return std::hypot(p.x - centre.x, p.y - centre.y) <= radius * (1.0 + 1e-12) + 1e-12; }
};

Circle Through(Point a, Point b) {
  return {{(a.x + b.x) / 2, (a.y + b.y) / 2}, std::hypot(a.x - b.x, a.y - b.y) / 2};
}

Circle Through(Point a, Point b, Point c) {
  const double d = 2 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
  if (std::fabs(d) < 1e-300) {  // in a line: the widest pair
    Circle best = Through(a, b);
    for (const Circle& other : {Through(a, c), Through(b, c)}) best = other.radius > best.radius ? other : best;
    return best;
  }
  const double a2 = a.x * a.x + a.y * a.y, b2 = b.x * b.x + b.y * b.y, c2 = c.x * c.x + c.y * c.y;
  const Point centre{(a2 * (b.y - c.y) + b2 * (c.y - a.y) + c2 * (a.y - b.y)) / d,
                     (a2 * (c.x - b.x) + b2 * (a.x - c.x) + c2 * (b.x - a.x)) / d};
  return {centre, std::hypot(a.x - centre.x, a.y - centre.y)};
}

// The smallest enclosing circle (Welzl's algorithm, iterative, points shuffled
// with a fixed seed so that the answer never varies).
Circle SmallestCircle(std::vector<Point> points) {
  std::shuffle(points.begin(), points.end(), std::mt19937(7));
  Circle circle;
  for (size_t i = 0; i < points.size(); ++i) {
    if (circle.Holds(points[i])) continue;
    circle = {points[i], 0.0};
    for (size_t j = 0; j < i; ++j) {
      if (circle.Holds(points[j])) continue;
      circle = Through(points[i], points[j]);
      for (size_t k = 0; k < j; ++k) {
        if (!circle.Holds(points[k])) circle = Through(points[i], points[j], points[k]);
      }
    }
  }
  return circle;
}

}  // namespace

GeomEntity LineEntity(double x1, double y1, double x2, double y2) {
  GeomEntity line = Entity(kLineType, x1, y1);
  // The displacement from the stored start, so that the end has one rounding only.
  line.p[0] = Coordinate(x2 - static_cast<double>(line.x));
  line.p[1] = Coordinate(y2 - static_cast<double>(line.y));
  return line;
}

GeomEntity ArcEntity(double cx, double cy, double radius, double start, double sweep) {
  GeomEntity arc = Entity(kArcType, cx, cy);
  arc.p[0] = static_cast<float>(radius);
  arc.p[1] = Coordinate(start);
  arc.p[2] = Coordinate(sweep);
  return arc;
}

GeomEntity RoundHoleEntity(double cx, double cy, double radius) {
  GeomEntity hole = Entity(kRoundHoleType, cx, cy);
  hole.p[0] = static_cast<float>(radius);
  return hole;
}

std::vector<GeomEntity> ExplodedPieces(const GeomEntity& entity) {
  std::array<GeomEntity, explode::kMaxPieces> slots{};
  GeomEntity* slot_pointers[explode::kMaxPieces];
  for (int i = 0; i < explode::kMaxPieces; ++i) slot_pointers[i] = &slots[i];
  int32_t count = 0;
  // One cache for every outline this host draws, as the library keeps one.
  static spectool::RotationCache rotations;
  explode::ExplodeShape(entity, &count, slot_pointers, rotations);
  return std::vector<GeomEntity>(slots.begin(), slots.begin() + count);
}

double BoundingCircleDiameter(const std::vector<GeomEntity>& entities) {
  // Shapes count by their pieces, as the host receives them.
  std::vector<GeomEntity> drawn;
  for (const GeomEntity& entity : entities) {
    const std::vector<GeomEntity> pieces = ExplodedPieces(entity);
    drawn.insert(drawn.end(), pieces.begin(), pieces.end());
  }
  std::vector<Point> points;
  for (const DrawnPiece& piece : DrawablePieces(drawn)) {
    if (piece.kind == DrawnPiece::Kind::kLine) {
      points.push_back(piece.start);
      points.push_back(piece.end);
    } else {
      AddArcPoints(piece, points);
    }
  }
  return points.empty() ? 0.0 : 2.0 * SmallestCircle(std::move(points)).radius;
}

}  // namespace quarnel::cli
