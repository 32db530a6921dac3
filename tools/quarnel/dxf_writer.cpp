#include "dxf_writer.h"

#include <cmath>
#include <numbers>
#include <sstream>

#include "number_text.h"

namespace quarnel::cli {
namespace {

class DxfText {
 public:
  void Group(int code, const std::string& value) {
    std::string number = std::to_string(code);
    text_ << std::string(number.size() < 3 ? 3 - number.size() : 0, ' ') << number << "\n"
          << value << "\n";
  }
  void Group(int code, double value) { Group(code, ExactText(value)); }
  void Point(int code, cli::Point point) {
    Group(code, point.x);
    Group(code + 10, point.y);
    Group(code + 20, 0.0);
  }
  std::string str() const { return text_.str(); }

 private:
  std::ostringstream text_;
};

double Degrees(double radians) {
  double degrees = std::fmod(radians * 180.0 / std::numbers::pi, 360.0);
  if (degrees < 0.0) degrees += 360.0;
  return degrees;
}

void WriteTables(DxfText& dxf) {
  dxf.Group(0, "SECTION");
  dxf.Group(2, "TABLES");
  dxf.Group(0, "TABLE");
  dxf.Group(2, "LTYPE");
  dxf.Group(70, "1");
  dxf.Group(0, "LTYPE");
  dxf.Group(2, "CONTINUOUS");
  dxf.Group(70, "0");
  dxf.Group(3, "Solid line");
  dxf.Group(72, "65");
  dxf.Group(73, "0");
  dxf.Group(40, 0.0);
  dxf.Group(0, "ENDTAB");
  dxf.Group(0, "TABLE");
  dxf.Group(2, "LAYER");
  dxf.Group(70, "2");
  for (const char* layer : {"0", "OUTLINE"}) {
    dxf.Group(0, "LAYER");
    dxf.Group(2, layer);
    dxf.Group(70, "0");
    dxf.Group(62, "7");
    dxf.Group(6, "CONTINUOUS");
  }
  dxf.Group(0, "ENDTAB");
  dxf.Group(0, "ENDSEC");
}

void WriteEntity(DxfText& dxf, const DrawnPiece& piece) {
  switch (piece.kind) {
    case DrawnPiece::Kind::kLine:
      dxf.Group(0, "LINE");
      dxf.Group(8, "OUTLINE");
      dxf.Point(10, piece.start);
      dxf.Point(11, piece.end);
      break;
    case DrawnPiece::Kind::kCircle:
      dxf.Group(0, "CIRCLE");
      dxf.Group(8, "OUTLINE");
      dxf.Point(10, piece.centre);
      dxf.Group(40, piece.radius);
      break;
    case DrawnPiece::Kind::kArc: {
      const double from = piece.sweep > 0.0 ? piece.startAngle : piece.startAngle + piece.sweep;
      dxf.Group(0, "ARC");
      dxf.Group(8, "OUTLINE");
      dxf.Point(10, piece.centre);
      dxf.Group(40, piece.radius);
      dxf.Group(50, Degrees(from));
      dxf.Group(51, Degrees(from + std::fabs(piece.sweep)));
      break;
    }
  }
}

}  // namespace

std::string OutlineDxf(const std::vector<DrawnPiece>& pieces) {
  DxfText dxf;
  Bounds bounds = PiecesBounds(pieces);
  if (bounds.empty) bounds.Add({0.0, 0.0});
  dxf.Group(0, "SECTION");
  dxf.Group(2, "HEADER");
  dxf.Group(9, "$ACADVER");
  dxf.Group(1, "AC1009");
  dxf.Group(9, "$EXTMIN");
  dxf.Point(10, {bounds.minX, bounds.minY});
  dxf.Group(9, "$EXTMAX");
  dxf.Point(10, {bounds.maxX, bounds.maxY});
  dxf.Group(0, "ENDSEC");
  WriteTables(dxf);
  dxf.Group(0, "SECTION");
  dxf.Group(2, "ENTITIES");
  for (const DrawnPiece& piece : pieces) WriteEntity(dxf, piece);
  dxf.Group(0, "ENDSEC");
  dxf.Group(0, "EOF");
  return dxf.str();
}

}  // namespace quarnel::cli
