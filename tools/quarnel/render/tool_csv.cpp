// Tools as CSV and back: the columns of the listing, so that an exported
// library imports again unchanged.
#include <algorithm>
#include <functional>
#include <map>
#include <istream>

#include "number_text.h"
#include "render/tool_listing.h"

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

// Splits one CSV line at `separator`; false when a quoted field is not
// closed on the line. Fields are trimmed of surrounding blanks.
bool SplitCsvLine(const std::string& line, char separator, std::vector<std::string>& fields) {
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
    } else if (c == separator) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  for (std::string& field : fields) {
    const size_t first = field.find_first_not_of(" \t");
    const size_t last = field.find_last_not_of(" \t");
    field = first == std::string::npos ? "" : field.substr(first, last - first + 1);
  }
  return !quoted;
}

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
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
    for (int station : {t.firstStation, t.secondStation}) {
      cells.push_back(contents.withStations && station != 0 ? std::to_string(station) : "");
    }
    for (size_t i = 0; i < cells.size(); ++i) csv += (i > 0 ? "," : "") + cells[i];
    csv += "\n";
  }
  return csv;
}

namespace {

// A line longer than this is not a row of tools.
constexpr size_t kLongestLine = 1 << 20;

// The header's columns; an empty text when the header is good, else all that is wrong with it.
std::string ReadHeader(const std::vector<std::string>& fields, std::map<std::string, size_t>& columns) {
  std::vector<std::string> wrong;
  for (size_t i = 0; i < fields.size(); ++i) {
    const std::string name = Lowered(fields[i]);
    if (std::find(kColumns.begin(), kColumns.end(), name) == kColumns.end()) {
      wrong.push_back("unknown column \"" + fields[i] + "\"");
    } else if (!columns.emplace(name, i).second) {
      wrong.push_back("column \"" + name + "\" appears twice");
    }
  }
  for (const char* required : {"type_code", "size"}) {
    if (!columns.count(required)) wrong.push_back(std::string("no column \"") + required + "\"");
  }
  std::string text;
  for (const std::string& what : wrong) text += (text.empty() ? "" : ", ") + what;
  return text;
}

// What the library will change or leave out of a good row.
void WarnAboutRow(const ToolRow& tool, const std::map<std::string, size_t>& columns,
                  const std::vector<std::string>& fields, size_t line,
                  const std::function<bool(const std::string&)>& specialToolExists,
                  std::vector<CsvProblem>& warnings) {
  auto warn = [&](const std::string& what) { warnings.push_back({line, what}); };
  const std::string code = std::to_string(tool.typeCode);
  if (!IsKnownTypeCode(tool.typeCode)) warn("type_code " + code + " has no type of its own (NULL)");
  if (!(tool.size > 0.0f)) warn("size " + ExactText(tool.size) + " is not above zero");
  if (const auto type = columns.find("type"); type != columns.end() && !fields[type->second].empty() &&
                                              Lowered(fields[type->second]) != Lowered(TypeLabel(tool.typeCode))) {
    warn("type \"" + fields[type->second] + "\" contradicts type_code " + code + " (" +
         TypeLabel(tool.typeCode) + "); type_code is used");
  }
  // The loader corrects keyed counts: a round tool's to 0, one of no key to 1 with a1 = 0.
  if (const int loaded = AsLoaded(tool).keyedCount; loaded != tool.keyedCount) {
    warn(loaded == 0 ? "keyed_count " + std::to_string(tool.keyedCount) + " of a round tool reads back as 0"
                     : "keyed_count 0 of a type-" + code + " tool reads back as 1, with a1 = 0");
  }
  for (const char* station : {"station_1", "station_2"}) {
    if (const auto column = columns.find(station); column != columns.end() && !fields[column->second].empty()) {
      warn(std::string(station) + " is not written: stations live in a station file, not in a library");
    }
  }
  if (tool.typeCode == kSpecialToolType && !specialToolExists(tool.name)) {
    warn("special tool " + tool.name + " has no file " + tool.name + ".spt in the special-tool folder");
  }
}

}  // namespace

CsvImport ToolsFromCsv(std::istream& in, size_t mostProblems,
                       const std::function<bool(const std::string&)>& specialToolExists) {
  CsvImport result;
  std::map<std::string, size_t> columns;      // every column of the header
  std::map<std::string, size_t> readColumns;  // the columns that make a tool
  size_t headerFields = 0;
  bool haveHeader = false;
  char separator = ',';
  std::string line;
  for (size_t lineNumber = 1; std::getline(in, line); ++lineNumber) {
    if (mostProblems > 0 && result.problems.size() >= mostProblems) break;
    if (line.size() > kLongestLine) {
      result.problems.push_back({lineNumber, "the line is longer than 1 MiB"});
      break;
    }
    if (lineNumber == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    if (!haveHeader) {
      separator = line.find(';') != std::string::npos && line.find(',') == std::string::npos ? ';' : ',';
    }
    std::vector<std::string> fields;
    if (!SplitCsvLine(line, separator, fields)) {
      result.problems.push_back({lineNumber, "a quoted field is not closed on its line"});
      if (!haveHeader) break;
      continue;
    }
    if (!haveHeader) {
      haveHeader = true;
      headerFields = fields.size();
      if (const std::string wrong = ReadHeader(fields, columns); !wrong.empty()) {
        result.problems.push_back({lineNumber, wrong});
        result.badHeader = true;
        break;
      }
      for (const auto& column : columns) {
        if (!ListingOnly(column.first)) readColumns.insert(column);
      }
      continue;
    }
    if (fields.size() != headerFields) {
      result.problems.push_back({lineNumber, "has " + std::to_string(fields.size()) +
                                                 " fields, the header " + std::to_string(headerFields)});
      continue;
    }
    ToolRow tool;
    const std::string problem = RowReader(readColumns, fields).Read(tool);
    if (!problem.empty()) {
      result.problems.push_back({lineNumber, problem});
      continue;
    }
    WarnAboutRow(tool, columns, fields, lineNumber, specialToolExists, result.warnings);
    result.tools.push_back(std::move(tool));
  }
  if (in.bad()) result.problems.push_back({0, "the file cannot be read"});
  if (!haveHeader && result.problems.empty()) result.problems.push_back({1, "the file has no header line"});
  if (!result.problems.empty()) result.tools.clear();
  return result;
}

}  // namespace quarnel::cli
