// The special-tool family: a special tool's data into the host's record and
// its outline as lines and arcs, fetched either from GeomList (Open, then
// LoadGeometryAtIndex, then Close) or from LoadedItemList (Load, then
// GetGeometryAt or GetGeometryValuesAt).
#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "exports/export_status.h"
#include "exports/guard.h"
#include "exports/special_tool_outline.h"
#include "exports/module_state.h"
#include "quarnel/quarnel.h"
#include "spectool/pattern_expansion.h"
#include "spectool/special_tool_reader.h"

namespace quarnel::exports {
namespace {

// Empties a module list that is filled again at once: its pages serve the
// new items (no fresh memory for a tool read again), and those left over are
// released when the refill ends.
class Refill {
 public:
  explicit Refill(spectool::GeomItemList& list) : list_(list) { list_.ClearForRefill(); }
  ~Refill() { list_.ReleaseSparePages(); }
  Refill(const Refill&) = delete;
  Refill& operator=(const Refill&) = delete;

 private:
  spectool::GeomItemList& list_;
};

// Reads the special tool named by `info` into ReadItemList (emptied first) and
// hands its outline to `deliver`, after telling `expect` (when given) how many
// items it comes from; the read's status, with no outline when the read failed.
StatusCode ReadOutline(SpecialToolInfo* info, const OutlineSink& deliver,
                       const std::function<void(size_t)>& expect = {}) {
  spectool::GeomItemList& items = ReadItemList();
  const Refill refill(items);
  if (info == nullptr) return StatusCode::kFileMissing;
  const StatusCode status = spectool::ReadSpecialTool(info, items, Module().Links());
  if (status != StatusCode::kOk) return status;
  if (items.Count() == 0) return status;
  spectool::ExpandPatterns(items);
  if (expect) expect(items.Count());
  DeliverOutline(items, deliver);
  return status;
}

// The host's entity record holds its object header first; only the entity
// bytes after it are ours to write.
void WriteHostRecord(void* record, const GeomEntity& entity) {
  std::memcpy(static_cast<unsigned char*>(record) + sizeof(void*), &entity, sizeof entity);
}

void SetCount(int32_t* count, size_t value) {
  if (count != nullptr) *count = static_cast<int32_t>(value);
}

// The entity at 0-based `index` of LoadedItemList; false when there is none.
bool LoadedEntityAt(int32_t index, GeomEntity& entity) {
  spectool::GeomItemList& list = LoadedItemList();
  if (index < 0 || static_cast<uint32_t>(index) >= list.Count()) return false;
  spectool::GeomItem item;
  if (list.ReadAt(item, index + 1) != 1) return false;
  entity = item.entity;
  return true;
}

}  // namespace
}  // namespace quarnel::exports

using quarnel::exports::Guarded;
using quarnel::exports::GuardedVoid;
namespace ex = quarnel::exports;

extern "C" {

QUARNEL_API int32_t QUARNEL_CALL OpenSpecialTool(SpecialToolInfo* info, int32_t* count) {
  return Guarded<int32_t>(QUARNEL_SPECIAL_TOOL_CANNOT_OPEN, [&] {
    ex::SetCount(count, 0);
    std::optional<ex::GeomEntityList>& geom_list = ex::GeomList();
    geom_list.emplace();  // a fresh list: the last outline's memory goes with it
    ex::GeomEntityList& outline = *geom_list;
    // One entity per item is the usual outline (a grid of holes): reserving it
    // spares the regrowth copies, each of which would touch fresh memory.
    const quarnel::StatusCode status = ex::ReadOutline(
        info, [&outline](const GeomEntity& entity) { outline.push_back(entity); },
        [&outline](size_t items) { outline.reserve(std::min(items, ex::kMaxOutlineEntities)); });
    ex::SetCount(count, outline.size());
    return ex::SpecialToolResult(status);
  });
}

QUARNEL_API int32_t QUARNEL_CALL LoadSpecialTool(SpecialToolInfo* info, int32_t* count) {
  return Guarded<int32_t>(QUARNEL_SPECIAL_TOOL_CANNOT_OPEN, [&] {
    ex::SetCount(count, 0);
    quarnel::spectool::GeomItemList& loaded = ex::LoadedItemList();
    const ex::Refill refill(loaded);
    // Entities go straight into the list: no second copy of the outline is held.
    const quarnel::StatusCode status = ex::ReadOutline(info, [&loaded](const GeomEntity& entity) {
      loaded.Append(quarnel::spectool::GeomItem(entity));
    });
    ex::SetCount(count, loaded.Count());
    return ex::SpecialToolResult(status);
  });
}

QUARNEL_API int32_t QUARNEL_CALL LoadGeometryAtIndex(int32_t index, void* record) {
  return Guarded<int32_t>(0, [&] {
    const std::optional<ex::GeomEntityList>& geom_list = ex::GeomList();
    if (record == nullptr || !geom_list || index < 0 ||
        static_cast<size_t>(index) >= geom_list->size()) {
      return 0;
    }
    // Straight into the host's record, after its object header.
    geom_list->CopyTo(static_cast<size_t>(index), static_cast<unsigned char*>(record) + sizeof(void*));
    return 0;
  });
}

QUARNEL_API void QUARNEL_CALL GetGeometryAt(void* record, int32_t index) {
  GuardedVoid([&] {
    GeomEntity entity;
    if (record != nullptr && ex::LoadedEntityAt(index, entity)) ex::WriteHostRecord(record, entity);
  });
}

QUARNEL_API void QUARNEL_CALL GetGeometryValuesAt(int32_t* type, int32_t* flags, int32_t* ref,
                                                  float* x, float* y, float* p0, float* p1,
                                                  int32_t index) {
  GuardedVoid([&] {
    GeomEntity entity;
    if (!ex::LoadedEntityAt(index, entity)) return;
    if (type != nullptr) *type = entity.type;  // sign-extended: type -1 stays -1
    if (flags != nullptr) *flags = static_cast<int32_t>(entity.flags);
    if (ref != nullptr) *ref = entity.ref;
    if (x != nullptr) *x = entity.x;
    if (y != nullptr) *y = entity.y;
    if (p0 != nullptr) *p0 = entity.p[0];
    if (p1 != nullptr) *p1 = entity.p[1];
  });
}

QUARNEL_API void QUARNEL_CALL CloseSpecialTool(void) {
  GuardedVoid([] { ex::GeomList().reset(); });
}

}  // extern "C"
