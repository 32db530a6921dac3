#include "explode/explode_shape.h"

#include "explode/piece_writer.h"
#include "explode/shape_constants.h"
#include "explode/shape_handlers.h"
#include "spectool/geom_types.h"

namespace quarnel::explode {
namespace {

// One arc round the whole circle of radius p[0]; the radius is not checked.
void ExplodeRoundHole(const ShapeInput& in, PieceWriter& out) {
  out.Arc(in.centre, in.p[0], 0.0, kFullTurnSweep);
}

using Handler = void (*)(const ShapeInput&, PieceWriter&);

// The handler of a shape type; nullptr for types that draw nothing (groups,
// patterns, points, retreat moves, unknown codes). Lines and arcs are copied
// by the caller.
Handler HandlerFor(int type) {
  switch (type) {
    case spectool::kGeomRoundHole: return ExplodeRoundHole;
    case spectool::kGeomRadiusedSlot: return ExplodeRadiusedSlot;
    case spectool::kGeomRectangularHole: return ExplodeRectangularHole;
    case spectool::kGeomObroundSlot: return ExplodeObroundSlot;
    case spectool::kGeomCornerNotch: return ExplodeCornerNotch;
    case spectool::kGeomVNotch: return ExplodeVNotch;
    case spectool::kGeomCenterRectangle: return ExplodeCenterRectangle;
    case spectool::kGeomSingleD: return ExplodeSingleD;
    case spectool::kGeomDoubleD: return ExplodeDoubleD;
    case spectool::kGeomRoundedCornerRectangle: return ExplodeRoundedCornerRectangle;
    case spectool::kGeomTriangle: return ExplodeTriangle;
    default: return nullptr;
  }
}

}  // namespace

bool ExplodeShape(const GeomEntity& source, int32_t* count, GeomEntity* const slots[kMaxPieces],
                  spectool::RotationCache& rotations) {
  *count = 0;
  PieceWriter out(slots, rotations);
  if (source.type == spectool::kGeomLine || source.type == spectool::kGeomArc) {
    out.Copy(source);
  } else if (const Handler handler = HandlerFor(source.type)) {
    ShapeInput in;
    in.centre = GeomPoint(source.x, source.y);
    in.flags = source.flags;
    for (int i = 0; i < 9; ++i) in.p[i] = source.p[i];
    handler(in, out);
  }
  *count = out.count();
  return true;
}

}  // namespace quarnel::explode
