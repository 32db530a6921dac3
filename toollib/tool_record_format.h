// The on-disk tool record that tool library files, special-tool files and
// station files share, in the form of each file version, with its decoder and
// encoder side by side.
//
// Field order: size, typeCode, [specialBlock], specialToolIndex, [path],
// extraIndex, dimensions (y, x, z for a triangle), keyedCount, angles,
// dieClearanceCount, dieClearances, valueA, valueB, [valueC, valueD].
#pragma once

#include <cstddef>

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "toollib/tool_record.h"

namespace quarnel::toollib {

// Versions from which a record carries valueC/valueD, and a special tool its block.
inline constexpr int kFirstVersionWithValuesCD = 60;
inline constexpr int kFirstVersionWithSpecialBlock = 90;

// Fields of every version: size 4 + typeCode 4 + specialToolIndex 4 +
// extraIndex 4 + dimensions 3 * 4 + keyedCount 4 + angles 4 * 4 +
// dieClearanceCount 4 + dieClearances 4 * 4 + valueA 4 + valueB 4 = 76.
inline constexpr size_t kToolRecordBaseBytes = 76;
// valueC 4 + valueD 4 = 8, from version 60 on.
inline constexpr size_t kToolRecordValuesCDBytes = 8;
// A special tool's block, from version 90 on: 24.
inline constexpr size_t kToolRecordSpecialBlockBytes = kSpecialBlockSize;
// A special tool's path, when the file carries it (station files): 256.
inline constexpr size_t kToolRecordPathBytes = 256;
// The longest record: base 76 + values 8 + block 24 + path 256 = 364.
inline constexpr size_t kLongestToolRecordBytes =
    kToolRecordBaseBytes + kToolRecordValuesCDBytes + kToolRecordSpecialBlockBytes + kToolRecordPathBytes;
static_assert(kLongestToolRecordBytes == 364);

// Bytes of one record of file version `version`; `special` for type 108,
// `with_path` when the file carries a special tool's path.
constexpr size_t ToolRecordBytes(int version, bool special, bool with_path) {
  return kToolRecordBaseBytes + (version >= kFirstVersionWithValuesCD ? kToolRecordValuesCDBytes : 0) +
         (special && version >= kFirstVersionWithSpecialBlock ? kToolRecordSpecialBlockBytes : 0) +
         (special && with_path ? kToolRecordPathBytes : 0);
}

// Reads one record of file version `version` into `tool` (a new record first),
// with the loader's corrections: a special tool's flags from z, a round tool's
// keyed count 0, a keyed count of 0 or below of other tools 1 with a1 = 0. A
// special tool's path, when present, ties the tool to its file through `links`
// (not tied without them). 1 = read, 0 = a read failed.
int DecodeToolRecord(platform::BinaryReader& in, int version, bool with_path, ToolRecord& tool,
                     const SpecialToolLinks* links = nullptr);

// Writes `tool` in the form of file version `version`, fields as held (z of a
// special tool included); a special tool's path is the one it has in `library`
// ("" without one). 1 = written, 0 = a write failed.
int EncodeToolRecord(platform::BinaryWriter& out, const ToolRecord& tool, int version, bool with_path,
                     ToolLibrary* library = nullptr);

}  // namespace quarnel::toollib
