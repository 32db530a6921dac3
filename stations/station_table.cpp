#include "stations/station_table.h"

#include <algorithm>

#include "stations/station_record_format.h"

namespace quarnel::stations {
namespace {

// True when library position `position` holds a tool that matches `stored`.
bool HoldsTool(toollib::ToolLibrary& library, int32_t position, toollib::ToolRecord& stored) {
  if (position < 1 || static_cast<uint32_t>(position) > library.Count()) return false;
  toollib::ToolRecord tool;
  return library.ReadAt(tool, position) == 1 && tool.Matches(stored) == 1;
}

}  // namespace

StationTable::StationTable(int32_t identifier)
    : store::RecordList(kStationRecordSize, false), tableIdentifier(identifier) {}

int StationTable::ReadNext(StationRecord& station) {
  return store::RecordList::ReadNext(station.bytes.data());
}

int StationTable::ReadAt(StationRecord& station, int32_t n) {
  return store::RecordList::ReadAt(station.bytes.data(), n);
}

StatusCode StationTable::Append(const StationRecord& station) {
  return Append(station.bytes.data());
}

StatusCode StationTable::Append(const void* record) {
  index_valid_ = false;
  return store::RecordList::Append(record);
}

StatusCode StationTable::InsertAt(const void* record, int32_t n) {
  index_valid_ = false;
  return store::RecordList::InsertAt(record, n);
}

StatusCode StationTable::UpdateCurrent(const void* record) {
  index_valid_ = false;
  return store::RecordList::UpdateCurrent(record);
}

StatusCode StationTable::DeleteCurrent() {
  index_valid_ = false;
  return store::RecordList::DeleteCurrent();
}

StatusCode StationTable::DeleteAt(int32_t n) {
  index_valid_ = false;
  return store::RecordList::DeleteAt(n);
}

void StationTable::Clear() {
  index_valid_ = false;
  store::RecordList::Clear();
}

store::VirStore& StationTable::store() {
  index_valid_ = false;
  return store::RecordList::store();
}

int StationTable::LoadStations(platform::BinaryReader& in, int version,
                               const toollib::SpecialToolLinks& links) {
  toollib::ToolLibrary* library = links.library;
  Clear();
  if (!in.ReadI32(markedPosition) || !in.ReadI32(tableIdentifier) ||
      !in.ReadI32(thirdHeaderValue)) {
    return 0;
  }
  int32_t count = 0;
  if (!in.ReadI32(count)) return 0;
  FreePositions taken;  // the table was emptied above: it holds what this load appends
  for (int32_t i = 0; i < count; ++i) {
    StationRecord station;
    toollib::ToolRecord stored;
    if (!DecodeStationRecord(in, station) || stored.ReadRecord(in, version, true, &links) != 1) return 0;
    // The stored tool only serves to find the station's tool again; it is not kept.
    const int32_t t = station.ToolPosition();
    if (t > 0 && library != nullptr) station.SetToolPosition(RelinkedPosition(t, stored, *library, taken));
    Append(station);
    if (station.ToolPosition() > 0) taken.Record(station.ToolPosition());
  }
  return 1;
}

int32_t StationTable::RelinkedPosition(int32_t t, toollib::ToolRecord& stored,
                                       toollib::ToolLibrary& library, FreePositions& taken) {
  const int32_t candidate = HoldsTool(library, t, stored) ? t : library.FindMatchingTool(stored);
  if (candidate == 0) return 0;
  // A second station of an identical tool takes the next library position, so
  // that identical tools in the library are told apart by station order.
  // A store that failed keeps its failure and ends every walk at its first
  // read: only the walk itself answers then.
  const int64_t free_position =
      Status() == StatusCode::kOk ? taken.From(candidate) : NextFreePosition(candidate);
  if (free_position == candidate) return candidate;
  if (free_position > static_cast<int64_t>(library.Count())) return 0;
  return HoldsTool(library, static_cast<int32_t>(free_position), stored) ? static_cast<int32_t>(free_position) : 0;
}

int32_t StationTable::NextFreePosition(int32_t position) {
  Rewind();
  StationRecord earlier;
  while (ReadNext(earlier) == 1) {
    if (earlier.ToolPosition() == position) ++position;
  }
  return position;
}

int32_t StationTable::StationOf(int32_t tool_position) {
  Rewind();
  // A sticky status ends the walk at its first read: only the walk itself
  // answers then (and for an empty table).
  if (Count() == 0 || Status() != StatusCode::kOk) return WalkForStation(tool_position);
  if (!index_valid_) BuildIndex();
  if (held_filter_[static_cast<uint32_t>(tool_position) % kFilterBits]) {
    const auto found = std::lower_bound(
        index_.begin(), index_.end(), tool_position,
        [](const IndexEntry& entry, int32_t wanted) { return entry.toolPosition < wanted; });
    if (found != index_.end() && found->toolPosition == tool_position) {
      Seek(found->stationPosition);
      return found->stationNumber;
    }
  }
  // A walk without a match stops on the last station.
  Seek(static_cast<int32_t>(Count()));
  return 0;
}

int32_t StationTable::WalkForStation(int32_t tool_position) {
  Rewind();
  StationRecord station;
  while (ReadNext(station) == 1) {
    if (station.ToolPosition() == tool_position) return station.StationNumber();
  }
  return 0;
}

void StationTable::BuildIndex() {
  index_.clear();
  const auto count = static_cast<int32_t>(Count());
  StationRecord station;
  for (int32_t n = 1; n <= count; ++n) {
    if (ReadAt(station, n) != 1) break;
    index_.push_back({station.ToolPosition(), n, station.StationNumber()});
  }
  // Stable: of the stations that hold one tool position, the first stays first.
  std::stable_sort(index_.begin(), index_.end(), [](const IndexEntry& a, const IndexEntry& b) {
    return a.toolPosition < b.toolPosition;
  });
  index_.erase(std::unique(index_.begin(), index_.end(),
                           [](const IndexEntry& a, const IndexEntry& b) {
                             return a.toolPosition == b.toolPosition;
                           }),
               index_.end());
  held_filter_.reset();
  for (const IndexEntry& entry : index_) {
    held_filter_.set(static_cast<uint32_t>(entry.toolPosition) % kFilterBits);
  }
  index_valid_ = true;
}

int32_t StationOfTool(StationTable* table, int32_t tool_position) {
  return table == nullptr ? 0 : table->StationOf(tool_position);
}

}  // namespace quarnel::stations
