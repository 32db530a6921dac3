// The edge notches (open outlines of two lines), the single and double D
// (circles with flats) and the triangle. The notches and D shapes compute
// their sines and cosines afresh; the triangle turns its vertices through the
// shared rotation cache like the rectangles.
#include <cmath>

#include "explode/shape_constants.h"
#include "explode/shape_handlers.h"

namespace quarnel::explode {

// p[0], p[1] corner offset in the notch's frame, p[2] first leg length,
// p[3] second leg length, p[4] rotation t. The path runs along -u into the
// corner, then out along -v.
void ExplodeCornerNotch(const ShapeInput& in, PieceWriter& out) {
  const GeomPoint& c = in.centre;
  const float u = in.p[0];
  const float v = in.p[1];
  const float rotation = in.p[4];
  const double cos_t = std::cos(double{rotation});
  const double sin_t = std::sin(double{rotation});
  const GeomPoint corner(c.x + u * cos_t - v * sin_t, c.y + v * cos_t + u * sin_t);

  const double back = rotation + kPi;
  const GeomPoint minus_u(std::cos(back), std::sin(back));
  const GeomPoint minus_v(-std::sin(back), std::cos(back));

  out.Line(GeomPoint(corner.x + in.p[2] * double{minus_u.x}, corner.y + in.p[2] * double{minus_u.y}), corner);
  out.Line(corner, GeomPoint(corner.x + in.p[3] * double{minus_v.x}, corner.y + in.p[3] * double{minus_v.y}));
}

// p[0] depth D, p[1] direction phi from the mouth's middle (the reference
// point) to the tip, p[4] included angle at the tip.
void ExplodeVNotch(const ShapeInput& in, PieceWriter& out) {
  const GeomPoint& c = in.centre;
  const float depth = in.p[0];
  const float direction = in.p[1];
  const GeomPoint tip = PolarPoint(c, depth, direction);
  const float half_mouth = static_cast<float>(depth * std::tan(in.p[4] * 0.5));
  const GeomPoint mouth1 = PolarPoint(c, half_mouth, direction + kHalfPi);
  const GeomPoint mouth2 = PolarPoint(c, half_mouth, direction - kHalfPi);

  out.Line(tip, mouth1);
  out.Line(mouth2, tip);
}

// p[0] radius R, p[1] distance d of the flat, p[2] rotation t; the flat lies
// on the side at t - pi/2. d / R outside [-1, 1] gives not-a-number pieces.
void ExplodeSingleD(const ShapeInput& in, PieceWriter& out) {
  const GeomPoint& c = in.centre;
  const float radius = in.p[0];
  const float toward_round = static_cast<float>(in.p[2] + kHalfPi);
  const float flat_half_angle = static_cast<float>(std::acos(double{in.p[1]} / radius));
  const float start = static_cast<float>(double{flat_half_angle} + toward_round - kPi);
  const float end = static_cast<float>(double{toward_round} - flat_half_angle + kPi);

  out.Arc(c, radius, start, double{end} - start);
  out.Line(PolarPoint(c, radius, end), PolarPoint(c, radius, start));
}

// p[0] radius R, p[1] distance d of each flat, p[2] rotation t; the flats are
// parallel to t. Pieces: the round side towards t, the one towards t + pi,
// then the flats closing them.
void ExplodeDoubleD(const ShapeInput& in, PieceWriter& out) {
  const GeomPoint& c = in.centre;
  const float radius = in.p[0];
  const float rotation = in.p[2];
  const float half_round = static_cast<float>(std::asin(double{in.p[1]} / radius));
  const float start = static_cast<float>(double{rotation} - half_round);
  const float end = static_cast<float>(double{rotation} + half_round);

  out.Arc(c, radius, start, double{end} - start);
  out.Arc(c, radius, start + kPi, (end + kPi) - (start + kPi));
  out.Line(PolarPoint(c, radius, end + kPi), PolarPoint(c, radius, start));
  out.Line(PolarPoint(c, radius, end), PolarPoint(c, radius, start + kPi));
}

// p[0] base length b, p[1] height h, p[2] rotation t; the base's middle is at
// the reference point and the apex at (0, h) in the triangle's frame.
void ExplodeTriangle(const ShapeInput& in, PieceWriter& out) {
  const GeomPoint& c = in.centre;
  const float rotation = in.p[2];
  const double half_base = in.p[0] * 0.5;
  const GeomPoint v0 = FramePoint(c, -half_base, 0.0, rotation, out.Rotations());
  const GeomPoint v1 = FramePoint(c, half_base, 0.0, rotation, out.Rotations());
  const GeomPoint v2 = FramePoint(c, 0.0, in.p[1], rotation, out.Rotations());

  out.Line(v0, v1);
  out.Line(v1, v2);
  out.Line(v2, v0);
}

}  // namespace quarnel::explode
