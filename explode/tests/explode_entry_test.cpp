// The dispatch of ExplodeShape: copied lines and arcs, the round hole, the
// types that draw nothing, and the host records around every shape's pieces.
#include <gtest/gtest.h>

#include "explode/tests/explode_test_support.h"

namespace quarnel::explode::testing {
namespace {

class ExplodeEntry : public FreshRotationCache {};

TEST_F(ExplodeEntry, RoundHoleIsOneFullCircle) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(1, 10, 20, {5, 7, 8, 9})), 1);
  const GeomEntity arc = slots.piece(0);
  ExpectArc(arc, 10, 20, 5, 0, 2 * kTestPi);
  EXPECT_EQ(Bits(arc.p[2]), 0x40C90FDBu);
  EXPECT_EQ(Bits(arc.p[1]), 0u);
}

TEST_F(ExplodeEntry, RoundHolePassesANegativeRadiusOn) {
  HostSlots slots;
  ASSERT_EQ(slots.Explode(Shape(1, 0, 0, {-3})), 1);
  EXPECT_EQ(float{slots.piece(0).p[0]}, -3.0f);
}

TEST_F(ExplodeEntry, LinesAndArcsAreCopiedWithRefAndFlags) {
  for (int8_t type : {int8_t{4}, int8_t{5}}) {
    SCOPED_TRACE(type);
    GeomEntity source = Shape(type, 1.5f, -2.5f, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 0x1CC3);
    source.ref = 42;
    HostSlots slots;
    ASSERT_EQ(slots.Explode(source), 1);
    const GeomEntity copy = slots.piece(0);
    EXPECT_EQ(std::memcmp(&copy, &source, sizeof source), 0);
    EXPECT_TRUE(slots.HeaderIntact(0));
    for (int i = 1; i < kMaxPieces; ++i) EXPECT_TRUE(slots.Untouched(i)) << i;
  }
}

TEST_F(ExplodeEntry, TypesWithoutHandlerResetTheCountAndWriteNothing) {
  for (int type : {0, 7, 10, 11, 12, 13, 17, 18, 19, 22, 23, 24, 100, 127, -1, -128}) {
    SCOPED_TRACE(type);
    HostSlots slots;
    EXPECT_EQ(slots.Explode(Shape(static_cast<int8_t>(type), 1, 2, {3, 4, 5, 6, 7, 8, 9, 10, 11})), 0);
    for (int i = 0; i < kMaxPieces; ++i) EXPECT_TRUE(slots.Untouched(i)) << i;
  }
}

// Every handled shape fills exactly its pieces from slot 0 upwards, never an
// object header, and leaves the slots past its count as the host built them.
TEST_F(ExplodeEntry, EveryShapeWritesOnlyItsOwnSlotsAndNoHeader) {
  struct Case {
    int8_t type;
    int32_t pieces;
  };
  const Case cases[] = {{1, 1}, {2, 4}, {3, 4}, {4, 1}, {5, 1}, {6, 4}, {8, 2}, {9, 2},
                        {14, 4}, {15, 2}, {16, 4}, {20, 8}, {21, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    const GeomEntity source = Shape(c.type, 3, 4, {5, 3, 0.4f, 1, 0.2f, 6, 7, 8, 9}, 0x1C00);
    const GeomEntity before = source;
    HostSlots slots;
    ASSERT_EQ(slots.Explode(source), c.pieces);
    EXPECT_EQ(std::memcmp(&before, &source, sizeof source), 0);
    for (int i = 0; i < kMaxPieces; ++i) {
      EXPECT_TRUE(slots.HeaderIntact(i)) << i;
      if (i < c.pieces) {
        EXPECT_FALSE(slots.Untouched(i)) << i;
      } else {
        EXPECT_TRUE(slots.Untouched(i)) << i;
      }
    }
  }
}

}  // namespace
}  // namespace quarnel::explode::testing
