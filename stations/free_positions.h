// FreePositions: the library position that a station of a table takes when an
// earlier station already holds its tool's position.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace quarnel::stations {

// Answers the walk "q := p; for each station recorded so far, in table order,
// that holds position q: q := q + 1" for any start p, in about constant time
// per station instead of one walk over the table each.
//
// Recording a station that holds position v only changes the answer of the
// starts whose answer was v (it becomes v + 1: the new station is the last
// one the walk meets). So the starts are kept in sets by their answer, and a
// recording merges the set answering v into the one answering v + 1.
class FreePositions {
 public:
  // The walk's answer from `start` over the stations recorded so far.
  int64_t From(int64_t start);
  // A station holding `position` joins the end of the table.
  void Record(int64_t position);

 private:
  uint32_t NodeOf(int64_t position);
  uint32_t Root(uint32_t node);

  std::unordered_map<int64_t, uint32_t> node_of_;     // positions seen so far
  std::vector<uint32_t> parent_;                      // union-find over the nodes
  std::vector<int64_t> answer_;                       // valid at roots
  std::unordered_map<int64_t, uint32_t> answering_;   // answer -> root of its set
};

}  // namespace quarnel::stations
