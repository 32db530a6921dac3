// Test-side writer of station files: a leading area, then two station tables,
// each station followed by its version-92 tool record with the special-tool
// path. It knows the layout on its own and never calls the library under test.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/library_writer.h"

namespace quarnel::testing {

inline constexpr size_t kStationLeadingBytes = 1394;
inline constexpr size_t kStationRecordBytes = 176;

// One station's values. The fields the library uses are named; every other
// byte of the 176-byte record holds (carriedSeed + its record offset) & 0xFF,
// so that a test can tell each carried field landed where it belongs.
struct StationFields {
  int32_t stationNumber = 0;
  float stationSize = 0.0f;
  int32_t stationKind = 0;
  int32_t toolPosition = 0;
  uint8_t flags = 0;
  uint8_t carriedSeed = 0;
  ToolFields tool;  // the stored tool, written as a version-92 record with its path
};

struct StationTableFields {
  int32_t markedPosition = 0;
  int32_t tableIdentifier = 0;
  int32_t thirdHeaderValue = 0;
  std::vector<StationFields> stations;
  std::optional<int32_t> storedCount;  // stations.size() when not given
};

struct StationFileFields {
  StationTableFields first;
  int32_t separator = 0;  // the int32 between the tables
  StationTableFields second;
};

// The station's 176-byte record as it lies in memory (record offsets).
std::string StationRecordImage(const StationFields& station);
// Appends one station record in file order, then its stored tool record.
void AppendStation(ByteBuilder& out, const StationFields& station);
void AppendStationTable(ByteBuilder& out, const StationTableFields& table);
std::string BuildStationFile(const StationFileFields& file);

}  // namespace quarnel::testing
