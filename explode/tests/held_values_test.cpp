// Angles and radii that a shape carries from one step to the next are held as
// floats; each step's expression runs in double. These checks redo the steps
// here with that rounding and compare the stored values bit for bit; with the
// values chosen, carrying them in double would change a stored angle.
#include <gtest/gtest.h>

#include <cmath>

#include "explode/tests/explode_test_support.h"

namespace quarnel::explode::testing {
namespace {

constexpr double kHalfPiLiteral = 1.570796326795;

float F(double v) { return static_cast<float>(v); }

TEST(ExplodeHeldValues, RadiusedSlotHoldsItsCorrectedRadiusAndAnglesAsFloats) {
  const float cx = 12.5f, cy = -7.25f;
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(2, cx, cy, {8.3f, 0.1f, 1.9f, 2.5f}, 0x0400 | 0x0800)), 4);

  const float h = F(2.5f * 0.5);
  const float r = F(double{8.3f} + h);
  const float d = F(std::atan2(double{h}, double{r}));
  const float a = F(double{0.1f} + d);
  const float s = F(double{1.9f} - 2.0 * d);
  const float e = F(double{a} + s);

  const GeomEntity inner = slots.piece(0);
  EXPECT_EQ(float{inner.p[0]}, F(double{r} - h));
  EXPECT_EQ(float{inner.p[1]}, a);
  EXPECT_EQ(float{inner.p[2]}, s);
  const GeomEntity outer = slots.piece(1);
  EXPECT_EQ(float{outer.p[0]}, F(double{r} + h));
  EXPECT_EQ(float{outer.p[1]}, e);
  EXPECT_EQ(float{outer.p[2]}, -s);
  const GeomEntity start_cap = slots.piece(2);
  EXPECT_EQ(float{start_cap.x}, F(cx + double{r} * std::cos(double{a})));
  EXPECT_EQ(float{start_cap.y}, F(cy + double{r} * std::sin(double{a})));
  EXPECT_EQ(float{start_cap.p[1]}, F(double{a} - kTestPi));
  const GeomEntity end_cap = slots.piece(3);
  EXPECT_EQ(float{end_cap.x}, F(cx + double{r} * std::cos(double{e})));
  EXPECT_EQ(float{end_cap.p[1]}, e);
}

TEST(ExplodeHeldValues, SingleDHoldsItsAnglesAsFloats) {
  const float cx = 1.25f, cy = 2.5f, radius = 5.5f;
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(15, cx, cy, {radius, 1.1f, 0.2f})), 2);

  const float psi = F(double{0.2f} + kHalfPiLiteral);
  const float beta = F(std::acos(double{1.1f} / radius));
  const float s0 = F(double{beta} + psi - kTestPi);
  const float e0 = F(double{psi} - beta + kTestPi);

  const GeomEntity arc = slots.piece(0);
  EXPECT_EQ(float{arc.p[1]}, s0);
  EXPECT_EQ(float{arc.p[2]}, F(double{e0} - s0));
  const GeomEntity flat = slots.piece(1);
  const float from_x = F(cx + double{radius} * std::cos(double{e0}));
  const float to_x = F(cx + double{radius} * std::cos(double{s0}));
  EXPECT_EQ(float{flat.x}, from_x);
  EXPECT_EQ(float{flat.y}, F(cy + double{radius} * std::sin(double{e0})));
  EXPECT_EQ(float{flat.p[0]}, F(double{to_x} - from_x));
}

}  // namespace
}  // namespace quarnel::explode::testing
