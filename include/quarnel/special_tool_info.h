/* The host's special-tool object, passed by pointer to OpenSpecialTool,
   LoadSpecialTool and ViewSpecialTool. Packed; its pointers are of native
   width, so on the 32-bit target the offsets are 0, 4, 8, 12, 24, 40, 56, 60,
   64, 65 and 69. */
#ifndef QUARNEL_SPECIAL_TOOL_INFO_H
#define QUARNEL_SPECIAL_TOOL_INFO_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
class CObList;
#else
typedef struct CObList CObList;
#endif

#pragma pack(push, 1)

typedef struct SpecialToolInfo {
  const char* path;        /* the special-tool file; input, never written */
  float size;              /* tool record size */
  float infoValue;         /* version 7: the tool block's size; later: the info value */
  float dimensions[3];     /* x, y, z */
  float angles[4];         /* a1..a4 */
  float dieClearances[4];  /* d1..d4 */
  uint32_t valueC;         /* tool record valueC, bit for bit */
  float valueD;
  uint8_t side;            /* 1: flag bit 0, 2: flag bit 1, else 0 */
  CObList* entities;       /* the host's list of entity objects */
  CObList* secondList;     /* the host's second list (42-byte records) */
} SpecialToolInfo;

#pragma pack(pop)

#ifdef __cplusplus
#define QUARNEL_PTR_EXTRA (sizeof(void*) - 4)
static_assert(offsetof(SpecialToolInfo, size) == 4 + QUARNEL_PTR_EXTRA, "size offset");
static_assert(offsetof(SpecialToolInfo, infoValue) == 8 + QUARNEL_PTR_EXTRA, "info offset");
static_assert(offsetof(SpecialToolInfo, dimensions) == 12 + QUARNEL_PTR_EXTRA, "dims offset");
static_assert(offsetof(SpecialToolInfo, angles) == 24 + QUARNEL_PTR_EXTRA, "angles offset");
static_assert(offsetof(SpecialToolInfo, dieClearances) == 40 + QUARNEL_PTR_EXTRA, "dies offset");
static_assert(offsetof(SpecialToolInfo, valueC) == 56 + QUARNEL_PTR_EXTRA, "valueC offset");
static_assert(offsetof(SpecialToolInfo, valueD) == 60 + QUARNEL_PTR_EXTRA, "valueD offset");
static_assert(offsetof(SpecialToolInfo, side) == 64 + QUARNEL_PTR_EXTRA, "side offset");
static_assert(offsetof(SpecialToolInfo, entities) == 65 + QUARNEL_PTR_EXTRA, "list offset");
static_assert(offsetof(SpecialToolInfo, secondList) == 65 + 2 * QUARNEL_PTR_EXTRA + 4,
              "second list offset");
#undef QUARNEL_PTR_EXTRA
#endif

#endif /* QUARNEL_SPECIAL_TOOL_INFO_H */
