// The drawing of one turret table: its stations on a circle in station-number
// order, each with its number, the tool it carries and that tool's outline,
// every outline of the sheet to one scale.
#pragma once

#include <string>

#include "render/sheet_model.h"

namespace quarnel::cli {

// Drawing units per tool unit, the same for every table of `model`: the
// largest outline of any station just fits its station's circle.
double SheetScale(const SheetModel& model);

// Width over height of every turret drawing.
double DrawingAspect();

// The inline <svg> element for `table`.
std::string TurretSvg(const SheetModel& model, const SheetTable& table, double scale);

}  // namespace quarnel::cli
