// The on-disk structures of a special-tool file that its reader and its writer
// share, each with its decode and encode side by side: the heads of both
// entity sections and the short (version 7) and long (later versions) entity
// records; the tool data before them are toollib's. Decoding gives the fields as
// stored; what the reader makes of them (its corrections, groups) is the
// reader's business.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "quarnel/geometry.h"
#include "toollib/special_tool_header_format.h"
#include "toollib/tool_record.h"

namespace quarnel::spectool {

// The version the writer writes: that of the tool record it carries.
inline constexpr int16_t kCurrentSpecialToolVersion = 92;

// The tool data before the entity section, which the library loader reads
// too: toollib/special_tool_header_format.h.
using toollib::DecodeToolHeader;
using toollib::EncodeToolHeader;
using toollib::kLegacySideAreaBytes;
using toollib::kNoSide;
using toollib::kSideAreaBytes;
using toollib::kSideOne;
using toollib::kSideTwo;

// Long section head: unused 4 + unused 4 + count 4 = 12.
inline constexpr size_t kLongSectionHeadBytes = 12;
// Short section head: count 2 + unused 2 + unused 2 = 6.
inline constexpr size_t kShortSectionHeadBytes = 6;

// Short entity head: type 1 + unused 2 + ref 2 + unused 2 + flags 2 + x 4 + y 4 = 17;
// the type's own parameter count of floats follows.
inline constexpr size_t kShortEntityHeadBytes = 17;
// Long entity head: type 1 + ref 4 + flags 4 + x 4 + y 4 + parameter count 4 = 21.
inline constexpr size_t kLongEntityHeadBytes = 21;
// Long entity parameters: at most 9 floats of 4 = 36.
inline constexpr int32_t kMaxStoredParams = 9;
// Long entity tail without its optional fields: unused 8 + word count 4 +
// text flag 4 + unused 12 = 28 (up to 2 words of 4 follow the word count, and
// a 256-byte text the text flag when it is above 0).
inline constexpr size_t kLongEntityTailBytes = 28;
inline constexpr int32_t kMaxLongEntityWords = 2;
inline constexpr size_t kLongEntityTextBytes = 256;
// A long entity as the writer writes it: head 21 + 9 parameters 36 + tail 28 = 85.
inline constexpr size_t kWrittenLongEntityBytes = kLongEntityHeadBytes + 4 * kMaxStoredParams + kLongEntityTailBytes;
static_assert(kWrittenLongEntityBytes == 85);

// The words of a long entity's tail as an encoder writes them; no encoder
// writes a text. The special-tool writer writes the defaults.
struct LongEntityTail {
  int32_t unused[2] = {0, 0};
  int32_t wordCount = 0;  // 0 to kMaxLongEntityWords words follow
  int32_t words[kMaxLongEntityWords] = {0, 0};
};

// The fields of one stored entity. Unpacked, so that reads can fill them.
struct StoredEntity {
  int8_t type = 0;
  int32_t ref = 0;
  uint32_t flags = 0;
  float x = 0.0f;
  float y = 0.0f;
  float p[kMaxStoredParams] = {};
};

// Section heads: the entity count and the unused numbers around it.
bool DecodeShortSectionHead(platform::BinaryReader& in, int16_t& count);
bool EncodeShortSectionHead(platform::BinaryWriter& out, int16_t count);
bool DecodeLongSectionHead(platform::BinaryReader& in, int32_t& count);
// `first_unused` is the first of the two numbers before the count.
bool EncodeLongSectionHead(platform::BinaryWriter& out, int32_t count, int32_t first_unused = 0);

// The parameters a short entity stores for `type`: the type's parameter count,
// but 4 of a V notch's 5; -1 for codes without a count.
int ShortEntityParamCount(int type);

// A short entity into `entity`: type, ref and flags (both sign-extended from
// 16 bits), x, y and the type's stored parameters; a V notch's p[4] becomes 0.
// Parameters it does not store keep their values. False on a short read and
// for a type code without a parameter count (the section cannot go on).
bool DecodeShortEntity(platform::BinaryReader& in, StoredEntity& entity);
// Writes ref and flags cut to 16 bits; false for a code without a count.
bool EncodeShortEntity(platform::BinaryWriter& out, const StoredEntity& entity);

// A long entity into `entity`; a stored parameter count outside 0..9 stores
// no parameter, and parameters not stored keep their values. The unused
// fields are read past. False on a short read.
bool DecodeLongEntity(platform::BinaryReader& in, StoredEntity& entity);
// Writes all nine parameters, then `tail`, no text and three zero words.
bool EncodeLongEntity(platform::BinaryWriter& out, const StoredEntity& entity, const LongEntityTail& tail = {});

// The stored fields of an entity as the host holds it, and back.
StoredEntity StoredEntityOf(const GeomEntity& entity);
GeomEntity EntityOfStored(const StoredEntity& stored);

}  // namespace quarnel::spectool
