// The part drawing file (format version 71) that shows a special tool's
// outline: a fixed header, one record per entity, the second-list records and
// a fixed trailer.
#pragma once

#include <span>
#include <string>

#include "partfile/part_drawing_format.h"
#include "platform/file_system.h"
#include "platform/status.h"
#include "quarnel/geometry.h"

namespace quarnel::partfile {

// Where the host expects the part drawing of a special tool.
inline constexpr char kPartDrawingPath[] = "c:\\spt.prt";

// Writes the whole part drawing of `entities` (as the host holds them; each is
// converted on a copy) and `second_list` to `file`; false at the first write
// that does not complete.
bool WritePartDrawing(platform::File& file, std::span<const GeomEntity> entities,
                      std::span<const SecondListRecord> second_list);

// Writes the part drawing to `path` through a temporary file that replaces
// `path` only when complete; kOk when the new file is in place, else
// kFileCannotOpen or kFileWriteFailed.
StatusCode SavePartDrawing(const std::string& path, std::span<const GeomEntity> entities,
                           std::span<const SecondListRecord> second_list);

}  // namespace quarnel::partfile
