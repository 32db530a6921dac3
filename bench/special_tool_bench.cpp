// Special-tool outlines: OpenSpecialTool + LoadGeometryAtIndex for every
// entity, and LoadSpecialTool + GetGeometryAt, of a grid of round holes and
// of grids of six mixed shapes.
#include <cstring>
#include <memory>

#include "bench/allocation_counter.h"
#include "bench/bench_files.h"
#include "bench/floor_formats.h"
#include "bench/groups.h"
#include "bench/measure.h"
#include "exports/module_state.h"
#include "explode/explode_shape.h"
#include "quarnel/quarnel.h"

namespace quarnel::bench {
namespace {

const std::vector<int64_t> kEntityCounts = {10'000, 100'000, 1'000'000};
constexpr size_t kHostRecordSize = 57;

// The floor: the file read whole and decoded, its grids expanded into the
// shapes they place, each shape turned into its lines and arcs (by the
// library's ExplodeShape: explosion is not file decoding), and every
// entity copied into a host record.
struct OutlineFloorState {
  FileBytes bytes;
  PlainSpecialTool tool;
  PlainVector<GeomEntity> shapes;
  PlainVector<GeomEntity> outline;
};

int64_t RunOutlineFloor(OutlineFloorState& s, const std::string& path) {
  ReadWholeFileInto(path, s.bytes);
  if (!DecodeSpecialTool92(s.bytes, s.tool)) throw std::runtime_error("floor decode failed");
  size_t placed = 0;
  for (const GeomEntity& entity : s.tool.entities) {
    if (entity.type == 11) placed += static_cast<size_t>(entity.p[2]) * static_cast<size_t>(entity.p[3]);
  }
  s.shapes.reserve(s.tool.entities.size() + placed);
  for (const GeomEntity& entity : s.tool.entities) {
    if (entity.type != 11) s.shapes.push_back(entity);
  }
  for (const GeomEntity& entity : s.tool.entities) {
    if (entity.type == 11) ExpandGridPlain(entity, s.tool.entities[static_cast<size_t>(entity.ref - 1)], s.shapes);
  }
  s.outline.reserve(s.shapes.size() * 2);
  GeomEntity pieces[explode::kMaxPieces];
  GeomEntity* const slots[explode::kMaxPieces] = {&pieces[0], &pieces[1], &pieces[2], &pieces[3],
                                                  &pieces[4], &pieces[5], &pieces[6], &pieces[7]};
  for (const GeomEntity& shape : s.shapes) {
    int32_t count = 0;
    explode::ExplodeShape(shape, &count, slots, exports::Module().rotations);
    s.outline.insert(s.outline.end(), pieces, pieces + count);
  }
  unsigned char record[kHostRecordSize];
  for (const GeomEntity& entity : s.outline) {
    std::memcpy(record + 4, &entity, sizeof entity);
    benchmark::DoNotOptimize(record);
  }
  return static_cast<int64_t>(s.outline.size());
}

// The heap that one outline costs at its peak, against the budget of twice
// the delivered entities' own bytes plus the item list.
void MeasureOutlinePeak(benchmark::State& state, SpecialToolInfo& info, bool open) {
  ResetModuleState();
  const int64_t before = HeapBytesInUse();
  ResetHeapPeak();
  int32_t count = 0;
  if ((open ? OpenSpecialTool(&info, &count) : LoadSpecialTool(&info, &count)) != 0) {
    state.SkipWithError("special tool not read");
  }
  const double peak = static_cast<double>(HeapPeak() - before);
  const double budget = 2.0 * static_cast<double>(count) * sizeof(GeomEntity) +
                        static_cast<double>(exports::ReadItemList().Count()) * exports::ReadItemList().RecordSize();
  state.counters["entities"] = count;
  state.counters["peak_MB"] = peak / 1e6;
  state.counters["peak_x_budget"] = peak / budget;
  if (open) state.counters["forms"] = static_cast<double>(exports::GeomList()->DistinctForms());
  CloseSpecialTool();
}

void BenchOpen(benchmark::State& state, const std::string& series, const std::string& path,
               int64_t size, const std::string& floor) {
  SpecialToolInfo info{};
  info.path = path.c_str();
  MeasureOutlinePeak(state, info, true);
  unsigned char record[kHostRecordSize] = {};
  int32_t count = 0;
  const double total = TimedLoop(state, [&] {
    if (OpenSpecialTool(&info, &count) != 0) state.SkipWithError("OpenSpecialTool failed");
    for (int32_t i = 0; i < count; ++i) {
      LoadGeometryAtIndex(i, record);
      benchmark::DoNotOptimize(record);
    }
    CloseSpecialTool();
  });
  Report(state, series, size, count, total, floor);
}

void BenchLoad(benchmark::State& state, const std::string& series, const std::string& path,
               int64_t size, const std::string& floor) {
  SpecialToolInfo info{};
  info.path = path.c_str();
  MeasureOutlinePeak(state, info, false);
  unsigned char record[kHostRecordSize] = {};
  int32_t count = 0;
  const double total = TimedLoop(state, [&] {
    if (LoadSpecialTool(&info, &count) != 0) state.SkipWithError("LoadSpecialTool failed");
    for (int32_t i = 0; i < count; ++i) {
      GetGeometryAt(record, i);
      benchmark::DoNotOptimize(record);
    }
  });
  Report(state, series, size, count, total, floor);
}

void RegisterOutline(const std::string& kind, std::string (*file)(int64_t),
                     const std::vector<int64_t>& sizes) {
  for (int64_t n : sizes) {
    const std::string path = file(n);
    const std::string floor = Sized("floor/outline/" + kind, n);
    auto floor_state = std::make_shared<OutlineFloorState>();
    DefineFloor(floor, Floor{[=] { return RunOutlineFloor(*floor_state, PosixPath(path)); },
                             [=] {  // warm memory: the vectors keep their storage
                               floor_state->shapes.clear();
                               floor_state->outline.clear();
                             }});
    Register(floor, [=](benchmark::State& state) { RunFloor(state, floor); });
    Register(Sized("OpenSpecialTool/" + kind, n), [=](benchmark::State& state) {
      BenchOpen(state, "OpenSpecialTool/" + kind, path, n, floor);
    });
    Register(Sized("LoadSpecialTool/" + kind, n), [=](benchmark::State& state) {
      BenchLoad(state, "LoadSpecialTool/" + kind, path, n, floor);
    });
  }
}

}  // namespace

void RegisterSpecialToolBenchmarks() {
  RegisterOutline("round_holes", GridSpecialToolFile, kEntityCounts);
  // Six shapes explode to about 3.7 entities each: two sizes keep the run short.
  RegisterOutline("mixed_shapes", MixedSpecialToolFile, {10'000, 100'000});
}

}  // namespace quarnel::bench
