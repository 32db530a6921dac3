#include "spectool/geom_item.h"

namespace quarnel::spectool {

GeomItem::GeomItem(int8_t type, int32_t ref, uint32_t flags, GeomPoint point, const float (&p)[9]) {
  entity.type = type;
  entity.ref = ref;
  entity.flags = flags;
  entity.x = point.x;
  entity.y = point.y;
  for (int i = 0; i < 9; ++i) entity.p[i] = p[i];
}

}  // namespace quarnel::spectool
