// ToolRecord: one punch tool as the library holds it in memory.
#pragma once

#include <cstdint>
#include <string>

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"

namespace quarnel::toollib {

class ToolLibrary;
struct SpecialToolLinks;
struct SpecialToolNameBuffers;

// Tool type codes.
inline constexpr int32_t kTypeRound = 1;            // "RO  "
inline constexpr int32_t kTypeRectangle = 3;        // "RE  "
inline constexpr int32_t kTypeDimensionsOnly = 9;   // matches on dimensions alone
inline constexpr int32_t kTypeSquare = 103;         // "SQ  "
inline constexpr int32_t kTypeSingleD = 104;        // "SD  "
inline constexpr int32_t kTypeDoubleD = 105;        // "DD  "
inline constexpr int32_t kTypeObround = 106;        // "OB  "
inline constexpr int32_t kTypeTriangle = 107;       // "TR  "
inline constexpr int32_t kTypeSpecial = 108;        // special tool, tied to a special-tool file
inline constexpr int32_t kTypeCircleRect = 109;     // "CR  "
inline constexpr int32_t kTypeRoundedRect = 110;    // "RC  "

// Number of type slots with a code (slot 0 "NULL" plus slots 1 to 10).
inline constexpr int kCodedTypeSlots = 11;

// The type slot of a type code: 1..10 for the listed codes, 0 for every other.
int TypeSlotOfCode(int32_t type_code);
// The type code of slot 1..10 (0 for slot 0 and out-of-range slots).
int32_t CodeOfTypeSlot(int slot);
// The dump label of slot 0..10 ("NULL", "CR  ", ... "TR  " and the special-tool label); "NULL" otherwise.
const char* TypeSlotLabel(int slot);

// Tolerances of the match test (single-precision constants).
inline constexpr float kLengthTolerance = 0.0001f;
inline constexpr float kAngleTolerance = 1.7453292e-05f;

// Special-tool flag bits, derived from z for type 108.
inline constexpr uint32_t kSpecialFlagOne = 0x1;
inline constexpr uint32_t kSpecialFlagTwo = 0x2;

// Bytes of a tool record in the library's record list.
inline constexpr uint32_t kToolRecordSize = 124;
inline constexpr int kSpecialBlockSize = 24;

// The fields of one tool. Trivially copyable: it is stored by value in a
// record list of kToolRecordSize bytes. `shapeText` is never set by this
// system; it is always absent and therefore not stored.
struct ToolRecord {
  float size = 0.0f;
  int32_t typeCode = 0;
  int32_t specialToolIndex = 0;
  int32_t extraIndex = 0;
  float dimensions[3] = {0.0f, 0.0f, 0.0f};
  int32_t keyedCount = 0;
  float angles[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  int32_t dieClearanceCount = 0;
  float dieClearances[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  float valueA = 0.0f;
  float valueB = 0.0f;
  uint32_t specialFlags = 0;
  float valueC = 0.0f;
  float valueD = 0.0f;
  unsigned char specialBlock[kSpecialBlockSize] = {};

  // The dump's "SHAPE" text; absent in every record this system builds.
  const char* shapeText() const { return nullptr; }

  // Builds a record from the fields of a 72-byte legacy tool record; the keyed
  // count is taken as given, without the range check.
  static ToolRecord FromLegacyRecord(float size, int32_t type_code, const char* name,
                                     const float dimensions[3], int32_t keyed_count,
                                     const float angles[4], int32_t die_clearance_count,
                                     const float die_clearances[4]);

  // Stores n, or 0 when n is below 0 or above 4.
  void SetKeyedCount(int32_t n);
  // Resets a stored value outside 0..4 to 0, then returns the stored value.
  int32_t KeyedCount();

  void SetDimensions(float x, float y, float z);
  void SetAngles(float a1, float a2, float a3, float a4);
  void SetDieClearances(float d1, float d2, float d3, float d4);

  // 1 when this library tool matches `other` (the tool looked for), else 0.
  int Matches(ToolRecord& other) const;

  // Special flags from z of a type-108 record read from a file.
  void FlagsFromZ();
  // z of a type-108 record replaced by 0, 1 or 2 from its flags before writing.
  void ZFromFlags();

  // Ties a type-108 record to its special-tool file through the special path
  // list of the links' library; no change without a library or name.
  void ResolveSpecialTool(const char* name, const SpecialToolLinks& links);
  // The file-name part of the record's special-tool path in `library` cut to
  // n - 1 characters, in the one of the two `names` buffers whose turn it is;
  // "" when none or without a library.
  const char* SpecialToolName(int n, ToolLibrary* library, SpecialToolNameBuffers& names) const;
  // Copies the record's full special-tool path in `library` into `buffer`
  // (256 characters); "" without a library.
  void SpecialToolPath(char* buffer, ToolLibrary* library) const;

  // Reads the on-disk record of file version `version`; with `with_path` a
  // special tool's 256-byte path follows its index and is tied in through
  // `links` (not tied without them). 1 = read, 0 = a read failed.
  int ReadRecord(platform::BinaryReader& in, int version, bool with_path,
                 const SpecialToolLinks* links = nullptr);
  // Writes the version-92 on-disk record; with `with_path` a special tool's
  // path in `library` follows its index. 1 = written, 0 = a write failed.
  int WriteRecord(platform::BinaryWriter& out, bool with_path, ToolLibrary* library = nullptr);

  // The record as the library's fixed-size list record, and back.
  void ToBytes(unsigned char (&bytes)[kToolRecordSize]) const;
  static ToolRecord FromBytes(const unsigned char* bytes);
};

static_assert(sizeof(ToolRecord) <= kToolRecordSize, "a tool must fit its list record");

// A new record: every field as ToolRecord{} leaves it.
extern const ToolRecord kNewToolRecord;

}  // namespace quarnel::toollib
