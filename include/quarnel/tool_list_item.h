// ToolListItem: one tool in the host's object list for SendTools and ReceiveTools.
// The items belong to the host's list and to the host, which deletes them
// through the virtual destructor. Items that ReceiveTools made must be deleted
// before the DLL is unloaded: their virtual functions are the DLL's code.
#pragma once

#include "quarnel/host_framework.h"

class ToolListItem : public CObject {
 public:
  ToolListItem(float size, int typeCode, CString name, float x, float y, float z, int keyedCount,
               float a1, float a2, float a3, float a4, int dieClearanceCount, float d1, float d2,
               float d3, float d4, float valueA, float valueB, float valueC, float valueD)
      : size(size), typeCode(typeCode), name(name), x(x), y(y), z(z), keyedCount(keyedCount),
        a1(a1), a2(a2), a3(a3), a4(a4), dieClearanceCount(dieClearanceCount), d1(d1), d2(d2),
        d3(d3), d4(d4), valueA(valueA), valueB(valueB), valueC(valueC), valueD(valueD) {}
  ~ToolListItem() override = default;
  void Serialize(CArchive& /*archive*/) override {}

  float size;
  int typeCode;
  CString name;  // the special-tool name for type 108, empty otherwise
  float x, y, z;
  int keyedCount;
  float a1, a2, a3, a4;
  int dieClearanceCount;
  float d1, d2, d3, d4;
  float valueA, valueB, valueC, valueD;
};

#if defined(_WIN32) && !defined(_WIN64)
// The host reads these fields at fixed offsets; offsetof on a polymorphic
// class is supported by the compilers that build the DLL.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(offsetof(ToolListItem, size) == 4 && offsetof(ToolListItem, typeCode) == 8 &&
                  offsetof(ToolListItem, name) == 12 && offsetof(ToolListItem, x) == 16 &&
                  offsetof(ToolListItem, keyedCount) == 28 && offsetof(ToolListItem, a1) == 32 &&
                  offsetof(ToolListItem, dieClearanceCount) == 48 &&
                  offsetof(ToolListItem, d1) == 52 && offsetof(ToolListItem, valueA) == 68 &&
                  offsetof(ToolListItem, valueD) == 80 && sizeof(ToolListItem) == 84,
              "ToolListItem layout on the 32-bit target");
#pragma GCC diagnostic pop
#endif
