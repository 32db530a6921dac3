#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <vector>

#include "exports/outline_entity_list.h"

namespace quarnel::exports::testing {
namespace {

using Bytes = std::array<unsigned char, sizeof(GeomEntity)>;

Bytes BytesOf(const GeomEntity& entity) {
  Bytes bytes;
  std::memcpy(bytes.data(), &entity, sizeof entity);
  return bytes;
}

GeomEntity EntityOf(const Bytes& bytes) {
  GeomEntity entity;
  std::memcpy(&entity, bytes.data(), sizeof entity);
  return entity;
}

// Entities drawn from a few shapes at many places, and entities of random
// bytes throughout (NaNs and negative zeros among them), in any mix: each
// reads back byte for byte, both through CopyTo and by value.
TEST(OutlineEntityListTest, EveryEntityReadsBackWithItsOwnBytes) {
  std::mt19937 random(21);
  std::uniform_int_distribution<int> byte(0, 255);
  auto random_bytes = [&] {
    Bytes bytes;
    for (unsigned char& b : bytes) b = static_cast<unsigned char>(byte(random));
    return bytes;
  };
  std::vector<Bytes> shapes;
  for (int i = 0; i < 5; ++i) shapes.push_back(random_bytes());

  OutlineEntityList list;
  std::vector<Bytes> given;
  for (int i = 0; i < 5000; ++i) {
    Bytes bytes = random_bytes();
    if (i % 3 != 0) {  // a known shape, placed anew
      Bytes placed = shapes[static_cast<size_t>(i) % shapes.size()];
      std::memcpy(placed.data() + offsetof(GeomEntity, x), bytes.data(), 8);
      bytes = placed;
    }
    list.push_back(EntityOf(bytes));
    given.push_back(bytes);
  }

  ASSERT_EQ(list.size(), given.size());
  for (size_t i = 0; i < given.size(); ++i) {
    Bytes copied;
    copied.fill(0xA5);
    list.CopyTo(i, copied.data());
    ASSERT_EQ(copied, given[i]) << "entity " << i;
    ASSERT_EQ(BytesOf(list[i]), given[i]) << "entity " << i;
  }
}

TEST(OutlineEntityListTest, OneShapeAtManyPlacesIsHeldOnce) {
  OutlineEntityList list;
  list.reserve(1000);
  GeomEntity arc{};
  arc.type = 5;
  arc.p[0] = 2.5f;
  arc.p[2] = 6.2831855f;
  for (int i = 0; i < 1000; ++i) {
    arc.x = static_cast<float>(i % 40);
    arc.y = static_cast<float>(i / 40);
    list.push_back(arc);
  }
  EXPECT_EQ(list.size(), 1000u);
  EXPECT_EQ(list.DistinctForms(), 1u);
  const GeomEntity last = list[999];
  const float x = last.x;
  const float y = last.y;
  EXPECT_EQ(x, 39.0f);
  EXPECT_EQ(y, 24.0f);
}

}  // namespace
}  // namespace quarnel::exports::testing
