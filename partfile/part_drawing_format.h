// The on-disk structures of the part drawing file (format version 71), each
// with its encoder and decoder side by side: the header, the entity record,
// the second-list section and the trailer. The header's last three words and
// the entity records are a geometry section in the long form of a special-tool
// file, written through that file's codec.
//
// File: header 101 + N entity records of 93 + second-list section
//       + trailer 1394 + 44 * N.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "quarnel/geometry.h"
#include "quarnel/host_entity.h"
#include "spectool/special_tool_format.h"

namespace quarnel::partfile {

inline constexpr int16_t kPartDrawingVersion = 71;

// Text fields: a short one of 21 bytes, a long one of 256.
inline constexpr size_t kPartShortTextBytes = 21;
inline constexpr size_t kPartLongTextBytes = 256;

// Header: version 2 + two floats 4 + 4 + three short texts 3 * 21 + two words
// 4 + 4 + a float 4 + a word 4 = 89, then the geometry section's head 12 = 101.
inline constexpr size_t kPartHeaderFieldBytes = 89;
inline constexpr size_t kPartHeaderBytes = kPartHeaderFieldBytes + spectool::kLongSectionHeadBytes;
static_assert(kPartHeaderBytes == 101);

// Entity record: a long entity of the geometry section with its nine
// parameters and two words: head 21 + parameters 36 + tail 28 + words 8 = 93.
inline constexpr size_t kPartEntityRecordBytes = spectool::kWrittenLongEntityBytes + 4 * spectool::kMaxLongEntityWords;
static_assert(kPartEntityRecordBytes == 93);

// Trailer: a long text 256 + 10 words 40 + a float 4 + 3 words 12 + the entity
// count 4 = 316; the entity table, 11 words (44 bytes) per entity; then a byte
// 1 + 5 words 20 + four long texts 4 * 256 + a short text 21 + 3 words 12 = 1078.
// Without the entity table: 316 + 1078 = 1394.
inline constexpr size_t kPartTrailerWordsPerEntity = 11;
inline constexpr size_t kPartTrailerEntityBytes = 4 * kPartTrailerWordsPerEntity;
inline constexpr size_t kPartTrailerFixedBytes = 1394;

// Second list: a count word, then per element its 42 data bytes; with any
// element, four closing words 16 follow.
inline constexpr size_t kPartSecondListClosingBytes = 16;

// The data bytes of one element of the host's second list.
using SecondListRecord = std::array<unsigned char, kSecondListElementBytes>;

// The header's values: fixed placeholders but for the entity count.
struct PartDrawingHeader {
  int16_t version = kPartDrawingVersion;
  float firstFloat = 0.5f;
  float secondFloat = 0.5f;
  std::string product = "NEW PRODUCT";
  std::string assembly = "NEW ASSEMBLY";
  std::string material = "NEW MATERIAL";
  int32_t firstWord = 1;
  int32_t secondWord = 1;
  float thirdFloat = 0.05f;
  int32_t thirdWord = 11;
  int32_t sectionWord = -1;  // the first unused number of the geometry section's head
  int32_t entityCount = 0;

  bool operator==(const PartDrawingHeader&) const = default;
};

// The trailer's values: fixed placeholders but for the entity count. Its
// entity table is all zeros and is read past.
struct PartDrawingTrailer {
  std::string firstText{};
  int32_t leadWords[10] = {0, 0, 0, 0, 1, 1, 0, 0, 0, 0};
  float floatValue = 1.0f;
  int32_t middleWords[3] = {0, 0, 31999};
  int32_t entityCount = 0;
  uint8_t flagByte = 0;
  int32_t tailWords[5] = {0, 0, 0, 0, 0};
  std::string customerName = "Customer Name";
  std::string partNumber = "Part Number";
  std::string revision = "Revision";  // a short text
  std::string materialType = "Material Type";
  std::string nextOperation = "Next Operation";
  int32_t endWords[3] = {-1, 0, 0};

  bool operator==(const PartDrawingTrailer&) const = default;
};

// Each encoder is false when a write failed, each decoder on a short read.
bool EncodeHeader(platform::BinaryWriter& out, const PartDrawingHeader& header);
bool DecodeHeader(platform::BinaryReader& in, PartDrawingHeader& header);

// One entity record of `entity` as given (the caller converts it first).
bool EncodeEntityRecord(platform::BinaryWriter& out, const GeomEntity& entity);
bool DecodeEntityRecord(platform::BinaryReader& in, GeomEntity& entity);

// The count less one, elements 1 to K-1, element 0, then 0, 0 and element 0's
// words at data offsets 24 and 30; a single 0 for an empty list. Each element
// is written as the host holds it (its own memory order), little-endian.
bool EncodeSecondListSection(platform::BinaryWriter& out, std::span<const SecondListRecord> records);

bool EncodeTrailer(platform::BinaryWriter& out, const PartDrawingTrailer& trailer);
bool DecodeTrailer(platform::BinaryReader& in, PartDrawingTrailer& trailer);

}  // namespace quarnel::partfile
