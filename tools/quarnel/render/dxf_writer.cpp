#include "render/dxf_writer.h"

#include <dl_dxf.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace quarnel::cli {
namespace {

constexpr const char* kOutlineLayer = "OUTLINE";

// $INSUNITS codes: 0 unitless, 1 inches, 4 millimetres.
int InsUnits(DrawingUnits units) {
  switch (units) {
    case DrawingUnits::kInches: return 1;
    case DrawingUnits::kMillimetres: return 4;
    case DrawingUnits::kUnstated: break;
  }
  return 0;
}

double Degrees(double radians) {
  double degrees = std::fmod(radians * 180.0 / std::numbers::pi, 360.0);
  if (degrees < 0.0) degrees += 360.0;
  return degrees;
}

void WriteHeader(DL_Dxf& dxf, DL_WriterA& dw, const std::vector<DrawnPiece>& pieces,
                 DrawingUnits units) {
  Bounds bounds = PiecesBounds(pieces);
  if (bounds.empty) bounds.Add({0.0, 0.0});
  dxf.writeHeader(dw);
  dw.dxfString(9, "$INSUNITS");
  dw.dxfInt(70, InsUnits(units));
  dw.dxfString(9, "$EXTMIN");
  dw.coord(10, bounds.minX, bounds.minY, 0.0);
  dw.dxfString(9, "$EXTMAX");
  dw.coord(10, bounds.maxX, bounds.maxY, 0.0);
  dw.sectionEnd();
}

// The tables, blocks and objects that a drawing of this version must hold.
void WriteTables(DL_Dxf& dxf, DL_WriterA& dw) {
  dw.sectionTables();
  dxf.writeVPort(dw);
  dw.tableLinetypes(3);
  dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "BYBLOCK", 0, 0, 0.0));
  dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "BYLAYER", 0, 0, 0.0));
  dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
  dw.tableEnd();
  dw.tableLayers(2);
  for (const char* layer : {"0", kOutlineLayer}) {
    dxf.writeLayer(dw, DL_LayerData(layer, 0),
                   DL_Attributes("", DL_Codes::white, 100, "CONTINUOUS", 1.0));
  }
  dw.tableEnd();
  dw.tableStyle(1);
  dxf.writeStyle(dw, DL_StyleData("standard", 0, 2.5, 1.0, 0.0, 0, 2.5, "txt", ""));
  dw.tableEnd();
  dxf.writeView(dw);
  dxf.writeUcs(dw);
  dw.tableAppid(1);
  dxf.writeAppid(dw, "ACAD");
  dw.tableEnd();
  dxf.writeDimStyle(dw, 1, 1, 1, 1, 1);
  dxf.writeBlockRecord(dw);
  dw.tableEnd();
  dw.sectionEnd();
  dw.sectionBlocks();
  for (const char* block : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
    dxf.writeBlock(dw, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(dw, block);
  }
  dw.sectionEnd();
}

void WriteEntity(DL_Dxf& dxf, DL_WriterA& dw, const DrawnPiece& piece) {
  const DL_Attributes layer(kOutlineLayer, DL_Codes::bylayer, 0, "BYLAYER", 1.0);
  switch (piece.kind) {
    case DrawnPiece::Kind::kLine:
      dxf.writeLine(dw, DL_LineData(piece.start.x, piece.start.y, 0.0, piece.end.x, piece.end.y, 0.0), layer);
      break;
    case DrawnPiece::Kind::kCircle:
      dxf.writeCircle(dw, DL_CircleData(piece.centre.x, piece.centre.y, 0.0, piece.radius), layer);
      break;
    case DrawnPiece::Kind::kArc: {
      const double from = piece.sweep > 0.0 ? piece.startAngle : piece.startAngle + piece.sweep;
      dxf.writeArc(dw, DL_ArcData(piece.centre.x, piece.centre.y, 0.0, piece.radius, Degrees(from),
                                  Degrees(from + std::fabs(piece.sweep))),
                   layer);
      break;
    }
  }
}

}  // namespace

bool WriteOutlineDxf(const std::string& path, const std::vector<DrawnPiece>& pieces, DrawingUnits units) {
  DL_Dxf dxf;
  const std::unique_ptr<DL_WriterA> dw(dxf.out(path.c_str(), DL_Codes::AC1015));
  if (!dw || dw->openFailed()) return false;
  WriteHeader(dxf, *dw, pieces, units);
  WriteTables(dxf, *dw);
  dw->sectionEntities();
  for (const DrawnPiece& piece : pieces) WriteEntity(dxf, *dw, piece);
  dw->sectionEnd();
  dxf.writeObjects(*dw);
  dxf.writeObjectsEnd(*dw);
  dw->dxfEOF();
  dw->close();
  return true;
}

DrawingUnits ParseDrawingUnits(const std::string& text) {
  if (text == "mm") return DrawingUnits::kMillimetres;
  if (text == "in") return DrawingUnits::kInches;
  return DrawingUnits::kUnstated;
}

}  // namespace quarnel::cli
