#include "samples/demo_drawing_loop.h"

#include <cmath>
#include <iostream>
#include <numbers>

#include "file_io.h"
#include "host/add_special_tool.h"
#include "host/library_access.h"
#include "host/special_tool_access.h"
#include "input/create_special.h"
#include "input/dxf_input.h"
#include "number_text.h"
#include "render/dxf_writer.h"
#include "render/svg_writer.h"
#include "samples/demo_set.h"

namespace quarnel::cli {
namespace {

constexpr const char* kName = "KEYHOLE";
constexpr double kPi = std::numbers::pi;

// A keyhole punch: a head of radius 6 open at the bottom, a neck 6 wide with
// a round end, and a pilot hole in the head.
std::vector<GeomEntity> KeyholeDrawing() {
  const double neck = 3.0;
  const double shoulder = -std::sqrt(36.0 - neck * neck);
  return {
      ArcEntity(0, 0, 6, -kPi / 3, 5 * kPi / 3),
      LineEntity(-neck, shoulder, -neck, -14),
      ArcEntity(0, -14, neck, kPi, kPi),
      LineEntity(neck, -14, neck, shoulder),
      ArcEntity(0, 0, 1.5, 0, 2 * kPi),
  };
}

}  // namespace

std::vector<std::string> DrawingLoopFiles(const std::string& folder) {
  const std::string base = folder + "/" + kName;
  return {base + ".dxf", base + ".spt", base + ".svg"};
}

void ShowDrawingLoop(const std::string& folder, const std::string& library, const std::string& stations) {
  const std::string base = folder + "/" + kName;
  ReplaceSafely(base + ".dxf", [](const std::string& temporary) {
    return WriteOutlineDxf(temporary, DrawablePieces(KeyholeDrawing()), DrawingUnits::kMillimetres);
  });

  MadeSpecialTool made;
  made.outline = ReadDxfOutline(base + ".dxf", {});
  const MadeSummary summary = WriteMadeSpecialTool(base + ".dxf", base + ".spt", made);
  const AddedSpecialTool added = AddSpecialTool(library, base + ".spt", false);
  // The new tool gets its stations like every other tool of the demo library.
  std::vector<SampleStation> first, second;
  DemoStations(ReadLibrary(library, std::nullopt).tools, first, second);
  WriteFileSafely(stations, StationFileBytes(first, second));
  const SpecialToolOutline outline = ReadSpecialToolOutline(base + ".spt");
  WriteFileSafely(base + ".svg", OutlineSvg(DrawablePieces(outline.entities), std::string(kName) + ".spt"));

  std::cout << "\nFrom a drawing to the library (quarnel create-special, quarnel add):\n"
            << "  " << kName << ".dxf  drawn by the demo: " << made.outline.entities.size()
            << " lines, arcs and circles\n"
            << "  " << kName << ".spt  made from it, size " << ShortText(summary.size)
            << " (the outline's bounding circle)\n"
            << "  tools.lib    now " << added.toolCount << " tools, the last the special tool " << added.name
            << " (in station " << first.size() << " of the first table)\n"
            << "  " << kName << ".svg  its outline as OpenSpecialTool delivers it: " << outline.entities.size()
            << " lines and arcs\n";
}

}  // namespace quarnel::cli
