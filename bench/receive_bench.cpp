// The Receive sequence: StartReceiveTool with a station file of 60 stations
// per table, ReceiveTool for every index, EndReceiveTool.
#include <algorithm>
#include <cstring>
#include <memory>

#include "bench/bench_files.h"
#include "bench/floor_formats.h"
#include "bench/groups.h"
#include "bench/measure.h"
#include "quarnel/quarnel.h"

namespace quarnel::bench {
namespace {

// Every output of ReceiveTool.
struct HostOutputs {
  float size, x, y, z, a[4], d[4], valueA, valueB, valueC, valueD;
  int typeCode, keyedCount, dieClearanceCount, secondStation, firstStation;
  char name[256];
};

// The stations of a table by tool position: the first station that holds each.
void StationsByPosition(const PlainStationTable& table, size_t tools, std::vector<int32_t>& stations) {
  stations.assign(tools + 1, 0);
  for (auto it = table.stations.rbegin(); it != table.stations.rend(); ++it) {
    const int32_t position = it->ToolPosition();
    if (position > 0 && static_cast<size_t>(position) <= tools) stations[position] = it->StationNumber();
  }
}

// The floor: both files read whole and decoded, then every tool's values
// copied to the host's outputs with its stations from a table built once.
// Every buffer keeps its storage from one run to the next (warm memory).
struct ReceiveFloorState {
  FileBytes libraryBytes, stationBytes;
  PlainLibrary library;
  PlainStationTable first, second;
  std::vector<int32_t> firstStations, secondStations;
  HostOutputs out{};
};

int64_t RunReceiveFloor(ReceiveFloorState& s, const std::string& library_path,
                     const std::string& station_path) {
  ReadWholeFileInto(library_path, s.libraryBytes);
  ReadWholeFileInto(station_path, s.stationBytes);
  if (!DecodeLibrary92(s.libraryBytes, s.library) ||
      !DecodeStationFile(s.stationBytes, s.first, s.second)) {
    throw std::runtime_error("floor decode failed");
  }
  const size_t tools = s.library.tools.size();
  StationsByPosition(s.first, tools, s.firstStations);
  StationsByPosition(s.second, tools, s.secondStations);
  const std::vector<int32_t>& first = s.firstStations;
  const std::vector<int32_t>& second = s.secondStations;
  for (size_t i = 0; i < tools; ++i) {
    const PlainTool& tool = s.library.tools[i];
    HostOutputs& out = s.out;
    out.name[0] = '\0';
    if (tool.typeCode == 108 && tool.specialToolIndex >= 1 &&
        static_cast<size_t>(tool.specialToolIndex) <= s.library.paths.size()) {
      const char* path = s.library.paths[static_cast<size_t>(tool.specialToolIndex - 1)].text;
      const char* slash = std::strrchr(path, '\\');
      const char* name = slash != nullptr ? slash + 1 : path;
      const char* dot = std::strrchr(name, '.');
      const size_t length = dot != nullptr ? static_cast<size_t>(dot - name) : std::strlen(name);
      std::memcpy(out.name, name, length);
      out.name[length] = '\0';
    }
    out.size = tool.size;
    out.typeCode = tool.typeCode;
    out.x = tool.dimensions[0];
    out.y = tool.dimensions[1];
    out.z = tool.dimensions[2];
    out.keyedCount = tool.keyedCount >= 0 && tool.keyedCount <= 4 ? tool.keyedCount : 0;
    std::copy(std::begin(tool.angles), std::end(tool.angles), out.a);
    out.dieClearanceCount = tool.dieClearanceCount;
    std::copy(std::begin(tool.dieClearances), std::end(tool.dieClearances), out.d);
    out.valueA = tool.valueA;
    out.valueB = tool.valueB;
    out.valueC = tool.valueC;
    out.valueD = tool.valueD;
    out.secondStation = second[i + 1];
    if (out.secondStation == 0 && tool.extraIndex > 0 &&
        static_cast<size_t>(tool.extraIndex) <= s.library.extras.size()) {
      out.secondStation = static_cast<int>(s.library.extras[static_cast<size_t>(tool.extraIndex - 1)].entryValue[0]);
    }
    out.firstStation = first[i + 1];
    benchmark::DoNotOptimize(out);
  }
  return static_cast<int64_t>(tools);
}

void BenchReceive(benchmark::State& state, const std::string& library_path,
                  const std::string& station_path, int64_t tools, const std::string& floor) {
  HostOutputs out{};
  const auto sequence = [&] {
    int count = 0;
    if (StartReceiveTool(library_path.c_str(), station_path.c_str(), &count) != 0) {
      state.SkipWithError("StartReceiveTool failed");
    }
    for (int i = 0; i < count; ++i) {
      ReceiveTool(i, &out.size, &out.typeCode, out.name, &out.x, &out.y, &out.z, &out.keyedCount,
                  &out.a[0], &out.a[1], &out.a[2], &out.a[3], &out.dieClearanceCount, &out.d[0],
                  &out.d[1], &out.d[2], &out.d[3], &out.valueA, &out.valueB, &out.valueC,
                  &out.valueD, &out.secondStation, &out.firstStation);
      benchmark::DoNotOptimize(out);
    }
    EndReceiveTool();
  };
  sequence();  // untimed, as the floor's first run
  const double total = TimedLoop(state, sequence);
  Report(state, "Receive", tools, tools, total, floor);
}

}  // namespace

void RegisterReceiveBenchmarks() {
  for (int64_t n : kGrowthSizes) {
    const std::string library = Library92File(n);
    const std::string stations = StationFile(n);
    const std::string floor = Sized("floor/receive", n);
    auto floor_state = std::make_shared<ReceiveFloorState>();
    DefineFloor(floor, Floor{[=] { return RunReceiveFloor(*floor_state, PosixPath(library), PosixPath(stations)); }});
    Register(floor, [=](benchmark::State& state) { RunFloor(state, floor); });
    Register(Sized("Receive", n), [=](benchmark::State& state) {
      BenchReceive(state, library, stations, n, floor);
    });
  }
}

}  // namespace quarnel::bench
