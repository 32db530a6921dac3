// The demo's drawing loop: a punch drawn as DXF, made into a special-tool
// file, added to the demo library and drawn back to SVG.
#pragma once

#include <string>
#include <vector>

namespace quarnel::cli {

// Runs the loop in `folder` (the special-tool folder of the demo's profile)
// with the demo library `library`, gives the new tool its stations in
// `stations`, and tells what it did.
// The files the loop writes into `folder`, for the demo's check of its outputs.
std::vector<std::string> DrawingLoopFiles(const std::string& folder);

void ShowDrawingLoop(const std::string& folder, const std::string& library, const std::string& stations);

}  // namespace quarnel::cli
