#include "exports/special_tool_outline.h"

#include <cstdint>

#include "explode/explode_shape.h"
#include "spectool/geom_types.h"

namespace quarnel::exports {
namespace {

void AppendPieces(const GeomEntity& shape, std::vector<GeomEntity>& outline) {
  GeomEntity pieces[explode::kMaxPieces] = {};
  GeomEntity* const slots[explode::kMaxPieces] = {&pieces[0], &pieces[1], &pieces[2], &pieces[3],
                                                  &pieces[4], &pieces[5], &pieces[6], &pieces[7]};
  int32_t count = 0;
  explode::ExplodeShape(shape, &count, slots);
  for (int32_t i = 0; i < count && i < explode::kMaxPieces; ++i) outline.push_back(pieces[i]);
}

}  // namespace

std::vector<GeomEntity> OutlineOf(spectool::GeomItemList& expanded) {
  std::vector<GeomEntity> outline;
  const auto count = static_cast<int32_t>(expanded.Count());
  // One entity per item is the usual outline (a grid of holes): reserving it
  // spares the regrowth copies, each of which would touch fresh memory.
  outline.reserve(static_cast<size_t>(count));
  spectool::GeomItem item;
  for (int32_t position = 1; position <= count; ++position) {
    if (expanded.ReadAt(item, position) != 1) break;
    switch (item.entity.type) {
      case spectool::kGeomLine:
      case spectool::kGeomArc:
        outline.push_back(item.entity);
        break;
      case spectool::kGeomPoint:
        break;
      default:
        AppendPieces(item.entity, outline);
        break;
    }
  }
  return outline;
}

}  // namespace quarnel::exports
