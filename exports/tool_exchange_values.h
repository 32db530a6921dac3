// The twenty values of one tool as the host passes them to the Send calls and
// gets them from the Receive calls, and their transfer to and from a ToolRecord.
#pragma once

#include <cstdint>

#include "quarnel/tool_list_item.h"
#include "toollib/tool_record.h"

namespace quarnel::exports {

struct HostToolValues {
  float size = 0.0f;
  int32_t typeCode = 0;
  // The special-tool name (type 108); may be null.
  const char* name = nullptr;
  float x = 0.0f, y = 0.0f, z = 0.0f;
  int32_t keyedCount = 0;
  float a1 = 0.0f, a2 = 0.0f, a3 = 0.0f, a4 = 0.0f;
  int32_t dieClearanceCount = 0;
  float d1 = 0.0f, d2 = 0.0f, d3 = 0.0f, d4 = 0.0f;
  float valueA = 0.0f, valueB = 0.0f, valueC = 0.0f, valueD = 0.0f;
};

// The values of a host list item; `name` points into the item.
HostToolValues ValuesOfItem(const ToolListItem& item);

// Overwrites the host's fields of `tool` with `values`, in the order type
// code, size, special-tool link (type 108 with a name), dimensions, keyed
// count (outside 0..4 stored as 0), angles, die clearances and the four host
// values. Every other field of the tool keeps its value.
void FillToolRecord(toollib::ToolRecord& tool, const HostToolValues& values);

// The values the host gets for `tool`: its special-tool name for type 108
// (else the empty text) and its keyed count through the checked getter.
HostToolValues ValuesOfTool(toollib::ToolRecord& tool);

// The path string that SendTools or ReceiveTools received by value; the
// callee owns it and releases it when the returned string goes.
inline CString TakePassedString(CStringParameter& passed) { return CString(passed); }

// A new host list item holding `values`.
ToolListItem* NewListItem(const HostToolValues& values);

}  // namespace quarnel::exports
