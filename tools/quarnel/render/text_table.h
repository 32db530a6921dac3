// Aligned plain-text tables for people to read.
#pragma once

#include <string>
#include <vector>

namespace quarnel::cli {

struct TextTable {
  std::vector<std::string> header;
  std::vector<bool> rightAligned;  // per column; missing entries are left-aligned
  std::vector<std::vector<std::string>> rows;
};

// The table with every column as wide as its widest cell, two spaces between
// columns, a dashed line under the header and no trailing blanks.
std::string FormatTable(const TextTable& table);

}  // namespace quarnel::cli
