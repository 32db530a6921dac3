// The station file: two station tables after a leading area this library
// does not read.
#pragma once

#include <string>

#include "platform/status.h"
#include "stations/station_table.h"
#include "toollib/special_tool_link.h"

namespace quarnel::stations {

// Bytes before the first table.
inline constexpr int64_t kStationTablesOffset = 1394;

// Loads both tables of the station file at `path` (a Windows path),
// re-linking their stations against the links' library. kOk, or
// kFileCannotOpen when the file cannot be opened. A table that reads only in
// part keeps what it read, and the second table is read from wherever the
// first one stopped.
StatusCode LoadStationFile(const std::string& path, const toollib::SpecialToolLinks& links, StationTable& first,
                           StationTable& second);

}  // namespace quarnel::stations
