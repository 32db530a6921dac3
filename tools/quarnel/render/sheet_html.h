// The setup sheet as one self-contained HTML page: a header with the files,
// then per turret table one printed page with its drawing and its station table.
#pragma once

#include <string>

#include "render/sheet_model.h"

namespace quarnel::cli {

// The whole page: inline CSS and SVG, no scripts, nothing fetched.
std::string SheetHtml(const SheetModel& model);

}  // namespace quarnel::cli
