// ViewSpecialTool: the outline held in the host's special-tool object written
// as the part drawing "c:\spt.prt" for the host to display.
#include <cstring>
#include <vector>

#include "exports/export_status.h"
#include "exports/guard.h"
#include "exports/host_objects.h"
#include "partfile/part_drawing_writer.h"
#include "quarnel/quarnel.h"

namespace quarnel::exports {
namespace {

// The host's entities, copied so that the drawing's conversions never reach
// the host's own objects. A missing list is an empty one; a missing element,
// or one of another class, is written as an all-zero entity, keeping the
// record count the host sees.
std::vector<GeomEntity> CopyEntities(CObList* list) {
  std::vector<GeomEntity> entities;
  if (list == nullptr) return entities;
  entities.reserve(static_cast<size_t>(list->GetCount()));
  for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
    const CObject* element = list->GetNext(pos);
    const auto* object = HostElementAs<GeomEntityObject>(element);
    entities.push_back(object != nullptr ? object->entity : GeomEntity{});
  }
  return entities;
}

// The data bytes of the host's second-list elements; a missing element, or
// one of another class, is written as 42 zero bytes.
std::vector<partfile::SecondListRecord> CopySecondList(CObList* list) {
  std::vector<partfile::SecondListRecord> records;
  if (list == nullptr) return records;
  records.reserve(static_cast<size_t>(list->GetCount()));
  for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
    const CObject* element = list->GetNext(pos);
    const auto* object = HostElementAs<SecondListElement>(element);
    partfile::SecondListRecord& record = records.emplace_back();
    if (object != nullptr) std::memcpy(record.data(), object->data, record.size());
  }
  return records;
}

}  // namespace
}  // namespace quarnel::exports

extern "C" QUARNEL_API uint8_t QUARNEL_CALL ViewSpecialTool(SpecialToolInfo* info) {
  namespace ex = quarnel::exports;
  return quarnel::exports::Guarded<uint8_t>(QUARNEL_DRAWING_NOT_WRITTEN, [&]() -> uint8_t {
    if (info == nullptr) return QUARNEL_DRAWING_NOT_WRITTEN;
    const std::vector<GeomEntity> entities = ex::CopyEntities(info->entities);
    const std::vector<quarnel::partfile::SecondListRecord> second_list =
        ex::CopySecondList(info->secondList);
    return ex::DrawingResult(quarnel::partfile::SavePartDrawing(
        quarnel::partfile::kPartDrawingPath, entities, second_list));
  });
}
