// Reader of special-tool files (".spt"): the tool data into the host's
// SpecialToolInfo, the outline's entities into an item list.
#pragma once

#include <cstdint>

#include "platform/binary_reader.h"
#include "platform/status.h"
#include "quarnel/special_tool_info.h"
#include "spectool/geom_item.h"
#include "spectool/special_tool_format.h"
#include "toollib/special_tool_link.h"

namespace quarnel::spectool {

// Longest special-tool path accepted, NUL not counted.
inline constexpr size_t kMaxSpecialToolPath = 255;

// The two layouts of a file's entity section: short in version 7, long after.
enum class EntityForm { kShort, kLong };

// Reads the file named by info->path: fills info's tool fields (size through
// side, nothing else) once the tool data were read and appends the file's
// entities to `items`; the tool is tied to its file through `links`. kOk when
// read (for version 7 also when the tool data or the entities end early),
// kFileMissing when there is no such file (or no usable path),
// kFileCannotOpen, kFileUnknownVersion, or kFileReadFailed when the file
// ended early.
StatusCode ReadSpecialTool(SpecialToolInfo* info, GeomItemList& items, const toollib::SpecialToolLinks& links);

// Reads an entity section in `form` from the reader's position, appending each
// stored entity to `items`; false when the section ended early (the entities
// read before stay).
bool ReadSpecialToolGeometry(platform::BinaryReader& in, EntityForm form, GeomItemList& items);

// What the reader makes of a stored entity of the short and of the long form:
// the corrections it applies before storing it.
void CorrectShortEntity(StoredEntity& entity);
void CorrectLongEntity(StoredEntity& entity);

// The item the reader stores for a corrected entity that a group moved by
// `offset` (the group-member flag cleared).
GeomItem ItemFromStored(const StoredEntity& entity, GeomPoint offset);

}  // namespace quarnel::spectool
