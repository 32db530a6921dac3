#include "tests/support/station_writer.h"

#include <bit>
#include <utility>

namespace quarnel::testing {
namespace {

// The record's fields in file order: (record offset, width in bytes).
constexpr std::pair<int, int> kFileOrder[] = {
    {8, 4},   {12, 4},  {16, 4},  {20, 4},  {24, 4},  {28, 16}, {44, 4},  {48, 24},
    {72, 12}, {84, 1},  {85, 1},  {99, 1},  {101, 4}, {0, 4},   {4, 4},   {113, 4},
    {117, 4}, {121, 4}, {125, 4}, {129, 4}, {133, 16}, {87, 4}, {91, 4},  {95, 4},
    {105, 4}, {109, 4}, {149, 1}, {150, 1}, {151, 1}, {152, 24}, {86, 1}, {100, 1},
};

void PutInt32(std::string& image, int offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string StationRecordImage(const StationFields& station) {
  std::string image(kStationRecordBytes, '\0');
  for (size_t offset = 0; offset < kStationRecordBytes; ++offset) {
    image[offset] = static_cast<char>((station.carriedSeed + offset) & 0xFF);
  }
  PutInt32(image, 8, static_cast<uint32_t>(station.stationNumber));
  PutInt32(image, 12, std::bit_cast<uint32_t>(station.stationSize));
  PutInt32(image, 16, static_cast<uint32_t>(station.stationKind));
  PutInt32(image, 20, static_cast<uint32_t>(station.toolPosition));
  image[84] = static_cast<char>(station.flags);
  return image;
}

void AppendStation(ByteBuilder& out, const StationFields& station) {
  const std::string image = StationRecordImage(station);
  // Numbers are little-endian both in memory and in the file, so each field's
  // file bytes are its record bytes.
  for (const auto& [offset, width] : kFileOrder) out.Raw(std::string_view(image).substr(offset, width));
  AppendToolRecord(out, station.tool, 92, true);
}

void AppendStationTable(ByteBuilder& out, const StationTableFields& table) {
  out.I32(table.markedPosition).I32(table.tableIdentifier).I32(table.thirdHeaderValue);
  out.I32(table.storedCount.value_or(static_cast<int32_t>(table.stations.size())));
  for (const StationFields& station : table.stations) AppendStation(out, station);
}

std::string BuildStationFile(const StationFileFields& file) {
  ByteBuilder out;
  // The leading area carries nothing the library reads; make it visibly non-zero.
  for (size_t i = 0; i < kStationLeadingBytes; ++i) out.U8(0xA5);
  AppendStationTable(out, file.first);
  out.I32(file.separator);
  AppendStationTable(out, file.second);
  return out.bytes();
}

}  // namespace quarnel::testing
