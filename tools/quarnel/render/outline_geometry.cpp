#include "render/outline_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <numbers>
#include <string>
#include <unordered_map>

namespace quarnel::cli {
namespace {

constexpr double kFullTurn = 2.0 * std::numbers::pi;
// A version-7 file keeps a full turn's sweep just below 2π (6.2831821).
constexpr double kFullTurnTolerance = 1e-5;

bool AllFinite(const GeomEntity& entity) {
  if (!std::isfinite(entity.x) || !std::isfinite(entity.y)) return false;
  for (float value : Parameters(entity)) {
    if (!std::isfinite(value)) return false;
  }
  return true;
}

DrawnPiece LinePiece(const GeomEntity& line, size_t index) {
  DrawnPiece piece;
  piece.kind = DrawnPiece::Kind::kLine;
  piece.entityIndex = index;
  piece.start = {line.x, line.y};
  piece.end = LineEnd(line);
  return piece;
}

bool ArcPiece(const GeomEntity& arc, size_t index, DrawnPiece& piece) {
  const double radius = arc.p[0];
  const double sweep = arc.p[2];
  if (radius == 0.0 || sweep == 0.0) return false;
  piece.entityIndex = index;
  piece.centre = {arc.x, arc.y};
  piece.radius = std::fabs(radius);
  if (std::fabs(sweep) >= kFullTurn - kFullTurnTolerance) {
    piece.kind = DrawnPiece::Kind::kCircle;
    return true;
  }
  piece.kind = DrawnPiece::Kind::kArc;
  // A negative radius puts every point on the opposite side of the centre.
  piece.startAngle = arc.p[1] + (radius < 0.0 ? std::numbers::pi : 0.0);
  piece.sweep = sweep;
  piece.start = ArcPoint(arc, arc.p[1]);
  piece.end = ArcPoint(arc, static_cast<double>(arc.p[1]) + sweep);
  return true;
}

}  // namespace

GeomEntity EntityOf(int8_t type, float x, float y, std::initializer_list<float> parameters, uint32_t flags,
                    int32_t ref) {
  GeomEntity entity{};
  entity.type = type;
  entity.ref = ref;
  entity.flags = flags;
  entity.x = x;
  entity.y = y;
  size_t i = 0;
  for (const float value : parameters) {
    if (i < kEntityParameters) entity.p[i++] = value;
  }
  return entity;
}

std::array<float, kEntityParameters> Parameters(const GeomEntity& entity) {
  std::array<float, kEntityParameters> values;
  std::memcpy(values.data(), reinterpret_cast<const char*>(&entity) + offsetof(GeomEntity, p),
              sizeof values);
  return values;
}

Point LineEnd(const GeomEntity& line) {
  return {static_cast<double>(line.x) + line.p[0], static_cast<double>(line.y) + line.p[1]};
}

Point ArcPoint(const GeomEntity& arc, double angle) {
  return {arc.x + arc.p[0] * std::cos(angle), arc.y + arc.p[0] * std::sin(angle)};
}

std::vector<std::optional<size_t>> CoincidingEntities(const std::vector<GeomEntity>& entities) {
  std::vector<std::optional<size_t>> coinciding(entities.size());
  std::unordered_map<std::string, size_t> first;
  for (size_t index = 0; index < entities.size(); ++index) {
    const GeomEntity& entity = entities[index];
    const auto* bytes = reinterpret_cast<const char*>(&entity);
    std::string key(1, static_cast<char>(entity.type));
    key.append(bytes + offsetof(GeomEntity, x), sizeof(float) * 2);
    key.append(bytes + offsetof(GeomEntity, p), sizeof(float) * kEntityParameters);
    const auto [found, added] = first.emplace(std::move(key), index);
    if (!added) coinciding[index] = found->second;
  }
  return coinciding;
}

std::vector<DrawnPiece> DrawablePieces(const std::vector<GeomEntity>& entities) {
  std::vector<DrawnPiece> pieces;
  const std::vector<std::optional<size_t>> coinciding = CoincidingEntities(entities);
  for (size_t index = 0; index < entities.size(); ++index) {
    const GeomEntity& entity = entities[index];
    if (coinciding[index] || !AllFinite(entity)) continue;
    if (entity.type == kLineType) {
      pieces.push_back(LinePiece(entity, index));
    } else if (entity.type == kArcType) {
      DrawnPiece piece;
      if (ArcPiece(entity, index, piece)) pieces.push_back(piece);
    }
  }
  return pieces;
}

void Bounds::Add(Point point) {
  if (empty) {
    minX = maxX = point.x;
    minY = maxY = point.y;
    empty = false;
    return;
  }
  minX = std::min(minX, point.x);
  maxX = std::max(maxX, point.x);
  minY = std::min(minY, point.y);
  maxY = std::max(maxY, point.y);
}

Bounds PiecesBounds(const std::vector<DrawnPiece>& pieces) {
  Bounds bounds;
  for (const DrawnPiece& piece : pieces) {
    const Point c = piece.centre;
    const double r = piece.radius;
    switch (piece.kind) {
      case DrawnPiece::Kind::kLine:
        bounds.Add(piece.start);
        bounds.Add(piece.end);
        break;
      case DrawnPiece::Kind::kCircle:
        bounds.Add({c.x - r, c.y - r});
        bounds.Add({c.x + r, c.y + r});
        break;
      case DrawnPiece::Kind::kArc: {
        bounds.Add(piece.start);
        bounds.Add(piece.end);
        // The arc's extreme points lie at the quarter turns that it passes.
        const double low = std::min(piece.startAngle, piece.startAngle + piece.sweep);
        const double high = std::max(piece.startAngle, piece.startAngle + piece.sweep);
        const double quarter = std::numbers::pi / 2.0;
        for (double k = std::ceil(low / quarter); k * quarter <= high; k += 1.0) {
          bounds.Add({c.x + r * std::cos(k * quarter), c.y + r * std::sin(k * quarter)});
        }
        break;
      }
    }
  }
  return bounds;
}

}  // namespace quarnel::cli
