#include "render/text_table.h"

#include <algorithm>

namespace quarnel::cli {
namespace {

// Columns a cell takes on a terminal: one per UTF-8 character, not per byte.
size_t DisplayWidth(const std::string& text) {
  size_t width = 0;
  for (unsigned char c : text) width += (c & 0xC0) != 0x80 ? 1 : 0;
  return width;
}

void AppendRow(std::string& out, const std::vector<std::string>& cells,
               const std::vector<size_t>& widths, const std::vector<bool>& right) {
  std::string line;
  for (size_t column = 0; column < widths.size(); ++column) {
    const std::string cell = column < cells.size() ? cells[column] : "";
    const std::string padding(widths[column] - std::min(widths[column], DisplayWidth(cell)), ' ');
    if (column > 0) line += "  ";
    const bool alignRight = column < right.size() && right[column];
    line += alignRight ? padding + cell : cell + padding;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  out += line + "\n";
}

}  // namespace

std::string FormatTable(const TextTable& table) {
  std::vector<size_t> widths(table.header.size(), 0);
  for (size_t column = 0; column < widths.size(); ++column) widths[column] = DisplayWidth(table.header[column]);
  for (const auto& row : table.rows) {
    for (size_t column = 0; column < row.size() && column < widths.size(); ++column) {
      widths[column] = std::max(widths[column], DisplayWidth(row[column]));
    }
  }
  std::string out;
  AppendRow(out, table.header, widths, table.rightAligned);
  std::vector<std::string> rule;
  for (size_t width : widths) rule.push_back(std::string(width, '-'));
  AppendRow(out, rule, widths, {});
  for (const auto& row : table.rows) AppendRow(out, row, widths, table.rightAligned);
  return out;
}

}  // namespace quarnel::cli
