// The on-disk ToolExtra of a tool library file, with its decoder and encoder
// side by side.
//
// Field order: text length L 2, leading value 4, first text L, first byte 1,
// second byte 1, second text L, two shorts 2 + 2, the block's values 4 + 8 +
// 4 + 4, entry count m 1, m entries of 7 (byte A 1, value 4, byte B 1, byte C
// 1), lead byte 1 (from version 80), trail byte 1 (from version 90).
#pragma once

#include <cstddef>

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "toollib/tool_library.h"

namespace quarnel::toollib {

// Versions from which a ToolExtra carries the block's lead byte and trail byte.
inline constexpr int kFirstVersionWithLeadByte = 80;
inline constexpr int kFirstVersionWithTrailByte = 90;

// One block entry: byte A 1 + value 4 + byte B 1 + byte C 1 = 7.
inline constexpr size_t kExtraEntryBytes = 7;
// Without its texts and entries: length 2 + leading value 4 + two bytes 2 +
// two shorts 4 + block values 20 + count 1 + lead and trail bytes 2 = 35.
inline constexpr size_t kExtraFixedBytes = 35;
// The longest: fixed 35 + two texts of 256 + 20 entries of 7 = 687, which is
// also what a save writes for an extra of 20 entries.
inline constexpr size_t kLongestExtraBytes =
    kExtraFixedBytes + 2 * static_cast<size_t>(kExtraTextSize) + kExtraEntryCount * kExtraEntryBytes;
static_assert(kLongestExtraBytes == 687);

// Reads one ToolExtra in the form of file version `version` into `extra`
// (which starts as a new ToolExtra). False on a short read, and on a text
// length outside 1..256 or an entry count above 20, which no field holds; a
// count below 0 reads no entries.
bool ReadToolExtra(platform::BinaryReader& in, int version, ToolExtra& extra);

// Writes `extra` in the version-92 form (text length 256); false when a write failed.
bool WriteToolExtra(platform::BinaryWriter& out, const ToolExtra& extra);

}  // namespace quarnel::toollib
