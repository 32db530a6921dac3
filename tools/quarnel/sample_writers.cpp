#include "sample_writers.h"

#include "byte_sink.h"

namespace quarnel::cli {
namespace {

constexpr int16_t kFileVersion = 92;
constexpr size_t kSpecialBlockBytes = 24;
constexpr size_t kPathBytes = 256;
constexpr size_t kSideAreaBytes = 60;
constexpr size_t kStationHeadBytes = 1394;
constexpr size_t kStationRecordBytes = 176;

// The on-disk tool record of the current version; with a path for station files.
void WriteToolRecord(ByteSink& out, const ToolRow& tool, const std::string* specialPath) {
  const bool special = tool.typeCode == kSpecialToolType;
  out.Float(tool.size);
  out.Int32(tool.typeCode);
  if (special) out.Zeros(kSpecialBlockBytes);
  out.Int32(0);  // special-tool index: the reader ties the tool to its path itself
  if (special && specialPath != nullptr) out.Text(*specialPath, kPathBytes);
  out.Int32(0);  // no extra record
  const bool triangle = tool.typeCode == 107;  // stored as y, x, z
  out.Float(triangle ? tool.y : tool.x);
  out.Float(triangle ? tool.x : tool.y);
  out.Float(tool.z);
  out.Int32(tool.keyedCount);
  for (float angle : tool.angles) out.Float(angle);
  out.Int32(tool.dieClearanceCount);
  for (float clearance : tool.dieClearances) out.Float(clearance);
  out.Float(tool.valueA);
  out.Float(tool.valueB);
  out.Float(tool.valueC);
  out.Float(tool.valueD);
}

void WriteEntity(ByteSink& out, const SampleEntity& entity) {
  out.Int8(entity.type);
  out.Int32(entity.ref);
  out.UInt32(entity.flags);
  out.Float(entity.x);
  out.Float(entity.y);
  out.Int32(9);
  for (size_t i = 0; i < 9; ++i) out.Float(i < entity.p.size() ? entity.p[i] : 0.0f);
  out.Zeros(8);
  out.Int32(0);  // no extra words
  out.Int32(0);  // no text
  out.Zeros(12);
}

void WriteStationTable(ByteSink& out, int32_t identifier, const std::vector<SampleStation>& stations) {
  out.Int32(0);  // no marked station
  out.Int32(identifier);
  out.Int32(0);
  out.Int32(static_cast<int32_t>(stations.size()));
  for (const SampleStation& station : stations) {
    out.Int32(station.number);
    out.Float(station.stationSize);
    out.Int32(station.kind);
    out.Int32(station.toolPosition);
    out.Zeros(kStationRecordBytes - 16);
    WriteToolRecord(out, station.tool, &station.specialPath);
  }
}

}  // namespace

std::string SpecialToolFileBytes(const SampleSpecialTool& special) {
  ByteSink out;
  out.Int16(kFileVersion);
  WriteToolRecord(out, special.tool, nullptr);
  out.UInt8(special.side);
  out.Zeros(kSideAreaBytes - 1);
  out.Float(special.infoValue);
  out.Int32(0);
  out.Int32(0);
  out.Int32(static_cast<int32_t>(special.entities.size()));
  for (const SampleEntity& entity : special.entities) WriteEntity(out, entity);
  return out.bytes();
}

std::string StationFileBytes(const std::vector<SampleStation>& first,
                             const std::vector<SampleStation>& second) {
  ByteSink out;
  out.Zeros(kStationHeadBytes);
  WriteStationTable(out, 0, first);
  out.Int32(0);
  WriteStationTable(out, 1, second);
  return out.bytes();
}

}  // namespace quarnel::cli
