// StationRecord: one station of a station table, held as the 176-byte record
// of the table's record list. Only the station number, the tool position and
// the flags mean anything to this library; every other field is carried.
#pragma once

#include <array>
#include <cstdint>

namespace quarnel::stations {

inline constexpr uint32_t kStationRecordSize = 176;

// Offsets of the fields this library uses.
inline constexpr int kStationNumberOffset = 8;
inline constexpr int kStationSizeOffset = 12;
inline constexpr int kStationKindOffset = 16;
inline constexpr int kToolPositionOffset = 20;
inline constexpr int kStationFlagsOffset = 84;

// Flag bits tied to the station's tool; bit 2 is independent of it.
inline constexpr uint8_t kToolFlagBits = 0x03;
inline constexpr uint8_t kFirstToolFlag = 0x01;

struct StationRecord {
  // The record's bytes at their fixed offsets, numbers little-endian.
  std::array<uint8_t, kStationRecordSize> bytes{};

  int32_t StationNumber() const { return Int32At(kStationNumberOffset); }
  float StationSize() const;
  int32_t StationKind() const { return Int32At(kStationKindOffset); }
  // 1-based position of the station's tool in the loaded library; 0 = no tool.
  int32_t ToolPosition() const { return Int32At(kToolPositionOffset); }
  // Sets the tool position; 0 also clears flag bits 0 and 1.
  void SetToolPosition(int32_t position);
  uint8_t Flags() const { return bytes[kStationFlagsOffset]; }

  int32_t Int32At(int offset) const;
  void SetInt32At(int offset, int32_t value);
};

}  // namespace quarnel::stations
