// GeomItem: one record of a GeomItemList, the list in which a special tool's
// entities are read and its patterns expanded.
#pragma once

#include <cstdint>

#include "quarnel/geometry.h"
#include "spectool/geom_point.h"
#include "store/record_list.h"

namespace quarnel::spectool {

#pragma pack(push, 1)
struct GeomItem {
  GeomEntity entity{};
  int32_t reservedLink = -1;         // never interpreted
  int32_t reservedWords[7] = {};     // never interpreted
  unsigned char spare[4] = {};       // written as 0

  // An empty item: every entity field 0, reserved fields as built.
  GeomItem() = default;
  GeomItem(int8_t type, int32_t ref, uint32_t flags, GeomPoint point, const float (&p)[9]);
  explicit GeomItem(const GeomEntity& e) : entity(e) {}

  GeomPoint point() const { return GeomPoint(entity.x, entity.y); }
  void set_point(const GeomPoint& pt) {
    entity.x = pt.x;
    entity.y = pt.y;
  }
};
#pragma pack(pop)

// Bytes of a GeomItem record: entity 53 + reserved link 4 + 7 words 28 + spare 4.
inline constexpr uint32_t kGeomItemSize = 89;
static_assert(sizeof(GeomItem) == kGeomItemSize, "GeomItem is 89 bytes");

class GeomItemList : public store::LinkedRecordList {
 public:
  GeomItemList() : LinkedRecordList(kGeomItemSize) {}

  uint32_t Append(const GeomItem& item) { return RecordList::Append(&item); }
  uint32_t UpdateCurrent(const GeomItem& item) { return RecordList::UpdateCurrent(&item); }
  int ReadAt(GeomItem& item, int32_t n) { return RecordList::ReadAt(&item, n); }
  int ReadNext(GeomItem& item) { return RecordList::ReadNext(&item); }
  using RecordList::Append;
  using RecordList::ReadAt;
  using RecordList::ReadNext;
  using RecordList::UpdateCurrent;
};

}  // namespace quarnel::spectool
