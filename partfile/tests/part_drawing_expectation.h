// Test-side statement of the part drawing file, built field by field with
// ByteBuilder and independent of the writer under test.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "quarnel/geometry.h"
#include "tests/support/byte_builder.h"

namespace quarnel::partfile::testing {

using quarnel::testing::ByteBuilder;

inline constexpr size_t kHeaderBytes = 101;
inline constexpr size_t kEntityRecordBytes = 93;
inline constexpr size_t kTrailerFixedBytes = 1394;
inline constexpr size_t kTrailerBytesPerEntity = 44;

// The 42 data bytes of a second-list element with distinct values in every
// field; `seed` tells elements apart. Its words at offsets 24 and 30 are
// WordAt24(seed) and WordAt30(seed).
inline int32_t WordAt24(int seed) { return 2400 + seed; }
inline int32_t WordAt30(int seed) { return -3000 - seed; }
inline std::array<unsigned char, 42> SecondListData(int seed) {
  ByteBuilder b;
  b.I16(static_cast<int16_t>(100 + seed)).I16(-7).U8(static_cast<uint8_t>(seed)).I16(0x1234);
  b.U8(0xA5).I16(-300).U8(9).I32(70000 + seed).F32(2.5f + seed).I32(-1).U8(0x80);
  b.I32(WordAt24(seed)).I16(42).I32(WordAt30(seed)).F32(-0.25f).I32(0x01020304 + seed);
  std::array<unsigned char, 42> data{};
  const std::string& bytes = b.bytes();
  for (size_t i = 0; i < data.size() && i < bytes.size(); ++i) {
    data[i] = static_cast<unsigned char>(bytes[i]);
  }
  return data;
}

inline void Header(ByteBuilder& b, int32_t n) {
  b.I16(71).F32(0.5f).F32(0.5f);
  b.Text("NEW PRODUCT", 21).Text("NEW ASSEMBLY", 21).Text("NEW MATERIAL", 21);
  b.I32(1).I32(1).F32(0.05f).I32(11).I32(-1).I32(0).I32(n);
}

// One record of an entity exactly as the file must hold it (already converted).
inline void EntityRecord(ByteBuilder& b, const GeomEntity& stored) {
  b.I8(stored.type).I32(stored.ref).U32(stored.flags).F32(stored.x).F32(stored.y).I32(9);
  for (int i = 0; i < 9; ++i) b.F32(stored.p[i]);
  b.I32(-1).I32(0).I32(2).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0);
}

inline void Raw(ByteBuilder& b, const std::array<unsigned char, 42>& data) {
  b.Raw(std::string(data.begin(), data.end()));
}

// The section for second-list elements made by SecondListData(seeds[i]).
inline void SecondListSection(ByteBuilder& b, const std::vector<int>& seeds) {
  if (seeds.empty()) {
    b.I32(0);
    return;
  }
  b.I32(static_cast<int32_t>(seeds.size() - 1));
  for (size_t i = 1; i < seeds.size(); ++i) Raw(b, SecondListData(seeds[i]));
  Raw(b, SecondListData(seeds[0]));
  b.I32(0).I32(0).I32(WordAt24(seeds[0])).I32(WordAt30(seeds[0]));
}

inline void Trailer(ByteBuilder& b, int32_t n) {
  b.Text("", 256);
  for (int32_t v : {0, 0, 0, 0, 1, 1, 0, 0, 0, 0}) b.I32(v);
  b.F32(1.0f).I32(0).I32(0).I32(31999).I32(n);
  for (int32_t i = 0; i < n * 11; ++i) b.I32(0);
  b.U8(0);
  for (int i = 0; i < 5; ++i) b.I32(0);
  b.Text("Customer Name", 256).Text("Part Number", 256).Text("Revision", 21);
  b.Text("Material Type", 256).Text("Next Operation", 256);
  b.I32(-1).I32(0).I32(0);
}

// The whole file for entities as stored and second-list elements by seed.
inline std::string ExpectedPartDrawing(const std::vector<GeomEntity>& stored,
                                       const std::vector<int>& seeds) {
  ByteBuilder b;
  const auto n = static_cast<int32_t>(stored.size());
  Header(b, n);
  for (const GeomEntity& e : stored) EntityRecord(b, e);
  SecondListSection(b, seeds);
  Trailer(b, n);
  return b.bytes();
}

inline GeomEntity MakeEntity(int8_t type, int32_t ref, uint32_t flags, float x, float y,
                             std::initializer_list<float> params = {}) {
  GeomEntity e{};
  e.type = type;
  e.ref = ref;
  e.flags = flags;
  e.x = x;
  e.y = y;
  int i = 0;
  for (float p : params) e.p[i++] = p;
  return e;
}

// An entity's values in an ordinary aligned struct: GoogleTest binds its
// arguments by reference, which the packed entity's fields do not allow.
struct EntityValues {
  int type;
  int32_t ref;
  uint32_t flags;
  float x, y;
  std::array<float, 9> p;
};
inline EntityValues ValuesOf(const GeomEntity& e) {
  EntityValues v{e.type, e.ref, e.flags, e.x, e.y, {}};
  for (int i = 0; i < 9; ++i) v.p[static_cast<size_t>(i)] = e.p[i];
  return v;
}

}  // namespace quarnel::partfile::testing
