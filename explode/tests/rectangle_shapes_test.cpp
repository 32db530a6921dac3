// The centre rectangle, the rectangular hole and the rounded-corner
// rectangle, including their use of the shared rotation cache.
#include <gtest/gtest.h>

#include <cmath>

#include "explode/tests/explode_test_support.h"
#include "spectool/geom_point.h"

namespace quarnel::explode::testing {
namespace {

constexpr float kQuarter = static_cast<float>(kTestPi / 2);

struct Point {
  double x, y;
};

// The point at offset (u, v) from m in a frame turned by t.
Point Turned(Point m, double u, double v, double t) {
  return {m.x + u * std::cos(t) - v * std::sin(t), m.y + v * std::cos(t) + u * std::sin(t)};
}

void ExpectClosedQuad(const HostSlots& slots, const Point (&k)[4]) {
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    ExpectLine(slots.piece(i), k[i].x, k[i].y, k[(i + 1) % 4].x, k[(i + 1) % 4].y);
  }
}

// The four lines of a rectangle of signed size w by h about m, turned by t.
void ExpectRectangle(const HostSlots& slots, Point m, double w, double h, double t) {
  const Point k[4] = {Turned(m, -w / 2, -h / 2, t), Turned(m, w / 2, -h / 2, t), Turned(m, w / 2, h / 2, t),
                      Turned(m, -w / 2, h / 2, t)};
  ExpectClosedQuad(slots, k);
}

class ExplodeRectangle : public FreshRotationCache {};

TEST_F(ExplodeRectangle, CenterRectangleRunsCounterClockwiseFromLowerLeft) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(14, 0, 0, {4, 2, 0})), 4);
  ExpectClosedQuad(slots, {{-2, -1}, {2, -1}, {2, 1}, {-2, 1}});
  EXPECT_EQ(float{slots.piece(0).p[0]}, 4.0f);
  EXPECT_EQ(float{slots.piece(1).p[1]}, 2.0f);
  EXPECT_EQ(float{slots.piece(2).p[0]}, -4.0f);
  EXPECT_EQ(float{slots.piece(3).p[1]}, -2.0f);
}

TEST_F(ExplodeRectangle, CenterRectangleQuarterTurn) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(14, 0, 0, {4, 2, kQuarter})), 4);
  ExpectClosedQuad(slots, {{1, -2}, {1, 2}, {-1, 2}, {-1, -2}});
}

TEST_F(ExplodeRectangle, CenterRectangleNegativeSizesMirrorTheCornerOrder) {
  HostSlots one_negative, both_negative;
  ASSERT_EQ(one_negative.Explode(Shape(14, 0, 0, {-4, 2, 0})), 4);
  ExpectClosedQuad(one_negative, {{2, -1}, {-2, -1}, {-2, 1}, {2, 1}});
  ASSERT_EQ(both_negative.Explode(Shape(14, 0, 0, {-4, -2, 0})), 4);
  ExpectClosedQuad(both_negative, {{2, 1}, {-2, 1}, {-2, -1}, {2, -1}});
}

TEST_F(ExplodeRectangle, CenterRectangleOffOriginRotated) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(14, 40.5f, -12.75f, {6.5f, 3.25f, 0.8f})), 4);
  ExpectRectangle(slots, {40.5, -12.75}, 6.5, 3.25, 0.8f);
}

TEST_F(ExplodeRectangle, RectangularHoleIsPlacedByItsCorner) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(3, 0, 0, {4, 2, 0})), 4);
  ExpectClosedQuad(slots, {{0, 0}, {4, 0}, {4, 2}, {0, 2}});
}

TEST_F(ExplodeRectangle, RectangularHoleNegativeHeightHangsBelowAndStaysCounterClockwise) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(3, 0, 0, {4, -2, 0})), 4);
  ExpectClosedQuad(slots, {{0, -2}, {4, -2}, {4, 0}, {0, 0}});
}

TEST_F(ExplodeRectangle, RectangularHoleNegativeWidthLiesLeftAndRunsClockwise) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(3, 0, 0, {-4, 2, 0})), 4);
  ExpectClosedQuad(slots, {{0, 0}, {-4, 0}, {-4, 2}, {0, 2}});
}

TEST_F(ExplodeRectangle, RectangularHoleOffOriginRotated) {
  HostSlots slots;
  const double t = -1.1f;
  ASSERT_EQ(slots.Explode(Shape(3, 7.5f, 9.25f, {5, -3, -1.1f})), 4);
  const Point centre = Turned({7.5, 9.25}, 2.5, -1.5, t);
  ExpectRectangle(slots, centre, 5, 3, t);
}

// A rectangle at an angle within 0.0001 of the previous rotation's angle is
// turned with that angle's sine and cosine.
TEST_F(ExplodeRectangle, RotationReusesTheSharedCache) {
  const float primed = 0.6f;
  spectool::GeomPoint probe(1, 0);
  probe.RotateAbout(spectool::GeomPoint(), primed, exports::Module().rotations);
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(14, 0, 0, {40, 20, primed + 0.00005f})), 4);
  ExpectRectangle(slots, {0, 0}, 40, 20, primed);
}

// The rounded rectangle of overall size w by h and corner radius r about m,
// turned by t.
void ExpectRoundedRectangle(const HostSlots& slots, Point m, double w, double h, double r, double t) {
  const double iw = w / 2 - r, ih = h / 2 - r;
  const Point edges[4][2] = {{{-iw, -h / 2}, {iw, -h / 2}},
                             {{w / 2, -ih}, {w / 2, ih}},
                             {{iw, h / 2}, {-iw, h / 2}},
                             {{-w / 2, ih}, {-w / 2, -ih}}};
  const Point corners[4] = {{-iw, -ih}, {iw, -ih}, {iw, ih}, {-iw, ih}};
  const double starts[4] = {t + kTestPi, t - kTestPi / 2, t, t + kTestPi / 2};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const Point a = Turned(m, edges[i][0].x, edges[i][0].y, t);
    const Point b = Turned(m, edges[i][1].x, edges[i][1].y, t);
    const Point c = Turned(m, corners[i].x, corners[i].y, t);
    ExpectLine(slots.piece(2 * i), a.x, a.y, b.x, b.y);
    ExpectArc(slots.piece(2 * i + 1), c.x, c.y, r, starts[i], kTestPi / 2);
    EXPECT_EQ(Bits(slots.piece(2 * i + 1).p[2]), 0x3FC90FDBu);
  }
}

TEST_F(ExplodeRectangle, RoundedRectangleOverallSize) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(20, 0, 0, {10, 6, 0, 1}, 0x0400)), 8);
  ExpectLine(slots.piece(0), -4, -3, 4, -3);
  ExpectArc(slots.piece(1), -4, -2, 1, kTestPi, kTestPi / 2);
  ExpectRoundedRectangle(slots, {0, 0}, 10, 6, 1, 0);
}

TEST_F(ExplodeRectangle, RoundedRectangleStraightSizeGrowsByTheCorners) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(20, 0, 0, {10, 6, 0, 1})), 8);
  ExpectRoundedRectangle(slots, {0, 0}, 12, 8, 1, 0);
}

TEST_F(ExplodeRectangle, RoundedRectangleNegativeSizesGiveTheSameOutline) {
  for (uint32_t flags : {0u, 0x0400u}) {
    SCOPED_TRACE(flags);
    HostSlots positive, negative;
    ASSERT_EQ(positive.Explode(Shape(20, 3, 4, {10, 6, 0.3f, 1}, flags)), 8);
    ASSERT_EQ(negative.Explode(Shape(20, 3, 4, {-10, -6, 0.3f, 1}, flags)), 8);
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(positive.SameEntity(i, negative)) << i;
  }
}

TEST_F(ExplodeRectangle, RoundedRectangleZeroRadiusStillHasFourArcs) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(20, 0, 0, {10, 6, 0, 0})), 8);
  ExpectRoundedRectangle(slots, {0, 0}, 10, 6, 0, 0);
}

TEST_F(ExplodeRectangle, RoundedRectangleOffOriginRotated) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(20, -15.5f, 8.125f, {9, 5, 2.5f, 0.75f})), 8);
  ExpectRoundedRectangle(slots, {-15.5, 8.125}, 10.5, 6.5, 0.75, 2.5f);
}

}  // namespace
}  // namespace quarnel::explode::testing
