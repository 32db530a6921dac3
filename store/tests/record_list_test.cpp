#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "store/record_list.h"

namespace quarnel::store {
namespace {

// A list of int records, read back in logical order.
std::vector<int> Walk(RecordList& list) {
  std::vector<int> values;
  int value = 0;
  list.Rewind();
  while (list.ReadNext(&value)) values.push_back(value);
  return values;
}

void AppendAll(RecordList& list, std::initializer_list<int> values) {
  for (int v : values) list.Append(&v);
}

TEST(RecordListTest, EmptyListReadsNothing) {
  RecordList list(4, false);
  int value = 0;
  EXPECT_EQ(list.ReadNext(&value), 0);
  EXPECT_EQ(list.Status(), StatusCode::kOk);
  EXPECT_EQ(list.DeleteCurrent(), StatusCode::kListEmpty);
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.Position(), -3);
}

TEST(RecordListTest, NavigationAtTheEnds) {
  RecordList list(4, false);
  AppendAll(list, {10, 20, 30});
  int value = 0;
  list.Rewind();
  ASSERT_EQ(list.ReadNext(&value), 1);
  EXPECT_EQ(value, 10);
  list.Rewind();
  ASSERT_EQ(list.ReadPrev(&value), 1);
  EXPECT_EQ(value, 30);
  // Next at the last record fails and keeps the cursor there.
  EXPECT_EQ(list.ReadNext(&value), 0);
  EXPECT_EQ(list.Position(), 3);
  // Previous at the first record fails with "invalid read code" at store level.
  list.ReadAt(&value, 1);
  EXPECT_EQ(list.store().Read(&value, kReadPrevious), StatusCode::kInvalidReadCode);
  EXPECT_EQ(list.ReadPrev(&value), 0);
  EXPECT_EQ(list.Position(), 1);
}

TEST(RecordListTest, StatusIsStickyAtStoreLevel) {
  VirStore store(4, false);
  int value = 1;
  EXPECT_EQ(store.Read(&value, kReadNext), StatusCode::kListEmpty);
  EXPECT_EQ(store.status(), StatusCode::kListEmpty);
  store.Add(&value, kAddAtEnd);  // an add resets 10
  EXPECT_EQ(store.status(), StatusCode::kOk);
  EXPECT_EQ(store.Read(&value, kReadCurrent), StatusCode::kOk);
  EXPECT_EQ(store.Read(&value, kReadNext), StatusCode::kEndOfList);
  EXPECT_EQ(store.Read(&value, 0), StatusCode::kEndOfList);  // a copy leaves the status
  store.Seek(0);
  EXPECT_EQ(store.status(), StatusCode::kOk);
}

TEST(RecordListTest, ErrorTexts) {
  ErrorTextBuffer buffer;
  EXPECT_STREQ(ErrorText(0, buffer), "VirStore Err. : NO ERROR.");
  EXPECT_STREQ(ErrorText(3, buffer), "VirStore Err. : Index out of range.");
  EXPECT_STREQ(ErrorText(6, buffer), "VirStore Err. : Expanded memory initialization fail.");
  EXPECT_STREQ(ErrorText(12, buffer), "VirStore Err. : No match found.");
  EXPECT_STREQ(ErrorText(13, buffer), "VirStore Err. : Unknown error code.");
}

TEST(RecordListTest, AddMakesTheLastRecordCurrent) {
  LinkedRecordList list(4);
  AppendAll(list, {1, 2, 3});
  int value = 9;
  list.InsertAt(&value, 1);
  EXPECT_EQ(list.Position(), 4);
  EXPECT_EQ(Walk(list), (std::vector<int>{9, 1, 2, 3}));
  value = 7;
  list.InsertAt(&value, 5);  // count + 1 appends
  EXPECT_EQ(Walk(list), (std::vector<int>{9, 1, 2, 3, 7}));
}

TEST(RecordListTest, UnlinkedDeleteMovesThePhysicallyLastRecord) {
  RecordList list(4, false);
  AppendAll(list, {'A', 'B', 'C', 'D'});
  list.DeleteAt(2);
  EXPECT_EQ(Walk(list), (std::vector<int>{'A', 'D', 'C'}));
  list.DeleteAt(2);
  EXPECT_EQ(list.Position(), 1);
}

TEST(RecordListTest, LinkedDeleteKeepsTheOrder) {
  LinkedRecordList list(4);
  AppendAll(list, {'A', 'B', 'C', 'D'});
  list.DeleteAt(2);
  EXPECT_EQ(list.Position(), 1);
  EXPECT_EQ(Walk(list), (std::vector<int>{'A', 'C', 'D'}));
  list.DeleteAt(1);
  EXPECT_EQ(list.Position(), -3);
  EXPECT_EQ(Walk(list), (std::vector<int>{'C', 'D'}));
}

TEST(RecordListTest, DeletingTheOnlyRecordClears) {
  LinkedRecordList list(4);
  AppendAll(list, {5});
  list.Rewind();
  EXPECT_EQ(list.DeleteCurrent(), StatusCode::kOk);
  EXPECT_EQ(list.Count(), 0u);
  AppendAll(list, {6});
  EXPECT_EQ(Walk(list), (std::vector<int>{6}));
}

TEST(RecordListTest, OutOfRangeAccessDoesNothing) {
  LinkedRecordList list(4);
  AppendAll(list, {1, 2});
  int value = 42;
  EXPECT_EQ(list.ReadAt(&value, 3), 0);
  EXPECT_EQ(value, 42);
  list.Seek(10);
  EXPECT_EQ(list.UpdateCurrent(&value), StatusCode::kIndexOutOfRange);
  EXPECT_EQ(list.DeleteCurrent(), StatusCode::kIndexOutOfRange);
  list.Rewind();
  EXPECT_EQ(list.UpdateCurrent(&value), StatusCode::kIndexOutOfRange);
  // The status is sticky: the next list read reports it once, then it is reset.
  EXPECT_EQ(list.ReadAt(&value, 1), 0);
  EXPECT_EQ(Walk(list), (std::vector<int>{1, 2}));
}

TEST(RecordListTest, PositionsBelowOneReadNothingAndResetTheStatus) {
  LinkedRecordList list(4);
  EXPECT_EQ(list.DeleteCurrent(), StatusCode::kListEmpty);
  int value = 42;
  // Like every list read, a read of no record leaves status 0 behind it.
  EXPECT_EQ(list.ReadAt(&value, 0), 0);
  EXPECT_EQ(list.Status(), StatusCode::kOk);
  AppendAll(list, {1, 2});
  list.Seek(1);
  for (int32_t n : {0, -3, INT32_MIN}) {
    EXPECT_EQ(list.ReadAt(&value, n), 0) << n;
    EXPECT_EQ(value, 42);
    EXPECT_EQ(list.Position(), 1) << n;
    EXPECT_EQ(list.Status(), StatusCode::kOk) << n;
  }
  // The lowest position wraps like any other, without overflow.
  EXPECT_EQ(list.Seek(INT32_MIN), 1u);
  EXPECT_EQ(list.DeleteAt(INT32_MIN), StatusCode::kIndexOutOfRange);
  EXPECT_EQ(list.Count(), 2u);
}

TEST(RecordListTest, RejectsImpossibleRecordSizes) {
  EXPECT_THROW(RecordList(0, false), std::invalid_argument);
  EXPECT_THROW(RecordList(16317, true), std::invalid_argument);
  EXPECT_NO_THROW(RecordList(16316, false));
}

TEST(RecordListTest, RecordsPerPage) {
  const std::pair<uint32_t, uint32_t> sizes[] = {{176, 92}, {124, 131}, {89, 183}, {703, 23},
                                                 {256, 63}};
  for (auto [size, per_page] : sizes) {
    VirStore store(size, false);
    EXPECT_EQ(store.records_per_page(), per_page) << size;
  }
}

TEST(RecordListTest, DeletingTheLastRecordOfAPageReleasesIt) {
  RecordList list(8000, false);  // two records a page
  std::vector<char> record(8000, 'x');
  for (int i = 0; i < 3; ++i) list.Append(record.data());
  EXPECT_EQ(list.store().data_pages(), 2);
  list.DeleteAt(3);
  EXPECT_EQ(list.store().data_pages(), 1);
  list.Append(record.data());
  EXPECT_EQ(list.store().data_pages(), 2);
  EXPECT_EQ(list.Count(), 3u);
}

TEST(RecordListTest, InsertAcrossLinkPages) {
  LinkedRecordList list(4);
  for (int i = 1; i <= 5000; ++i) list.Append(&i);
  int value = -1;
  ASSERT_EQ(list.InsertAt(&value, 4500), StatusCode::kOk);
  ASSERT_EQ(list.Count(), 5001u);
  for (int n = 1; n <= 5001; ++n) {
    ASSERT_EQ(list.ReadAt(&value, n), 1);
    const int expected = n < 4500 ? n : (n == 4500 ? -1 : n - 1);
    ASSERT_EQ(value, expected) << "position " << n;
  }
}

TEST(RecordListTest, LinkedListMatchesAModelUnderMixedEdits) {
  LinkedRecordList list(4);
  std::vector<int> model;
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int step = 0; step < 6000; ++step) {
    const uint32_t action = next() % 10;
    if (action < 6 || model.empty()) {
      const int n = static_cast<int>(next() % (model.size() + 1)) + 1;
      list.InsertAt(&step, n);
      model.insert(model.begin() + (n - 1), step);
    } else {
      const int n = static_cast<int>(next() % model.size()) + 1;
      list.DeleteAt(n);
      model.erase(model.begin() + (n - 1));
    }
  }
  EXPECT_EQ(Walk(list), model);
}

TEST(RecordListTest, PositionAndSeekRestoreTheCursor) {
  RecordList list(4, false);
  AppendAll(list, {1, 2, 3});
  list.Rewind();
  const int32_t saved = list.Position();
  int value = 0;
  list.ReadNext(&value);
  list.Seek(saved);
  ASSERT_EQ(list.ReadNext(&value), 1);
  EXPECT_EQ(value, 1);
}

TEST(RecordListTest, IndexesBeyondTheCodesReadAbsolutely) {
  RecordList list(4, false);
  for (int i = 0; i < 65200; ++i) list.Append(&i);
  int value = 0;
  ASSERT_EQ(list.ReadAt(&value, 65101 + 1), 1);
  EXPECT_EQ(value, 65101);
}

}  // namespace
}  // namespace quarnel::store
