#include "exports/special_tool_outline.h"

#include <algorithm>
#include <cstdint>

#include "explode/explode_shape.h"
#include "exports/module_state.h"
#include "spectool/geom_types.h"

namespace quarnel::exports {
namespace {

// Delivers the pieces of `shape`, no more than `room` of them.
size_t DeliverPieces(const GeomEntity& shape, size_t room, const OutlineSink& deliver) {
  GeomEntity pieces[explode::kMaxPieces] = {};
  GeomEntity* const slots[explode::kMaxPieces] = {&pieces[0], &pieces[1], &pieces[2], &pieces[3],
                                                  &pieces[4], &pieces[5], &pieces[6], &pieces[7]};
  int32_t count = 0;
  explode::ExplodeShape(shape, &count, slots, Module().rotations);
  const size_t delivered = std::min({static_cast<size_t>(std::max(count, 0)),
                                     static_cast<size_t>(explode::kMaxPieces), room});
  for (size_t i = 0; i < delivered; ++i) deliver(pieces[i]);
  return delivered;
}

}  // namespace

size_t DeliverOutline(spectool::GeomItemList& expanded, const OutlineSink& deliver) {
  size_t delivered = 0;
  const auto count = static_cast<int32_t>(expanded.Count());
  spectool::GeomItem item;
  for (int32_t position = 1; position <= count && delivered < kMaxOutlineEntities; ++position) {
    if (expanded.ReadAt(item, position) != 1) break;
    switch (item.entity.type) {
      case spectool::kGeomLine:
      case spectool::kGeomArc:
        deliver(item.entity);
        ++delivered;
        break;
      case spectool::kGeomPoint:
        break;
      default:
        delivered += DeliverPieces(item.entity, kMaxOutlineEntities - delivered, deliver);
        break;
    }
  }
  return delivered;
}

}  // namespace quarnel::exports
