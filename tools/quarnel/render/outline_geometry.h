// The pieces of an outline as drawings need them: lines by their two end
// points, arcs by centre, radius and angles, full turns as circles.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "quarnel/geometry.h"
#include "spectool/geom_types.h"

namespace quarnel::cli {

inline constexpr int kLineType = spectool::kGeomLine;
inline constexpr int kArcType = spectool::kGeomArc;
// The parameters every entity carries.
inline constexpr size_t kEntityParameters = sizeof(GeomEntity::p) / sizeof(float);

struct Point {
  double x = 0.0, y = 0.0;
};

struct DrawnPiece {
  enum class Kind { kLine, kArc, kCircle };
  Kind kind = Kind::kLine;
  size_t entityIndex = 0;  // position of the entity in the outline
  Point start, end;        // lines and arcs: where the piece begins and ends
  Point centre;            // arcs and circles
  double radius = 0.0;     // always positive
  double startAngle = 0.0; // arcs: radians, of the start point about the centre
  double sweep = 0.0;      // arcs: signed, positive counter-clockwise, |sweep| < one turn
};

// For each entity, the index of the first earlier entity with the same type,
// position and parameters (a pattern's seed and its first copy coincide as
// the host receives them), or nothing.
std::vector<std::optional<size_t>> CoincidingEntities(const std::vector<GeomEntity>& entities);

// The drawable pieces of an outline, in order. An arc whose sweep reaches a
// full turn becomes a circle; an entity that coincides with an earlier one is
// drawn once; arcs of zero radius or zero sweep, entities that are neither
// lines nor arcs and entities with non-finite values draw nothing.
std::vector<DrawnPiece> DrawablePieces(const std::vector<GeomEntity>& entities);

struct Bounds {
  double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
  bool empty = true;
  void Add(Point point);
};

// The smallest axis-aligned box that holds every piece.
Bounds PiecesBounds(const std::vector<DrawnPiece>& pieces);

// An entity of `type` at (x, y) with the first of its parameters (the rest 0).
GeomEntity EntityOf(int8_t type, float x, float y, std::initializer_list<float> parameters, uint32_t flags = 0,
                    int32_t ref = 0);

// The nine parameters of a packed entity, copied out (they may lie unaligned).
std::array<float, kEntityParameters> Parameters(const GeomEntity& entity);

// The end point of a line entity, and a point on an arc entity at `angle`.
Point LineEnd(const GeomEntity& line);
Point ArcPoint(const GeomEntity& arc, double angle);

}  // namespace quarnel::cli
