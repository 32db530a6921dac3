// The demo's sample set: typical punch tools of every type, special tools
// that together use every shape and every pattern kind, and their stations.
#pragma once

#include <vector>

#include "host/tool_row.h"
#include "samples/sample_writers.h"

namespace quarnel::cli {

// The special tools, each to be written as <name>.spt.
std::vector<SampleSpecialTool> DemoSpecialTools();

// The library's tools in library order; special tools name their files.
std::vector<ToolRow> DemoTools(const std::vector<SampleSpecialTool>& specials);

// The two station tables for `tools` (library order, positions from 1).
void DemoStations(const std::vector<ToolRow>& tools, std::vector<SampleStation>& first,
                  std::vector<SampleStation>& second);

}  // namespace quarnel::cli
