// Special tools through the special-tool entry points and ViewSpecialTool.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quarnel/geometry.h"

namespace quarnel::cli {

// The tool data that OpenSpecialTool writes into the host's special-tool object.
struct SpecialToolData {
  float size = 0.0f;
  float infoValue = 0.0f;
  float dimensions[3] = {};
  float angles[4] = {};
  float dieClearances[4] = {};
  uint32_t valueC = 0;  // carried bit for bit
  float valueD = 0.0f;
  uint8_t side = 0;
};

// A special tool's data and its outline of lines and arcs, exactly as the host receives it.
struct SpecialToolOutline {
  std::string path;
  SpecialToolData tool;
  std::vector<GeomEntity> entities;
};

// Reads `path` through OpenSpecialTool and LoadGeometryAtIndex. Throws CliError.
SpecialToolOutline ReadSpecialToolOutline(const std::string& path);

// Writes the part drawing of `outline` through ViewSpecialTool and returns the
// file's path on this system. Throws CliError when the file cannot be written.
std::string WritePartDrawing(const SpecialToolOutline& outline);

// Where the part drawing file "c:\spt.prt" lies on this system.
std::string PartDrawingFilePath();

}  // namespace quarnel::cli
