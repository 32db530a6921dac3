#include "spectool/special_tool_format.h"

#include <algorithm>
#include <cstring>

#include "spectool/geom_types.h"

namespace quarnel::spectool {
namespace {

using platform::BinaryReader;
using platform::BinaryWriter;

// Unused bytes are read, not skipped: a skip past the end of a file succeeds,
// and a file that ends inside them must count as ended early.
bool Discard(BinaryReader& in, size_t bytes) {
  unsigned char scratch[kLongEntityTextBytes];
  return in.ReadBytes(scratch, bytes);
}

// Bytes of the long entity's unused fields around its word count.
constexpr size_t kLongEntityGap = 8;
constexpr size_t kLongEntityEnd = 12;
// Bytes of the short entity's two unused gaps.
constexpr size_t kShortEntityGap = 2;
// The short form stores four of a V notch's five parameters.
constexpr int kShortNotchParams = 4;

bool DecodeParams(BinaryReader& in, int count, StoredEntity& entity) {
  for (int i = 0; i < count; ++i) {
    if (!in.ReadF32(entity.p[i])) return false;
  }
  return true;
}

bool EncodeParams(BinaryWriter& out, int count, const StoredEntity& entity) {
  for (int i = 0; i < count; ++i) {
    if (!out.WriteF32(entity.p[i])) return false;
  }
  return true;
}

// The fields a stored entity and the host's entity share, copied one way or
// the other; the parameters are copied whole, as the host's entity is packed.
template <typename To, typename From>
To CopyEntityFields(const From& from) {
  To to{};
  to.type = from.type;
  to.ref = from.ref;
  to.flags = from.flags;
  to.x = from.x;
  to.y = from.y;
  static_assert(sizeof to.p == sizeof from.p);
  std::memcpy(to.p, from.p, sizeof to.p);
  return to;
}

}  // namespace

bool DecodeShortSectionHead(BinaryReader& in, int16_t& count) {
  int16_t unused = 0;
  return in.ReadI16(count) && in.ReadI16(unused) && in.ReadI16(unused);
}

bool EncodeShortSectionHead(BinaryWriter& out, int16_t count) {
  return out.WriteI16(count) && out.WriteI16(0) && out.WriteI16(0);
}

bool DecodeLongSectionHead(BinaryReader& in, int32_t& count) {
  int32_t unused = 0;
  return in.ReadI32(unused) && in.ReadI32(unused) && in.ReadI32(count);
}

bool EncodeLongSectionHead(BinaryWriter& out, int32_t count, int32_t first_unused) {
  return out.WriteI32(first_unused) && out.WriteI32(0) && out.WriteI32(count);
}

int ShortEntityParamCount(int type) { return type == kGeomVNotch ? kShortNotchParams : ParamCount(type); }

bool DecodeShortEntity(BinaryReader& in, StoredEntity& entity) {
  int16_t ref = 0;
  int16_t flags = 0;
  unsigned char unused[kShortEntityGap];
  if (!in.ReadI8(entity.type) || !in.ReadBytes(unused, sizeof unused) || !in.ReadI16(ref) ||
      !in.ReadBytes(unused, sizeof unused) || !in.ReadI16(flags)) {
    return false;
  }
  entity.ref = ref;
  entity.flags = static_cast<uint32_t>(static_cast<int32_t>(flags));
  if (!in.ReadF32(entity.x) || !in.ReadF32(entity.y)) return false;
  const int count = ShortEntityParamCount(entity.type);
  if (count < 0 || !DecodeParams(in, count, entity)) return false;
  if (entity.type == kGeomVNotch) entity.p[kShortNotchParams] = 0.0f;
  return true;
}

bool EncodeShortEntity(BinaryWriter& out, const StoredEntity& entity) {
  const int count = ShortEntityParamCount(entity.type);
  return count >= 0 && out.WriteI8(entity.type) && out.WriteZeros(kShortEntityGap) &&
         out.WriteI16(static_cast<int16_t>(entity.ref)) && out.WriteZeros(kShortEntityGap) &&
         out.WriteI16(static_cast<int16_t>(entity.flags)) && out.WriteF32(entity.x) && out.WriteF32(entity.y) &&
         EncodeParams(out, count, entity);
}

bool DecodeLongEntity(BinaryReader& in, StoredEntity& entity) {
  int32_t param_count = 0;
  if (!in.ReadI8(entity.type) || !in.ReadI32(entity.ref) || !in.ReadU32(entity.flags) || !in.ReadF32(entity.x) ||
      !in.ReadF32(entity.y) || !in.ReadI32(param_count)) {
    return false;
  }
  if (param_count >= 0 && param_count <= kMaxStoredParams && !DecodeParams(in, param_count, entity)) return false;

  int32_t words = 0;
  int32_t text_flag = 0;
  if (!Discard(in, kLongEntityGap) || !in.ReadI32(words)) return false;
  if (words >= 0 && words <= kMaxLongEntityWords && !Discard(in, 4 * static_cast<size_t>(words))) return false;
  if (!in.ReadI32(text_flag)) return false;
  if (text_flag > 0 && !Discard(in, kLongEntityTextBytes)) return false;
  return Discard(in, kLongEntityEnd);
}

bool EncodeLongEntity(BinaryWriter& out, const StoredEntity& entity, const LongEntityTail& tail) {
  const int32_t words = tail.wordCount < 0 ? 0 : std::min(tail.wordCount, kMaxLongEntityWords);
  if (!(out.WriteI8(entity.type) && out.WriteI32(entity.ref) && out.WriteU32(entity.flags) &&
        out.WriteF32(entity.x) && out.WriteF32(entity.y) && out.WriteI32(kMaxStoredParams) &&
        EncodeParams(out, kMaxStoredParams, entity) && out.WriteI32(tail.unused[0]) &&
        out.WriteI32(tail.unused[1]) && out.WriteI32(tail.wordCount))) {
    return false;
  }
  for (int32_t i = 0; i < words; ++i) {
    if (!out.WriteI32(tail.words[i])) return false;
  }
  return out.WriteI32(0) && out.WriteZeros(kLongEntityEnd);
}

StoredEntity StoredEntityOf(const GeomEntity& entity) { return CopyEntityFields<StoredEntity>(entity); }

GeomEntity EntityOfStored(const StoredEntity& stored) { return CopyEntityFields<GeomEntity>(stored); }

}  // namespace quarnel::spectool
