// A special tool's outline from a DXF drawing, read with dxflib: LINE, ARC,
// CIRCLE, LWPOLYLINE and POLYLINE (with bulges) of model space.
#pragma once

#include <optional>
#include <string>

#include "input/outline_entities.h"

namespace quarnel::cli {

enum class LengthUnit { kMillimetre, kInch };

struct DxfInputOptions {
  std::optional<std::string> layer;  // only this layer's entities
  bool shapes = false;               // closed rectangles, obrounds, rounded rectangles as shapes
  bool skipUnsupported = false;      // list unsupported entities instead of failing
  // Lengths are converted into this unit when the drawing states its own
  // ($INSUNITS millimetres or inches); otherwise they are taken as drawn.
  std::optional<LengthUnit> units;
};

// Throws CliError naming `path` when the drawing cannot be read, holds an
// unsupported entity (without skipUnsupported) or gives no outline.
DrawingOutline ReadDxfOutline(const std::string& path, const DxfInputOptions& options);

}  // namespace quarnel::cli
