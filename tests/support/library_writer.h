// Test-side writer of tool library files of every version, and of the on-disk
// tool records they share with special-tool files and station files. It knows
// the layouts on its own and never calls the library under test.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/byte_builder.h"

namespace quarnel::testing {

// One on-disk tool record's values. x, y, z are the tool's dimensions; the
// writer puts them in file order itself (y, x, z for type 107).
struct ToolFields {
  float size = 0.0f;
  int32_t typeCode = 0;
  std::array<uint8_t, 24> specialBlock{};  // written for type 108 from version 90
  int32_t specialToolIndex = 0;
  std::string specialPath;  // written for type 108 when the path is asked for
  int32_t extraIndex = 0;
  float x = 0.0f, y = 0.0f, z = 0.0f;
  int32_t keyedCount = 0;
  std::array<float, 4> angles{};
  int32_t dieClearanceCount = 0;
  std::array<float, 4> dieClearances{};
  float valueA = 0.0f, valueB = 0.0f;
  float valueC = 0.0f, valueD = 0.0f;  // written from version 60
};

// Appends one on-disk tool record in the form of file version `version`; with
// `with_path` a special tool's 256-byte path follows its index.
void AppendToolRecord(ByteBuilder& out, const ToolFields& tool, int version, bool with_path);

// One 72-byte legacy tool record's values.
struct LegacyToolFields {
  float size = 0.0f;
  int8_t typeCode = 0;
  std::string name;
  // 5 normally; 6 puts the name one byte further in (special tools of legacy
  // versions 6 and 7), leaving a blank at offset 5.
  int nameOffset = 5;
  float x = 0.0f, y = 0.0f, z = 0.0f;
  int8_t keyedCount = 0;
  std::array<float, 4> angles{};
  int8_t dieClearanceCount = 0;
  std::array<float, 4> dieClearances{};
};

// Appends one 72-byte legacy tool record.
void AppendLegacyToolRecord(ByteBuilder& out, const LegacyToolFields& tool);

struct ExtraEntryFields {
  uint8_t byteA = 255;
  float value = 0.0f;
  uint8_t byteB = 1;
  uint8_t byteC = 0;
};

// One on-disk ToolExtra's values.
struct ExtraFields {
  int16_t textLength = 256;
  int32_t leadingValue = 0;
  std::string firstText;
  uint8_t firstByte = 0;
  uint8_t secondByte = 0;
  std::string secondText;
  int16_t firstShort = 0;
  int16_t secondShort = 0;
  int32_t blockFirst = 0;
  std::array<uint8_t, 8> blockWide{};
  int32_t blockSecond = 1;
  int32_t blockThird = 0;
  std::vector<ExtraEntryFields> entries;
  // The stored entry count; entries.size() when not given.
  std::optional<int8_t> entryCount;
  uint8_t leadByte = 0;   // written from version 80
  uint8_t trailByte = 0;  // written from version 90
};

// Appends one on-disk ToolExtra in the form of file version `version`; texts
// take textLength bytes each (nothing when textLength is 0 or below).
void AppendToolExtra(ByteBuilder& out, const ExtraFields& extra, int version);

using TypePairs = std::vector<std::pair<int32_t, int32_t>>;

// A current-layout library file (versions 52..92).
struct LibraryFileFields {
  int version = 92;
  std::vector<ToolFields> tools;
  std::optional<int32_t> toolCount;  // tools.size() when not given
  // (start, count) pairs: 20 are written from version 54, the first 9 as
  // int16 pairs for version 52; missing pairs are (0, 0).
  TypePairs typeTable;
  std::vector<ExtraFields> extras;
  std::optional<int32_t> extraCount;
  std::vector<std::string> paths;  // 256 bytes each
  std::optional<int32_t> pathCount;
};

std::string BuildLibraryFile(const LibraryFileFields& file);

// A legacy library file (versions 1, 6, 7). The writer puts the placeholder
// record before `tools` and stores N = tools.size() + 1 unless told otherwise.
struct LegacyLibraryFileFields {
  int version = 7;
  std::vector<LegacyToolFields> tools;
  std::optional<int16_t> storedCount;
  TypePairs typeTable;  // the 9 short pairs
};

std::string BuildLegacyLibraryFile(const LegacyLibraryFileFields& file);

}  // namespace quarnel::testing
