#include "render/sheet_drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

#include "number_text.h"
#include "render/outline_geometry.h"
#include "render/sheet_markup.h"
#include "render/sheet_shapes.h"

namespace quarnel::cli {
namespace {

// The drawing's coordinates: the stations' centres on a circle of kRing about
// (kMiddle, kMiddle), the labels outside it within the view box.
constexpr double kMiddle = 500.0;
constexpr double kRing = 320.0;
constexpr double kViewLeft = -60.0, kViewTop = 75.0, kViewWidth = 1120.0, kViewHeight = 850.0;
constexpr double kLargestPocket = 50.0;
constexpr double kLineHeight = 24.0;
// Up to this many stations the texts have their full size and two label lines;
// more stations share the ring with smaller texts and one line each.
constexpr size_t kRoomyTable = 24;

std::string N(double value) { return ShortText(value, 2); }

// Radius of a station's circle when `stations` share the ring.
double PocketRadius(size_t stations) {
  const double spacing =
      2.0 * std::numbers::pi * kRing / static_cast<double>(std::max<size_t>(stations, 1));
  return std::min(kLargestPocket, spacing * 0.42);
}

double CommonPocket(const SheetModel& model) {
  double pocket = kLargestPocket;
  for (const SheetTable& table : model.tables)
    pocket = std::min(pocket, PocketRadius(table.stations.size()));
  return pocket;
}

struct Outline {
  std::vector<DrawnPiece> pieces;
  Bounds bounds;
};

// A station is a few millimetres wide: more pieces than this add nothing to
// the picture but bytes to the page (the bounds still take them all).
constexpr size_t kMostDrawnPieces = 4000;

Outline OutlineOf(const SheetTool& tool) {
  Outline outline;
  outline.pieces = DrawablePieces(tool.outline);
  outline.bounds = PiecesBounds(outline.pieces);
  if (outline.pieces.size() > kMostDrawnPieces) outline.pieces.resize(kMostDrawnPieces);
  return outline;
}

double HalfDiagonal(const Bounds& b) { return 0.5 * std::hypot(b.maxX - b.minX, b.maxY - b.minY); }

// One path for all pieces, in the outline's own coordinates (y up).
std::string PathData(const std::vector<DrawnPiece>& pieces) {
  std::string d;
  const auto point = [](Point p) { return ShortText(p.x, 4) + " " + ShortText(p.y, 4); };
  for (const DrawnPiece& piece : pieces) {
    const std::string r = ShortText(piece.radius, 4);
    switch (piece.kind) {
      case DrawnPiece::Kind::kLine:
        d += "M" + point(piece.start) + "L" + point(piece.end);
        break;
      case DrawnPiece::Kind::kArc: {
        const int large = std::fabs(piece.sweep) > std::numbers::pi ? 1 : 0;
        const int positive = piece.sweep > 0.0 ? 1 : 0;
        d += "M" + point(piece.start) + "A" + r + " " + r + " 0 " + std::to_string(large) + " " +
             std::to_string(positive) + " " + point(piece.end);
        break;
      }
      case DrawnPiece::Kind::kCircle: {
        const Point left{piece.centre.x - piece.radius, piece.centre.y};
        const Point right{piece.centre.x + piece.radius, piece.centre.y};
        d += "M" + point(left) + "A" + r + " " + r + " 0 1 0 " + point(right) + "A" + r + " " + r +
             " 0 1 0 " + point(left);
        break;
      }
    }
  }
  return d;
}

// The largest round number of units whose bar is at most `longest` drawing units.
double ScaleBarUnits(double scale, double longest) {
  double units = std::pow(10.0, std::floor(std::log10(longest / scale)));
  for (double step : {5.0, 2.0}) {
    if (units * step * scale <= longest) return units * step;
  }
  return units;
}

class TurretWriter {
 public:
  TurretWriter(const SheetModel& model, const SheetTable& table, double scale)
      : model_(model),
        table_(table),
        scale_(scale),
        pocket_(CommonPocket(model)),
        text_(std::clamp(static_cast<double>(kRoomyTable) /
                             static_cast<double>(std::max<size_t>(table.stations.size(), 1)),
                         0.6, 1.0)) {}

  std::string Write() {
    const size_t loaded = std::count_if(table_.stations.begin(), table_.stations.end(),
                                        [](const SheetStation& s) { return !s.tools.empty(); });
    svg_ << "<svg class=\"turret\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" << N(kViewLeft)
         << " " << N(kViewTop) << " " << N(kViewWidth) << " " << N(kViewHeight)
         << "\" role=\"img\">\n<title>Turret table " << table_.number << ": "
         << table_.stations.size() << " stations, " << loaded << " loaded</title>\n"
         << "<circle class=\"ring\" cx=\"" << N(kMiddle) << "\" cy=\"" << N(kMiddle) << "\" r=\""
         << N(kRing) << "\"/>\n";
    svg_ << "<g style=\"font-size:" << N(22.0 * text_) << "px\">\n";
    for (size_t i = 0; i < table_.stations.size(); ++i) Station(i);
    svg_ << "</g>\n";
    Legend(loaded);
    svg_ << "</svg>\n";
    return svg_.str();
  }

 private:
  // Station i's direction: the first at the top, then clockwise.
  double Angle(size_t i) const {
    return -std::numbers::pi / 2.0 + 2.0 * std::numbers::pi * static_cast<double>(i) /
                                         static_cast<double>(table_.stations.size());
  }

  void Station(size_t i) {
    const SheetStation& station = table_.stations[i];
    const double angle = Angle(i);
    const double c = std::cos(angle), s = std::sin(angle);
    const double x = kMiddle + kRing * c, y = kMiddle + kRing * s;
    const bool empty = station.tools.empty();
    svg_ << "<g class=\"station" << (empty ? " empty" : "") << "\">\n"
         << "<circle class=\"pocket\" cx=\"" << N(x) << "\" cy=\"" << N(y) << "\" r=\""
         << N(pocket_) << "\"/>\n";
    if (!empty) ToolShape(model_.tools[station.tools.front()], x, y);
    // The number sits inside the ring, the tool's name outside it.
    const double badge = kRing - pocket_ - 25.0 * text_;
    svg_ << "<circle class=\"badge\" cx=\"" << N(kMiddle + badge * c) << "\" cy=\""
         << N(kMiddle + badge * s) << "\" r=\"" << N(19.0 * text_) << "\"/>\n"
         << "<text class=\"number\" x=\"" << N(kMiddle + badge * c) << "\" y=\""
         << N(kMiddle + badge * s + 7.0 * text_) << "\">" << station.number << "</text>\n";
    // On a crowded ring every other label stands further out, so neighbours do not overlap.
    const bool staggered = table_.stations.size() > kRoomyTable && i % 2 == 1;
    const double out = kRing + pocket_ + 10.0 + (staggered ? kLineHeight * text_ * 1.6 : 0.0);
    Label(station, kMiddle + out * c, kMiddle + out * s, c, s);
    svg_ << "</g>\n";
  }

  void ToolShape(const SheetTool& tool, double x, double y) {
    const Outline outline = OutlineOf(tool);
    if (outline.pieces.empty()) {
      svg_ << "<text class=\"unknown\" x=\"" << N(x) << "\" y=\"" << N(y + 10.0) << "\">?</text>\n";
      return;
    }
    const Bounds& b = outline.bounds;
    svg_ << "<path class=\"tool\" transform=\"translate(" << N(x) << " " << N(y) << ") scale("
         << ShortText(scale_, 6) << " " << ShortText(-scale_, 6) << ") translate("
         << ShortText(-(b.minX + b.maxX) / 2.0, 4) << " " << ShortText(-(b.minY + b.maxY) / 2.0, 4)
         << ")\" d=\"" << PathData(outline.pieces) << "\"/>\n";
  }

  std::vector<std::string> LabelLines(const SheetStation& station) const {
    if (station.tools.empty()) return {"empty"};
    const ToolRow& row = model_.tools[station.tools.front()].row;
    std::vector<std::string> lines = {TypeLabel(row.typeCode) + " " + ShortText(row.size, 3)};
    const std::string detail = row.typeCode == kSpecialToolType ? row.name : DimensionsText(row);
    if (detail != ShortText(row.size, 3) && table_.stations.size() <= kRoomyTable)
      lines.push_back(detail);
    if (station.tools.size() > 1)
      lines.back() += " (+" + std::to_string(station.tools.size() - 1) + ")";
    return lines;
  }

  // The label's lines beside the station, anchored on the side facing away from the ring.
  void Label(const SheetStation& station, double x, double y, double c, double s) {
    const std::vector<std::string> lines = LabelLines(station);
    const char* anchor = c > 0.3 ? "start" : c < -0.3 ? "end" : "middle";
    const double line = kLineHeight * text_;
    const double block = line * static_cast<double>(lines.size() - 1);
    double first = y - block / 2.0 + 8.0 * text_;
    if (s < -0.6) first = y - block - 2.0;
    if (s > 0.6) first = y + 19.0 * text_;
    svg_ << "<text class=\"label\" text-anchor=\"" << anchor << "\" x=\"" << N(x) << "\" y=\""
         << N(first) << "\">";
    for (size_t i = 0; i < lines.size(); ++i) {
      svg_ << "<tspan" << (i == 0 ? " class=\"main\"" : "") << " x=\"" << N(x) << "\""
           << (i == 0 ? "" : " dy=\"" + N(line) + "\"") << ">" << Markup(lines[i]) << "</tspan>";
    }
    svg_ << "</text>\n";
  }

  // In the middle: which table, how full, and the bar that gives the scale.
  void Legend(size_t loaded) {
    svg_ << "<text class=\"legend-title\" x=\"" << N(kMiddle) << "\" y=\"" << N(kMiddle - 40.0)
         << "\">Table " << table_.number << "</text>\n"
         << "<text class=\"legend\" x=\"" << N(kMiddle) << "\" y=\"" << N(kMiddle - 5.0) << "\">"
         << table_.stations.size() << " stations</text>\n"
         << "<text class=\"legend\" x=\"" << N(kMiddle) << "\" y=\"" << N(kMiddle + 22.0) << "\">"
         << loaded << " loaded, " << table_.stations.size() - loaded << " empty</text>\n";
    if (scale_ <= 0.0 || !std::isfinite(scale_)) return;
    const double units = ScaleBarUnits(scale_, 140.0);
    const double length = units * scale_;
    const double left = kMiddle - length / 2.0, bar = kMiddle + 60.0;
    svg_ << "<path class=\"scale-bar\" d=\"M" << N(left) << " " << N(bar - 7.0) << "V" << N(bar)
         << "H" << N(left + length) << "V" << N(bar - 7.0) << "\"/>\n"
         << "<text class=\"legend\" x=\"" << N(kMiddle) << "\" y=\"" << N(bar + 24.0) << "\">"
         << ShortText(units, 3) << " (outlines to scale)</text>\n";
  }

  const SheetModel& model_;
  const SheetTable& table_;
  double scale_;
  double pocket_;
  double text_;  // size of the station texts, 1 = full
  std::ostringstream svg_;
};

}  // namespace

double DrawingAspect() { return kViewWidth / kViewHeight; }

double SheetScale(const SheetModel& model) {
  double largest = 0.0;
  for (const SheetTable& table : model.tables) {
    for (const SheetStation& station : table.stations) {
      if (station.tools.empty()) continue;
      const Outline outline = OutlineOf(model.tools[station.tools.front()]);
      if (!outline.bounds.empty) largest = std::max(largest, HalfDiagonal(outline.bounds));
    }
  }
  return largest > 0.0 ? CommonPocket(model) * 0.92 / largest : 0.0;
}

std::string TurretSvg(const SheetModel& model, const SheetTable& table, double scale) {
  return TurretWriter(model, table, scale).Write();
}

}  // namespace quarnel::cli
