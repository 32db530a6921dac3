// The length unit a drawing states. The library's files carry no unit: their
// numbers are drawn as they are, and a unit given by the user is only named.
#pragma once

#include <string>

namespace quarnel::cli {

enum class DrawingUnits { kUnstated, kMillimetres, kInches };

// "mm" or "in" (as --units takes them); kUnstated for "".
DrawingUnits ParseDrawingUnits(const std::string& text);

}  // namespace quarnel::cli
