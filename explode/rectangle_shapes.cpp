// The rectangle shapes: the centre rectangle, the rectangular hole placed by a
// corner, and the rounded-corner rectangle. Each point is laid out in the
// shape's own frame about its centre, then turned through the shared rotation
// cache, so a run of rectangles at one angle computes its sine and cosine once.
#include <cmath>

#include "explode/shape_constants.h"
#include "explode/shape_handlers.h"
#include "spectool/geom_types.h"

namespace quarnel::explode {
namespace {

// Four lines round the rectangle of the given signed width and height about
// `centre`, from the corner at (-w/2, -h/2); counter-clockwise when both sizes
// have the same sign.
void WriteRectangle(const GeomPoint& centre, float width, float height, float rotation, PieceWriter& out) {
  const double half_w = width * 0.5;
  const double half_h = height * 0.5;
  const GeomPoint k0 = FramePoint(centre, -half_w, -half_h, rotation, out.Rotations());
  const GeomPoint k1 = FramePoint(centre, half_w, -half_h, rotation, out.Rotations());
  const GeomPoint k2 = FramePoint(centre, half_w, half_h, rotation, out.Rotations());
  const GeomPoint k3 = FramePoint(centre, -half_w, half_h, rotation, out.Rotations());
  out.Line(k0, k1);
  out.Line(k1, k2);
  out.Line(k2, k3);
  out.Line(k3, k0);
}

}  // namespace

// p[0] width, p[1] height, p[2] rotation; placed by its centre.
void ExplodeCenterRectangle(const ShapeInput& in, PieceWriter& out) {
  WriteRectangle(in.centre, in.p[0], in.p[1], in.p[2], out);
}

// p[0] width, p[1] height, p[2] rotation; placed by the corner at (-w/2, -h/2).
// The signed sizes place the centre; a negative height then only moves the
// rectangle below the corner, while a negative width also reverses the lines.
void ExplodeRectangularHole(const ShapeInput& in, PieceWriter& out) {
  const float width = in.p[0];
  float height = in.p[1];
  const float rotation = in.p[2];

  GeomPoint half_diagonal(width * 0.5, height * 0.5);
  half_diagonal.RotateAbout(GeomPoint(), rotation, out.Rotations());
  const GeomPoint centre = in.centre + half_diagonal;

  if (height < 0) height = static_cast<float>(height * -1.0);
  WriteRectangle(centre, width, height, rotation, out);
}

// p[0] width, p[1] height, p[2] rotation, p[3] corner radius r; placed by its
// centre. The sizes are overall with the 0x0400 flag, else those of the
// straight parts. Each edge is followed by the corner arc at its start.
void ExplodeRoundedCornerRectangle(const ShapeInput& in, PieceWriter& out) {
  const GeomPoint& c = in.centre;
  const float rotation = in.p[2];
  const float r = in.p[3];
  const bool overall = (in.flags & spectool::kFlagOverallSize) != 0;
  const float width = static_cast<float>(overall ? std::fabs(double{in.p[0]}) : std::fabs(double{in.p[0]}) + 2.0 * r);
  const float height = static_cast<float>(overall ? std::fabs(double{in.p[1]}) : std::fabs(double{in.p[1]}) + 2.0 * r);

  const double half_w = width * 0.5;
  const double half_h = height * 0.5;
  const double inner_w = half_w - r;  // corner centres' offset along u
  const double inner_h = half_h - r;  // corner centres' offset along v

  // Straight-edge ends, counter-clockwise from the lower edge's start.
  const GeomPoint e0 = FramePoint(c, -inner_w, -half_h, rotation, out.Rotations());
  const GeomPoint e1 = FramePoint(c, inner_w, -half_h, rotation, out.Rotations());
  const GeomPoint e2 = FramePoint(c, half_w, -inner_h, rotation, out.Rotations());
  const GeomPoint e3 = FramePoint(c, half_w, inner_h, rotation, out.Rotations());
  const GeomPoint e4 = FramePoint(c, inner_w, half_h, rotation, out.Rotations());
  const GeomPoint e5 = FramePoint(c, -inner_w, half_h, rotation, out.Rotations());
  const GeomPoint e6 = FramePoint(c, -half_w, inner_h, rotation, out.Rotations());
  const GeomPoint e7 = FramePoint(c, -half_w, -inner_h, rotation, out.Rotations());
  // Corner centres: lower left, lower right, upper right, upper left.
  const GeomPoint b0 = FramePoint(c, -inner_w, -inner_h, rotation, out.Rotations());
  const GeomPoint b1 = FramePoint(c, inner_w, -inner_h, rotation, out.Rotations());
  const GeomPoint b2 = FramePoint(c, inner_w, inner_h, rotation, out.Rotations());
  const GeomPoint b3 = FramePoint(c, -inner_w, inner_h, rotation, out.Rotations());

  out.Line(e0, e1);
  out.Arc(b0, r, rotation + kPi, kQuarterTurnSweep);
  out.Line(e2, e3);
  out.Arc(b1, r, rotation - kHalfPi, kQuarterTurnSweep);
  out.Line(e4, e5);
  out.Arc(b2, r, rotation, kQuarterTurnSweep);
  out.Line(e6, e7);
  out.Arc(b3, r, rotation + kHalfPi, kQuarterTurnSweep);
}

}  // namespace quarnel::explode
