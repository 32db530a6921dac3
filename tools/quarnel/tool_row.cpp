#include "tool_row.h"

#include "toollib/tool_record.h"

namespace quarnel::cli {

std::string TypeLabel(int typeCode) {
  std::string label = toollib::TypeSlotLabel(toollib::TypeSlotOfCode(typeCode));
  while (!label.empty() && label.back() == ' ') label.pop_back();
  return label;
}

bool IsKnownTypeCode(int typeCode) { return toollib::TypeSlotOfCode(typeCode) != 0; }

}  // namespace quarnel::cli
