#include "samples/sample_writers.h"

#include <bit>

#include "platform/memory_file.h"
#include "spectool/special_tool_writer.h"
#include "stations/station_file.h"
#include "stations/station_record.h"
#include "stations/station_record_format.h"
#include "toollib/special_tool_link.h"
#include "toollib/tool_library.h"

namespace quarnel::cli {
namespace {

// A station with the fields the demo sets (number, size, kind, tool
// position); every other field stays zero.
stations::StationRecord StationRecordOf(const SampleStation& sample) {
  stations::StationRecord record;
  record.SetInt32At(stations::kStationNumberOffset, sample.number);
  record.SetInt32At(stations::kStationSizeOffset, std::bit_cast<int32_t>(sample.stationSize));
  record.SetInt32At(stations::kStationKindOffset, sample.kind);
  record.SetInt32At(stations::kToolPositionOffset, sample.toolPosition);
  return record;
}

bool WriteStationTable(platform::BinaryWriter& out, int32_t identifier, const std::vector<SampleStation>& stations,
                       const toollib::SpecialToolLinks& links) {
  // No marked station, the table's identifier, an unused number and the count.
  bool ok = out.WriteI32(0) && out.WriteI32(identifier) && out.WriteI32(0) &&
            out.WriteI32(static_cast<int32_t>(stations.size()));
  for (const SampleStation& station : stations) {
    ok = ok && stations::EncodeStationRecord(out, StationRecordOf(station));
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
