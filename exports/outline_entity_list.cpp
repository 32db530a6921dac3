#include "exports/outline_entity_list.h"

#include <bit>
#include <cstring>

namespace quarnel::exports {
namespace {

// Where each of a form's words lies in an entity: ref, flags, then p[0] to p[8].
constexpr size_t kWordOffset[] = {offsetof(GeomEntity, ref), offsetof(GeomEntity, flags),
                                  offsetof(GeomEntity, p) + 0,  offsetof(GeomEntity, p) + 4,
                                  offsetof(GeomEntity, p) + 8,  offsetof(GeomEntity, p) + 12,
                                  offsetof(GeomEntity, p) + 16, offsetof(GeomEntity, p) + 20,
                                  offsetof(GeomEntity, p) + 24, offsetof(GeomEntity, p) + 28,
                                  offsetof(GeomEntity, p) + 32};

// Fields are moved as 4-byte words at their own offsets: the entity was
// usually written field by field just before, and a wider load across those
// stores would wait for them.
uint32_t WordAt(const unsigned char* bytes, size_t offset) {
  uint32_t word;
  std::memcpy(&word, bytes + offset, sizeof word);
  return word;
}

void PutWord(unsigned char* bytes, size_t offset, uint32_t word) {
  std::memcpy(bytes + offset, &word, sizeof word);
}

}  // namespace

void OutlineEntityList::push_back(const GeomEntity& entity) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&entity);
  Words words;
  for (size_t i = 0; i < kWords; ++i) words[i] = WordAt(bytes, kWordOffset[i]);
  placed_.push_back(Placed{WordAt(bytes, offsetof(GeomEntity, x)),
                           WordAt(bytes, offsetof(GeomEntity, y)), FormIndex(words, entity.type)});
}

uint32_t OutlineEntityList::FormIndex(const Words& words, int8_t type) {
  const uint32_t low = words[0] ^ std::rotl(words[2], 7) ^ std::rotl(words[4], 14) ^
                       std::rotl(words[6], 21) ^ std::rotl(words[8], 28) ^ words[10];
  const uint32_t high = words[1] ^ std::rotl(words[3], 7) ^ std::rotl(words[5], 14) ^
                        std::rotl(words[7], 21) ^ std::rotl(words[9], 28) ^ static_cast<uint8_t>(type);
  const uint64_t hash = ((uint64_t{high} << 32) | low) * 0x9E3779B97F4A7C15u;
  uint32_t& slot = recent_[static_cast<size_t>(hash >> 58) % kRecentForms];
  if (slot != 0) {
    const Form& known = forms_[slot - 1];
    uint32_t differ = static_cast<uint8_t>(known.type ^ type);
    for (size_t i = 0; i < kWords; ++i) differ |= known.words[i] ^ words[i];
    if (differ == 0) return slot - 1;
  }
  forms_.push_back(Form{words, type});
  slot = static_cast<uint32_t>(forms_.size());
  return slot - 1;
}

void OutlineEntityList::CopyTo(size_t index, void* out) const {
  const Placed& placed = placed_[index];
  const Form& form = forms_[placed.form];
  auto* bytes = static_cast<unsigned char*>(out);
  bytes[offsetof(GeomEntity, type)] = static_cast<unsigned char>(form.type);
  for (size_t i = 0; i < kWords; ++i) PutWord(bytes, kWordOffset[i], form.words[i]);
  PutWord(bytes, offsetof(GeomEntity, x), placed.x);
  PutWord(bytes, offsetof(GeomEntity, y), placed.y);
}

GeomEntity OutlineEntityList::operator[](size_t index) const {
  GeomEntity entity;
  CopyTo(index, &entity);
  return entity;
}

}  // namespace quarnel::exports
