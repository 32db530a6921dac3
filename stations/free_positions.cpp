#include "stations/free_positions.h"

#include <utility>

namespace quarnel::stations {

// A position without a node was never recorded, so its walk ends where it
// starts: it belongs to the set answering itself, made when first needed.
uint32_t FreePositions::NodeOf(int64_t position) {
  const auto known = node_of_.find(position);
  if (known != node_of_.end()) return known->second;
  const auto node = static_cast<uint32_t>(parent_.size());
  node_of_.emplace(position, node);
  const auto set = answering_.find(position);
  if (set != answering_.end()) {
    parent_.push_back(set->second);
    answer_.push_back(0);
  } else {
    parent_.push_back(node);
    answer_.push_back(position);
    answering_.emplace(position, node);
  }
  return node;
}

uint32_t FreePositions::Root(uint32_t node) {
  while (parent_[node] != node) {
    parent_[node] = parent_[parent_[node]];  // halve the path on the way up
    node = parent_[node];
  }
  return node;
}

int64_t FreePositions::From(int64_t start) {
  const auto known = node_of_.find(start);
  return known == node_of_.end() ? start : answer_[Root(known->second)];
}

void FreePositions::Record(int64_t position) {
  NodeOf(position);
  const auto moving = answering_.find(position);
  if (moving == answering_.end()) return;  // no walk ends at this position now
  uint32_t root = moving->second;
  answering_.erase(moving);
  const auto target = answering_.find(position + 1);
  if (target != answering_.end()) {
    uint32_t other = target->second;
    if (root > other) std::swap(root, other);
    parent_[other] = root;
  }
  answer_[root] = position + 1;
  answering_[position + 1] = root;
}

}  // namespace quarnel::stations
