// The station record as a station file stores it: the 176 bytes of the
// in-memory record (numbers little-endian in both), in an order of their own,
// with its decoder and encoder side by side.
//
// File order, by record offset (width): 8, 12, 16, 20, 24 (4 each), 28 (16),
// 44 (4), 48 (24), 72 (12), 84, 85, 99 (1 each), 101, 0, 4, 113, 117, 121,
// 125, 129 (4 each), 133 (16), 87, 91, 95, 105, 109 (4 each), 149, 150, 151
// (1 each), 152 (24), 86, 100 (1 each).
#pragma once

#include <cstddef>

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "stations/station_record.h"

namespace quarnel::stations {

// Record bytes: words 4 * 5 + 16 + 4 + 24 + 12 = 76, bytes 1 * 3 = 3,
// words 4 * 8 = 32, words 16 + 4 * 5 = 36, bytes 1 * 3 = 3, block 24,
// bytes 1 * 2 = 2: 76 + 3 + 32 + 36 + 3 + 24 + 2 = 176.
inline constexpr size_t kStationRecordFileBytes = 176;
static_assert(kStationRecordFileBytes == kStationRecordSize);

// Reads one record field by field into `record`; false on a short read (the
// fields read so far stay). A record without a tool loses flag bit 0.
bool DecodeStationRecord(platform::BinaryReader& in, StationRecord& record);

// Writes `record` in file order; false when a write failed.
bool EncodeStationRecord(platform::BinaryWriter& out, const StationRecord& record);

}  // namespace quarnel::stations
