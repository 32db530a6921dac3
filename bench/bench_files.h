// The files the benchmarks read, built once per process with the test-side
// writers into a private drive C: that lives as long as the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/library_writer.h"

namespace quarnel::bench {

// The tools of the version-92 benchmark library of `count` tools: nine
// ordinary types in groups, a tenth special tools, every tenth ordinary tool
// pointing at one of count / 10 extras.
std::vector<testing::ToolFields> BenchTools(int64_t count);

// Windows paths (on the mapped drive C:) of the benchmark files; each is
// written on first use.
std::string Library92File(int64_t tools);
// A legacy version-7 library; at most 32766 tools (its count is an int16).
std::string Library7File(int64_t tools);
// A station file of two tables of `stations_per_table` stations (60 unless
// said), each carrying a tool of Library92File(tools), special tools among them.
std::string StationFile(int64_t tools, int64_t stations_per_table = 60);
// A version-92 special tool: a round hole and a grid pattern of it that
// expands to about `holes` holes.
std::string GridSpecialToolFile(int64_t holes);
// A version-92 special tool: six shapes (round hole, rectangle, obround,
// rounded-corner rectangle, single D, triangle), each repeated by a grid
// pattern, about `shapes` shapes in all.
std::string MixedSpecialToolFile(int64_t shapes);
// A Windows path on drive C: for files the benchmarks write.
std::string OutputFile(const std::string& name);

// The POSIX path a Windows path maps to.
std::string PosixPath(const std::string& windows_path);
// The whole content of a file, in an uninitialised buffer of its size.
struct FileBytes {
  std::unique_ptr<unsigned char[]> data;
  size_t size = 0;
  size_t capacity = 0;
};
// Reads a whole file (POSIX path) with one system call.
FileBytes ReadWholeFile(const std::string& posix_path);
// The same into `bytes`, whose buffer is kept when it is large enough: a
// floor that reads into warm memory.
void ReadWholeFileInto(const std::string& posix_path, FileBytes& bytes);

}  // namespace quarnel::bench
