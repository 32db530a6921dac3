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

  // Accessors by value: the record is packed, so its fields must not be
  // bound to references.
  int8_t type() const { return entity.type; }
  int32_t ref() const { return entity.ref; }
  uint32_t flags() const { return entity.flags; }
  float x() const { return entity.x; }
  float y() const { return entity.y; }
  float param(int i) const { return entity.p[i]; }
  int32_t link() const { return reservedLink; }
  int32_t word(int i) const { return reservedWords[i]; }
  void set_type(int8_t type) { entity.type = type; }
  void set_ref(int32_t ref) { entity.ref = ref; }
  void set_flags(uint32_t flags) { entity.flags = flags; }
  void set_param(int i, float value) { entity.p[i] = value; }

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

  StatusCode Append(const GeomItem& item) { return RecordList::Append(&item); }
  StatusCode UpdateCurrent(const GeomItem& item) { return RecordList::UpdateCurrent(&item); }
  int ReadAt(GeomItem& item, int32_t n) { return RecordList::ReadAt(&item, n); }
  int ReadNext(GeomItem& item) { return RecordList::ReadNext(&item); }
  using RecordList::Append;
  using RecordList::ReadAt;
  using RecordList::ReadNext;
  using RecordList::UpdateCurrent;
};

}  // namespace quarnel::spectool
