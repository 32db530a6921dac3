#include "toollib/tool_record.h"

#include <cmath>
#include <cstring>

namespace quarnel::toollib {
namespace {

// Type codes of slots 1 to 10, in slot order.
constexpr int32_t kSlotCodes[kCodedTypeSlots] = {
    0,           kTypeCircleRect, kTypeDoubleD, kTypeObround, kTypeRoundedRect, kTypeRectangle,
    kTypeRound,  kTypeSingleD,    kTypeSquare,  kTypeTriangle, kTypeSpecial};

constexpr const char* kSlotLabels[kCodedTypeSlots] = {"NULL", "CR  ", "DD  ", "OB  ", "RC  ", "RE  ",
                                                      "RO  ", "SD  ", "SQ  ", "TR  ", "SPEC"};

// |a - b| < tolerance, the difference taken in double so that it is not rounded
// to float; a difference equal to the tolerance does not match.
bool Within(float a, float b, float tolerance) {
  return std::fabs(static_cast<double>(a) - static_cast<double>(b)) <
         static_cast<double>(tolerance);
}

bool KeyedCountInRange(int32_t n) { return n >= 0 && n <= 4; }

}  // namespace

int TypeSlotOfCode(int32_t type_code) {
  for (int slot = 1; slot < kCodedTypeSlots; ++slot) {
    if (kSlotCodes[slot] == type_code) return slot;
  }
  return 0;
}

int32_t CodeOfTypeSlot(int slot) {
  return (slot >= 1 && slot < kCodedTypeSlots) ? kSlotCodes[slot] : 0;
}

const char* TypeSlotLabel(int slot) {
  return (slot >= 0 && slot < kCodedTypeSlots) ? kSlotLabels[slot] : kSlotLabels[0];
}

const ToolRecord kNewToolRecord{};

ToolRecord ToolRecord::FromLegacyRecord(float size, int32_t type_code, const char* /*name*/,
                                        const float dimensions[3], int32_t keyed_count,
                                        const float angles[4], int32_t die_clearance_count,
                                        const float die_clearances[4]) {
  ToolRecord record;
  record.size = size;
  record.typeCode = type_code;
  record.SetDimensions(dimensions[0], dimensions[1], dimensions[2]);
  record.keyedCount = keyed_count;
  record.SetAngles(angles[0], angles[1], angles[2], angles[3]);
  record.dieClearanceCount = die_clearance_count;
  record.SetDieClearances(die_clearances[0], die_clearances[1], die_clearances[2],
                          die_clearances[3]);
  return record;
}

void ToolRecord::SetKeyedCount(int32_t n) { keyedCount = KeyedCountInRange(n) ? n : 0; }

int32_t ToolRecord::KeyedCount() {
  if (!KeyedCountInRange(keyedCount)) keyedCount = 0;
  return keyedCount;
}

void ToolRecord::SetDimensions(float x, float y, float z) {
  dimensions[0] = x;
  dimensions[1] = y;
  dimensions[2] = z;
}

void ToolRecord::SetAngles(float a1, float a2, float a3, float a4) {
  angles[0] = a1;
  angles[1] = a2;
  angles[2] = a3;
  angles[3] = a4;
}

void ToolRecord::SetDieClearances(float d1, float d2, float d3, float d4) {
  dieClearances[0] = d1;
  dieClearances[1] = d2;
  dieClearances[2] = d3;
  dieClearances[3] = d4;
}

int ToolRecord::Matches(ToolRecord& other) const {
  if (typeCode != other.typeCode) return 0;
  if (typeCode == kTypeSpecial) return specialToolIndex == other.specialToolIndex ? 1 : 0;

  // Round and square tools are described by x alone.
  const int compared_dimensions = (typeCode == kTypeRound || typeCode == kTypeSquare) ? 1 : 3;
  bool dimensions_match = true;
  for (int i = 0; i < compared_dimensions; ++i) {
    dimensions_match = dimensions_match && Within(dimensions[i], other.dimensions[i], kLengthTolerance);
  }
  if (typeCode == kTypeDimensionsOnly) return dimensions_match ? 1 : 0;

  const bool size_match = Within(size, other.size, kLengthTolerance);
  if (typeCode == kTypeRound) return (size_match && dimensions_match) ? 1 : 0;

  const bool keyed_match = keyedCount == other.KeyedCount();
  bool angles_match = true;
  if (KeyedCountInRange(keyedCount)) {
    for (int i = 0; i < keyedCount; ++i) {
      angles_match = angles_match && Within(angles[i], other.angles[i], kAngleTolerance);
    }
  }
  return (size_match && keyed_match && dimensions_match && angles_match) ? 1 : 0;
}

void ToolRecord::FlagsFromZ() {
  specialFlags = 0;
  if (Within(dimensions[2], 1.0f, kLengthTolerance)) {
    specialFlags |= kSpecialFlagOne;
  } else if (Within(dimensions[2], 2.0f, kLengthTolerance)) {
    specialFlags |= kSpecialFlagTwo;
  }
}

void ToolRecord::ZFromFlags() {
  if ((specialFlags & kSpecialFlagOne) != 0) {
    dimensions[2] = 1.0f;
  } else if ((specialFlags & kSpecialFlagTwo) != 0) {
    dimensions[2] = 2.0f;
  } else {
    dimensions[2] = 0.0f;
  }
}

void ToolRecord::ToBytes(unsigned char (&bytes)[kToolRecordSize]) const {
  std::memcpy(bytes, this, sizeof(ToolRecord));
  std::memset(bytes + sizeof(ToolRecord), 0, sizeof bytes - sizeof(ToolRecord));
}

ToolRecord ToolRecord::FromBytes(const unsigned char* bytes) {
  ToolRecord record;
  std::memcpy(&record, bytes, sizeof(ToolRecord));
  return record;
}

}  // namespace quarnel::toollib
