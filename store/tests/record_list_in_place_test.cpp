// Records filled in place by loaders, and records located instead of copied:
// both must leave the list exactly as Append and the copying reads do.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "store/record_list.h"

namespace quarnel::store {
namespace {

std::vector<int> Walk(RecordList& list) {
  std::vector<int> values;
  list.Rewind();
  while (const unsigned char* record = list.LocateNext()) {
    int value = 0;
    std::memcpy(&value, record, sizeof value);
    values.push_back(value);
  }
  return values;
}

void AppendInPlace(RecordList& list, int value) {
  unsigned char* record = list.AppendUnfilled();
  ASSERT_NE(record, nullptr);
  std::memcpy(record, &value, sizeof value);
}

TEST(RecordListInPlaceTest, FilledRecordsJoinTheLinkedOrderLikeAppends) {
  LinkedRecordList list(4);
  for (int i = 0; i < 3000; ++i) AppendInPlace(list, i);  // beyond one link page
  EXPECT_EQ(list.Position(), 3000);
  int value = -1;
  ASSERT_EQ(list.InsertAt(&value, 2), StatusCode::kOk);
  list.DeleteAt(2999);
  std::vector<int> model;
  for (int i = 0; i < 3000; ++i) model.push_back(i);
  model.insert(model.begin() + 1, -1);
  model.erase(model.begin() + 2998);
  EXPECT_EQ(Walk(list), model);
}

// A list emptied for refilling reuses its pages: whether the new records need
// fewer or more pages, and whatever order the old ones had, it then holds
// exactly what a new list filled the same way holds.
TEST(RecordListInPlaceTest, ARefilledListEqualsANewOne) {
  for (int refill : {10, 2500, 9000}) {
    LinkedRecordList list(89);
    for (int i = 0; i < 5000; ++i) AppendInPlace(list, i);
    unsigned char record[89] = {};
    const int value = -7;
    std::memcpy(record, &value, sizeof value);
    ASSERT_EQ(list.InsertAt(record, 3), StatusCode::kOk);  // reordered
    list.ClearForRefill();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.Position(), -3);
    LinkedRecordList fresh(89);
    for (int i = 0; i < refill; ++i) {
      AppendInPlace(list, 100 + i);
      AppendInPlace(fresh, 100 + i);
    }
    list.ReleaseSparePages();
    EXPECT_EQ(list.store().data_pages(), fresh.store().data_pages()) << refill;
    EXPECT_EQ(list.Position(), fresh.Position());
    EXPECT_EQ(list.Status(), StatusCode::kOk);
    EXPECT_EQ(Walk(list), Walk(fresh)) << refill;
  }
}

TEST(RecordListInPlaceTest, TakingBackTheLastRecordRestoresTheListBeforeIt) {
  RecordList list(8000, false);  // two records a page
  for (int i = 0; i < 2; ++i) AppendInPlace(list, i);
  unsigned char* third = list.AppendUnfilled();
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(list.store().data_pages(), 2);
  list.RemoveLastAppended();
  // The page that held only the taken record is released.
  EXPECT_EQ(list.store().data_pages(), 1);
  EXPECT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.Position(), 2);
  AppendInPlace(list, 7);
  EXPECT_EQ(Walk(list), (std::vector<int>{0, 1, 7}));
  // Taking back the only record leaves an empty list.
  RecordList single(4, false);
  ASSERT_NE(single.AppendUnfilled(), nullptr);
  single.RemoveLastAppended();
  EXPECT_EQ(single.Count(), 0u);
  EXPECT_EQ(single.Position(), -3);
  EXPECT_EQ(single.LocateNext(), nullptr);
}

TEST(RecordListInPlaceTest, LocatesFollowTheCursorAndStatusOfReads) {
  LinkedRecordList list(4);
  for (int v : {10, 20, 30}) list.Append(&v);
  int first = 0;
  ASSERT_NE(list.LocateAt(1), nullptr);
  std::memcpy(&first, list.LocateAt(1), sizeof first);
  EXPECT_EQ(first, 10);
  EXPECT_EQ(list.Position(), 1);
  EXPECT_EQ(list.LocateAt(4), nullptr);
  EXPECT_EQ(list.LocateAt(0), nullptr);
  EXPECT_EQ(list.Status(), StatusCode::kOk);
  EXPECT_EQ(list.Position(), 1);  // a failed locate keeps the cursor
  EXPECT_NE(list.LocateNext(), nullptr);
  EXPECT_EQ(list.Position(), 2);
  EXPECT_NE(list.LocatePrev(), nullptr);
  EXPECT_EQ(list.Position(), 1);
  EXPECT_EQ(list.LocatePrev(), nullptr);  // before the first record
  const unsigned char* current = list.LocateCurrent();
  ASSERT_NE(current, nullptr);
  std::memcpy(&first, current, sizeof first);
  EXPECT_EQ(first, 10);
  // A sticky store status makes every read, and every locate, report none.
  list.store().set_status(StatusCode::kExpandedMemoryFail);
  EXPECT_EQ(list.LocateAt(2), nullptr);
  EXPECT_EQ(list.Status(), StatusCode::kExpandedMemoryFail);
}

}  // namespace
}  // namespace quarnel::store
