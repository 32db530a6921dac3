#include "input/dxf_input.h"

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include <cmath>
#include <fstream>
#include <numbers>

#include "cli_error.h"
#include "file_io.h"
#include "input/polyline_shapes.h"

namespace quarnel::cli {
namespace {

constexpr char kBinarySentinel[] = "AutoCAD Binary DXF";
constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kTurn = 2.0 * std::numbers::pi;
// $INSUNITS codes, and millimetres per inch.
constexpr int kUnitsInches = 1;
constexpr int kUnitsMillimetres = 4;
constexpr double kMillimetresPerInch = 25.4;
// POLYLINE flags: closed; 3D polyline, polygon mesh, polyface mesh.
constexpr int kPolylineClosed = 1;
constexpr int kPolylineNotPlanar = 8 | 16 | 64;

// One entity as the group codes named it: type, handle, layer, paper space.
struct EntityHeader {
  std::string type;
  std::string handle;
  std::string layer = "0";
  bool paperSpace = false;
  bool inEntities = false;  // in the ENTITIES section (not a block definition)

  std::string Name() const { return type + (handle.empty() ? " (no handle)" : " (handle " + handle + ")"); }
};

// Collects the outline while dxflib reads the file. dxflib reports an entity
// once the group that starts the next one arrives, so the header of the entity
// being reported is the one that group ended.
class OutlineCollector : public DL_CreationAdapter {
 public:
  explicit OutlineCollector(const DxfInputOptions& options) : options_(options) {}

  void processCodeValuePair(unsigned int code, const std::string& value) override {
    if (code == 0) {
      ended_ = current_;
      if (ended_.inEntities && !IsHandled(ended_.type) && Wanted(ended_)) unsupported_.push_back(ended_.Name());
      if (value == "ENDSEC") section_.clear();
      if (value == "EOF") sawEnd_ = true;
      current_ = EntityHeader();
      current_.type = value;
      current_.inEntities = section_ == "ENTITIES" && value != "ENDSEC";
    } else if (code == 2 && current_.type == "SECTION") {
      section_ = value;
    } else if (code == 5) {
      current_.handle = value;
    } else if (code == 8) {
      current_.layer = value;
    } else if (code == 67) {
      current_.paperSpace = value.find('1') != std::string::npos;
    }
  }

  void setVariableInt(const std::string& key, int value, int) override {
    if (key == "$INSUNITS") drawingUnits_ = value;
  }

  void addLine(const DL_LineData& d) override {
    if (!Take()) return;
    Add(LineEntity(d.x1 * scale_, d.y1 * scale_, d.x2 * scale_, d.y2 * scale_));
  }

  void addArc(const DL_ArcData& d) override {
    if (!Take() || !Planar()) return;
    double start = d.angle1;
    double sweep = std::fmod(d.angle2 - d.angle1, 360.0);
    if (sweep <= 0.0) sweep += 360.0;
    double cx = d.cx;
    if (Mirrored()) {  // seen from below: x runs the other way, and so do angles
      cx = -cx;
      start = 180.0 - start;
      sweep = -sweep;
    }
    Add(ArcEntity(cx * scale_, d.cy * scale_, d.radius * scale_, std::fmod(start, 360.0) * kDegree, sweep * kDegree));
  }

  void addCircle(const DL_CircleData& d) override {
    if (!Take() || !Planar()) return;
    Add(RoundHoleEntity((Mirrored() ? -d.cx : d.cx) * scale_, d.cy * scale_, d.radius * scale_));
  }

  void addPolyline(const DL_PolylineData& d) override {
    if (!Take() || !Planar()) return;
    if (d.flags & kPolylineNotPlanar) {
      Refuse(ended_.Name() + " is a 3D polyline or mesh");
      return;
    }
    polyline_ = Polyline{{}, (d.flags & kPolylineClosed) != 0, Mirrored()};
    polylineOpen_ = true;
  }

  void addVertex(const DL_VertexData& d) override {
    if (!polylineOpen_) return;
    const double x = polyline_.mirrored ? -d.x : d.x;
    const double bulge = polyline_.mirrored ? -d.bulge : d.bulge;
    polyline_.vertices.push_back({x * scale_, d.y * scale_, bulge});
  }

  void endSequence() override { FlushPolyline(); }

  // The first LINE, ARC or other reported entity after a lightweight polyline
  // ends it; so does the end of the file.
  void Finish() { FlushPolyline(); }

  void UseScale(double scale) { scale_ = scale; }
  int drawingUnits() const { return drawingUnits_; }
  bool sawEnd() const { return sawEnd_; }
  DrawingOutline& outline() { return outline_; }
  const std::vector<std::string>& unsupported() const { return unsupported_; }

 private:
  static bool IsHandled(const std::string& type) {
    return type == "LINE" || type == "ARC" || type == "CIRCLE" || type == "LWPOLYLINE" || type == "POLYLINE" ||
           type == "VERTEX" || type == "SEQEND" || type == "ENDSEC" || type == "EOF";
  }
  bool Wanted(const EntityHeader& header) const {
    return !header.paperSpace && (!options_.layer || header.layer == *options_.layer);
  }
  // Whether the entity being reported belongs to the outline.
  bool Take() {
    FlushPolyline();
    return ended_.inEntities && Wanted(ended_);
  }
  bool Mirrored() { return getExtrusion()->getDirection()[2] < 0.0; }
  bool Planar() {
    const double* d = getExtrusion()->getDirection();
    if (d[0] == 0.0 && d[1] == 0.0 && d[2] != 0.0) return true;
    Refuse(ended_.Name() + " is not drawn in the XY plane");
    return false;
  }
  void Refuse(const std::string& what) { unsupported_.push_back(what); }
  void Add(const GeomEntity& entity) { outline_.entities.push_back(entity); }

  void FlushPolyline() {
    if (!polylineOpen_) return;
    polylineOpen_ = false;
    std::optional<GeomEntity> shape;
    if (options_.shapes && polyline_.closed) shape = ShapeOfClosedPolyline(polyline_.vertices);
    if (shape) {
      Add(*shape);
    } else {
      for (const GeomEntity& piece : PolylinePieces(polyline_.vertices, polyline_.closed)) Add(piece);
    }
  }

  struct Polyline {
    std::vector<PolylineVertex> vertices;
    bool closed = false;
    bool mirrored = false;
  };

  const DxfInputOptions& options_;
  EntityHeader current_;
  EntityHeader ended_;
  std::string section_;
  bool sawEnd_ = false;
  int drawingUnits_ = 0;
  double scale_ = 1.0;
  Polyline polyline_;
  bool polylineOpen_ = false;
  DrawingOutline outline_;
  std::vector<std::string> unsupported_;
};

bool IsBinaryDxf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char head[sizeof kBinarySentinel - 1] = {};
  in.read(head, sizeof head);
  return in.gcount() == sizeof head && std::string(head, sizeof head) == kBinarySentinel;
}

// The factor from the drawing's unit into the wanted one; 1 when either is unknown.
double UnitScale(int drawing_units, std::optional<LengthUnit> wanted) {
  if (!wanted) return 1.0;
  if (drawing_units == kUnitsInches && *wanted == LengthUnit::kMillimetre) return kMillimetresPerInch;
  if (drawing_units == kUnitsMillimetres && *wanted == LengthUnit::kInch) return 1.0 / kMillimetresPerInch;
  return 1.0;
}

std::string Listed(const std::vector<std::string>& names) {
  std::string text;
  for (size_t i = 0; i < names.size() && i < 10; ++i) text += (i > 0 ? ", " : "") + names[i];
  if (names.size() > 10) text += ", ... (" + std::to_string(names.size()) + " in all)";
  return text;
}

}  // namespace

DrawingOutline ReadDxfOutline(const std::string& path, const DxfInputOptions& options) {
  if (!IsRegularFile(path)) throw FileFailure(path, "no such DXF file");
  if (IsBinaryDxf(path)) throw FileFailure(path, "is a binary DXF, which is not read; save the drawing as ASCII DXF");

  // The header comes before the entities, so a first pass learns the units.
  double scale = 1.0;
  if (options.units) {
    OutlineCollector units_pass(options);
    DL_Dxf().in(path, &units_pass);
    scale = UnitScale(units_pass.drawingUnits(), options.units);
  }
  OutlineCollector collector(options);
  collector.UseScale(scale);
  if (!DL_Dxf().in(path, &collector)) throw FileFailure(path, "cannot be read");
  collector.Finish();
  if (!collector.sawEnd()) throw FileFailure(path, "ends early: the drawing has no EOF marker (a truncated file?)");
  if (!collector.unsupported().empty() && !options.skipUnsupported) {
    throw FileFailure(path, "holds entities a special tool cannot take: " + Listed(collector.unsupported()) +
                                " (--skip-unsupported leaves them out)");
  }
  DrawingOutline outline = std::move(collector.outline());
  outline.skipped = collector.unsupported();
  if (outline.entities.empty()) {
    throw FileFailure(path, options.layer ? "has no lines, arcs, circles or polylines on layer \"" + *options.layer + "\""
                                          : "has no lines, arcs, circles or polylines in model space");
  }
  return outline;
}

}  // namespace quarnel::cli
