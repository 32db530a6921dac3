#include "partfile/part_entity_conversion.h"

#include "spectool/geom_types.h"
#include "spectool/geom_point.h"

namespace quarnel::partfile {

GeomEntity PartDrawingEntity(const GeomEntity& entity) {
  GeomEntity stored = entity;
  stored.flags &= ~spectool::kFlagGroupMember;
  // The list's 1-based seed position becomes the drawing's 0-based index;
  // wrapping keeps an absurd minimum value defined.
  if ((stored.flags & spectool::kFlagRefInUse) != 0) {
    stored.ref = static_cast<int32_t>(static_cast<uint32_t>(stored.ref) - 1u);
  }
  // The special-tool reader turned the flat side by half a turn; the drawing
  // takes it the other way round again.
  if (stored.type == spectool::kGeomSingleD) {
    stored.p[2] = static_cast<float>(spectool::OppositeAngle(stored.p[2]));
  }
  return stored;
}

}  // namespace quarnel::partfile
