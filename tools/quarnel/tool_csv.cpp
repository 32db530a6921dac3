// Tools as CSV and back: the columns of the listing, so that an exported
// library imports again unchanged.
#include <algorithm>
#include <functional>
#include <map>

#include "number_text.h"
#include "tool_listing.h"

namespace quarnel::cli {
namespace {

const std::vector<std::string> kColumns = {
    "index", "type_code", "type", "size", "name", "x", "y", "z", "keyed_count", "a1", "a2", "a3",
    "a4", "die_clearance_count", "d1", "d2", "d3", "d4", "value_a", "value_b", "value_c",
    "value_d", "station_1", "station_2"};

// Columns that the listing writes for people and the import does not read.
bool ListingOnly(const std::string& column) {
  return column == "index" || column == "type" || column == "station_1" || column == "station_2";
}

std::string Quoted(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) out += (c == '"') ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

// Splits one CSV line; false when a quoted field is not closed on the line.
bool SplitCsvLine(const std::string& line, std::vector<std::string>& fields) {
  fields.assign(1, "");
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return !quoted;
}

bool ValidToolName(const std::string& name) {
  return name.size() <= 200 && name.find_first_of("\"*/:<>?\\|") == std::string::npos;
}

// Reads the fields of one row into a tool; returns what is wrong, or nothing.
class RowReader {
 public:
  RowReader(const std::map<std::string, size_t>& columns, const std::vector<std::string>& fields)
      : columns_(columns), fields_(fields) {}

  std::string Read(ToolRow& tool) {
    Int("type_code", tool.typeCode, true);
    Float("size", tool.size, true);
    Float("x", tool.x);
    Float("y", tool.y);
    Float("z", tool.z);
    Int("keyed_count", tool.keyedCount);
    for (int i = 0; i < 4; ++i) Float("a" + std::to_string(i + 1), tool.angles[i]);
    Int("die_clearance_count", tool.dieClearanceCount);
    for (int i = 0; i < 4; ++i) Float("d" + std::to_string(i + 1), tool.dieClearances[i]);
    Float("value_a", tool.valueA);
    Float("value_b", tool.valueB);
    Float("value_c", tool.valueC);
    Float("value_d", tool.valueD);
    if (auto name = Cell("name")) tool.name = *name;
    if (!problem_.empty()) return problem_;
    if (tool.keyedCount < 0 || tool.keyedCount > 4) return "keyed_count must be 0 to 4";
    if (tool.dieClearanceCount < 0 || tool.dieClearanceCount > 4) {
      return "die_clearance_count must be 0 to 4";
    }
    if (tool.typeCode == kSpecialToolType && tool.name.empty()) {
      return "a special tool (type 108) needs the name of its special-tool file";
    }
    if (tool.typeCode != kSpecialToolType && !tool.name.empty()) {
      return "only a special tool (type 108) has a name";
    }
    if (!ValidToolName(tool.name)) {
      return "the name \"" + tool.name + "\" is not a file name of at most 200 characters";
    }
    return "";
  }

 private:
  std::optional<std::string> Cell(const std::string& column) const {
    const auto found = columns_.find(column);
    if (found == columns_.end()) return std::nullopt;
    return fields_[found->second];
  }

  // Parses a cell with `parse`; an absent or empty optional cell leaves the value.
  template <typename T>
  void Number(const std::string& column, T& value, bool required,
              const std::function<bool(const std::string&, T&)>& parse, const char* kind) {
    if (!problem_.empty()) return;
    const auto cell = Cell(column);
    if (!cell || cell->empty()) {
      if (required) problem_ = column + " is missing";
      return;
    }
    if (!parse(*cell, value)) problem_ = column + " \"" + *cell + "\" is not " + kind;
  }
  void Int(const std::string& column, int& value, bool required = false) {
    Number<int>(column, value, required, ParseInt, "a whole number");
  }
  void Float(const std::string& column, float& value, bool required = false) {
    Number<float>(column, value, required, ParseFloat, "a number");
  }

  const std::map<std::string, size_t>& columns_;
  const std::vector<std::string>& fields_;
  std::string problem_;
};

}  // namespace

std::string ToolsCsv(const LibraryContents& contents) {
  std::string csv;
  for (size_t i = 0; i < kColumns.size(); ++i) csv += (i > 0 ? "," : "") + kColumns[i];
  csv += "\n";
  for (size_t index = 0; index < contents.tools.size(); ++index) {
    const ToolRow& t = contents.tools[index];
    std::vector<std::string> cells = {std::to_string(index + 1), std::to_string(t.typeCode),
                                      TypeLabel(t.typeCode), ExactText(t.size), Quoted(t.name),
                                      ExactText(t.x), ExactText(t.y), ExactText(t.z),
                                      std::to_string(t.keyedCount)};
    for (float angle : t.angles) cells.push_back(ExactText(angle));
    cells.push_back(std::to_string(t.dieClearanceCount));
    for (float clearance : t.dieClearances) cells.push_back(ExactText(clearance));
    for (float value : {t.valueA, t.valueB, t.valueC, t.valueD}) cells.push_back(ExactText(value));
    cells.push_back(contents.withStations ? std::to_string(t.firstStation) : "");
    cells.push_back(contents.withStations ? std::to_string(t.secondStation) : "");
    for (size_t i = 0; i < cells.size(); ++i) csv += (i > 0 ? "," : "") + cells[i];
    csv += "\n";
  }
  return csv;
}

std::vector<ToolRow> ToolsFromCsv(const std::string& text, std::vector<CsvProblem>& problems) {
  std::vector<ToolRow> tools;
  std::map<std::string, size_t> columns;
  size_t headerFields = 0;
  bool haveHeader = false;
  size_t lineNumber = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;

    std::vector<std::string> fields;
    if (!SplitCsvLine(line, fields)) {
      problems.push_back({lineNumber, "a quoted field is not closed on its line"});
      continue;
    }
    if (!haveHeader) {
      haveHeader = true;
      headerFields = fields.size();
      for (size_t i = 0; i < fields.size(); ++i) {
        const std::string& name = fields[i];
        if (std::find(kColumns.begin(), kColumns.end(), name) == kColumns.end()) {
          problems.push_back({lineNumber, "unknown column \"" + name + "\""});
        } else if (!columns.emplace(name, i).second) {
          problems.push_back({lineNumber, "column \"" + name + "\" appears twice"});
        }
      }
      for (const char* required : {"type_code", "size"}) {
        if (!columns.count(required)) {
          problems.push_back({lineNumber, std::string("the header lacks the column \"") +
                                              required + "\""});
        }
      }
      if (!problems.empty()) return {};
      for (auto it = columns.begin(); it != columns.end();) {
        it = ListingOnly(it->first) ? columns.erase(it) : std::next(it);
      }
      continue;
    }
    if (fields.size() != headerFields) {
      problems.push_back({lineNumber, "has " + std::to_string(fields.size()) + " fields, the header " +
                                          std::to_string(headerFields)});
      continue;
    }
    ToolRow tool;
    const std::string problem = RowReader(columns, fields).Read(tool);
    if (!problem.empty()) {
      problems.push_back({lineNumber, problem});
      continue;
    }
    tools.push_back(std::move(tool));
  }
  if (!haveHeader) problems.push_back({1, "the file has no header line"});
  return tools;
}

}  // namespace quarnel::cli
