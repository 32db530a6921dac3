#include "exports/special_tool_state.h"

namespace quarnel::exports {

std::optional<GeomEntityList>& GeomList() {
  static std::optional<GeomEntityList> list;
  return list;
}

spectool::GeomItemList& ReadItemList() {
  static spectool::GeomItemList list;
  return list;
}

spectool::GeomItemList& LoadedItemList() {
  static spectool::GeomItemList list;
  return list;
}

void ResetSpecialToolState() {
  GeomList().reset();
  ReadItemList().Clear();
  LoadedItemList().Clear();
}

}  // namespace quarnel::exports
