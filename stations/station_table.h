// StationTable: one table of a station file, each station re-linked to the
// tool it carries in the tool library that was loaded with it.
#pragma once

#include <bitset>
#include <cstdint>
#include <vector>

#include "platform/binary_reader.h"
#include "stations/free_positions.h"
#include "stations/station_record.h"
#include "store/record_list.h"
#include "toollib/special_tool_link.h"
#include "toollib/tool_library.h"

namespace quarnel::stations {

// The format version of the tool records stored in station files.
inline constexpr int kStationFileVersion = 92;

class StationTable : public store::RecordList {
 public:
  // An empty table; `identifier` is 0 for the first table, 1 for the second.
  explicit StationTable(int32_t identifier);

  // Typed access to the stations (1-based positions); reads return 1 or 0.
  int ReadNext(StationRecord& station);
  int ReadAt(StationRecord& station, int32_t n);
  StatusCode Append(const StationRecord& station);

  // The record list's changes, each also dropping the lookup index that
  // StationOf keeps (change a table through these, not through a RecordList&).
  StatusCode Append(const void* record);
  StatusCode InsertAt(const void* record, int32_t n);
  StatusCode UpdateCurrent(const void* record);
  StatusCode DeleteCurrent();
  StatusCode DeleteAt(int32_t n);
  void Clear();
  store::VirStore& store();

  // The station number of the first station that holds library position
  // `tool_position`, 0 when none does; leaves cursor and status as a walk
  // with Rewind and ReadNext would. An index built on first use answers
  // without walking the table.
  int32_t StationOf(int32_t tool_position);

  // Reads the table at the file's position: its header values and its
  // stations, each re-linked against the links' library (when not null), into
  // which a stored special tool is also tied. 1 on success, an empty table
  // included; 0 when a read fails, keeping what was read.
  [[nodiscard]] int LoadStations(platform::BinaryReader& in, int version, const toollib::SpecialToolLinks& links);

  int32_t markedPosition = 0;  // a 1-based station position in this table, 0 = none
  int32_t tableIdentifier;
  int32_t thirdHeaderValue = 0;
  int32_t fourthValue = 0;

 private:
  // The library position of the station's stored tool, given the position `t`
  // the station recorded; 0 when the library holds no such tool for it.
  // `taken` knows the positions of the stations loaded before it.
  int32_t RelinkedPosition(int32_t t, toollib::ToolRecord& stored, toollib::ToolLibrary& library,
                           FreePositions& taken);
  // Raises `position` by one for each station in the table, in order, that
  // holds it: the walk that `FreePositions` answers without walking.
  int32_t NextFreePosition(int32_t position);
  // The walk that StationOf stands for: Rewind, then ReadNext to the first match.
  int32_t WalkForStation(int32_t tool_position);
  void BuildIndex();

  // The first station of each tool position, sorted by tool position.
  struct IndexEntry {
    int32_t toolPosition;
    int32_t stationPosition;
    int32_t stationNumber;
  };
  std::vector<IndexEntry> index_;
  // One bit per tool position modulo kFilterBits, set for the positions the
  // index holds: most tools have no station, and a clear bit says so at once.
  static constexpr uint32_t kFilterBits = 4096;
  std::bitset<kFilterBits> held_filter_;
  bool index_valid_ = false;
};

// The station number of the first station of `table` that holds the tool at
// library position `tool_position`; 0 when none does or the table is absent.
int32_t StationOfTool(StationTable* table, int32_t tool_position);

}  // namespace quarnel::stations
