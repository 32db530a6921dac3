// A library's tools as a table for people, as CSV and as JSON; and tools read back from CSV.
#pragma once

#include <functional>
#include <istream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/library_access.h"

namespace quarnel::cli {

// Aligned table; angles shown in degrees, only the angles and clearances in use.
std::string ToolsTable(const LibraryContents& contents);

// CSV with a header line; numbers exact, angles in radians as stored.
std::string ToolsCsv(const LibraryContents& contents);

// JSON array of tool objects; numbers exact.
nlohmann::ordered_json ToolsJson(const LibraryContents& contents);

// A CSV line that cannot become a tool, or a value the library will change or
// ignore: its 1-based line number and what it is.
struct CsvProblem {
  size_t line = 0;
  std::string what;
};

struct CsvImport {
  std::vector<ToolRow> tools;
  std::vector<CsvProblem> problems;  // empty: the tools are complete
  bool badHeader = false;            // problems[0] is the header's, and the only one
  std::vector<CsvProblem> warnings;
};

// Tools from CSV read line by line from `in`, with the columns of ToolsCsv
// matched by header name (trimmed, any letter case; "type_code" and "size"
// are required, the listing-only columns are ignored). A UTF-8 byte-order mark
// is skipped; the separator is ',' or, when the header holds ';' and no ',',
// ';'. Reading stops after `mostProblems` bad rows (0: no limit).
// `specialToolExists` tells whether a special tool's file is in the folder.
CsvImport ToolsFromCsv(std::istream& in, size_t mostProblems,
                       const std::function<bool(const std::string&)>& specialToolExists);

}  // namespace quarnel::cli
