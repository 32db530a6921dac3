// The records that cross the boundary, at the byte offsets the 32-bit host
// uses. Checked when this file compiles for 32-bit Windows.
#include <cstddef>

#include "quarnel/quarnel.h"

#if defined(_WIN32) && !defined(_WIN64)

static_assert(sizeof(void*) == 4, "the host is a 32-bit program");

// offsetof on the framework's polymorphic classes is supported by the compilers
// that build for Windows; the host depends on exactly these offsets.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

static_assert(offsetof(SpecialToolInfo, path) == 0 && offsetof(SpecialToolInfo, size) == 4 &&
                  offsetof(SpecialToolInfo, infoValue) == 8 &&
                  offsetof(SpecialToolInfo, dimensions) == 12 &&
                  offsetof(SpecialToolInfo, angles) == 24 &&
                  offsetof(SpecialToolInfo, dieClearances) == 40 &&
                  offsetof(SpecialToolInfo, valueC) == 56 &&
                  offsetof(SpecialToolInfo, valueD) == 60 && offsetof(SpecialToolInfo, side) == 64 &&
                  offsetof(SpecialToolInfo, entities) == 65 &&
                  offsetof(SpecialToolInfo, secondList) == 69 && sizeof(SpecialToolInfo) == 73,
              "SpecialToolInfo as the host lays it out");

static_assert(sizeof(GeomEntity) == 53, "GeomEntity is 53 packed bytes");
static_assert(sizeof(GeomEntityObject) == 57 && offsetof(GeomEntityObject, entity) == 4,
              "a host entity object: 4-byte header, then the entity");
static_assert(sizeof(SecondListElement) == 46 && offsetof(SecondListElement, data) == 4,
              "a second-list element: 4-byte header, then 42 bytes");

// The framework objects the library reads: one vtable pointer of header, a
// string of one pointer, and the tool list item's fields in the host's order.
static_assert(sizeof(CObject) == 4 && sizeof(CString) == 4, "framework object sizes");
static_assert(offsetof(ToolListItem, size) == 4 && offsetof(ToolListItem, typeCode) == 8 &&
                  offsetof(ToolListItem, name) == 12 && offsetof(ToolListItem, x) == 16 &&
                  offsetof(ToolListItem, y) == 20 && offsetof(ToolListItem, z) == 24 &&
                  offsetof(ToolListItem, keyedCount) == 28 && offsetof(ToolListItem, a1) == 32 &&
                  offsetof(ToolListItem, a4) == 44 &&
                  offsetof(ToolListItem, dieClearanceCount) == 48 &&
                  offsetof(ToolListItem, d1) == 52 && offsetof(ToolListItem, d4) == 64 &&
                  offsetof(ToolListItem, valueA) == 68 && offsetof(ToolListItem, valueB) == 72 &&
                  offsetof(ToolListItem, valueC) == 76 && offsetof(ToolListItem, valueD) == 80 &&
                  sizeof(ToolListItem) == 84,
              "ToolListItem as the host lays it out");

#pragma GCC diagnostic pop

#endif
