#include "spectool/pattern_expansion.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "spectool/geom_types.h"

namespace quarnel::spectool {
namespace {

// Nested patterns and groups copy through InsertCopy recursively; deeper
// nesting than this is taken for a malformed list and copies nothing more.
constexpr size_t kMaxCopyDepth = 32;
// Items that one expansion may read while copying; it bounds the work that
// group members can cause when nothing new is appended.
constexpr int64_t kMaxItemReads = 10 * static_cast<int64_t>(kMaxExpandedItems);
constexpr double kFullTurn = 6.28318530718;
constexpr uint32_t kPatternBits = kFlagRefInUse | kFlagSeed;

// A float count truncated toward zero: 0 when it is not finite or below 1,
// never above the number of copies the expansion can make.
int64_t TruncatedCount(float count) {
  if (!std::isfinite(count) || count < 1.0f) return 0;
  if (count >= static_cast<float>(kMaxExpandedItems)) return kMaxExpandedItems;
  return static_cast<int64_t>(count);
}

// A float list position truncated toward zero, kept within int32 range.
int64_t TruncatedPosition(float value) {
  if (std::isnan(value)) return 0;
  const double clamped = std::clamp(static_cast<double>(value), -2147483648.0, 2147483647.0);
  return static_cast<int64_t>(clamped);
}

GeomPoint OnCircle(const GeomPoint& centre, double radius, double angle) {
  return GeomPoint(centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle));
}

// One run of the expansion over a list: the items being expanded or copied
// right now (never copied into themselves) and what is left of the work limits.
class Expansion {
 public:
  explicit Expansion(GeomItemList& list) : list_(list) {}

  void Expand(const GeomItem& pattern, int32_t position);
  void InsertCopy(int32_t seed_position, GeomPoint target, uint32_t mask);

 private:
  bool Copying() const { return list_.Count() < kMaxExpandedItems && reads_left_ > 0; }
  bool InList(int64_t position) const { return position >= 1 && position <= list_.Count(); }
  bool Active(int32_t position) const {
    return std::find(active_.begin(), active_.end(), position) != active_.end();
  }
  bool Copyable(int32_t position) const {
    return InList(position) && !Active(position) && active_.size() < kMaxCopyDepth && Copying();
  }
  GeomItem ReadItem(int32_t position) {
    GeomItem item;
    list_.ReadAt(item, position);
    --reads_left_;
    return item;
  }

  void PlaceLine(const float* q, GeomPoint origin, int32_t seed);
  void PlaceGrid(const float* q, GeomPoint origin, int32_t seed);
  void PlaceCircle(const float* q, GeomPoint origin, int32_t seed);
  void PlaceArc(const float* q, GeomPoint origin, int32_t seed);
  void CopyPattern(const GeomItem& seed, GeomItem copy, uint32_t mask);
  void CopyGroup(const GeomItem& seed, GeomItem copy, uint32_t mask);

  GeomItemList& list_;
  std::vector<int32_t> active_;
  int64_t reads_left_ = kMaxItemReads;
};

void Expansion::Expand(const GeomItem& pattern, int32_t position) {
  float q[9];
  for (int i = 0; i < 9; ++i) q[i] = pattern.entity.p[i];  // packed: copied by value
  const GeomPoint origin = pattern.point();
  const int32_t seed = pattern.entity.ref;

  if (InList(seed)) {
    GeomItem item;
    list_.ReadAt(item, seed);
    item.entity.flags &= ~kFlagSeed;
    list_.UpdateCurrent(item);
    // Only a seed that yields something is placed: each placement then
    // appends at least one item, so the list's limit ends every loop below.
    if (Kind(item.entity.type) != GeomKind::kNone && seed != position) {
      active_.push_back(position);
      switch (pattern.entity.type) {
        case kGeomPatternLine: PlaceLine(q, origin, seed); break;
        case kGeomPatternGrid: PlaceGrid(q, origin, seed); break;
        case kGeomPatternCircle: PlaceCircle(q, origin, seed); break;
        case kGeomPatternArc: PlaceArc(q, origin, seed); break;
        default: break;
      }
      active_.pop_back();
    }
  }

  GeomItem point;
  list_.ReadAt(point, position);
  point.entity.ref = 0;
  point.entity.flags &= ~kPatternBits;
  point.entity.type = kGeomPoint;
  list_.UpdateCurrent(point);
}

// Copies at origin + i * step while the integer i is below the float count.
void Expansion::PlaceLine(const float* q, GeomPoint origin, int32_t seed) {
  const double count = q[2];
  if (!std::isfinite(count) || !(count > 0)) return;
  const GeomPoint step(q[0], q[1]);
  GeomPoint target = origin;
  for (int64_t i = 0; i < count && Copying(); ++i) {
    InsertCopy(seed, target, kCopyMask);
    target += step;
  }
}

// Rows along the first axis (angle q[4]) outside, columns along the second inside.
void Expansion::PlaceGrid(const float* q, GeomPoint origin, int32_t seed) {
  const int64_t rows = TruncatedCount(q[2]);
  const int64_t cols = TruncatedCount(q[3]);
  if (rows < 1 || cols < 1) return;
  // The float angle is widened first: the float overloads would round the
  // sine and cosine to float and move the copies far from the origin.
  const double c = std::cos(static_cast<double>(q[4]));
  const double s = std::sin(static_cast<double>(q[4]));
  double u = 0.0;
  for (int64_t k = 0; k < rows && Copying(); ++k, u += q[0]) {
    double v = 0.0;
    for (int64_t j = 0; j < cols && Copying(); ++j, v += q[1]) {
      InsertCopy(seed, GeomPoint(origin.x + (u * c - v * s), origin.y + (u * s + v * c)), kCopyMask);
    }
  }
}

// Copies evenly around the whole circle, the first at the start angle q[1].
void Expansion::PlaceCircle(const float* q, GeomPoint origin, int32_t seed) {
  const int64_t count = TruncatedCount(q[2]);
  if (count < 1) return;
  const double step = kFullTurn / std::floor(static_cast<double>(q[2]));
  for (int64_t i = 0; i < count && Copying(); ++i) {
    InsertCopy(seed, OnCircle(origin, q[0], step * static_cast<double>(i) + q[1]), kCopyMask);
  }
}

// Copies q[2] radians apart along the circle, from the start angle q[1].
void Expansion::PlaceArc(const float* q, GeomPoint origin, int32_t seed) {
  const int64_t count = TruncatedCount(q[3]);
  for (int64_t i = 0; i < count && Copying(); ++i) {
    InsertCopy(seed, OnCircle(origin, q[0], static_cast<double>(i) * q[2] + q[1]), kCopyMask);
  }
}

void Expansion::InsertCopy(int32_t seed_position, GeomPoint target, uint32_t mask) {
  if (!Copyable(seed_position)) return;
  const GeomItem seed = ReadItem(seed_position);
  GeomItem copy = seed;
  copy.set_point(target);
  copy.entity.flags &= mask;

  active_.push_back(seed_position);
  switch (Kind(seed.entity.type)) {
    case GeomKind::kSingle: list_.Append(copy); break;
    case GeomKind::kPattern: CopyPattern(seed, copy, mask); break;
    case GeomKind::kGroup: CopyGroup(seed, copy, mask); break;
    case GeomKind::kNone: break;
  }
  active_.pop_back();
}

// A pattern of patterns: the copy repeats its own copy of the inner seed,
// which goes right behind it and keeps its seed bit.
void Expansion::CopyPattern(const GeomItem& seed, GeomItem copy, uint32_t mask) {
  copy.entity.ref = static_cast<int32_t>(list_.Count() + 2);
  list_.Append(copy);
  const uint32_t copy_position = list_.Count();

  GeomPoint inner_target = copy.point();
  const int8_t type = copy.entity.type;
  if (type == kGeomPatternCircle || type == kGeomPatternArc) {
    // The seed of a circular pattern lies on its circle at the start angle.
    inner_target = OnCircle(inner_target, copy.entity.p[0], copy.entity.p[1]);
  }
  InsertCopy(seed.entity.ref, inner_target, mask | kFlagSeed);

  if (list_.Count() == copy_position) {
    // No seed copy could be made: the copy must not repeat whatever comes next.
    list_.ReadAt(copy, static_cast<int32_t>(copy_position));
    copy.entity.ref = 0;
    list_.UpdateCurrent(copy);
  }
}

// A group: the copy names its member copies, which follow it; members that
// are seeds of a pattern stay behind, and every member keeps its own point.
void Expansion::CopyGroup(const GeomItem& seed, GeomItem copy, uint32_t mask) {
  const int64_t members_end = list_.Count();  // members appended below are not members
  const int64_t first = std::max<int64_t>(TruncatedPosition(seed.entity.p[0]), 1);
  const int64_t last =
      std::min(TruncatedPosition(seed.entity.p[0]) + TruncatedPosition(seed.entity.p[1]) - 1, members_end);

  copy.entity.p[0] = static_cast<float>(list_.Count() + 2);
  list_.Append(copy);
  for (int64_t i = first; i <= last && Copying(); ++i) {
    const GeomItem member = ReadItem(static_cast<int32_t>(i));
    if ((member.entity.flags & kFlagSeed) == 0) {
      InsertCopy(static_cast<int32_t>(i), member.point(), mask);
    }
  }
}

}  // namespace

int32_t ExpandPatterns(GeomItemList& list) {
  Expansion expansion(list);
  GeomItem item;
  list.Rewind();
  while (list.ReadNext(item)) {
    const int32_t position = list.Position();
    list.ReadAt(item, position);
    if (Kind(item.entity.type) == GeomKind::kPattern) {
      expansion.Expand(item, position);
      list.Seek(position);
    }
  }
  return static_cast<int32_t>(list.Count());
}

void ExpandPattern(GeomItemList& list, const GeomItem& pattern, int32_t position) {
  Expansion(list).Expand(pattern, position);
}

void InsertCopy(GeomItemList& list, int32_t seed_position, GeomPoint target, uint32_t mask) {
  Expansion(list).InsertCopy(seed_position, target, mask);
}

}  // namespace quarnel::spectool
