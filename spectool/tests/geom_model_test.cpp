#include <gtest/gtest.h>

#include <cstring>
#include <numbers>

#include "quarnel/geometry.h"
#include "spectool/geom_item.h"
#include "spectool/geom_point.h"
#include "spectool/geom_types.h"

namespace quarnel::spectool {
namespace {

constexpr double kHalfTurn = std::numbers::pi / 2;

TEST(GeomTypes, TablesCoverTheNamedCodesAndCode23) {
  EXPECT_EQ(ParamCount(23), 4);
  EXPECT_EQ(ParamCount(0), 0);
  EXPECT_EQ(ParamCount(17), 0);
  EXPECT_EQ(ParamCount(7), 9);
  EXPECT_EQ(ParamCount(9), 5);
  for (int code : {22, 24, 127, -1, -128}) {
    EXPECT_EQ(ParamCount(code), -1) << code;
    EXPECT_EQ(TypeName(code), nullptr) << code;
    EXPECT_EQ(Kind(code), GeomKind::kNone) << code;
  }
  EXPECT_STREQ(TypeName(20), "ROUNDED CORNER RECTANGLE");
  EXPECT_STREQ(TypeName(21), "TRIANGLE");
  EXPECT_STREQ(TypeName(0), "NULL");
  EXPECT_EQ(TypeName(23), nullptr);
  EXPECT_EQ(Kind(23), GeomKind::kSingle);
  EXPECT_EQ(Kind(7), GeomKind::kGroup);
  for (int code = 10; code <= 13; ++code) EXPECT_EQ(Kind(code), GeomKind::kPattern);
  EXPECT_EQ(Kind(17), GeomKind::kSingle);
  EXPECT_EQ(Kind(18), GeomKind::kNone);
  EXPECT_EQ(Kind(19), GeomKind::kNone);
  EXPECT_EQ(Kind(0), GeomKind::kNone);
}

TEST(GeomItem, NewItemCarriesTheReservedDefaults) {
  const GeomItem empty;
  const float p[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  const GeomItem built(kGeomArc, 3, 0x80, GeomPoint(1.5, -2.5), p);
  for (const GeomItem* item : {&empty, &built}) {
    EXPECT_EQ(item->link(), -1);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(item->word(i), 0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(item->spare[i], 0);
  }
  GeomEntity zero;
  std::memset(&zero, 0, sizeof zero);
  EXPECT_EQ(std::memcmp(&empty.entity, &zero, sizeof zero), 0);
  EXPECT_EQ(built.type(), kGeomArc);
  EXPECT_EQ(built.ref(), 3);
  EXPECT_EQ(built.flags(), 0x80u);
  EXPECT_EQ(built.point().x, 1.5f);
  EXPECT_EQ(built.point().y, -2.5f);
  EXPECT_EQ(built.param(8), 9.0f);
}

TEST(GeomItem, ListKeepsWholeRecordsByValue) {
  GeomItemList list;
  const float p[9] = {0.5f};
  GeomItem item(kGeomRoundHole, 0, 2, GeomPoint(4, 5), p);
  item.reservedWords[6] = 77;
  ASSERT_EQ(list.Append(item), StatusCode::kOk);
  item.set_point(GeomPoint(99, 5));  // the list holds its own copy
  GeomItem back;
  ASSERT_EQ(list.ReadAt(back, 1), 1);
  EXPECT_EQ(back.x(), 4.0f);
  EXPECT_EQ(back.word(6), 77);
  EXPECT_EQ(list.ReadAt(back, 2), 0);
}

TEST(GeomPoint, ArithmeticStoresFloats) {
  GeomPoint a(1, 2);
  const GeomPoint b(0.5, 0.25);
  EXPECT_EQ((a + b).x, 1.5f);
  EXPECT_EQ((a - b).y, 1.75f);
  EXPECT_EQ((-a).x, -1.0f);
  EXPECT_EQ((a * 3).y, 6.0f);
  EXPECT_EQ((a / 4).x, 0.25f);
  EXPECT_EQ((a + 1.0).y, 3.0f);
  a += b;
  a -= 1.0;
  EXPECT_EQ(a.x, 0.5f);
  EXPECT_EQ(a.y, 1.25f);
}

TEST(GeomPoint, RotationReusesTheCacheWithinATenThousandth) {
  RotationCache cache;
  GeomPoint p(1, 0);
  p.RotateAbout(GeomPoint(), kHalfTurn, cache);
  EXPECT_NEAR(p.x, 0.0f, 1e-7f);
  EXPECT_EQ(p.y, 1.0f);
  EXPECT_EQ(cache.angle, kHalfTurn);

  // Within 0.0001: the sine and cosine of pi/2 are used as they are.
  GeomPoint q(1, 0);
  q.RotateAbout(GeomPoint(), kHalfTurn + 0.00005, cache);
  EXPECT_EQ(q.x, p.x);
  EXPECT_EQ(q.y, p.y);
  EXPECT_EQ(cache.angle, kHalfTurn) << "the cached angle stays";

  // Further off: computed afresh, and the new angle is cached.
  GeomPoint r(1, 0);
  r.RotateAbout(GeomPoint(), kHalfTurn + 0.0002, cache);
  EXPECT_LT(r.x, -1e-4f);
  EXPECT_EQ(cache.angle, kHalfTurn + 0.0002);
}

TEST(GeomPoint, RotationIsAboutTheCentre) {
  RotationCache cache;
  GeomPoint p(3, 2);
  p.RotateAbout(GeomPoint(2, 2), std::numbers::pi, cache);
  EXPECT_NEAR(p.x, 1.0f, 1e-6f);
  EXPECT_NEAR(p.y, 2.0f, 1e-6f);
}

}  // namespace
}  // namespace quarnel::spectool
