// The corner and V notches, the single and double D and the triangle.
#include <gtest/gtest.h>

#include <cmath>

#include "explode/tests/explode_test_support.h"
#include "spectool/geom_point.h"

namespace quarnel::explode::testing {
namespace {

class ExplodeNotch : public FreshRotationCache {};

constexpr float kQuarter = static_cast<float>(kTestPi / 2);

TEST_F(ExplodeNotch, CornerNotchUnrotated) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(8, 0, 0, {5, 3, 5, 3, 0})), 2);
  ExpectLine(slots.piece(0), 0, 3, 5, 3);
  ExpectLine(slots.piece(1), 5, 3, 5, 0);
}

TEST_F(ExplodeNotch, CornerNotchQuarterTurn) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(8, 0, 0, {5, 3, 5, 3, kQuarter})), 2);
  ExpectLine(slots.piece(0), -3, 0, -3, 5);
  ExpectLine(slots.piece(1), -3, 5, 0, 5);
}

// In its own frame the notch runs (u - leg1, v) -> (u, v) -> (u, v - leg2).
TEST_F(ExplodeNotch, CornerNotchOffOriginRotated) {
  const double cx = 25.5, cy = -4.75, u = 6, v = 2.5, leg1 = 4, leg2 = 1.75, t = 0.9f;
  auto at = [&](double pu, double pv) {
    return std::pair{cx + pu * std::cos(t) - pv * std::sin(t), cy + pv * std::cos(t) + pu * std::sin(t)};
  };
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(8, 25.5f, -4.75f, {6, 2.5f, 4, 1.75f, 0.9f})), 2);
  const auto [ax, ay] = at(u - leg1, v);
  const auto [kx, ky] = at(u, v);
  const auto [bx, by] = at(u, v - leg2);
  ExpectLine(slots.piece(0), ax, ay, kx, ky);
  ExpectLine(slots.piece(1), kx, ky, bx, by);
}

// The notches work out their own sines and cosines: an angle close to the
// last rotation's angle is not rounded to it.
TEST_F(ExplodeNotch, CornerNotchDoesNotUseTheRotationCache) {
  spectool::GeomPoint probe(1, 0);
  probe.RotateAbout(spectool::GeomPoint(), 0.6f, exports::Module().rotations);
  const float t = 0.6f + 0.00005f;
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(8, 0, 0, {40, 20, 10, 10, t})), 2);
  ExpectLine(slots.piece(1), 40 * std::cos(t) - 20 * std::sin(t), 20 * std::cos(t) + 40 * std::sin(t),
             40 * std::cos(t) - 10 * std::sin(t), 10 * std::cos(t) + 40 * std::sin(t));
}

TEST_F(ExplodeNotch, VNotchRightAngle) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(9, 0, 0, {10, 0, 0, 0, kQuarter})), 2);
  ExpectLine(slots.piece(0), 10, 0, 0, 10);
  ExpectLine(slots.piece(1), 0, -10, 10, 0);
}

TEST_F(ExplodeNotch, VNotchQuarterTurnOffOrigin) {
  const double cx = -3.5, cy = 12, depth = 6, phi = 2.0f, gamma = 0.7f;
  const double k = depth * std::tan(gamma / 2);
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(9, -3.5f, 12, {6, 2.0f, 0, 0, 0.7f})), 2);
  const double tx = cx + depth * std::cos(phi), ty = cy + depth * std::sin(phi);
  ExpectLine(slots.piece(0), tx, ty, cx - k * std::sin(phi), cy + k * std::cos(phi));
  ExpectLine(slots.piece(1), cx + k * std::sin(phi), cy - k * std::cos(phi), tx, ty);
}

TEST(ExplodeDShape, SingleDFlatBelowTheCentre) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(15, 0, 0, {5, 3, 0})), 2);
  ExpectArc(slots.piece(0), 0, 0, 5, -std::asin(0.6), 2 * kTestPi - 2 * std::acos(0.6));
  ExpectLine(slots.piece(1), -4, -3, 4, -3);
}

TEST(ExplodeDShape, SingleDOffOriginRotated) {
  const double cx = 8, cy = -2.5, r = 4, d = 1.5, t = 1.2f;
  const double beta = std::acos(d / r);
  const double s = t + kTestPi / 2 + beta - kTestPi;
  const double e = t + kTestPi / 2 - beta + kTestPi;
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(15, 8, -2.5f, {4, 1.5f, 1.2f})), 2);
  ExpectArc(slots.piece(0), cx, cy, r, s, e - s);
  ExpectLine(slots.piece(1), cx + r * std::cos(e), cy + r * std::sin(e), cx + r * std::cos(s),
             cy + r * std::sin(s));
  // The flat lies at distance d on the side at t - pi/2.
  const GeomEntity flat = slots.piece(1);
  EXPECT_NEAR_REL((flat.x - cx) * std::cos(t - kTestPi / 2) + (flat.y - cy) * std::sin(t - kTestPi / 2), d);
}

TEST(ExplodeDShape, SingleDFlatThroughTheEdgeIsAFullCircle) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(15, 0, 0, {5, 5, 0})), 2);
  ExpectArc(slots.piece(0), 0, 0, 5, -kTestPi / 2, 2 * kTestPi);
  ExpectLine(slots.piece(1), 0, -5, 0, -5);
}

TEST(ExplodeDShape, DoubleDTwoFlats) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(16, 0, 0, {5, 3, 0})), 4);
  const double alpha = std::asin(0.6);
  ExpectArc(slots.piece(0), 0, 0, 5, -alpha, 2 * alpha);
  ExpectArc(slots.piece(1), 0, 0, 5, kTestPi - alpha, 2 * alpha);
  ExpectLine(slots.piece(2), -4, -3, 4, -3);
  ExpectLine(slots.piece(3), 4, 3, -4, 3);
}

TEST(ExplodeDShape, DoubleDOffOriginRotated) {
  const double cx = -6, cy = 9.5, r = 3, d = 2.25, t = -0.4f;
  const double alpha = std::asin(d / r);
  auto at = [&](double angle) { return std::pair{cx + r * std::cos(angle), cy + r * std::sin(angle)}; };
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(16, -6, 9.5f, {3, 2.25f, -0.4f})), 4);
  ExpectArc(slots.piece(0), cx, cy, r, t - alpha, 2 * alpha);
  ExpectArc(slots.piece(1), cx, cy, r, t - alpha + kTestPi, 2 * alpha);
  const auto [e1x, e1y] = at(t + alpha + kTestPi);
  const auto [s0x, s0y] = at(t - alpha);
  const auto [e0x, e0y] = at(t + alpha);
  const auto [s1x, s1y] = at(t - alpha + kTestPi);
  ExpectLine(slots.piece(2), e1x, e1y, s0x, s0y);
  ExpectLine(slots.piece(3), e0x, e0y, s1x, s1y);
}

TEST(ExplodeDShape, DoubleDFlatsThroughTheEdgeAreTwoHalfCircles) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(16, 0, 0, {5, 5, 0})), 4);
  ExpectArc(slots.piece(0), 0, 0, 5, -kTestPi / 2, kTestPi);
  ExpectArc(slots.piece(1), 0, 0, 5, kTestPi / 2, kTestPi);
  ExpectLine(slots.piece(2), 0, -5, 0, -5);
  ExpectLine(slots.piece(3), 0, 5, 0, 5);
}

// Out-of-range flats and a zero radius are not errors: the pieces carry NaN.
TEST(ExplodeDShape, OutOfRangeFlatGivesNotANumberPieces) {
  struct Case {
    int8_t type;
    float radius, flat;
    int32_t pieces;
  };
  for (const Case& c : {Case{15, 5, 6, 2}, Case{16, 5, 6, 4}, Case{15, 0, 1, 2}, Case{16, 0, 1, 4}}) {
    SCOPED_TRACE(c.type);
    HostSlots slots;
    ASSERT_EQ(slots.Explode(Shape(c.type, 1, 2, {c.radius, c.flat, 0})), c.pieces);
    for (int i = 0; i < c.pieces; ++i) {
      const GeomEntity piece = slots.piece(i);
      EXPECT_TRUE(piece.type == 5 ? std::isnan(piece.p[1]) : std::isnan(piece.x)) << i;
      ExpectCleanPiece(piece, piece.type == 5 ? 3 : 2);
    }
  }
}

class ExplodeTriangle : public FreshRotationCache {};

TEST_F(ExplodeTriangle, StandsOnItsBase) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(21, 0, 0, {4, 3, 0})), 3);
  ExpectLine(slots.piece(0), -2, 0, 2, 0);
  ExpectLine(slots.piece(1), 2, 0, 0, 3);
  ExpectLine(slots.piece(2), 0, 3, -2, 0);
}

TEST_F(ExplodeTriangle, OffOriginRotated) {
  const double cx = 14, cy = 21.5, b = 5, h = 7.5, t = 2.6f;
  auto at = [&](double u, double v) {
    return std::pair{cx + u * std::cos(t) - v * std::sin(t), cy + v * std::cos(t) + u * std::sin(t)};
  };
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(21, 14, 21.5f, {5, 7.5f, 2.6f})), 3);
  const auto [x0, y0] = at(-b / 2, 0);
  const auto [x1, y1] = at(b / 2, 0);
  const auto [x2, y2] = at(0, h);
  ExpectLine(slots.piece(0), x0, y0, x1, y1);
  ExpectLine(slots.piece(1), x1, y1, x2, y2);
  ExpectLine(slots.piece(2), x2, y2, x0, y0);
}

TEST_F(ExplodeTriangle, RotationReusesTheSharedCache) {
  spectool::GeomPoint probe(1, 0);
  probe.RotateAbout(spectool::GeomPoint(), 0.6f, exports::Module().rotations);
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(21, 0, 0, {40, 30, 0.6f + 0.00005f})), 3);
  const double t = 0.6f;
  ExpectLine(slots.piece(1), 20 * std::cos(t), 20 * std::sin(t), -30 * std::sin(t), 30 * std::cos(t));
}

}  // namespace
}  // namespace quarnel::explode::testing
