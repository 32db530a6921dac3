#include "exports/tool_exchange_values.h"

#include "exports/module_state.h"

namespace quarnel::exports {

// The longest special-tool name handed to the host, terminator included.
constexpr int kHostNameCapacity = 256;

HostToolValues ValuesOfItem(const ToolListItem& item) {
  HostToolValues values;
  values.size = item.size;
  values.typeCode = item.typeCode;
  values.name = item.name.GetString();
  values.x = item.x;
  values.y = item.y;
  values.z = item.z;
  values.keyedCount = item.keyedCount;
  values.a1 = item.a1;
  values.a2 = item.a2;
  values.a3 = item.a3;
  values.a4 = item.a4;
  values.dieClearanceCount = item.dieClearanceCount;
  values.d1 = item.d1;
  values.d2 = item.d2;
  values.d3 = item.d3;
  values.d4 = item.d4;
  values.valueA = item.valueA;
  values.valueB = item.valueB;
  values.valueC = item.valueC;
  values.valueD = item.valueD;
  return values;
}

void FillToolRecord(toollib::ToolRecord& tool, const HostToolValues& values) {
  tool.typeCode = values.typeCode;
  tool.size = values.size;
  tool.ResolveSpecialTool(values.name, Module().Links());
  tool.SetDimensions(values.x, values.y, values.z);
  tool.SetKeyedCount(values.keyedCount);
  tool.SetAngles(values.a1, values.a2, values.a3, values.a4);
  tool.dieClearanceCount = values.dieClearanceCount;
  tool.SetDieClearances(values.d1, values.d2, values.d3, values.d4);
  tool.valueA = values.valueA;
  tool.valueB = values.valueB;
  tool.valueC = values.valueC;
  tool.valueD = values.valueD;
}

HostToolValues ValuesOfTool(toollib::ToolRecord& tool) {
  HostToolValues values;
  values.size = tool.size;
  values.typeCode = tool.typeCode;
  values.name = tool.typeCode == toollib::kTypeSpecial ? tool.SpecialToolName(kHostNameCapacity, ExchangeState().library.get(), Module().names)
                                                         : "";
  values.x = tool.dimensions[0];
  values.y = tool.dimensions[1];
  values.z = tool.dimensions[2];
  values.keyedCount = tool.KeyedCount();
  values.a1 = tool.angles[0];
  values.a2 = tool.angles[1];
  values.a3 = tool.angles[2];
  values.a4 = tool.angles[3];
  values.dieClearanceCount = tool.dieClearanceCount;
  values.d1 = tool.dieClearances[0];
  values.d2 = tool.dieClearances[1];
  values.d3 = tool.dieClearances[2];
  values.d4 = tool.dieClearances[3];
  values.valueA = tool.valueA;
  values.valueB = tool.valueB;
  values.valueC = tool.valueC;
  values.valueD = tool.valueD;
  return values;
}

ToolListItem* NewListItem(const HostToolValues& values) {
  return new ToolListItem(values.size, values.typeCode, CString(values.name), values.x, values.y,
                          values.z, values.keyedCount, values.a1, values.a2, values.a3, values.a4,
                          values.dieClearanceCount, values.d1, values.d2, values.d3, values.d4,
                          values.valueA, values.valueB, values.valueC, values.valueD);
}

}  // namespace quarnel::exports
