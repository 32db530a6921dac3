// The sample files that the demo puts beside its tool library, made with the
// library's core: special-tool files by its special-tool writer, and a station
// file of two tables whose tools are the core's on-disk tool records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/tool_row.h"
#include "quarnel/geometry.h"

namespace quarnel::cli {

struct SampleSpecialTool {
  std::string name;  // the file is <name>.spt
  std::string description;
  ToolRow tool;      // size, dimensions, angles, clearances and host values
  uint8_t side = 0;  // side code: 1 or 2, 0 for none
  float infoValue = 0.0f;
  // The entities as the reader delivers them; groups are stored as given.
  std::vector<GeomEntity> entities;
};

// The bytes of a special-tool file of the current version.
std::string SpecialToolFileBytes(const SampleSpecialTool& special);

// One station of a station table: its number, size and kind, the 1-based
// position of its tool in the library, and that tool as it was stored (a
// special tool's path is the library's path for its name).
struct SampleStation {
  int32_t number = 0;
  float stationSize = 0.0f;
  int32_t kind = 0;
  int32_t toolPosition = 0;
  ToolRow tool;
};

// The bytes of a station file with its two tables.
std::string StationFileBytes(const std::vector<SampleStation>& first,
                             const std::vector<SampleStation>& second);

}  // namespace quarnel::cli
