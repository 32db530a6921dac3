// Entities of a special tool's outline built from drawing input: lines, arcs
// and round holes as the special-tool file stores them, with coordinates made
// the way the file reads them back.
#pragma once

#include <string>
#include <vector>

#include "quarnel/geometry.h"
#include "spectool/geom_types.h"

namespace quarnel::cli {

inline constexpr int kRoundHoleType = spectool::kGeomRoundHole;

// A line from (x1, y1) to (x2, y2): start point and displacement.
GeomEntity LineEntity(double x1, double y1, double x2, double y2);
// An arc about (cx, cy): radius, start angle and signed sweep, in radians.
GeomEntity ArcEntity(double cx, double cy, double radius, double start, double sweep);
// A round hole about (cx, cy) of the given radius.
GeomEntity RoundHoleEntity(double cx, double cy, double radius);

// What a drawing gave: the outline's entities and the entities that were
// left out (with --skip-unsupported), each named with its handle.
struct DrawingOutline {
  std::vector<GeomEntity> entities;
  std::vector<std::string> skipped;
};

// The lines and arcs the host receives for one entity (a line or an arc
// itself, a shape's pieces, nothing for the rest).
std::vector<GeomEntity> ExplodedPieces(const GeomEntity& entity);

// The diameter of the smallest circle that holds the outline as the host
// receives it (shapes exploded); 0 for an empty outline.
double BoundingCircleDiameter(const std::vector<GeomEntity>& entities);

}  // namespace quarnel::cli
