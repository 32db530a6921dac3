// The on-disk ToolExtra of a tool library file.
#pragma once

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "toollib/tool_library.h"

namespace quarnel::toollib {

// Reads one ToolExtra in the form of file version `version` into `extra`
// (which starts as a new ToolExtra). False on a short read, and on a text
// length outside 1..256 or an entry count above 20, which no field holds; a
// count below 0 reads no entries.
bool ReadToolExtra(platform::BinaryReader& in, int version, ToolExtra& extra);

// Writes `extra` in the version-92 form (text length 256); false when a write failed.
bool WriteToolExtra(platform::BinaryWriter& out, const ToolExtra& extra);

}  // namespace quarnel::toollib
