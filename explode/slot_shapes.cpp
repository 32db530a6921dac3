// The two slot shapes: the radiused slot (a slot of constant width along a
// circular arc) and the obround slot (a straight slot with semicircular ends).
// Angles and points carried from one step to the next are held as floats, as
// the stored outlines were computed that way; each expression runs in double.
#include <cmath>

#include "explode/shape_constants.h"
#include "explode/shape_handlers.h"
#include "spectool/geom_types.h"

namespace quarnel::explode {

// p[0] path radius R about the reference point, p[1] start angle a, p[2]
// signed sweep s, p[3] width W. Pieces: inner edge, outer edge, start cap,
// end cap.
void ExplodeRadiusedSlot(const ShapeInput& in, PieceWriter& out) {
  const GeomPoint& c = in.centre;
  float radius = in.p[0];
  float start = in.p[1];
  float sweep = in.p[2];
  const float half_width = static_cast<float>(in.p[3] * 0.5);

  // Bring the radius to the slot's centre line.
  const uint32_t radius_reference = in.flags & (spectool::kFlagInnerRadius | spectool::kFlagOuterRadius);
  if (radius_reference == spectool::kFlagInnerRadius) {
    radius = static_cast<float>(double{radius} + half_width);
  } else if (radius_reference == spectool::kFlagOuterRadius) {
    radius = static_cast<float>(double{radius} - half_width);
  }

  // Overall angles reach the outer ends of the caps; move them to the cap centres.
  if (in.flags & spectool::kFlagOverallSize) {
    const float cap_angle = static_cast<float>(std::atan2(double{half_width}, double{radius}));
    if (sweep > 0) {
      start = static_cast<float>(double{start} + cap_angle);
      sweep = static_cast<float>(sweep - 2.0 * cap_angle);
    } else {
      start = static_cast<float>(double{start} - cap_angle);
      sweep = static_cast<float>(sweep + 2.0 * cap_angle);
    }
  }

  // Describe a clockwise slot as the same slot counter-clockwise.
  if (sweep < 0) {
    start = static_cast<float>(start - std::fabs(double{sweep}));
    sweep = static_cast<float>(std::fabs(double{sweep}));
  }

  const float end = static_cast<float>(double{start} + sweep);
  const GeomPoint start_cap = PolarPoint(c, radius, start);
  const GeomPoint end_cap = PolarPoint(c, radius, end);

  out.Arc(c, double{radius} - half_width, start, sweep);
  out.Arc(c, double{radius} + half_width, end, -double{sweep});
  // With no sweep both caps share one centre and cover the same half circle.
  out.Arc(start_cap, half_width, sweep > 0 ? start - kPi : double{start}, kHalfTurnSweep);
  out.Arc(end_cap, half_width, end, kHalfTurnSweep);
}

// p[0] length L, p[1] width W, p[2] rotation t of the long axis. Pieces: the
// two caps, then the two straight sides.
void ExplodeObroundSlot(const ShapeInput& in, PieceWriter& out) {
  const GeomPoint& c = in.centre;
  const float width = in.p[1];
  const float rotation = in.p[2];
  // Without the overall flag the length runs between the cap centres.
  const float length =
      (in.flags & spectool::kFlagOverallSize) ? in.p[0] : static_cast<float>(double{in.p[0]} + width);

  const float cap_radius = static_cast<float>(width * 0.5);
  const float cap_offset = static_cast<float>(length * 0.5 - cap_radius);
  const float right_angle = static_cast<float>(rotation - kHalfPi);
  const float left_angle = static_cast<float>(rotation + kHalfPi);

  const GeomPoint cap1 = PolarPoint(c, cap_offset, rotation);
  const GeomPoint cap2(2.0 * c.x - cap1.x, 2.0 * c.y - cap1.y);

  const GeomPoint q1 = PolarPoint(cap1, cap_radius, right_angle);
  const GeomPoint q2 = PolarPoint(cap1, cap_radius, left_angle);
  const GeomPoint q3 = PolarPoint(cap2, cap_radius, left_angle + kPi);
  const GeomPoint q4 = PolarPoint(cap2, cap_radius, right_angle + kPi);

  // The cap sweeps are differences of the stored angles, a half turn up to rounding.
  out.Arc(cap1, cap_radius, right_angle, double{left_angle} - right_angle);
  out.Arc(cap2, cap_radius, right_angle + kPi, (left_angle + kPi) - (right_angle + kPi));
  out.Line(q3, q1);
  out.Line(q2, q4);
}

}  // namespace quarnel::explode
