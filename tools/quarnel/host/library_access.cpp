#include "host/library_access.h"

#include <filesystem>

#include "cli_error.h"
#include "file_io.h"
#include "quarnel/quarnel.h"

namespace quarnel::cli {
namespace fs = std::filesystem;
namespace {

void RequireFile(const std::string& path, const std::string& what) {
  RequireUsablePath(path);
  RequireReadableFile(path, what);
}

// A station path that names no file: the Receive family then reports the
// library's tools without stations (and status 2 with the count written).
std::string NoStationFile(const std::string& libraryPath) {
  std::string candidate = libraryPath + ".no-stations";
  for (int n = 2; fs::exists(candidate); ++n) {
    candidate = libraryPath + ".no-stations-" + std::to_string(n);
  }
  return candidate;
}

// Ends the Receive sequence on every way out.
struct ReceiveSequence {
  ~ReceiveSequence() { EndReceiveTool(); }
};

ToolRow ReceiveRow(int index) {
  ToolRow row;
  char name[257] = {};
  auto& a = row.angles;
  auto& d = row.dieClearances;
  ReceiveTool(index, &row.size, &row.typeCode, name, &row.x, &row.y, &row.z, &row.keyedCount,
              &a[0], &a[1], &a[2], &a[3], &row.dieClearanceCount, &d[0], &d[1], &d[2], &d[3],
              &row.valueA, &row.valueB, &row.valueC, &row.valueD, &row.secondStation,
              &row.firstStation);
  row.name = name;
  return row;
}

}  // namespace

void RequireUsablePath(const std::string& path) {
  if (path.size() > kLongestLibraryPath) {
    throw FileFailure(path, "the path is longer than 255 characters, which the library cannot take");
  }
}

void SendRow(int index, const ToolRow& row) {
  const auto& a = row.angles;
  const auto& d = row.dieClearances;
  SendTool(index, row.size, row.typeCode, row.name.c_str(), row.x, row.y, row.z, row.keyedCount,
           a[0], a[1], a[2], a[3], row.dieClearanceCount, d[0], d[1], d[2], d[3], row.valueA,
           row.valueB, row.valueC, row.valueD);
}

LibraryContents ReadLibrary(const std::string& libraryPath,
                            const std::optional<std::string>& stationPath) {
  RequireFile(libraryPath, "tool library file");
  if (stationPath) RequireFile(*stationPath, "station file");
  const std::string stations = stationPath ? *stationPath : NoStationFile(libraryPath);

  LibraryContents contents;
  ReceiveSequence sequence;
  int count = -1;
  const int status = StartReceiveTool(libraryPath.c_str(), stations.c_str(), &count);
  if (status == 5) return contents;
  if (status == 2 && count < 0) {
    throw LibraryFailure(libraryPath, "the tool library could not be loaded", status);
  }
  if (status == 2 && stationPath) {
    throw LibraryFailure(*stationPath, "the station file could not be opened", status);
  }
  if (status != 0 && status != 2) {
    throw LibraryFailure(libraryPath, ToolLibraryStatusText(status), status);
  }
  contents.withStations = stationPath.has_value();
  for (int index = 0; index < count; ++index) contents.tools.push_back(ReceiveRow(index));
  return contents;
}

void WriteNewLibrary(const std::string& libraryPath, const std::vector<ToolRow>& tools) {
  RequireUsablePath(libraryPath);
  ReplaceSafely(libraryPath, [&](const std::string& temporary) {
    RequireUsablePath(temporary);
    const int started = StartSendTool(temporary.c_str(), 1);
    if (started != 0) throw LibraryFailure(libraryPath, ToolLibraryStatusText(started), started);
    for (size_t index = 0; index < tools.size(); ++index) {
      SendRow(static_cast<int>(index), tools[index]);
    }
    const int saved = EndSendTool();
    if (saved != 0) throw LibraryFailure(libraryPath, "the tool library could not be saved", saved);
    return true;
  });
}

void UpgradeLibrary(const std::string& sourcePath, const std::string& targetPath) {
  RequireFile(sourcePath, "tool library file");
  RequireUsablePath(targetPath);
  ReplaceSafely(targetPath, [&](const std::string& temporary) {
    RequireUsablePath(temporary);
    std::error_code error;
    if (!fs::copy_file(sourcePath, temporary, fs::copy_options::overwrite_existing, error)) {
      throw FileFailure(targetPath, "cannot be written: " + error.message());
    }
    // Loading with the new-library flag clear and saving writes the current version.
    const int started = StartSendTool(temporary.c_str(), 0);
    if (started == 5) {
      throw LibraryFailure(sourcePath, "the tool library holds no tools, so there is nothing to upgrade",
                           started);
    }
    if (started != 0) {
      throw LibraryFailure(sourcePath, "the tool library could not be loaded", started);
    }
    const int saved = EndSendTool();
    if (saved != 0) throw LibraryFailure(targetPath, "the tool library could not be saved", saved);
    return true;
  });
}

}  // namespace quarnel::cli
