#include "spectool/special_tool_writer.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/safe_write.h"
#include "spectool/geom_types.h"
#include "spectool/special_tool_reader.h"

namespace quarnel::spectool {
namespace {

constexpr float kSinglePi = 3.1415927f;
// How many floats on either side of an estimate the search for a stored
// single-D angle tries; the estimate is off by rounding only.
constexpr int kAngleSearchSteps = 8;

bool SameBits(float a, float b) { return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b); }

// The angle to store for a single D whose rotation is to read back as
// `wanted`: the reader turns what it reads by half a turn (OppositeAngle), so
// the stored angle lies half a turn (or one and a half) from it.
std::optional<float> StoredSingleDAngle(float wanted) {
  for (const double turns : {-1.0, 1.0, -3.0, 3.0}) {
    const float estimate = static_cast<float>(static_cast<double>(wanted) + turns * kSinglePi);
    float below = estimate;
    float above = estimate;
    for (int step = 0; step <= kAngleSearchSteps; ++step) {
      for (const float candidate : {below, above}) {
        if (SameBits(static_cast<float>(OppositeAngle(candidate)), wanted)) return candidate;
      }
      below = std::nextafter(below, -INFINITY);
      above = std::nextafter(above, INFINITY);
    }
  }
  return std::nullopt;
}

// The stored form that reads back as `entity`, when there is one.
std::optional<StoredEntity> StoredFormOf(const GeomEntity& entity) {
  StoredEntity stored = StoredEntityOf(entity);
  if (entity.type == kGeomSingleD) {
    const std::optional<float> angle = StoredSingleDAngle(entity.p[2]);
    if (!angle) return std::nullopt;
    stored.p[2] = *angle;
  }
  return stored;
}

// What the reader delivers for `stored` when no group moved it.
GeomEntity ReadBack(StoredEntity stored) {
  CorrectLongEntity(stored);
  return ItemFromStored(stored, GeomPoint()).entity;
}

}  // namespace

std::optional<std::string> UnstorableReason(const GeomEntity& entity) {
  if (entity.type == kGeomGroup) return "a group is not kept by the reader; store its members";
  if (entity.flags & kFlagGroupMember) return "the group-member flag (0x80) is cleared by the reader";
  const std::optional<StoredEntity> stored = StoredFormOf(entity);
  if (!stored) return "no stored single-D rotation reads back as this p[2]";
  const GeomEntity back = ReadBack(*stored);
  if (std::memcmp(&back, &entity, sizeof back) == 0) return std::nullopt;
  if (!SameBits(back.x, entity.x) || !SameBits(back.y, entity.y)) {
    return "a coordinate of negative zero or a signalling NaN reads back changed";
  }
  if (entity.type == kGeomVNotch) return "a V-notch angle p[4] below a thousandth of a degree reads back as pi/2";
  return "it does not read back unchanged";
}

bool EncodeSpecialTool(platform::BinaryWriter& out, const SpecialToolContent& content) {
  toollib::ToolRecord tool = content.tool;
  tool.typeCode = toollib::kTypeSpecial;
  tool.specialFlags = content.side == kSideOne   ? toollib::kSpecialFlagOne
                      : content.side == kSideTwo ? toollib::kSpecialFlagTwo
                                                 : 0;
  if (!out.WriteI16(kCurrentSpecialToolVersion) || !EncodeToolHeader(out, tool, content.side, content.infoValue) ||
      !EncodeLongSectionHead(out, static_cast<int32_t>(content.entities.size()))) {
    return false;
  }
  for (const GeomEntity& entity : content.entities) {
    const std::optional<StoredEntity> stored = StoredFormOf(entity);
    if (!EncodeLongEntity(out, stored ? *stored : StoredEntityOf(entity))) return false;
  }
  return true;
}

SpecialToolWriteResult WriteSpecialTool(const std::string& path, const SpecialToolContent& content) {
  SpecialToolWriteResult result;
  for (size_t i = 0; i < content.entities.size(); ++i) {
    if (std::optional<std::string> reason = UnstorableReason(content.entities[i])) {
      result.status = SpecialToolWriteStatus::kUnstorableEntity;
      result.entityIndex = i;
      result.reason = std::move(*reason);
      return result;
    }
  }
  const StatusCode written = platform::WriteFileSafely(path, [&content](platform::File& file) {
    platform::BinaryWriter out(file);
    return EncodeSpecialTool(out, content);
  });
  if (written == StatusCode::kFileCannotOpen) result.status = SpecialToolWriteStatus::kCannotOpen;
  if (written == StatusCode::kFileWriteFailed) result.status = SpecialToolWriteStatus::kWriteFailed;
  return result;
}

}  // namespace quarnel::spectool
