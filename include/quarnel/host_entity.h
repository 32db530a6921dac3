// The host's geometry objects: an entity object (a framework object header,
// then the 53 entity bytes) and an element of the host's second list (a header,
// then 42 data bytes). Both are packed so that on the 32-bit target the entity
// object is 57 bytes with the entity at offset 4.
#pragma once

#include "quarnel/geometry.h"
#include "quarnel/host_framework.h"

#pragma pack(push, 1)

class GeomEntityObject : public CObject {
 public:
  GeomEntityObject() : entity() {}
  explicit GeomEntityObject(const GeomEntity& e) : entity(e) {}
  ~GeomEntityObject() override = default;

  GeomEntity entity;
};

// Bytes of a second-list element after its object header.
inline constexpr int kSecondListElementBytes = 42;

class SecondListElement : public CObject {
 public:
  SecondListElement() : data() {}
  ~SecondListElement() override = default;

  unsigned char data[kSecondListElementBytes];
};

#pragma pack(pop)

static_assert(sizeof(GeomEntityObject) == sizeof(void*) + sizeof(GeomEntity),
              "a host entity object is one pointer of header, then the entity");
static_assert(sizeof(SecondListElement) == sizeof(void*) + kSecondListElementBytes,
              "a second-list element is one pointer of header, then 42 bytes");
