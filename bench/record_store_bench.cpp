// The record store through a linked list of 124-byte records (the tool
// library's): append, a ReadNext walk, ReadAt at random positions, InsertAt
// in the middle and DeleteCurrent in the middle.
#include <cstring>
#include <memory>
#include <random>

#include "bench/groups.h"
#include "bench/measure.h"
#include "store/record_list.h"

namespace quarnel::bench {
namespace {

constexpr uint32_t kRecordSize = 124;
// Inserts and deletes per timed iteration: each moves link entries across the
// list, so their cost per operation grows with the list.
constexpr int64_t kEditsPerIteration = 100;

struct Record {
  unsigned char bytes[kRecordSize];
};

Record RecordOf(int64_t i) {
  Record record;
  std::memset(record.bytes, static_cast<int>(i & 0xFF), sizeof record.bytes);
  std::memcpy(record.bytes, &i, sizeof i);
  return record;
}

std::unique_ptr<store::LinkedRecordList> FilledList(int64_t count) {
  auto list = std::make_unique<store::LinkedRecordList>(kRecordSize);
  for (int64_t i = 0; i < count; ++i) {
    const Record record = RecordOf(i);
    list->Append(record.bytes);
  }
  return list;
}

void BenchAppend(benchmark::State& state, int64_t count) {
  std::unique_ptr<store::LinkedRecordList> list;
  const Record record = RecordOf(7);
  const double total = TimedLoop(
      state,
      [&] {
        list.reset();
        list = std::make_unique<store::LinkedRecordList>(kRecordSize);
      },
      [&] {
        for (int64_t i = 0; i < count; ++i) list->Append(record.bytes);
      });
  Report(state, "Store/Append", count, count, total);
}

void BenchWalk(benchmark::State& state, int64_t count) {
  const auto list = FilledList(count);
  Record record;
  const double total = TimedLoop(state, [&] {
    list->Rewind();
    while (list->ReadNext(record.bytes) == 1) benchmark::DoNotOptimize(record);
  });
  Report(state, "Store/ReadNext", count, count, total);
}

void BenchReadAt(benchmark::State& state, int64_t count) {
  const auto list = FilledList(count);
  std::mt19937 random(42);
  std::uniform_int_distribution<int32_t> position(1, static_cast<int32_t>(count));
  std::vector<int32_t> positions(static_cast<size_t>(count));
  for (int32_t& p : positions) p = position(random);
  Record record;
  const double total = TimedLoop(state, [&] {
    for (int32_t p : positions) {
      list->ReadAt(record.bytes, p);
      benchmark::DoNotOptimize(record);
    }
  });
  Report(state, "Store/ReadAt_random", count, count, total);
}

void BenchInsertAt(benchmark::State& state, int64_t count) {
  std::unique_ptr<store::LinkedRecordList> list;
  const Record record = RecordOf(-1);
  const double total = TimedLoop(
      state, [&] { list = FilledList(count); },
      [&] {
        for (int64_t i = 0; i < kEditsPerIteration; ++i) {
          list->InsertAt(record.bytes, static_cast<int32_t>(list->Count() / 2));
        }
      });
  Report(state, "Store/InsertAt_middle", count, kEditsPerIteration, total);
}

void BenchDeleteCurrent(benchmark::State& state, int64_t count) {
  std::unique_ptr<store::LinkedRecordList> list;
  const double total = TimedLoop(
      state, [&] { list = FilledList(count); },
      [&] {
        for (int64_t i = 0; i < kEditsPerIteration; ++i) {
          list->Seek(static_cast<int32_t>(list->Count() / 2));
          list->DeleteCurrent();
        }
      });
  Report(state, "Store/DeleteCurrent_middle", count, kEditsPerIteration, total);
}

}  // namespace

void RegisterRecordStoreBenchmarks() {
  for (int64_t n : kSizes) Register(Sized("Store/Append", n), [=](benchmark::State& s) { BenchAppend(s, n); });
  for (int64_t n : kSizes) Register(Sized("Store/ReadNext", n), [=](benchmark::State& s) { BenchWalk(s, n); });
  for (int64_t n : kSizes) {
    Register(Sized("Store/ReadAt_random", n), [=](benchmark::State& s) { BenchReadAt(s, n); });
  }
  for (int64_t n : kSizes) {
    Register(Sized("Store/InsertAt_middle", n), [=](benchmark::State& s) { BenchInsertAt(s, n); });
  }
  for (int64_t n : kSizes) {
    Register(Sized("Store/DeleteCurrent_middle", n), [=](benchmark::State& s) { BenchDeleteCurrent(s, n); });
  }
}

}  // namespace quarnel::bench
