#include "samples/sample_writers.h"

#include "platform/memory_file.h"
#include "spectool/special_tool_writer.h"
#include "stations/station_file.h"
#include "stations/station_record.h"
#include "toollib/special_tool_link.h"
#include "toollib/tool_library.h"

namespace quarnel::cli {
namespace {

// The station fields the demo sets lead the record in its file order (number,
// size, kind, tool position); the rest of the record stays zero.
constexpr size_t kStationLeadingFieldsBytes = 16;

bool WriteStationTable(platform::BinaryWriter& out, int32_t identifier, const std::vector<SampleStation>& stations,
                       const toollib::SpecialToolLinks& links) {
  // No marked station, the table's identifier, an unused number and the count.
  bool ok = out.WriteI32(0) && out.WriteI32(identifier) && out.WriteI32(0) &&
            out.WriteI32(static_cast<int32_t>(stations.size()));
  for (const SampleStation& station : stations) {
    ok = ok && out.WriteI32(station.number) && out.WriteF32(station.stationSize) && out.WriteI32(station.kind) &&
         out.WriteI32(station.toolPosition) &&
         out.WriteZeros(stations::kStationRecordSize - kStationLeadingFieldsBytes);
    toollib::ToolRecord tool = ToolRecordOf(station.tool);
    tool.ResolveSpecialTool(station.tool.name.c_str(), links);
    ok = ok && tool.WriteRecord(out, true, links.library) == 1;
  }
  return ok;
}

}  // namespace

std::string SpecialToolFileBytes(const SampleSpecialTool& special) {
  spectool::SpecialToolContent content;
  content.tool = ToolRecordOf(special.tool);
  content.side = special.side;
  content.infoValue = special.infoValue;
  content.entities = special.entities;
  return platform::EncodedBytes([&content](platform::BinaryWriter& out) { return spectool::EncodeSpecialTool(out, content); });
}

std::string StationFileBytes(const std::vector<SampleStation>& first,
                             const std::vector<SampleStation>& second) {
  // A station's special tool is stored with its path, which the core takes
  // from the special path list of a library.
  toollib::ToolLibrary paths;
  toollib::SpecialToolFolderBuffer folder;
  const toollib::SpecialToolLinks links{&paths, folder};
  return platform::EncodedBytes([&](platform::BinaryWriter& out) {
    return out.WriteZeros(static_cast<size_t>(stations::kStationTablesOffset)) && WriteStationTable(out, 0, first, links) &&
           out.WriteI32(0) && WriteStationTable(out, 1, second, links);
  });
}

}  // namespace quarnel::cli
