// Test-side helpers that build geometry items and lists from values.
#pragma once

#include <initializer_list>
#include <vector>

#include "spectool/geom_item.h"

namespace quarnel::spectool::testing {

// An item of `type` at (x, y) with the given leading parameters (the rest 0).
inline GeomItem MakeItem(int8_t type, float x, float y, std::initializer_list<float> params,
                         int32_t ref = 0, uint32_t flags = 0) {
  float p[9] = {};
  int i = 0;
  for (float value : params) p[i++] = value;
  return GeomItem(type, ref, flags, GeomPoint(x, y), p);
}

inline void AppendAll(GeomItemList& list, std::initializer_list<GeomItem> items) {
  for (const GeomItem& item : items) list.Append(item);
}

// Every item of the list, in position order.
inline std::vector<GeomItem> Items(GeomItemList& list) {
  std::vector<GeomItem> items(list.Count());
  for (size_t i = 0; i < items.size(); ++i) list.ReadAt(items[i], static_cast<int32_t>(i + 1));
  return items;
}

}  // namespace quarnel::spectool::testing
