#include "render/sheet_html.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <sstream>

#include "number_text.h"
#include "render/sheet_drawing.h"
#include "render/sheet_markup.h"
#include "render/sheet_shapes.h"
#include "render/sheet_style.h"

namespace quarnel::cli {
namespace {

// Page budget in millimetres: the height and width that both A4 and Letter
// offer inside 12 mm margins, and what the fixed parts of a page take of it.
constexpr double kPageHeight = 254.0, kPageWidth = 184.0;
constexpr double kFixedParts = 50.0;  // header, heading, table head, gaps
constexpr double kApartLineHeight = 3.6;
constexpr double kLargestDrawing = 150.0, kSmallestDrawing = 60.0;
// A table row is its padding and one line of type: 0.7 mm + 1.2 x the font size.
constexpr double kRowPadding = 0.7, kMmPerPoint = 1.2 * 25.4 / 72.0;
constexpr double kTablePoints = 8.0, kSmallestTablePoints = 4.5;
constexpr size_t kMostListedApart = 64;
constexpr int kApartColumns = 4;

std::string Count(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The first `count` values (angles in degrees), or a dash when none is in use.
std::string InUse(const std::array<float, 4>& values, int count, bool degrees) {
  std::string text;
  for (int i = 0; i < std::clamp(count, 0, 4); ++i) {
    if (i > 0) text += " / ";
    text += ShortText(degrees ? values[i] * 180.0 / std::numbers::pi : values[i], degrees ? 2 : 3);
  }
  return text.empty() ? "\u2013" : text;
}

// Empty stations in a row from this many on are listed as one row.
constexpr size_t kShortestEmptyRun = 3;

size_t RowCount(const SheetTable& table) {
  size_t rows = 0, emptyRun = 0;
  for (const SheetStation& station : table.stations) {
    rows += station.tools.size();
    emptyRun = station.tools.empty() ? emptyRun + 1 : 0;
    // The first empty stations of a run each count; a run that grows long enough is one row.
    if (emptyRun > 0 && emptyRun < kShortestEmptyRun) rows += 1;
    if (emptyRun == kShortestEmptyRun) rows -= kShortestEmptyRun - 2;
  }
  return rows;
}

size_t ApartLines(size_t apart) {
  const size_t listed = std::min(apart, kMostListedApart);
  return 2 + (listed + kApartColumns - 1) / kApartColumns;
}

// Drawing height and table font that keep a table's page on one sheet of paper.
struct PageFit {
  double drawingMm = kLargestDrawing;
  double tablePt = kTablePoints;
};

PageFit FitPage(size_t rows, size_t apartLines) {
  PageFit fit;
  const double free =
      kPageHeight - kFixedParts - kApartLineHeight * static_cast<double>(apartLines);
  const double n = static_cast<double>(std::max<size_t>(rows, 1));
  const double tableMm = n * (kRowPadding + kMmPerPoint * kTablePoints);
  fit.drawingMm = std::clamp(free - tableMm, kSmallestDrawing, kLargestDrawing);
  // Long tables get smaller type rather than a second page.
  const double points = ((free - fit.drawingMm) / n - kRowPadding) / kMmPerPoint;
  fit.tablePt = std::clamp(points, kSmallestTablePoints, kTablePoints);
  return fit;
}

class PageWriter {
 public:
  explicit PageWriter(const SheetModel& model) : model_(model), scale_(SheetScale(model)) {}

  std::string Write() {
    html_ << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n"
          << "<meta name=\"generator\" content=\"quarnel sheet\"/>\n"
          << "<title>" << Markup(model_.title) << "</title>\n<style>" << kSheetStyle
          << "</style>\n</head>\n<body>\n";
    for (size_t t = 0; t < model_.tables.size(); ++t)
      Page(model_.tables[t], t + 1 == model_.tables.size());
    html_ << "</body>\n</html>\n";
    return html_.str();
  }

 private:
  void Header() {
    size_t stations = 0;
    for (const SheetTable& table : model_.tables) stations += table.stations.size();
    html_ << "<header>\n<h1>" << Markup(model_.title) << "</h1>\n<dl class=\"facts\">\n"
          << "<dt>Tool library</dt><dd>" << Markup(model_.libraryPath) << " \u2013 version "
          << model_.libraryVersion << ", " << Count(model_.tools.size(), "tool", "tools")
          << "</dd>\n"
          << "<dt>Station file</dt><dd>" << Markup(model_.stationPath) << " \u2013 version "
          << model_.stationVersion << ", " << Count(stations, "station", "stations");
    for (const SheetTable& table : model_.tables) {
      html_ << (&table == &model_.tables.front() ? " (" : ", ") << "table " << table.number << ": "
            << table.stations.size();
    }
    html_ << ")</dd>\n<dt>Date</dt><dd>" << Markup(model_.date) << "</dd>\n</dl>\n</header>\n";
  }

  void Page(const SheetTable& table, bool last) {
    const std::vector<size_t> apart = last ? model_.ToolsWithoutStation() : std::vector<size_t>{};
    const PageFit fit = FitPage(RowCount(table), last ? ApartLines(apart.size()) : 0);
    html_ << "<section class=\"sheet\" id=\"table-" << table.number << "\">\n";
    Header();
    const double width = std::min(fit.drawingMm * DrawingAspect(), kPageWidth);
    html_ << "<h2>Turret table " << table.number
          << "</h2>\n<div class=\"drawing\" style=\"width:" << ShortText(width, 1)
          << "mm;height:" << ShortText(width / DrawingAspect(), 1) << "mm\">\n"
          << TurretSvg(model_, table, scale_) << "</div>\n";
    StationTable(table, fit.tablePt);
    if (last) Apart(apart);
    html_ << "</section>\n";
  }

  void StationTable(const SheetTable& table, double fontPt) {
    html_ << "<table style=\"font-size:" << ShortText(fontPt, 1) << "pt\">\n<thead><tr>"
          << "<th>Station</th><th>Tool #</th><th>Type</th><th>Size</th><th>Dimensions</th>"
          << "<th>Angles (\u00b0)</th><th>Die clearances</th><th>Special tool</th>"
          << "</tr></thead>\n<tbody>\n";
    const std::vector<SheetStation>& stations = table.stations;
    for (size_t i = 0; i < stations.size(); ++i) {
      for (size_t index : stations[i].tools) ToolRowHtml(stations[i].number, model_.tools[index]);
      if (!stations[i].tools.empty()) continue;
      // A run of empty stations takes one row.
      size_t last = i;
      while (last + 1 < stations.size() && stations[last + 1].tools.empty()) ++last;
      if (last - i + 1 < kShortestEmptyRun) last = i;
      html_ << "<tr class=\"empty\"><td class=\"station\">" << stations[i].number;
      if (last > i) html_ << "\u2013" << stations[last].number;
      html_ << "</td><td colspan=\"7\">empty";
      if (last > i) html_ << " (" << last - i + 1 << " stations)";
      html_ << "</td></tr>\n";
      i = last;
    }
    html_ << "</tbody>\n</table>\n";
  }

  void ToolRowHtml(int stationNumber, const SheetTool& tool) {
    const ToolRow& row = tool.row;
    html_ << "<tr><td class=\"station\">" << stationNumber << "</td><td class=\"n\">"
          << tool.position << "</td><td>" << TypeLabel(row.typeCode) << " (" << row.typeCode
          << ")</td><td class=\"n\">" << ShortText(row.size, 3) << "</td><td>"
          << Markup(DimensionsText(row)) << "</td><td>" << InUse(row.angles, row.keyedCount, true)
          << "</td><td>" << InUse(row.dieClearances, row.dieClearanceCount, false) << "</td><td>"
          << Markup(row.typeCode == kSpecialToolType ? row.name : "");
    if (!tool.outlineProblem.empty() && row.typeCode == kSpecialToolType) {
      html_ << " (outline not found)";
    }
    html_ << "</td></tr>\n";
  }

  void Apart(const std::vector<size_t>& apart) {
    html_ << "<h3>Library tools in no station (" << apart.size() << ")</h3>\n";
    if (apart.empty()) {
      html_ << "<p class=\"note\">Every tool of the library sits in a station.</p>\n";
      return;
    }
    html_ << "<ul class=\"apart\">\n";
    for (size_t i = 0; i < std::min(apart.size(), kMostListedApart); ++i) {
      const ToolRow& row = model_.tools[apart[i]].row;
      html_ << "<li>#" << model_.tools[apart[i]].position << " " << TypeLabel(row.typeCode) << " "
            << ShortText(row.size, 3) << " "
            << Markup(row.typeCode == kSpecialToolType ? row.name : DimensionsText(row))
            << "</li>\n";
    }
    html_ << "</ul>\n";
    if (apart.size() > kMostListedApart) {
      html_ << "<p class=\"note\">\u2026 and " << apart.size() - kMostListedApart
            << " more: quarnel tools lists them all.</p>\n";
    }
  }

  const SheetModel& model_;
  double scale_;
  std::ostringstream html_;
};

}  // namespace

std::string SheetHtml(const SheetModel& model) { return PageWriter(model).Write(); }

}  // namespace quarnel::cli
