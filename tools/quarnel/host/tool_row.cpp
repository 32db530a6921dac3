#include "host/tool_row.h"

#include "platform/memory_file.h"
#include "platform/binary_reader.h"
#include "toollib/tool_file.h"

namespace quarnel::cli {

std::string TypeLabel(int typeCode) {
  std::string label = toollib::TypeSlotLabel(toollib::TypeSlotOfCode(typeCode));
  while (!label.empty() && label.back() == ' ') label.pop_back();
  return label;
}

bool IsKnownTypeCode(int typeCode) { return toollib::TypeSlotOfCode(typeCode) != 0; }

toollib::ToolRecord ToolRecordOf(const ToolRow& tool) {
  toollib::ToolRecord record;
  record.size = tool.size;
  record.typeCode = tool.typeCode;
  record.SetDimensions(tool.x, tool.y, tool.z);
  record.keyedCount = tool.keyedCount;
  record.SetAngles(tool.angles[0], tool.angles[1], tool.angles[2], tool.angles[3]);
  record.dieClearanceCount = tool.dieClearanceCount;
  record.SetDieClearances(tool.dieClearances[0], tool.dieClearances[1], tool.dieClearances[2],
                          tool.dieClearances[3]);
  record.valueA = tool.valueA;
  record.valueB = tool.valueB;
  record.valueC = tool.valueC;
  record.valueD = tool.valueD;
  if (record.typeCode == toollib::kTypeSpecial) record.FlagsFromZ();
  return record;
}

ToolRow AsLoaded(const ToolRow& tool) {
  toollib::ToolRecord record = ToolRecordOf(tool);
  platform::MemoryFile file(platform::EncodedBytes([&record](platform::BinaryWriter& out) { return record.WriteRecord(out, false) == 1; }));
  platform::BinaryReader in(file);
  toollib::ToolRecord loaded;
  if (loaded.ReadRecord(in, toollib::kCurrentLibraryVersion, false) != 1) return tool;
  ToolRow row = tool;
  row.keyedCount = loaded.keyedCount;
  std::copy(std::begin(loaded.angles), std::end(loaded.angles), row.angles.begin());
  return row;
}

}  // namespace quarnel::cli
