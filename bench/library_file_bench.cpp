// Load and Save of tool library files: version 92 (mixed types, a tenth
// special tools with their paths, extras) and legacy version 7.
#include <memory>

#include "bench/allocation_counter.h"
#include "bench/bench_files.h"
#include "bench/floor_formats.h"
#include "bench/groups.h"
#include "bench/measure.h"
#include "exports/module_state.h"
#include "toollib/tool_library.h"

namespace quarnel::bench {
namespace {

// A legacy library counts its tools in an int16: its largest size is the format's limit.
const std::vector<int64_t> kLegacySizes = {10'000, 32'766};

using Decoder = bool (*)(const FileBytes&, PlainLibrary&);

// The load floor decodes into warm memory: its file buffer and its vectors
// keep their storage from one run to the next.
void DefineLoadFloor(const std::string& name, const std::string& path, int64_t tools, Decoder decode) {
  auto library = std::make_shared<PlainLibrary>();
  auto bytes = std::make_shared<FileBytes>();
  DefineFloor(name, Floor{[=] {
                            ReadWholeFileInto(PosixPath(path), *bytes);
                            if (!decode(*bytes, *library)) throw std::runtime_error("floor decode failed");
                            benchmark::DoNotOptimize(library->tools.data());
                            return tools;
                          }});
}

void DefineSaveFloor(const std::string& name, const std::string& path, int64_t tools, Decoder decode,
                     const std::string& output) {
  auto library = std::make_shared<PlainLibrary>();
  DefineFloor(name, Floor{[=] {
                            if (library->tools.empty()) decode(ReadWholeFile(PosixPath(path)), *library);
                            if (!WriteLibrary92(*library, PosixPath(output))) {
                              throw std::runtime_error("floor write failed");
                            }
                            return tools;
                          }});
}

// Load into a new library each iteration (created and released untimed), with
// the peak heap of one load and what the loaded library holds.
void BenchLoad(benchmark::State& state, const std::string& series, const std::string& path,
               int64_t tools, const std::string& floor) {
  {
    toollib::ToolLibrary library;
    const int64_t before = HeapBytesInUse();
    ResetHeapPeak();
    if (library.Load(path.c_str(), exports::Module().folder) != StatusCode::kOk) state.SkipWithError("load failed");
    state.counters["peak_MB"] = static_cast<double>(HeapPeak() - before) / 1e6;
    state.counters["held_MB"] = static_cast<double>(HeapBytesInUse() - before) / 1e6;
  }
  std::unique_ptr<toollib::ToolLibrary> library;
  const double total = TimedLoop(
      state,
      [&] {
        library.reset();
        library = std::make_unique<toollib::ToolLibrary>();
      },
      [&] {
        if (library->Load(path.c_str(), exports::Module().folder) != StatusCode::kOk) state.SkipWithError("load failed");
      });
  Report(state, series, tools, tools, total, floor);
}

void BenchSave(benchmark::State& state, const std::string& series, const std::string& path,
               int64_t tools, const std::string& output, const std::string& floor) {
  toollib::ToolLibrary library;
  if (library.Load(path.c_str(), exports::Module().folder) != StatusCode::kOk) state.SkipWithError("load failed");
  const auto save = [&] {
    if (library.Save(output.c_str()) != StatusCode::kOk) state.SkipWithError("save failed");
  };
  save();  // untimed, as the floor's first run
  const double total = TimedLoop(state, save);
  Report(state, series, tools, tools, total, floor);
}

void RegisterFormat(const std::string& format, const std::vector<int64_t>& sizes,
                    std::string (*file)(int64_t), Decoder decode) {
  for (int64_t n : sizes) {
    const std::string path = file(n);
    const std::string load_floor = Sized("floor/load/" + format, n);
    DefineLoadFloor(load_floor, path, n, decode);
    Register(load_floor, [=](benchmark::State& state) { RunFloor(state, load_floor); });
    Register(Sized("Load/" + format, n), [=](benchmark::State& state) {
      BenchLoad(state, "Load/" + format, path, n, load_floor);
    });
  }
  for (int64_t n : sizes) {
    const std::string path = file(n);
    const std::string save_floor = Sized("floor/save/" + format, n);
    DefineSaveFloor(save_floor, path, n, decode, OutputFile("floor_" + format + ".lib"));
    Register(save_floor, [=](benchmark::State& state) { RunFloor(state, save_floor); });
    const std::string output = OutputFile("saved_" + format + ".lib");
    Register(Sized("Save/" + format, n), [=](benchmark::State& state) {
      BenchSave(state, "Save/" + format, path, n, output, save_floor);
    });
  }
}

}  // namespace

void RegisterLibraryFileBenchmarks() {
  RegisterFormat("v92", kGrowthSizes, Library92File, DecodeLibrary92);
  RegisterFormat("v7", kLegacySizes, Library7File, DecodeLibrary7);
}

}  // namespace quarnel::bench
