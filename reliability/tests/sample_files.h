// Rich but small files of every format and version, built with the test-side
// writers: they serve as the fuzzers' seeds and as the files that the
// truncation, byte-flip and fault-injection tests cut and break.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tests/support/library_writer.h"
#include "tests/support/special_tool_writer.h"
#include "tests/support/station_writer.h"

namespace quarnel::reliability {

// Every version of the tool library file, and those of the special-tool file.
const std::vector<int>& LibraryVersions();
const std::vector<int>& SpecialToolVersions();

// A library file and where its parts end.
struct LibrarySample {
  int version = 0;
  std::string bytes;
  // toolEnds[k] is the file size up to the end of tool record k + 1; a file
  // cut there or later holds k + 1 whole tools.
  std::vector<size_t> toolEnds;
  // Legacy files are all or nothing: a cut anywhere in the records loads no tool.
  bool legacy = false;
};

// Tools of every kind the format tells apart (plain, keyed, triangle, special),
// an extra record with short texts and entries, and a special path.
LibrarySample RichLibrary(int version);

// The values of the rich library's current-layout tools, for tests that look at them.
std::vector<testing::ToolFields> RichCurrentTools();

// A special-tool file and where its tool data end.
struct SpecialToolSample {
  int version = 0;
  std::string bytes;
  // The file size from which the host's info record is filled.
  size_t infoEnd = 0;
};

// Shapes of every kind, a group offset and a pattern repeating a hole.
SpecialToolSample RichSpecialTool(int version);

// The small library that station files are read against, and a station file
// whose stations name its tools (matching, moved, missing and duplicated).
std::string StationLibrary();
std::string RichStationFile();

// Further seeds with patterns, nested patterns and hostile counts; each a
// complete special-tool file.
std::vector<std::string> PatternSpecialTools();

// Small files whose patterns expand to about a million items (the expansion's
// limit): a 1000 by 1000 grid of rounded-corner rectangles (eight pieces each),
// a circle of a thousand line patterns (standing after it, so that each copy
// expands in turn) of a thousand holes, and a line pattern counting to a billion. Each a complete special-tool file.
std::vector<std::string> MillionItemSpecialTools();

}  // namespace quarnel::reliability
