// The entry points a host calls that the other groups do not time, each at
// two sizes for a growth figure: ReceiveTools, SendTools, the Send sequence
// with its save (StartSendTool, SendTool for every index, EndSendTool),
// station loading, and ViewSpecialTool.
#include <filesystem>
#include <memory>

#include "bench/allocation_counter.h"
#include "bench/bench_files.h"
#include "bench/groups.h"
#include "bench/measure.h"
#include "quarnel/host_entity.h"
#include "quarnel/quarnel.h"
#include "quarnel/tool_list_item.h"
#include "stations/station_file.h"
#include "exports/module_state.h"
#include "toollib/tool_library.h"

namespace quarnel::bench {
namespace {

// Library sizes of the station-loading benchmark's stations per table, and
// the library their stations point into.
const std::vector<int64_t> kStationsPerTable = {2'000, 16'000};
constexpr int64_t kStationLibraryTools = 20'000;

// Deletes the host's items and empties the list, as the host would.
void ReleaseItems(CObList& list) {
  for (POSITION at = list.GetHeadPosition(); at != nullptr;) delete list.GetNext(at);
  list.RemoveAll();
}

// A working copy of the version-92 library of `tools` tools that the Send
// benchmarks overwrite.
std::string WorkingCopy(int64_t tools, const std::string& name) {
  const std::string path = OutputFile(name + std::to_string(tools) + ".lib");
  std::filesystem::copy_file(PosixPath(Library92File(tools)), PosixPath(path),
                             std::filesystem::copy_options::overwrite_existing);
  return path;
}

// The special-tool name of a benchmark tool, as a host would send it.
std::string NameOf(const testing::ToolFields& tool) {
  return tool.typeCode == 108 ? "SPT" + std::to_string(tool.specialToolIndex) : "";
}

void BenchReceiveTools(benchmark::State& state, int64_t tools) {
  const std::string path = Library92File(tools);
  CObList list;
  const auto receive = [&] {
    if (ReceiveTools(CString(path.c_str()), &list) != 0) state.SkipWithError("ReceiveTools failed");
  };
  receive();  // untimed, as the floor's first run
  const double total = TimedLoop(state, [&] { ReleaseItems(list); }, receive);
  ReleaseItems(list);
  Report(state, "ReceiveTools", tools, tools, total, Sized("floor/load/v92", tools));
}

void BenchSendTools(benchmark::State& state, int64_t tools) {
  const std::string path = WorkingCopy(tools, "send_tools_");
  CObList list;
  for (const testing::ToolFields& tool : BenchTools(tools)) {
    list.AddTail(new ToolListItem(tool.size, tool.typeCode, CString(NameOf(tool).c_str()), tool.x, tool.y,
                                  tool.z, tool.keyedCount, tool.angles[0], tool.angles[1], tool.angles[2],
                                  tool.angles[3], tool.dieClearanceCount, tool.dieClearances[0],
                                  tool.dieClearances[1], tool.dieClearances[2], tool.dieClearances[3],
                                  tool.valueA, tool.valueB, tool.valueC, tool.valueD));
  }
  const auto send = [&] {
    if (SendTools(CString(path.c_str()), &list) != 0) state.SkipWithError("SendTools failed");
  };
  send();
  const double total = TimedLoop(state, send);
  ReleaseItems(list);
  Report(state, "SendTools", tools, tools, total);
}

void BenchSendSequence(benchmark::State& state, int64_t tools) {
  const std::string path = WorkingCopy(tools, "send_sequence_");
  const std::vector<testing::ToolFields> fields = BenchTools(tools);
  std::vector<std::string> names;
  for (const testing::ToolFields& tool : fields) names.push_back(NameOf(tool));
  const auto sequence = [&] {
    if (StartSendTool(path.c_str(), 0) != 0) state.SkipWithError("StartSendTool failed");
    for (size_t i = 0; i < fields.size(); ++i) {
      const testing::ToolFields& t = fields[i];
      SendTool(static_cast<int>(i), t.size, t.typeCode, names[i].c_str(), t.x, t.y, t.z, t.keyedCount,
               t.angles[0], t.angles[1], t.angles[2], t.angles[3], t.dieClearanceCount,
               t.dieClearances[0], t.dieClearances[1], t.dieClearances[2], t.dieClearances[3], t.valueA,
               t.valueB, t.valueC, t.valueD);
    }
    if (EndSendTool() != 0) state.SkipWithError("EndSendTool failed");
  };
  sequence();
  const double total = TimedLoop(state, sequence);
  Report(state, "SendSequence", tools, tools, total);
}

// Both tables of a station file loaded and re-linked against a library loaded
// once, untimed; items are the stations of both tables.
void BenchStationLoad(benchmark::State& state, int64_t per_table) {
  const std::string path = StationFile(kStationLibraryTools, per_table);
  toollib::ToolLibrary library;
  toollib::SpecialToolFolderBuffer& folder = exports::Module().folder;
  if (library.Load(Library92File(kStationLibraryTools).c_str(), folder) != StatusCode::kOk) state.SkipWithError("load failed");
  std::unique_ptr<stations::StationTable> first, second;
  const double total = TimedLoop(
      state,
      [&] {
        first = std::make_unique<stations::StationTable>(0);
        second = std::make_unique<stations::StationTable>(1);
      },
      [&] {
        if (stations::LoadStationFile(path, {&library, folder}, *first, *second) != StatusCode::kOk) state.SkipWithError("open failed");
      });
  Report(state, "StationLoad", per_table, 2 * per_table, total);
}

// A host special-tool object holding `count` entities (lines and arcs).
struct HostOutline {
  explicit HostOutline(int64_t count) {
    for (int64_t i = 0; i < count; ++i) {
      GeomEntity entity{};
      entity.type = static_cast<int8_t>(i % 2 == 0 ? 4 : 5);
      entity.flags = 0x81;
      entity.x = static_cast<float>(i % 1000);
      entity.y = static_cast<float>(i / 1000);
      entity.p[0] = 2.5f;
      entity.p[1] = 1.0f;
      entity.p[2] = 3.0f;
      entities.AddTail(new GeomEntityObject(entity));
    }
    info.path = "c:\\bench\\unused.spt";
    info.entities = &entities;
    info.secondList = &second;
  }
  ~HostOutline() { ReleaseItems(entities); }
  CObList entities, second;
  SpecialToolInfo info{};
};

void BenchViewSpecialTool(benchmark::State& state, int64_t count) {
  HostOutline outline(count);
  const auto view = [&] {
    if (ViewSpecialTool(&outline.info) != 1) state.SkipWithError("ViewSpecialTool failed");
  };
  view();
  const double total = TimedLoop(state, view);
  Report(state, "ViewSpecialTool", count, count, total);
}

}  // namespace

void RegisterEntryPointBenchmarks() {
  for (int64_t n : kGrowthSizes) {
    Register(Sized("ReceiveTools", n), [=](benchmark::State& s) { BenchReceiveTools(s, n); });
  }
  for (int64_t n : kGrowthSizes) {
    Register(Sized("SendTools", n), [=](benchmark::State& s) { BenchSendTools(s, n); });
  }
  for (int64_t n : kGrowthSizes) {
    Register(Sized("SendSequence", n), [=](benchmark::State& s) { BenchSendSequence(s, n); });
  }
  for (int64_t n : kStationsPerTable) {
    Register(Sized("StationLoad", n), [=](benchmark::State& s) { BenchStationLoad(s, n); });
  }
  for (int64_t n : kGrowthSizes) {
    Register(Sized("ViewSpecialTool", n), [=](benchmark::State& s) { BenchViewSpecialTool(s, n); });
  }
}

}  // namespace quarnel::bench
