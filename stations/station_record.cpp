#include "stations/station_record.h"

#include <bit>

#include "platform/binary_writer.h"
#include "platform/span_reader.h"

namespace quarnel::stations {

float StationRecord::StationSize() const {
  return std::bit_cast<float>(Int32At(kStationSizeOffset));
}

void StationRecord::SetToolPosition(int32_t position) {
  SetInt32At(kToolPositionOffset, position);
  if (position == 0) bytes[kStationFlagsOffset] &= static_cast<uint8_t>(~kToolFlagBits);
}

int32_t StationRecord::Int32At(int offset) const {
  int32_t value = 0;
  platform::SpanReader(&bytes[static_cast<size_t>(offset)], sizeof value).ReadI32(value);
  return value;
}

void StationRecord::SetInt32At(int offset, int32_t value) {
  platform::StoreLittleEndian(static_cast<uint32_t>(value), &bytes[static_cast<size_t>(offset)]);
}

}  // namespace quarnel::stations
