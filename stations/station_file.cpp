#include "stations/station_file.h"

#include "platform/binary_reader.h"
#include "platform/file_system.h"

namespace quarnel::stations {

bool LoadStationFile(const std::string& path, toollib::ToolLibrary* library, StationTable& first,
                     StationTable& second) {
  std::unique_ptr<platform::File> file = platform::Files().Open(path, platform::OpenMode::kRead);
  if (file == nullptr) return false;
  platform::BinaryReader in(*file);
  // The results of the two loads are not checked: a table that stops early is
  // used as far as it was read.
  in.SeekTo(kStationTablesOffset);
  first.LoadStations(in, kStationFileVersion, library);
  int32_t separator = 0;
  in.ReadI32(separator);
  second.LoadStations(in, kStationFileVersion, library);
  file->Close();
  return true;
}

}  // namespace quarnel::stations
