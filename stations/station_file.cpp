#include "stations/station_file.h"

#include "platform/binary_reader.h"
#include "platform/dropped_result.h"
#include "platform/file_system.h"

namespace quarnel::stations {

StatusCode LoadStationFile(const std::string& path, const toollib::SpecialToolLinks& links, StationTable& first,
                           StationTable& second) {
  std::unique_ptr<platform::File> file = platform::Files().Open(path, platform::OpenMode::kRead);
  if (file == nullptr) return StatusCode::kFileCannotOpen;
  platform::BinaryReader in(*file);
  // A file whose tables cannot be reached leaves both tables empty, as a file
  // that ends before them does: the host receives its tools without stations.
  if (in.SeekTo(kStationTablesOffset)) {
    // A table that stops early is used as far as it was read, so the loads'
    // results are not needed; a missing separator ends the second load at
    // its first read.
    platform::DropResult(first.LoadStations(in, kStationFileVersion, links));
    int32_t separator = 0;
    platform::DropResult(in.ReadI32(separator));
    platform::DropResult(second.LoadStations(in, kStationFileVersion, links));
  }
  file->Close();
  return StatusCode::kOk;
}

}  // namespace quarnel::stations
