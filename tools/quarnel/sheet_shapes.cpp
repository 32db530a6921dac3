#include "sheet_shapes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "explode/explode_shape.h"
#include "number_text.h"

namespace quarnel::cli {
namespace {

// Shape entity type codes of the outline model.
enum : int8_t {
  kRoundHole = 1,
  kObroundSlot = 6,
  kCenterRectangle = 14,
  kSingleD = 15,
  kDoubleD = 16,
  kRoundedCornerRectangle = 20,
  kTriangle = 21
};
// The given size of a slot or rounded rectangle is its overall extent.
constexpr uint32_t kOverallSize = 0x0400;

GeomEntity Shape(int8_t type, std::initializer_list<float> parameters, uint32_t flags = 0) {
  GeomEntity entity{};
  entity.type = type;
  entity.flags = flags;
  float p[9] = {};
  std::copy(parameters.begin(), parameters.end(), p);
  // The entity is packed: its parameters may lie unaligned.
  std::memcpy(reinterpret_cast<char*>(&entity) + offsetof(GeomEntity, p), p, sizeof p);
  return entity;
}

}  // namespace

std::vector<GeomEntity> ToolShapeEntity(const ToolRow& tool) {
  // A tool whose x is not set is drawn at its nominal size.
  const float x = tool.x > 0.0f ? tool.x : tool.size;
  const float y = tool.y > 0.0f ? tool.y : x;
  const float t = tool.keyedCount > 0 ? tool.angles[0] : 0.0f;
  const float radius = x * 0.5f;
  // Without a positive size there is nothing to draw (not-a-number included).
  if (!(x > 0.0f) || !std::isfinite(x)) return {};
  switch (tool.typeCode) {
    case 1:
      return {Shape(kRoundHole, {radius})};
    case 103:
      return {Shape(kCenterRectangle, {x, x, t})};
    case 3:
      return {Shape(kCenterRectangle, {x, y, t})};
    case 106:
      return {Shape(kObroundSlot, {x, std::min(x, y), t}, kOverallSize)};
    // y is the width across the flat (single D) or across both flats (double D).
    case 104:
      return {Shape(kSingleD, {radius, std::clamp(y - radius, -radius, radius), t})};
    case 105:
      return {Shape(kDoubleD, {radius, std::clamp(y * 0.5f, 0.0f, radius), t})};
    case 107:
      return {Shape(kTriangle, {x, y, t})};
    // Rectangles with rounded corners: x by y overall, corner radius z.
    case 109:
    case 110: {
      const float corner = std::clamp(tool.z, 0.0f, std::min(x, y) * 0.5f);
      return {Shape(kRoundedCornerRectangle, {x, y, t, corner}, kOverallSize)};
    }
    default:
      return {};
  }
}

std::vector<GeomEntity> StandardToolOutline(const ToolRow& tool) {
  std::vector<GeomEntity> pieces;
  for (const GeomEntity& shape : ToolShapeEntity(tool)) {
    GeomEntity slots[explode::kMaxPieces] = {};
    GeomEntity* const pointers[explode::kMaxPieces] = {&slots[0], &slots[1], &slots[2], &slots[3],
                                                       &slots[4], &slots[5], &slots[6], &slots[7]};
    int32_t count = 0;
    // One cache for every outline of the sheet, as the library keeps one.
    static spectool::RotationCache rotations;
    explode::ExplodeShape(shape, &count, pointers, rotations);
    pieces.insert(pieces.end(), slots, slots + std::clamp(count, 0, explode::kMaxPieces));
  }
  return pieces;
}

std::string DimensionsText(const ToolRow& tool) {
  const std::string x = ShortText(tool.x, 3), y = ShortText(tool.y, 3), z = ShortText(tool.z, 3);
  switch (tool.typeCode) {
    case 1:
    case 103:
      return x;
    case 109:
    case 110:
      return x + " \u00d7 " + y + " r" + z;
    case 3:
    case 104:
    case 105:
    case 106:
    case 107:
    case kSpecialToolType:
      return x + " \u00d7 " + y;
    default:
      return x + " \u00d7 " + y + " \u00d7 " + z;
  }
}

}  // namespace quarnel::cli
