// The outline that OpenSpecialTool hands out, held compactly. An outline
// repeats few shapes at many places (a grid of holes is one arc at a million
// points), so each entity is kept as its reference point and the index of its
// other fields in a table of the distinct ones: 12 bytes for a repeated entity
// instead of 53, and a large outline touches that much less fresh memory.
// Every entity reads back with exactly the bytes it was given.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "quarnel/geometry.h"

namespace quarnel::exports {

class OutlineEntityList {
 public:
  // Room for `entities` entities without regrowth.
  void reserve(size_t entities) { placed_.reserve(entities); }
  void push_back(const GeomEntity& entity);
  size_t size() const { return placed_.size(); }
  GeomEntity operator[](size_t index) const;
  // Writes the 53 bytes of the entity at `index` to `out`.
  void CopyTo(size_t index, void* out) const;
  // How many distinct entities apart from their reference points it holds.
  size_t DistinctForms() const { return forms_.size(); }

 private:
  // The 4-byte fields of an entity other than its reference point: ref, flags
  // and p[0] to p[8], as bits (never through a float register, which could
  // change a NaN), with the type beside them.
  static constexpr size_t kWords = 11;
  using Words = std::array<uint32_t, kWords>;
  struct Form {
    Words words;
    int8_t type;
  };
  struct Placed {
    uint32_t x;
    uint32_t y;
    uint32_t form;
  };
  // Forms met lately, by a hash of their fields: index + 1, 0 for none. A form
  // that is not found here is added again, so a miss costs bytes, not results.
  static constexpr size_t kRecentForms = 64;

  uint32_t FormIndex(const Words& words, int8_t type);

  std::vector<Placed> placed_;
  std::vector<Form> forms_;
  std::array<uint32_t, kRecentForms> recent_{};
};

}  // namespace quarnel::exports
