// Inserts and deletes in the middle of a linked list move its link entries
// page by page: the order must stay that of a plain model wherever the edits
// fall, across the link page boundaries (every 4079 entries) in particular.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "store/record_list.h"

namespace quarnel::store {
namespace {

std::vector<int> Walk(LinkedRecordList& list) {
  std::vector<int> values;
  list.Rewind();
  int value = 0;
  while (list.ReadNext(&value) == 1) values.push_back(value);
  return values;
}

TEST(LinkMovesTest, EditsAcrossLinkPagesKeepTheModelOrder) {
  LinkedRecordList list(4);
  std::vector<int> model;
  for (int i = 0; i < 9000; ++i) {
    list.Append(&i);
    model.push_back(i);
  }
  uint32_t seed = 987654321;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  // Positions near the page boundaries and the ends, then anywhere.
  const std::vector<int> near = {1, 2, 4078, 4079, 4080, 4081, 8157, 8158, 8159, 8160};
  for (int step = 0; step < 3000; ++step) {
    const bool insert = next() % 2 == 0 || model.empty();
    const int limit = static_cast<int>(model.size()) + (insert ? 1 : 0);
    int n = step % 3 == 0 ? static_cast<int>(next() % static_cast<uint32_t>(limit)) + 1
                          : near[next() % near.size()] + static_cast<int>(next() % 3) - 1;
    if (n < 1) n = 1;
    if (n > limit) n = limit;
    const int value = 100000 + step;
    if (insert) {
      ASSERT_EQ(list.InsertAt(&value, n), StatusCode::kOk);
      model.insert(model.begin() + (n - 1), value);
    } else {
      list.DeleteAt(n);
      model.erase(model.begin() + (n - 1));
    }
  }
  ASSERT_EQ(list.Count(), model.size());
  EXPECT_EQ(Walk(list), model);
  for (int n : near) {
    int value = -1;
    ASSERT_EQ(list.ReadAt(&value, n), 1);
    EXPECT_EQ(value, model[static_cast<size_t>(n - 1)]) << "position " << n;
  }
}

TEST(LinkMovesTest, DeletingFromTheFrontAndTheBackOfALongList) {
  LinkedRecordList list(4);
  std::vector<int> model;
  for (int i = 0; i < 8200; ++i) {
    list.Append(&i);
    model.push_back(i);
  }
  // Reorder first, so that every later read goes through the link table.
  const int front = -1;
  list.InsertAt(&front, 1);
  model.insert(model.begin(), front);
  for (int k = 0; k < 50; ++k) {
    list.DeleteAt(1);
    model.erase(model.begin());
    list.DeleteAt(static_cast<int32_t>(model.size()));
    model.pop_back();
    list.DeleteAt(4079);
    model.erase(model.begin() + 4078);
  }
  EXPECT_EQ(Walk(list), model);
}

}  // namespace
}  // namespace quarnel::store
