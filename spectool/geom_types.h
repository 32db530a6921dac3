// Per-type tables of geometry entities: kind, parameter count and name.
#pragma once

#include <cstdint>

namespace quarnel::spectool {

// Entity type codes.
enum GeomType : int8_t {
  kGeomNull = 0,
  kGeomRoundHole = 1,
  kGeomRadiusedSlot = 2,
  kGeomRectangularHole = 3,
  kGeomLine = 4,
  kGeomArc = 5,
  kGeomObroundSlot = 6,
  kGeomGroup = 7,
  kGeomCornerNotch = 8,
  kGeomVNotch = 9,
  kGeomPatternLine = 10,
  kGeomPatternGrid = 11,
  kGeomPatternCircle = 12,
  kGeomPatternArc = 13,
  kGeomCenterRectangle = 14,
  kGeomSingleD = 15,
  kGeomDoubleD = 16,
  kGeomPoint = 17,
  kGeomRetreatLine = 18,
  kGeomRetreatArc = 19,
  kGeomRoundedCornerRectangle = 20,
  kGeomTriangle = 21,
};

// Flag bits with a meaning in this library.
inline constexpr uint32_t kFlagRefInUse = 0x0001;
inline constexpr uint32_t kFlagSeed = 0x0002;
inline constexpr uint32_t kFlagGroupMember = 0x0080;
inline constexpr uint32_t kFlagOverallSize = 0x0400;
inline constexpr uint32_t kFlagInnerRadius = 0x0800;
inline constexpr uint32_t kFlagOuterRadius = 0x1000;
// The flag bits a pattern copy keeps: 0, 6, 7, 10, 11 and 12.
inline constexpr uint32_t kCopyMask = 0x1CC1;

enum class GeomKind { kNone, kSingle, kPattern, kGroup };

GeomKind Kind(int type);
// Parameters a version-7 file stores for the type; -1 when the type has none.
int ParamCount(int type);
// The display name of codes 0 to 21; nullptr for every other code.
const char* TypeName(int type);

}  // namespace quarnel::spectool
