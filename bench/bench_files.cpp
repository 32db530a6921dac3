#include "bench/bench_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "platform/paths.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/special_tool_writer.h"
#include "tests/support/station_writer.h"
#include "toollib/tool_record.h"

namespace quarnel::bench {
namespace {

// Ordinary tool types, in type-slot order, then the special tools.
constexpr int32_t kOrdinaryTypes[] = {1, 3, 103, 104, 105, 106, 107, 109, 110};

testing::ScratchDir& Drive() {
  static testing::ScratchDir drive;
  return drive;
}

// Writes `bytes` under `name` once; the Windows path of the file.
template <typename Build>
std::string CachedFile(const std::string& name, Build&& build) {
  static std::map<std::string, bool> written;
  const std::string path = "c:\\bench\\" + name;
  if (!written[name]) {
    std::filesystem::create_directories(Drive().DriveC("bench"));
    testing::WriteFileBytes(PosixPath(path), build());
    written[name] = true;
  }
  return path;
}

testing::ToolFields OrdinaryTool(int32_t type, int64_t i) {
  testing::ToolFields tool;
  const float seed = static_cast<float>(i % 997) * 0.25f + 1.0f;
  tool.size = seed;
  tool.typeCode = type;
  tool.x = seed + 0.5f;
  tool.y = seed * 0.5f + 0.25f;
  tool.z = static_cast<float>(i % 7);
  tool.keyedCount = type == 1 ? 0 : 1 + static_cast<int32_t>(i % 4);
  tool.angles = {0.1f, 0.2f, 0.3f, 0.4f};
  tool.dieClearanceCount = 2;
  tool.dieClearances = {0.05f, 0.1f, 0.15f, 0.2f};
  tool.valueA = seed * 2;
  tool.valueB = seed * 3;
  tool.valueC = seed * 4;
  tool.valueD = seed * 5;
  return tool;
}

std::string SpecialPathName(int64_t k) { return "c:\\old\\SPT" + std::to_string(k) + ".spt"; }

// The stored paths of the special tools: the k-th special tool uses entry k.
std::vector<std::string> BenchPaths(int64_t count) {
  std::vector<std::string> paths;
  for (int64_t k = 1; k <= count / 10; ++k) paths.push_back(SpecialPathName(k));
  return paths;
}

std::vector<testing::ExtraFields> BenchExtras(int64_t count) {
  std::vector<testing::ExtraFields> extras;
  for (int64_t k = 1; k <= count / 10; ++k) {
    testing::ExtraFields extra;
    extra.firstText = "extra " + std::to_string(k);
    extra.secondText = "station note";
    extra.entries = {{255, static_cast<float>(k % 40), 1, 0}, {255, 2.0f, 1, 0}};
    extra.leadByte = 1;
    extra.trailByte = 2;
    extras.push_back(extra);
  }
  return extras;
}

testing::TypePairs TypeTableOf(const std::vector<testing::ToolFields>& tools) {
  testing::TypePairs pairs(20, {0, 0});
  for (size_t i = 0; i < tools.size(); ++i) {
    const int slot = toollib::TypeSlotOfCode(tools[i].typeCode);
    if (pairs[slot].second++ == 0) pairs[slot].first = static_cast<int32_t>(i + 1);
  }
  return pairs;
}

std::string BuildLibrary92(int64_t count) {
  testing::LibraryFileFields file;
  file.version = 92;
  file.tools = BenchTools(count);
  file.typeTable = TypeTableOf(file.tools);
  file.extras = BenchExtras(count);
  file.paths = BenchPaths(count);
  return testing::BuildLibraryFile(file);
}

std::string BuildLibrary7(int64_t count) {
  if (count > 32766) throw std::invalid_argument("a legacy library holds at most 32766 tools");
  testing::LegacyLibraryFileFields file;
  file.version = 7;
  for (const testing::ToolFields& tool : BenchTools(count)) {
    testing::LegacyToolFields legacy;
    legacy.size = tool.size;
    // Legacy type codes are one byte; the special tools of a legacy library
    // each open their own special-tool file, which is not what is measured here.
    legacy.typeCode = static_cast<int8_t>(tool.typeCode == 108 ? 3 : tool.typeCode);
    legacy.name = std::to_string(static_cast<int>(tool.size * 4.0f));
    legacy.name.insert(0, 1, 'T');
    legacy.x = tool.x;
    legacy.y = tool.y;
    legacy.z = tool.z;
    legacy.keyedCount = static_cast<int8_t>(tool.keyedCount);
    legacy.angles = tool.angles;
    legacy.dieClearanceCount = static_cast<int8_t>(tool.dieClearanceCount);
    legacy.dieClearances = tool.dieClearances;
    file.tools.push_back(legacy);
  }
  return testing::BuildLegacyLibraryFile(file);
}

testing::StationTableFields StationTable(const std::vector<testing::ToolFields>& tools,
                                         int32_t identifier, int64_t stations) {
  testing::StationTableFields table;
  table.tableIdentifier = identifier;
  table.markedPosition = 1;
  const auto count = static_cast<int64_t>(tools.size());
  for (int64_t k = 0; k < stations; ++k) {
    // Spread over the library, the second table shifted so that it carries other tools.
    const int64_t position = 1 + (k * count / stations + identifier * 7) % count;
    testing::StationFields station;
    station.stationNumber = static_cast<int32_t>(identifier * 100'000 + k + 1);
    station.stationSize = 1.5f;
    station.stationKind = k % 3;
    station.toolPosition = static_cast<int32_t>(position);
    station.flags = 3;
    station.carriedSeed = static_cast<uint8_t>(k);
    station.tool = tools[static_cast<size_t>(position - 1)];
    if (station.tool.typeCode == 108) {
      station.tool.specialPath = SpecialPathName(station.tool.specialToolIndex);
    }
    table.stations.push_back(station);
  }
  return table;
}

std::string BuildStationFile(int64_t count, int64_t stations) {
  const std::vector<testing::ToolFields> tools = BenchTools(count);
  testing::StationFileFields file;
  file.first = StationTable(tools, 0, stations);
  file.second = StationTable(tools, 1, stations);
  return testing::BuildStationFile(file);
}

testing::SptEntity Entity(int8_t type, float x, float y, std::vector<float> params, int32_t ref = 0) {
  testing::SptEntity entity;
  entity.type = type;
  entity.ref = ref;
  entity.x = x;
  entity.y = y;
  entity.params = std::move(params);
  return entity;
}

// A grid pattern at `origin` repeating the item at `seed`, about `copies` copies.
testing::SptEntity Grid(int32_t seed, float origin_y, int64_t copies) {
  const auto rows = static_cast<float>(std::floor(std::sqrt(static_cast<double>(copies))));
  const auto cols = static_cast<float>(std::floor(static_cast<double>(copies) / rows));
  return Entity(11, 0.0f, origin_y, {25.0f, 25.0f, rows, cols, 0.0f}, seed);
}

std::string BuildGridSpecialTool(int64_t holes) {
  testing::SpecialToolFileFields file;
  file.version = 92;
  file.tool.size = 50.0f;
  file.infoValue = 1.0f;
  // The list holds the hole, the pattern and the copies, within the expansion's limit.
  const int64_t copies = holes >= 1'000'000 ? holes - 4000 : holes - 1;
  file.entities = {Entity(1, 0.0f, 0.0f, {5.0f}), Grid(1, 0.0f, copies)};
  return testing::BuildSpecialToolFile(file);
}

std::string BuildMixedSpecialTool(int64_t shapes) {
  testing::SpecialToolFileFields file;
  file.version = 92;
  file.tool.size = 50.0f;
  const std::vector<testing::SptEntity> seeds = {
      Entity(1, 0, 0, {5.0f}),                        // round hole
      Entity(3, 0, 0, {8.0f, 4.0f, 0.3f}),            // rectangular hole
      Entity(6, 0, 0, {12.0f, 5.0f, 0.5f}),           // obround slot
      Entity(20, 0, 0, {10.0f, 6.0f, 0.2f, 1.0f}),    // rounded-corner rectangle
      Entity(15, 0, 0, {6.0f, 4.0f, 0.7f}),           // single D
      Entity(21, 0, 0, {9.0f, 6.0f, 1.1f}),           // triangle
  };
  const auto per_shape = static_cast<int64_t>(seeds.size());
  for (const testing::SptEntity& seed : seeds) file.entities.push_back(seed);
  for (int32_t k = 0; k < per_shape; ++k) {
    file.entities.push_back(Grid(k + 1, 1000.0f * static_cast<float>(k), shapes / per_shape - 1));
  }
  return testing::BuildSpecialToolFile(file);
}

}  // namespace

std::vector<testing::ToolFields> BenchTools(int64_t count) {
  std::vector<testing::ToolFields> tools;
  tools.reserve(static_cast<size_t>(count));
  const int64_t specials = count / 10;
  const int64_t ordinary = count - specials;
  constexpr int64_t kTypes = sizeof kOrdinaryTypes / sizeof kOrdinaryTypes[0];
  int64_t extra = 0;
  for (int64_t t = 0; t < kTypes; ++t) {
    const int64_t first = ordinary * t / kTypes;
    const int64_t last = ordinary * (t + 1) / kTypes;
    for (int64_t i = first; i < last; ++i) {
      testing::ToolFields tool = OrdinaryTool(kOrdinaryTypes[t], i);
      if (i % 10 == 0 && count >= 10) tool.extraIndex = static_cast<int32_t>(extra++ % (count / 10) + 1);
      tools.push_back(tool);
    }
  }
  for (int64_t k = 1; k <= specials; ++k) {
    testing::ToolFields tool = OrdinaryTool(108, k);
    tool.keyedCount = 0;
    tool.specialToolIndex = static_cast<int32_t>(k);
    tool.z = static_cast<float>(1 + k % 2);
    for (size_t b = 0; b < tool.specialBlock.size(); ++b) tool.specialBlock[b] = static_cast<uint8_t>(k + b);
    tools.push_back(tool);
  }
  return tools;
}

std::string Library92File(int64_t tools) {
  return CachedFile("lib92_" + std::to_string(tools) + ".lib", [&] { return BuildLibrary92(tools); });
}

std::string Library7File(int64_t tools) {
  return CachedFile("lib7_" + std::to_string(tools) + ".lib", [&] { return BuildLibrary7(tools); });
}

std::string StationFile(int64_t tools, int64_t stations_per_table) {
  return CachedFile("stations_" + std::to_string(tools) + "_" + std::to_string(stations_per_table) + ".stn",
                    [&] { return BuildStationFile(tools, stations_per_table); });
}

std::string GridSpecialToolFile(int64_t holes) {
  return CachedFile("GRID" + std::to_string(holes) + ".spt", [&] { return BuildGridSpecialTool(holes); });
}

std::string MixedSpecialToolFile(int64_t shapes) {
  return CachedFile("MIXED" + std::to_string(shapes) + ".spt", [&] { return BuildMixedSpecialTool(shapes); });
}

std::string OutputFile(const std::string& name) {
  std::filesystem::create_directories(Drive().DriveC("bench"));
  return "c:\\bench\\" + name;
}

std::string PosixPath(const std::string& windows_path) { return platform::MapPath(windows_path); }

FileBytes ReadWholeFile(const std::string& posix_path) {
  FileBytes bytes;
  ReadWholeFileInto(posix_path, bytes);
  return bytes;
}

void ReadWholeFileInto(const std::string& posix_path, FileBytes& bytes) {
  const int fd = ::open(posix_path.c_str(), O_RDONLY);
  if (fd < 0) throw std::runtime_error("cannot open " + posix_path);
  struct stat info {};
  ::fstat(fd, &info);
  if (bytes.capacity < static_cast<size_t>(info.st_size)) {
    bytes.data = std::make_unique_for_overwrite<unsigned char[]>(static_cast<size_t>(info.st_size));
    bytes.capacity = static_cast<size_t>(info.st_size);
  }
  bytes.size = 0;
  while (bytes.size < static_cast<size_t>(info.st_size)) {
    const ssize_t got = ::read(fd, bytes.data.get() + bytes.size, static_cast<size_t>(info.st_size) - bytes.size);
    if (got <= 0) break;
    bytes.size += static_cast<size_t>(got);
  }
  ::close(fd);
}

}  // namespace quarnel::bench
