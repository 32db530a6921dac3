#include "render/sheet_shapes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "explode/explode_shape.h"
#include "number_text.h"
#include "render/outline_geometry.h"
#include "spectool/geom_types.h"

namespace quarnel::cli {
namespace {

using namespace spectool;
using namespace toollib;

GeomEntity Shape(int8_t type, std::initializer_list<float> parameters, uint32_t flags = 0) {
  return EntityOf(type, 0.0f, 0.0f, parameters, flags);
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
    case kTypeRound:
      return {Shape(kGeomRoundHole, {radius})};
    case kTypeSquare:
      return {Shape(kGeomCenterRectangle, {x, x, t})};
    case kTypeRectangle:
      return {Shape(kGeomCenterRectangle, {x, y, t})};
    case kTypeObround:
      return {Shape(kGeomObroundSlot, {x, std::min(x, y), t}, kFlagOverallSize)};
    // y is the width across the flat (single D) or across both flats (double D).
    case kTypeSingleD:
      return {Shape(kGeomSingleD, {radius, std::clamp(y - radius, -radius, radius), t})};
    case kTypeDoubleD:
      return {Shape(kGeomDoubleD, {radius, std::clamp(y * 0.5f, 0.0f, radius), t})};
    case kTypeTriangle:
      return {Shape(kGeomTriangle, {x, y, t})};
    // Rectangles with rounded corners: x by y overall, corner radius z.
    case kTypeCircleRect:
    case kTypeRoundedRect: {
      const float corner = std::clamp(tool.z, 0.0f, std::min(x, y) * 0.5f);
      return {Shape(kGeomRoundedCornerRectangle, {x, y, t, corner}, kFlagOverallSize)};
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
    case kTypeRound:
    case kTypeSquare:
      return x;
    case kTypeCircleRect:
    case kTypeRoundedRect:
      return x + " \u00d7 " + y + " r" + z;
    case kTypeRectangle:
    case kTypeSingleD:
    case kTypeDoubleD:
    case kTypeObround:
    case kTypeTriangle:
    case kTypeSpecial:
      return x + " \u00d7 " + y;
    default:
      return x + " \u00d7 " + y + " \u00d7 " + z;
  }
}

}  // namespace quarnel::cli
