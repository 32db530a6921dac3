// Test-side host records and piece checks for the shape explosion tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "explode/explode_shape.h"
#include "exports/module_state.h"
#include "quarnel/geometry.h"
#include "spectool/geom_point.h"

namespace quarnel::explode::testing {

inline constexpr double kTestPi = 3.141592653589793;

// A host entity object as the host lays it out: a 4-byte object header that
// the library must never touch, then the 53 entity bytes.
#pragma pack(push, 1)
struct HostRecord {
  uint8_t header[4];
  GeomEntity entity;
};
#pragma pack(pop)
static_assert(sizeof(HostRecord) == 57, "a host record is 57 bytes");

// Eight host records filled with a per-byte sentinel pattern, handed to
// ExplodeShape the way the host's callers do.
class HostSlots {
 public:
  HostSlots() {
    for (int i = 0; i < kMaxPieces; ++i) FillSentinel(i, records_[i]);
  }

  // Runs ExplodeShape over the eight records, starting from a stale count.
  int32_t Explode(const GeomEntity& source) {
    GeomEntity* slots[kMaxPieces];
    for (int i = 0; i < kMaxPieces; ++i) slots[i] = &records_[i].entity;
    int32_t count = -99;
    EXPECT_TRUE(ExplodeShape(source, &count, slots, exports::Module().rotations));
    return count;
  }

  GeomEntity piece(int i) const {
    GeomEntity e;
    std::memcpy(&e, &records_[i].entity, sizeof e);
    return e;
  }

  bool HeaderIntact(int i) const {
    HostRecord expected;
    FillSentinel(i, expected);
    return std::memcmp(records_[i].header, expected.header, sizeof expected.header) == 0;
  }

  bool Untouched(int i) const {
    HostRecord expected;
    FillSentinel(i, expected);
    return std::memcmp(&records_[i], &expected, sizeof expected) == 0;
  }

  // The entity bytes of slot i, for exact comparisons between two runs.
  bool SameEntity(int i, const HostSlots& other) const {
    return std::memcmp(&records_[i].entity, &other.records_[i].entity, sizeof(GeomEntity)) == 0;
  }

 private:
  static void FillSentinel(int slot, HostRecord& record) {
    auto* bytes = reinterpret_cast<uint8_t*>(&record);
    for (size_t j = 0; j < sizeof record; ++j) bytes[j] = static_cast<uint8_t>(0xA5 ^ (slot * 57 + j));
  }

  HostRecord records_[kMaxPieces];
};

// Shapes that turn through the shared rotation cache start each test from a
// forgotten angle and leave none behind.
class FreshRotationCache : public ::testing::Test {
 protected:
  void SetUp() override { ResetModuleState(); }
  void TearDown() override { ResetModuleState(); }
};

// A source entity of the given type at (x, y) with leading parameters.
inline GeomEntity Shape(int8_t type, float x, float y, std::initializer_list<float> params, uint32_t flags = 0) {
  GeomEntity e{};
  e.type = type;
  e.flags = flags;
  e.x = x;
  e.y = y;
  int i = 0;
  for (float v : params) e.p[i++] = v;
  return e;
}

// Agreement to 1e-5 relative, absolute near zero.
inline bool Near(double actual, double expected) {
  return std::fabs(actual - expected) <= 1e-5 * std::max(1.0, std::fabs(expected));
}

#define EXPECT_NEAR_REL(actual, expected) \
  EXPECT_TRUE(::quarnel::explode::testing::Near((actual), (expected))) \
      << #actual << " = " << (actual) << ", expected " << (expected)

// The single-precision bit pattern of a stored value.
inline uint32_t Bits(float v) { return std::bit_cast<uint32_t>(v); }

// Built pieces carry no ref and no flags, and every parameter they do not use
// is exactly +0.0.
inline void ExpectCleanPiece(const GeomEntity& e, int first_unused) {
  EXPECT_EQ(int32_t{e.ref}, 0);
  EXPECT_EQ(uint32_t{e.flags}, 0u);
  for (int i = first_unused; i < 9; ++i) {
    EXPECT_EQ(Bits(e.p[i]), 0u) << "p[" << i << "] = " << e.p[i];
  }
}

inline void ExpectLine(const GeomEntity& e, double ax, double ay, double bx, double by) {
  EXPECT_EQ(int{e.type}, 4);
  EXPECT_NEAR_REL(e.x, ax);
  EXPECT_NEAR_REL(e.y, ay);
  EXPECT_NEAR_REL(double{e.x} + e.p[0], bx);
  EXPECT_NEAR_REL(double{e.y} + e.p[1], by);
  ExpectCleanPiece(e, 2);
}

inline void ExpectArc(const GeomEntity& e, double cx, double cy, double radius, double start, double sweep) {
  EXPECT_EQ(int{e.type}, 5);
  EXPECT_NEAR_REL(e.x, cx);
  EXPECT_NEAR_REL(e.y, cy);
  EXPECT_NEAR_REL(e.p[0], radius);
  EXPECT_NEAR_REL(e.p[1], start);
  EXPECT_NEAR_REL(e.p[2], sweep);
  ExpectCleanPiece(e, 3);
}

}  // namespace quarnel::explode::testing
