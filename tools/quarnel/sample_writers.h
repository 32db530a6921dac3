// Writers of the sample files that the demo puts beside its tool library:
// special-tool files (version 92) and a station file. The library only reads
// these formats; the host writes them, so the demo brings its own writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tool_row.h"

namespace quarnel::cli {

// One geometry entity of a special-tool file.
struct SampleEntity {
  int8_t type = 0;
  int32_t ref = 0;     // a pattern's 1-based seed position among the stored entities
  uint32_t flags = 0;
  float x = 0.0f, y = 0.0f;
  std::vector<float> p;  // up to nine parameters
};

struct SampleSpecialTool {
  std::string name;  // the file is <name>.spt
  std::string description;
  ToolRow tool;      // size, dimensions, angles, clearances and host values
  uint8_t side = 0;  // side code: 1 or 2, 0 for none
  float infoValue = 0.0f;
  std::vector<SampleEntity> entities;
};

// The bytes of a version-92 special-tool file.
std::string SpecialToolFileBytes(const SampleSpecialTool& special);

// One station of a station table: its number, size and kind, the 1-based
// position of its tool in the library, and that tool as it was stored.
struct SampleStation {
  int32_t number = 0;
  float stationSize = 0.0f;
  int32_t kind = 0;
  int32_t toolPosition = 0;
  ToolRow tool;
  std::string specialPath;  // a special tool's path (its file name is what counts)
};

// The bytes of a station file with its two tables.
std::string StationFileBytes(const std::vector<SampleStation>& first,
                             const std::vector<SampleStation>& second);

}  // namespace quarnel::cli
