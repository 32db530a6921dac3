/* Geometry entities as exchanged with the host. */
#ifndef QUARNEL_GEOMETRY_H
#define QUARNEL_GEOMETRY_H

#include <stddef.h>
#include <stdint.h>

#pragma pack(push, 1)

/* One geometry entity: 53 bytes, packed, little-endian. */
typedef struct GeomEntity {
  int8_t type;     /* entity type code */
  int32_t ref;     /* a pattern's 1-based seed position; 0 otherwise */
  uint32_t flags;  /* bit flags */
  float x;         /* reference point */
  float y;
  float p[9];      /* type-specific parameters */
} GeomEntity;

#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(GeomEntity) == 53, "GeomEntity is 53 bytes");
static_assert(offsetof(GeomEntity, ref) == 1 && offsetof(GeomEntity, flags) == 5 &&
                  offsetof(GeomEntity, x) == 9 && offsetof(GeomEntity, y) == 13 &&
                  offsetof(GeomEntity, p) == 17,
              "GeomEntity offsets");
#endif

#endif /* QUARNEL_GEOMETRY_H */
