// A library's tools as a table for people, as CSV and as JSON; and tools read back from CSV.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "library_access.h"

namespace quarnel::cli {

// Aligned table; angles shown in degrees, only the angles and clearances in use.
std::string ToolsTable(const LibraryContents& contents);

// CSV with a header line; numbers exact, angles in radians as stored.
std::string ToolsCsv(const LibraryContents& contents);

// JSON array of tool objects; numbers exact.
nlohmann::ordered_json ToolsJson(const LibraryContents& contents);

// A CSV row that cannot become a tool: its 1-based line number and what is wrong.
struct CsvProblem {
  size_t line = 0;
  std::string what;
};

// Tools from CSV text with the columns of ToolsCsv (matched by header name;
// "type_code" and "size" are required, the listing-only columns are ignored).
// Every bad row is reported; `problems` empty means the tools are complete.
std::vector<ToolRow> ToolsFromCsv(const std::string& text, std::vector<CsvProblem>& problems);

}  // namespace quarnel::cli
