#include "partfile/part_drawing_writer.h"

#include <cstdint>

#include "partfile/part_entity_conversion.h"
#include "platform/binary_writer.h"
#include "platform/safe_write.h"

namespace quarnel::partfile {

bool WritePartDrawing(platform::File& file, std::span<const GeomEntity> entities,
                      std::span<const SecondListRecord> second_list) {
  platform::BinaryWriter out(file, platform::WriteBufferSize());
  const auto entity_count = static_cast<int32_t>(entities.size());
  if (!EncodeHeader(out, PartDrawingHeader{.entityCount = entity_count})) return false;
  for (const GeomEntity& entity : entities) {
    if (!EncodeEntityRecord(out, PartDrawingEntity(entity))) return false;
  }
  return EncodeSecondListSection(out, second_list) &&
         EncodeTrailer(out, PartDrawingTrailer{.entityCount = entity_count}) && out.Flush();
}

StatusCode SavePartDrawing(const std::string& path, std::span<const GeomEntity> entities,
                           std::span<const SecondListRecord> second_list) {
  return platform::WriteFileSafely(
      path, [&](platform::File& file) { return WritePartDrawing(file, entities, second_list); });
}

}  // namespace quarnel::partfile
