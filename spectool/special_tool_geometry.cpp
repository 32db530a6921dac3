// The entity section of a special-tool file, in its short (version 7) and long
// (later versions) forms, and the corrections applied to what it stores.
#include <cmath>

#include "spectool/geom_types.h"
#include "spectool/pattern_expansion.h"
#include "spectool/special_tool_reader.h"

namespace quarnel::spectool {
namespace {

using platform::BinaryReader;


constexpr float kDegreesPerRadian = 57.29578f;
constexpr double kFullTurnDegrees = 360.0;
// The sweep that a too-long arc or slot gets: the float 6.2831821.
constexpr double kLargestSweep = 6.283185307179586 - 0.0001 * 0.033333335;
// A thousandth of a degree, in radians; smaller V-notch angles become pi/2.
constexpr float kSmallestNotchAngle = 1.7453292e-05f;
constexpr float kSingleHalfPi = 1.5707964f;

bool IsPattern(int type) { return Kind(type) == GeomKind::kPattern; }

// Reads one entity section into the list. The working entity is kept from
// entry to entry: parameters an entry does not store stay as the previous
// entry left them.
class EntityReader {
 public:
  EntityReader(BinaryReader& in, GeomItemList& items) : in_(in), items_(items) {}

  bool ReadShortForm() {
    int16_t count = 0;
    if (!DecodeShortSectionHead(in_, count)) return false;
    for (int16_t i = 0; i < count; ++i) {
      if (!DecodeShortEntity(in_, work_)) return false;
      CorrectShortEntity(work_);
      Store();
    }
    return true;
  }

  bool ReadLongForm() {
    int32_t count = 0;
    if (!DecodeLongSectionHead(in_, count)) return false;
    for (int32_t i = 0; i < count; ++i) {
      if (!DecodeLongEntity(in_, work_)) return false;
      CorrectLongEntity(work_);
      Store();
    }
    return true;
  }

 private:
  // A group entry only moves the entries after it (to its own point, not by
  // adding to the previous move); every other entry is stored, moved.
  void Store() {
    if (work_.type == kGeomGroup) {
      group_offset_ = GeomPoint(work_.x, work_.y);
      return;
    }
    // Entries beyond the outline's limit are read (a short file still reports
    // so) but not kept, so that a huge file cannot fill the host's memory.
    if (items_.Count() >= kMaxExpandedItems) return;
    items_.Append(ItemFromStored(work_, group_offset_));
  }

  BinaryReader& in_;
  GeomItemList& items_;
  StoredEntity work_;
  GeomPoint group_offset_;
};

void CorrectVNotch(StoredEntity& entity) {
  if (entity.type == kGeomVNotch && entity.p[4] < kSmallestNotchAngle) entity.p[4] = kSingleHalfPi;
}

void CorrectSingleD(StoredEntity& entity) {
  if (entity.type == kGeomSingleD) entity.p[2] = static_cast<float>(OppositeAngle(entity.p[2]));
}

}  // namespace

void CorrectShortEntity(StoredEntity& entity) {
  if (!IsPattern(entity.type)) entity.flags &= ~kFlagRefInUse;
  float* p = entity.p;
  CorrectSingleD(entity);
  if ((entity.type == kGeomRadiusedSlot || entity.type == kGeomArc) &&
      std::fabs(static_cast<double>(p[2]) * kDegreesPerRadian) > kFullTurnDegrees) {
    p[2] = static_cast<float>(p[2] > 0 ? kLargestSweep : -kLargestSweep);
  }
  if ((entity.type == kGeomSingleD || entity.type == kGeomDoubleD) && std::fabs(p[0]) < std::fabs(p[1])) {
    p[1] = p[0];
  }
  CorrectVNotch(entity);
}

void CorrectLongEntity(StoredEntity& entity) {
  CorrectSingleD(entity);
  CorrectVNotch(entity);
}

GeomItem ItemFromStored(const StoredEntity& entity, GeomPoint offset) {
  return GeomItem(entity.type, entity.ref, entity.flags & ~kFlagGroupMember, GeomPoint(entity.x, entity.y) + offset,
                  entity.p);
}

bool ReadSpecialToolGeometry(BinaryReader& in, EntityForm form, GeomItemList& items) {
  EntityReader reader(in, items);
  return form == EntityForm::kShort ? reader.ReadShortForm() : reader.ReadLongForm();
}

}  // namespace quarnel::spectool
