#include "stations/station_table.h"

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

uint32_t StationTable::Append(const StationRecord& station) {
  return store::RecordList::Append(station.bytes.data());
}

int StationTable::LoadStations(platform::BinaryReader& in, int version,
                               toollib::ToolLibrary* library) {
  Clear();
  if (!in.ReadI32(markedPosition) || !in.ReadI32(tableIdentifier) ||
      !in.ReadI32(thirdHeaderValue)) {
    return 0;
  }
  int32_t count = 0;
  if (!in.ReadI32(count)) return 0;
  for (int32_t i = 0; i < count; ++i) {
    StationRecord station;
    toollib::ToolRecord stored;
    if (!ReadStationRecord(in, station) || stored.ReadRecord(in, version, true) != 1) return 0;
    // The stored tool only serves to find the station's tool again; it is not kept.
    const int32_t t = station.ToolPosition();
    if (t > 0 && library != nullptr) station.SetToolPosition(RelinkedPosition(t, stored, *library));
    Append(station);
  }
  return 1;
}

int32_t StationTable::RelinkedPosition(int32_t t, toollib::ToolRecord& stored,
                                       toollib::ToolLibrary& library) {
  const int32_t candidate = HoldsTool(library, t, stored) ? t : library.FindMatchingTool(stored);
  if (candidate == 0) return 0;
  // A second station of an identical tool takes the next library position, so
  // that identical tools in the library are told apart by station order.
  const int32_t free_position = NextFreePosition(candidate);
  if (free_position == candidate) return candidate;
  return HoldsTool(library, free_position, stored) ? free_position : 0;
}

int32_t StationTable::NextFreePosition(int32_t position) {
  Rewind();
  StationRecord earlier;
  while (ReadNext(earlier) == 1) {
    if (earlier.ToolPosition() == position) ++position;
  }
  return position;
}

int32_t StationOfTool(StationTable* table, int32_t tool_position) {
  if (table == nullptr) return 0;
  table->Rewind();
  StationRecord station;
  while (table->ReadNext(station) == 1) {
    if (station.ToolPosition() == tool_position) return station.StationNumber();
  }
  return 0;
}

}  // namespace quarnel::stations
