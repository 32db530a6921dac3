#include "stations/free_positions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace quarnel::stations {
namespace {

// The walk itself: each recorded station, in order, that holds q raises q.
int64_t Walk(const std::vector<int64_t>& recorded, int64_t start) {
  for (int64_t held : recorded) {
    if (held == start) ++start;
  }
  return start;
}

TEST(FreePositions, AnswersAsTheWalkOverTheStationsRecordedSoFar) {
  std::mt19937 random(15);
  for (int round = 0; round < 200; ++round) {
    // Few distinct positions, so that runs, repeats and merges are common.
    std::uniform_int_distribution<int64_t> position(1, 2 + round % 12);
    FreePositions positions;
    std::vector<int64_t> recorded;
    for (int step = 0; step < 40; ++step) {
      for (int64_t start = 1; start <= 16; ++start) {
        ASSERT_EQ(positions.From(start), Walk(recorded, start)) << round << " " << step << " " << start;
      }
      const int64_t held = position(random);
      positions.Record(held);
      recorded.push_back(held);
    }
  }
}

}  // namespace
}  // namespace quarnel::stations
