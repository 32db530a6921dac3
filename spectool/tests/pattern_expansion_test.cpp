#include "spectool/pattern_expansion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "spectool/geom_types.h"
#include "spectool/tests/geom_test_items.h"

namespace quarnel::spectool {
namespace {

using testing::AppendAll;
using testing::Items;
using testing::MakeItem;

constexpr float kNear = 1e-4f;
constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

void ExpectAt(const GeomItem& item, int8_t type, float x, float y) {
  EXPECT_EQ(item.type(), type);
  EXPECT_NEAR(item.x(), x, kNear);
  EXPECT_NEAR(item.y(), y, kNear);
}

void ExpectBecamePoint(const GeomItem& item, float x, float y) {
  ExpectAt(item, kGeomPoint, x, y);
  EXPECT_EQ(item.ref(), 0);
  EXPECT_EQ(item.flags() & 0x3u, 0u);
}

TEST(PatternExpansion, CircleOfFourRoundHoles) {
  GeomItemList list;
  AppendAll(list, {MakeItem(kGeomRoundHole, 5, 0, {2.5f}, 0, kFlagSeed),
                   MakeItem(kGeomPatternCircle, 0, 0, {5, 0, 4}, 1, kFlagRefInUse)});
  EXPECT_EQ(ExpandPatterns(list), 6);
  const auto items = Items(list);
  ExpectAt(items[0], kGeomRoundHole, 5, 0);
  EXPECT_EQ(items[0].flags() & kFlagSeed, 0u) << "the seed's bit 1 is cleared";
  ExpectBecamePoint(items[1], 0, 0);
  EXPECT_EQ(items[1].param(2), 4.0f) << "the former pattern keeps its parameters";
  ExpectAt(items[2], kGeomRoundHole, 5, 0);
  ExpectAt(items[3], kGeomRoundHole, 0, 5);
  ExpectAt(items[4], kGeomRoundHole, -5, 0);
  ExpectAt(items[5], kGeomRoundHole, 0, -5);
  for (int i = 2; i < 6; ++i) EXPECT_EQ(items[i].param(0), 2.5f);
}

TEST(PatternExpansion, LineCountsCompareTheIntegerStepWithTheFloatCount) {
  struct Case {
    float count;
    int copies;
  };
  for (const Case c : {Case{3, 3}, Case{2.5f, 3}, Case{0, 0}, Case{-2, 0}, Case{0.1f, 1}}) {
    GeomItemList list;
    AppendAll(list, {MakeItem(kGeomRoundHole, 1, 1, {1}, 0, kFlagSeed),
                     MakeItem(kGeomPatternLine, 1, 1, {10, 0, c.count}, 1)});
    ASSERT_EQ(ExpandPatterns(list), 2 + c.copies) << "count " << c.count;
    const auto items = Items(list);
    EXPECT_EQ(items[0].flags(), 0u) << "the seed bit is cleared even without copies";
    ExpectBecamePoint(items[1], 1, 1);
    for (int i = 0; i < c.copies; ++i) ExpectAt(items[2 + i], kGeomRoundHole, 1 + 10.0f * i, 1);
  }
}

TEST(PatternExpansion, GridPlacesRowsOutsideColumnsInside) {
  GeomItemList list;
  AppendAll(list, {MakeItem(kGeomRoundHole, 0, 0, {1}), MakeItem(kGeomPatternGrid, 0, 0, {10, 20, 2, 3, 0}, 1)});
  ASSERT_EQ(ExpandPatterns(list), 8);
  const auto items = Items(list);
  const float expected[6][2] = {{0, 0}, {0, 20}, {0, 40}, {10, 0}, {10, 20}, {10, 40}};
  for (int i = 0; i < 6; ++i) ExpectAt(items[2 + i], kGeomRoundHole, expected[i][0], expected[i][1]);
}

TEST(PatternExpansion, GridFirstAxisFollowsItsAngle) {
  GeomItemList list;
  AppendAll(list, {MakeItem(kGeomRoundHole, 0, 0, {1}), MakeItem(kGeomPatternGrid, 1, 1, {10, 20, 2, 2, kPi / 2}, 1)});
  ASSERT_EQ(ExpandPatterns(list), 6);
  const auto items = Items(list);
  // First axis along +y, second along -x.
  const float expected[4][2] = {{1, 1}, {-19, 1}, {1, 11}, {-19, 11}};
  for (int i = 0; i < 4; ++i) ExpectAt(items[2 + i], kGeomRoundHole, expected[i][0], expected[i][1]);
}

TEST(PatternExpansion, GridAxisSineAndCosineAreDoubles) {
  // At 1000 units along an axis of 0.02 rad a float cosine is one float step off.
  const float angle = 0.02f;
  GeomItemList list;
  AppendAll(list, {MakeItem(kGeomRoundHole, 0, 0, {1}), MakeItem(kGeomPatternGrid, 0, 0, {1000, 1, 2, 1, angle}, 1)});
  ASSERT_EQ(ExpandPatterns(list), 4);
  const GeomItem second_row = Items(list)[3];
  const double a = angle;
  EXPECT_EQ(second_row.x(), static_cast<float>(1000.0 * std::cos(a)));
  EXPECT_EQ(second_row.y(), static_cast<float>(1000.0 * std::sin(a)));
}

TEST(PatternExpansion, GridTruncatesCountsAndNeedsAFullRow) {
  for (const auto& [rows, cols, copies] : {std::tuple{2.9f, 1.9f, 2}, {0.9f, 5.0f, 0}, {3.0f, 0.5f, 0}}) {
    GeomItemList list;
    AppendAll(list, {MakeItem(kGeomRoundHole, 0, 0, {1}), MakeItem(kGeomPatternGrid, 0, 0, {1, 1, rows, cols, 0}, 1)});
    EXPECT_EQ(ExpandPatterns(list), 2 + copies) << rows << " x " << cols;
  }
}

TEST(PatternExpansion, ArcStepsFromTheStartAngle) {
  GeomItemList list;
  AppendAll(list, {MakeItem(kGeomRoundHole, 0, 0, {1}), MakeItem(kGeomPatternArc, 3, 4, {10, 0, kPi / 2, 3}, 1)});
  ASSERT_EQ(ExpandPatterns(list), 5);
  const auto items = Items(list);
  ExpectAt(items[2], kGeomRoundHole, 13, 4);
  ExpectAt(items[3], kGeomRoundHole, 3, 14);
  ExpectAt(items[4], kGeomRoundHole, -7, 4);
}

TEST(PatternExpansion, CircleCountIsTruncatedAndSpacesCopiesByItsFloor) {
  GeomItemList list;
  AppendAll(list, {MakeItem(kGeomRoundHole, 0, 0, {1}), MakeItem(kGeomPatternCircle, 0, 0, {1, kPi / 2, 3.7f}, 1)});
  ASSERT_EQ(ExpandPatterns(list), 5);
  const auto items = Items(list);
  for (int i = 0; i < 3; ++i) {
    const double a = kPi / 2 + i * 2 * std::numbers::pi / 3;
    ExpectAt(items[2 + i], kGeomRoundHole, static_cast<float>(std::cos(a)), static_cast<float>(std::sin(a)));
  }
}

TEST(PatternExpansion, CopiesKeepOnlyTheCopyMaskOfTheSeedFlags) {
  for (const auto& [seed_flags, copy_flags] : {std::pair{0x0003u, 0x0001u}, {0xFFFFFFFFu, 0x1CC1u}, {0x0C80u, 0x0C80u}}) {
    GeomItemList list;
    AppendAll(list, {MakeItem(kGeomLine, 0, 0, {1, 0, 7, 8}, 5, seed_flags),
                     MakeItem(kGeomPatternLine, 0, 0, {0, 1, 2}, 1)});
    ASSERT_EQ(ExpandPatterns(list), 4);
    const auto items = Items(list);
    EXPECT_EQ(items[0].flags(), seed_flags & ~kFlagSeed);
    for (int i = 2; i < 4; ++i) {
      EXPECT_EQ(items[i].flags(), copy_flags);
      EXPECT_EQ(items[i].ref(), 5) << "copies keep the seed's ref";
      EXPECT_EQ(items[i].param(3), 8.0f) << "and its parameters";
      EXPECT_EQ(items[i].link(), -1);
    }
  }
}

TEST(PatternExpansion, SeedPatternBeforeItsPatternIsCopiedAsAPoint) {
  GeomItemList list;
  AppendAll(list, {MakeItem(kGeomRoundHole, 0, 0, {1}),
                   MakeItem(kGeomPatternLine, 0, 0, {5, 0, 2}, 1),
                   MakeItem(kGeomPatternLine, 0, 0, {0, 10, 2}, 2)});
  ASSERT_EQ(ExpandPatterns(list), 7);
  const auto items = Items(list);
  ExpectAt(items[3], kGeomRoundHole, 0, 0);
  ExpectAt(items[4], kGeomRoundHole, 5, 0);
  ExpectAt(items[5], kGeomPoint, 0, 0);
  ExpectAt(items[6], kGeomPoint, 0, 10);
}

TEST(PatternExpansion, SeedPatternAfterItsPatternIsCopiedWithItsOwnSeed) {
  GeomItemList list;
  AppendAll(list, {MakeItem(kGeomRoundHole, 100, 0, {1}, 0, kFlagSeed),
                   MakeItem(kGeomPatternLine, 0, 0, {0, 10, 2}, 3, kFlagRefInUse),
                   MakeItem(kGeomPatternLine, 100, 0, {5, 0, 2}, 1, kFlagRefInUse | kFlagSeed)});
  ASSERT_EQ(ExpandPatterns(list), 13);
  const auto items = Items(list);
  // Outer pattern: a copy of the inner pattern at each point, its seed copy right behind it.
  ExpectBecamePoint(items[3], 0, 0);  // the inner pattern's copy, since expanded
  ExpectAt(items[4], kGeomRoundHole, 0, 0);
  ExpectBecamePoint(items[5], 0, 10);
  ExpectAt(items[6], kGeomRoundHole, 0, 10);
  // The inner pattern itself, then the copies' own expansions in walk order.
  ExpectAt(items[7], kGeomRoundHole, 100, 0);
  ExpectAt(items[8], kGeomRoundHole, 105, 0);
  ExpectAt(items[9], kGeomRoundHole, 0, 0);
  ExpectAt(items[10], kGeomRoundHole, 5, 0);
  ExpectAt(items[11], kGeomRoundHole, 0, 10);
  ExpectAt(items[12], kGeomRoundHole, 5, 10);
}

TEST(PatternExpansion, NestedCopyNamesItsSeedCopyWhichKeepsTheSeedBit) {
  GeomItemList list;
  AppendAll(list, {MakeItem(kGeomRoundHole, 0, 0, {1}, 0, kFlagSeed | 0x40),
                   MakeItem(kGeomPatternCircle, 0, 0, {5, kPi / 2, 4}, 1, kFlagRefInUse | kFlagSeed)});
  // Copy the circle pattern once to (100, 0) without expanding the copies.
  InsertCopy(list, 2, GeomPoint(100, 0), kCopyMask);
  const auto items = Items(list);
  ASSERT_EQ(items.size(), 4u);
  ExpectAt(items[2], kGeomPatternCircle, 100, 0);
  EXPECT_EQ(items[2].ref(), 4);
  EXPECT_EQ(items[2].flags(), kFlagRefInUse);
  // The seed of a circular pattern lies on the circle at the start angle.
  ExpectAt(items[3], kGeomRoundHole, 100, 5);
  EXPECT_EQ(items[3].flags(), kFlagSeed | 0x40);
}

TEST(PatternExpansion, GroupCopyNamesItsMembersAndLeavesSeedsBehind) {
  GeomItemList list;
  AppendAll(list, {MakeItem(kGeomGroup, 0, 0, {2, 2}),
                   MakeItem(kGeomRoundHole, 1, 1, {1}),
                   MakeItem(kGeomRoundHole, 2, 2, {1}, 0, kFlagSeed),
                   MakeItem(kGeomPatternLine, 0, 0, {10, 0, 2}, 1)});
  ASSERT_EQ(ExpandPatterns(list), 8);
  const auto items = Items(list);
  ExpectAt(items[4], kGeomGroup, 0, 0);
  EXPECT_EQ(items[4].param(0), 6.0f);
  EXPECT_EQ(items[4].param(1), 2.0f);
  ExpectAt(items[5], kGeomRoundHole, 1, 1);  // members keep their own points
  ExpectAt(items[6], kGeomGroup, 10, 0);
  EXPECT_EQ(items[6].param(0), 8.0f);
  ExpectAt(items[7], kGeomRoundHole, 1, 1);
}

TEST(PatternExpansion, RetreatSeedsMakeNoCopies) {
  GeomItemList list;
  AppendAll(list, {MakeItem(kGeomRetreatLine, 0, 0, {1, 1}), MakeItem(kGeomPatternLine, 0, 0, {1, 0, 5}, 1)});
  EXPECT_EQ(ExpandPatterns(list), 2);
  ExpectBecamePoint(Items(list)[1], 0, 0);
}

TEST(PatternExpansion, RefOutsideTheListMakesNoCopyAndClearsNoSeed) {
  for (int32_t ref : {0, -1, 3, 1000}) {
    GeomItemList list;
    AppendAll(list, {MakeItem(kGeomRoundHole, 0, 0, {1}, 0, kFlagSeed),
                     MakeItem(kGeomPatternLine, 0, 0, {1, 0, 5}, ref, kFlagRefInUse)});
    EXPECT_EQ(ExpandPatterns(list), 2) << "ref " << ref;
    const auto items = Items(list);
    EXPECT_EQ(items[0].flags(), kFlagSeed);
    ExpectBecamePoint(items[1], 0, 0);
  }
}

TEST(PatternExpansion, PatternsThatRepeatThemselvesEnd) {
  {
    GeomItemList list;  // a pattern that repeats itself
    AppendAll(list, {MakeItem(kGeomPatternLine, 0, 0, {1, 0, 5}, 1)});
    EXPECT_EQ(ExpandPatterns(list), 1);
    ExpectBecamePoint(Items(list)[0], 0, 0);
  }
  {
    GeomItemList list;  // two patterns that repeat each other
    AppendAll(list, {MakeItem(kGeomPatternLine, 0, 0, {1, 0, 3}, 2), MakeItem(kGeomPatternCircle, 0, 0, {1, 0, 3}, 1)});
    // The copies of the second pattern cannot bring the first along, so they repeat nothing.
    EXPECT_EQ(ExpandPatterns(list), 8);
    for (const GeomItem& item : Items(list)) EXPECT_EQ(Kind(item.type()) == GeomKind::kPattern, false);
  }
  {
    GeomItemList list;  // a group that holds itself, repeated by a pattern
    AppendAll(list, {MakeItem(kGeomGroup, 0, 0, {1, 3}), MakeItem(kGeomRoundHole, 1, 1, {1}),
                     MakeItem(kGeomPatternLine, 0, 0, {1, 0, 2}, 1)});
    EXPECT_EQ(ExpandPatterns(list), 7);
  }
}

TEST(PatternExpansion, GroupMembersBeyondTheListAreNotRead) {
  GeomItemList list;
  AppendAll(list, {MakeItem(kGeomGroup, 0, 0, {2, 1e9f}), MakeItem(kGeomRoundHole, 1, 1, {1}),
                   MakeItem(kGeomPatternLine, 0, 0, {1, 0, 1}, 1)});
  EXPECT_EQ(ExpandPatterns(list), 5);
  GeomItemList nan_group;
  AppendAll(nan_group, {MakeItem(kGeomGroup, 0, 0, {kNaN, kNaN}), MakeItem(kGeomPatternLine, 0, 0, {1, 0, 1}, 1)});
  EXPECT_EQ(ExpandPatterns(nan_group), 3);
}

TEST(PatternExpansion, NonFiniteCountsMakeNoCopies) {
  for (float count : {kNaN, kInf, -kInf}) {
    for (int8_t type : {kGeomPatternLine, kGeomPatternCircle, kGeomPatternArc, kGeomPatternGrid}) {
      GeomItemList list;
      AppendAll(list, {MakeItem(kGeomRoundHole, 0, 0, {1}), MakeItem(type, 0, 0, {1, 1, count, count, 0}, 1)});
      EXPECT_EQ(ExpandPatterns(list), 2) << "type " << int{type} << " count " << count;
    }
  }
}

TEST(PatternExpansion, HugeCountsStopAtTheItemLimit) {
  GeomItemList line;
  AppendAll(line, {MakeItem(kGeomRoundHole, 0, 0, {1}), MakeItem(kGeomPatternLine, 0, 0, {1, 0, 1e9f}, 1)});
  EXPECT_EQ(ExpandPatterns(line), static_cast<int32_t>(kMaxExpandedItems));

  GeomItemList grid;
  AppendAll(grid, {MakeItem(kGeomRoundHole, 0, 0, {1}),
                   MakeItem(kGeomPatternGrid, 0, 0, {1, 1, 100000, 100000, 0}, 1),
                   MakeItem(kGeomPatternCircle, 0, 0, {1, 0, 1e30f}, 1)});
  EXPECT_EQ(ExpandPatterns(grid), static_cast<int32_t>(kMaxExpandedItems));
  GeomItem last;
  grid.ReadAt(last, 3);
  EXPECT_EQ(last.type(), kGeomPoint) << "patterns past the limit still become points";
}

}  // namespace
}  // namespace quarnel::spectool
