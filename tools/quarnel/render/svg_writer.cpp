#include "render/svg_writer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

#include "number_text.h"

namespace quarnel::cli {
namespace {

std::string UnitSuffix(DrawingUnits units) {
  switch (units) {
    case DrawingUnits::kMillimetres: return "mm";
    case DrawingUnits::kInches: return "in";
    case DrawingUnits::kUnstated: break;
  }
  return "";
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string N(double value) { return ExactText(value); }

std::string PathData(const DrawnPiece& piece) {
  std::string data = "M " + N(piece.start.x) + " " + N(piece.start.y);
  if (piece.kind == DrawnPiece::Kind::kLine) {
    return data + " L " + N(piece.end.x) + " " + N(piece.end.y);
  }
  // In the group's y-up coordinates a positive sweep runs in the positive-angle
  // direction, which is what the sweep flag 1 means.
  const int large = std::fabs(piece.sweep) > std::numbers::pi ? 1 : 0;
  const int positive = piece.sweep > 0.0 ? 1 : 0;
  return data + " A " + N(piece.radius) + " " + N(piece.radius) + " 0 " + std::to_string(large) +
         " " + std::to_string(positive) + " " + N(piece.end.x) + " " + N(piece.end.y);
}

}  // namespace

std::string OutlineSvg(const std::vector<DrawnPiece>& pieces, const std::string& title,
                       DrawingUnits units) {
  Bounds bounds = PiecesBounds(pieces);
  if (bounds.empty) bounds.Add({0.0, 0.0});
  double width = bounds.maxX - bounds.minX;
  double height = bounds.maxY - bounds.minY;
  const double extent = std::max({width, height, 1.0});
  const double margin = 0.05 * extent;
  width += 2.0 * margin;
  height += 2.0 * margin;
  const double left = bounds.minX - margin;
  const double top = -(bounds.maxY + margin);  // the top edge after the y flip
  const double stroke = extent / 400.0;

  std::ostringstream svg;
  svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\""
      << N(width) << UnitSuffix(units) << "\" height=\"" << N(height) << UnitSuffix(units)
      << "\" viewBox=\"" << N(left) << " " << N(top) << " " << N(width) << " " << N(height)
      << "\">\n"
      << "  <title>" << Escaped(title) << "</title>\n"
      << "  <rect x=\"" << N(left) << "\" y=\"" << N(top) << "\" width=\"" << N(width)
      << "\" height=\"" << N(height) << "\" fill=\"white\"/>\n"
      << "  <g id=\"outline\" transform=\"scale(1,-1)\" fill=\"none\" stroke=\"black\" "
      << "stroke-width=\"" << N(stroke) << "\" stroke-linecap=\"round\">\n";
  for (const DrawnPiece& piece : pieces) {
    if (piece.kind == DrawnPiece::Kind::kCircle) {
      svg << "    <circle cx=\"" << N(piece.centre.x) << "\" cy=\"" << N(piece.centre.y)
          << "\" r=\"" << N(piece.radius) << "\"/>\n";
    } else {
      svg << "    <path d=\"" << PathData(piece) << "\"/>\n";
    }
  }
  svg << "  </g>\n</svg>\n";
  return svg.str();
}

}  // namespace quarnel::cli
