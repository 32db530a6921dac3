#include <cmath>
#include <numbers>

#include "number_text.h"
#include "render/text_table.h"
#include "render/tool_listing.h"

namespace quarnel::cli {
namespace {

int InUse(int count) { return count < 0 ? 0 : count > 4 ? 4 : count; }

// The first `count` values, joined by '/', or "-" when none is in use.
std::string Joined(const std::array<float, 4>& values, int count, bool degrees) {
  std::string text;
  for (int i = 0; i < InUse(count); ++i) {
    if (i > 0) text += "/";
    const double value = degrees ? values[i] * 180.0 / std::numbers::pi : values[i];
    text += ShortText(value, degrees ? 2 : 4);
  }
  return text.empty() ? "-" : text;
}

// A tool without a station: "-" in the table, an empty cell in CSV, null in JSON.
std::string Station(int number) { return number == 0 ? "-" : std::to_string(number); }
nlohmann::ordered_json StationJson(int number) {
  return number == 0 ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(number);
}

nlohmann::ordered_json Floats(const std::array<float, 4>& values) {
  nlohmann::ordered_json array = nlohmann::ordered_json::array();
  for (float value : values) array.push_back(DecimalValue(value));
  return array;
}

}  // namespace

std::string ToolsTable(const LibraryContents& contents) {
  TextTable table;
  table.header = {"#", "Type", "Code", "Size", "Name", "X", "Y", "Z", "Keys", "Angles (deg)",
                  "Dies", "Clearances", "A", "B", "C", "D"};
  table.rightAligned = {true, false, true, true, false, true, true, true, true, false,
                        true, false, true, true, true, true};
  if (contents.withStations) {
    table.header.insert(table.header.end(), {"Station 1", "Station 2"});
    table.rightAligned.insert(table.rightAligned.end(), {true, true});
  }
  for (size_t index = 0; index < contents.tools.size(); ++index) {
    const ToolRow& tool = contents.tools[index];
    std::vector<std::string> row = {
        std::to_string(index + 1), TypeLabel(tool.typeCode), std::to_string(tool.typeCode),
        ShortText(tool.size), tool.name.empty() ? "-" : tool.name, ShortText(tool.x),
        ShortText(tool.y), ShortText(tool.z), std::to_string(tool.keyedCount),
        Joined(tool.angles, tool.keyedCount, true), std::to_string(tool.dieClearanceCount),
        Joined(tool.dieClearances, tool.dieClearanceCount, false), ShortText(tool.valueA),
        ShortText(tool.valueB), ShortText(tool.valueC), ShortText(tool.valueD)};
    if (contents.withStations) {
      row.push_back(Station(tool.firstStation));
      row.push_back(Station(tool.secondStation));
    }
    table.rows.push_back(std::move(row));
  }
  return FormatTable(table);
}

nlohmann::ordered_json ToolsJson(const LibraryContents& contents) {
  nlohmann::ordered_json tools = nlohmann::ordered_json::array();
  for (size_t index = 0; index < contents.tools.size(); ++index) {
    const ToolRow& tool = contents.tools[index];
    nlohmann::ordered_json entry = {
        {"index", index + 1},
        {"typeCode", tool.typeCode},
        {"type", TypeLabel(tool.typeCode)},
        {"size", DecimalValue(tool.size)},
        {"name", tool.name},
        {"x", DecimalValue(tool.x)},
        {"y", DecimalValue(tool.y)},
        {"z", DecimalValue(tool.z)},
        {"keyedCount", tool.keyedCount},
        {"angles", Floats(tool.angles)},
        {"dieClearanceCount", tool.dieClearanceCount},
        {"dieClearances", Floats(tool.dieClearances)},
        {"valueA", DecimalValue(tool.valueA)},
        {"valueB", DecimalValue(tool.valueB)},
        {"valueC", DecimalValue(tool.valueC)},
        {"valueD", DecimalValue(tool.valueD)},
    };
    if (contents.withStations) {
      entry["firstStation"] = StationJson(tool.firstStation);
      entry["secondStation"] = StationJson(tool.secondStation);
    }
    tools.push_back(std::move(entry));
  }
  return tools;
}

}  // namespace quarnel::cli
