// The radiused and obround slots, checked against the slot geometry worked
// out here in double precision.
#include <gtest/gtest.h>

#include <cmath>

#include "explode/tests/explode_test_support.h"

namespace quarnel::explode::testing {
namespace {

constexpr float kQuarter = static_cast<float>(kTestPi / 2);

// The four arcs of a radiused slot whose centre line has radius r about
// (cx, cy), running counter-clockwise from a through s >= 0, half-width h.
void ExpectRadiusedSlot(const HostSlots& slots, double cx, double cy, double r, double a, double s,
                        double h) {
  const double e = a + s;
  ExpectArc(slots.piece(0), cx, cy, r - h, a, s);
  ExpectArc(slots.piece(1), cx, cy, r + h, e, -s);
  ExpectArc(slots.piece(2), cx + r * std::cos(a), cy + r * std::sin(a), h, s > 0 ? a - kTestPi : a, kTestPi);
  ExpectArc(slots.piece(3), cx + r * std::cos(e), cy + r * std::sin(e), h, e, kTestPi);
  EXPECT_EQ(Bits(slots.piece(2).p[2]), 0x40490FDBu);
  EXPECT_EQ(Bits(slots.piece(3).p[2]), 0x40490FDBu);
}

TEST(ExplodeRadiusedSlot, CentreLineRadiusGivesInnerOuterAndCaps) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(2, 0, 0, {10, 0, kQuarter, 2})), 4);
  // Caps bulge outwards: the start cap towards -y, the end cap towards -x.
  ExpectArc(slots.piece(0), 0, 0, 9, 0, kTestPi / 2);
  ExpectArc(slots.piece(1), 0, 0, 11, kTestPi / 2, -kTestPi / 2);
  ExpectArc(slots.piece(2), 10, 0, 1, -kTestPi, kTestPi);
  ExpectArc(slots.piece(3), 0, 10, 1, kTestPi / 2, kTestPi);
}

TEST(ExplodeRadiusedSlot, RadiusFlagsMoveTheCentreLine) {
  struct Case {
    uint32_t flags;
    double centre_line;
  };
  for (const Case& c : {Case{0x0800, 11}, Case{0x1000, 9}, Case{0x1800, 10}}) {
    SCOPED_TRACE(c.flags);
    HostSlots slots;
    ASSERT_EQ(slots.Explode(Shape(2, 0, 0, {10, 0, kQuarter, 2}, c.flags)), 4);
    ExpectRadiusedSlot(slots, 0, 0, c.centre_line, 0, kTestPi / 2, 1);
  }
}

TEST(ExplodeRadiusedSlot, NegativeSweepGivesExactlyThePiecesOfThePositiveOne) {
  HostSlots forward, backward;
  ASSERT_EQ(forward.Explode(Shape(2, 0, 0, {10, 0, kQuarter, 2})), 4);
  ASSERT_EQ(backward.Explode(Shape(2, 0, 0, {10, kQuarter, -kQuarter, 2})), 4);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(forward.SameEntity(i, backward)) << i;
}

TEST(ExplodeRadiusedSlot, OverallAnglesMoveToTheCapCentres) {
  const double d = std::atan2(1.0, 10.0);
  {
    SCOPED_TRACE("positive sweep: start forward, sweep shrinks");
    HostSlots slots;
    ASSERT_EQ(slots.Explode(Shape(2, 0, 0, {10, 0.5f, kQuarter, 2}, 0x0400)), 4);
    ExpectRadiusedSlot(slots, 0, 0, 10, 0.5 + d, kTestPi / 2 - 2 * d, 1);
  }
  {
    SCOPED_TRACE("negative sweep: start back, sweep grows, then turned round");
    HostSlots slots;
    ASSERT_EQ(slots.Explode(Shape(2, 0, 0, {10, 0.5f, -kQuarter, 2}, 0x0400)), 4);
    const double a = 0.5 - d;
    const double s = -kTestPi / 2 + 2 * d;
    ExpectRadiusedSlot(slots, 0, 0, 10, a + s, -s, 1);
  }
}

TEST(ExplodeRadiusedSlot, ZeroSweepStartsBothCapsAtTheStartAngle) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(2, 0, 0, {10, 0.3f, 0, 2})), 4);
  ExpectRadiusedSlot(slots, 0, 0, 10, 0.3, 0, 1);
  EXPECT_EQ(float{slots.piece(2).p[1]}, 0.3f);
  EXPECT_EQ(float{slots.piece(2).x}, float{slots.piece(3).x});
  EXPECT_EQ(float{slots.piece(2).y}, float{slots.piece(3).y});
}

TEST(ExplodeRadiusedSlot, OffOriginClockwiseOuterRadiusOverallSlot) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(2, 12.5f, -7.25f, {8, 0.7f, -2.1f, 1.5f}, 0x0400 | 0x1000)), 4);
  const double h = 0.75;
  const double r = 8 - h;
  const double d = std::atan2(h, r);
  const double a = 0.7 - d;
  const double s = -2.1 + 2 * d;
  ExpectRadiusedSlot(slots, 12.5, -7.25, r, a - std::fabs(s), std::fabs(s), h);
}

// The obround with overall length l, width w and axis angle t about (cx, cy).
void ExpectObround(const HostSlots& slots, double cx, double cy, double l, double w, double t) {
  const double r = w / 2;
  const double o = l / 2 - r;
  const double a1 = t - kTestPi / 2;
  const double a2 = t + kTestPi / 2;
  const double p1x = cx + o * std::cos(t), p1y = cy + o * std::sin(t);
  const double p2x = 2 * cx - p1x, p2y = 2 * cy - p1y;
  ExpectArc(slots.piece(0), p1x, p1y, r, a1, kTestPi);
  ExpectArc(slots.piece(1), p2x, p2y, r, a1 + kTestPi, kTestPi);
  ExpectLine(slots.piece(2), p2x + r * std::cos(a2 + kTestPi), p2y + r * std::sin(a2 + kTestPi),
             p1x + r * std::cos(a1), p1y + r * std::sin(a1));
  ExpectLine(slots.piece(3), p1x + r * std::cos(a2), p1y + r * std::sin(a2), p2x + r * std::cos(a1 + kTestPi),
             p2y + r * std::sin(a1 + kTestPi));
}

TEST(ExplodeObroundSlot, OverallLengthIncludesTheCaps) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(6, 0, 0, {10, 4, 0}, 0x0400)), 4);
  ExpectArc(slots.piece(0), 3, 0, 2, -kTestPi / 2, kTestPi);
  ExpectArc(slots.piece(1), -3, 0, 2, kTestPi / 2, kTestPi);
  ExpectLine(slots.piece(2), -3, -2, 3, -2);
  ExpectLine(slots.piece(3), 3, 2, -3, 2);
}

TEST(ExplodeObroundSlot, WithoutOverallFlagLengthRunsBetweenCapCentres) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(6, 0, 0, {10, 4, 0})), 4);
  ExpectObround(slots, 0, 0, 14, 4, 0);
  EXPECT_NEAR_REL(slots.piece(0).x, 5);
  EXPECT_NEAR_REL(slots.piece(1).x, -5);
}

TEST(ExplodeObroundSlot, LengthEqualToWidthGivesTwoHalfCirclesAboutTheCentre) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(6, 1, 2, {4, 4, 0}, 0x0400)), 4);
  ExpectObround(slots, 1, 2, 4, 4, 0);
  EXPECT_NEAR_REL(slots.piece(2).p[0], 0);
  EXPECT_NEAR_REL(slots.piece(3).p[0], 0);
}

TEST(ExplodeObroundSlot, OffOriginRotated) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(6, -20.5f, 33.25f, {7.5f, 2.5f, 2.2f})), 4);
  ExpectObround(slots, -20.5, 33.25, 7.5 + 2.5, 2.5, 2.2f);
}

}  // namespace
}  // namespace quarnel::explode::testing
