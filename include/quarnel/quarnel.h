/* The library's 15 entry points, as the CAM host calls them: C linkage,
   cdecl, undecorated names. SendTools and ReceiveTools take framework objects
   and are declared for C++ hosts only; the other 13 are usable from C.
   The status codes that they return are named below; 0 is success. */
#ifndef QUARNEL_QUARNEL_H
#define QUARNEL_QUARNEL_H

#include <stdint.h>

#include "quarnel/api.h"
#include "quarnel/geometry.h"
#include "quarnel/special_tool_info.h"

/* Results of the Send and Receive families. */
#define QUARNEL_EXCHANGE_DONE 0
#define QUARNEL_LIBRARY_FILE_MISSING 1 /* SendTools, ReceiveTools: no library file */
#define QUARNEL_LIBRARY_NOT_LOADED 2   /* library or station file cannot be loaded or opened */
#define QUARNEL_LIBRARY_NOT_SAVED 3
#define QUARNEL_LIBRARY_HAS_NO_TOOLS 5

/* Results of OpenSpecialTool and LoadSpecialTool. */
#define QUARNEL_SPECIAL_TOOL_READ 0
#define QUARNEL_SPECIAL_TOOL_MISSING 1 /* no such file */
#define QUARNEL_SPECIAL_TOOL_CANNOT_OPEN 2
#define QUARNEL_SPECIAL_TOOL_UNKNOWN_VERSION 3
#define QUARNEL_SPECIAL_TOOL_ENDED_EARLY 4

/* Results of ViewSpecialTool, a one-byte boolean. */
#define QUARNEL_DRAWING_NOT_WRITTEN 0
#define QUARNEL_DRAWING_WRITTEN 1

#ifdef __cplusplus
#include "quarnel/host_entity.h"
#include "quarnel/host_framework.h"
#include "quarnel/tool_list_item.h"
extern "C" {
#endif

/* Send family: write the host's tools into a tool library file. */
QUARNEL_API int QUARNEL_CALL StartSendTool(const char* libraryPath, int newLibrary);
QUARNEL_API int QUARNEL_CALL SendTool(int index, float size, int typeCode, const char* name,
                                      float x, float y, float z, int keyedCount, float a1,
                                      float a2, float a3, float a4, int dieClearanceCount,
                                      float d1, float d2, float d3, float d4, float valueA,
                                      float valueB, float valueC, float valueD);
QUARNEL_API int QUARNEL_CALL EndSendTool(void);

/* Receive family: hand the tools of a library file, with their stations, to the host. */
QUARNEL_API int QUARNEL_CALL StartReceiveTool(const char* libraryPath, const char* stationPath,
                                              int* count);
QUARNEL_API int QUARNEL_CALL ReceiveTool(int index, float* size, int* typeCode, char* name,
                                         float* x, float* y, float* z, int* keyedCount,
                                         float* a1, float* a2, float* a3, float* a4,
                                         int* dieClearanceCount, float* d1, float* d2, float* d3,
                                         float* d4, float* valueA, float* valueB, float* valueC,
                                         float* valueD, int* secondStation, int* firstStation);
QUARNEL_API int QUARNEL_CALL EndReceiveTool(void);

/* Special-tool family: a special tool's data and its outline of lines and arcs.
   A host entity record is a framework object header (one pointer) followed by
   the 53 bytes of a GeomEntity; the library never touches the header. */
QUARNEL_API int32_t QUARNEL_CALL OpenSpecialTool(SpecialToolInfo* info, int32_t* count);
QUARNEL_API int32_t QUARNEL_CALL LoadSpecialTool(SpecialToolInfo* info, int32_t* count);
QUARNEL_API int32_t QUARNEL_CALL LoadGeometryAtIndex(int32_t index, void* record);
QUARNEL_API void QUARNEL_CALL GetGeometryAt(void* record, int32_t index);
QUARNEL_API void QUARNEL_CALL GetGeometryValuesAt(int32_t* type, int32_t* flags, int32_t* ref,
                                                  float* x, float* y, float* p0, float* p1,
                                                  int32_t index);
QUARNEL_API void QUARNEL_CALL CloseSpecialTool(void);

/* Part drawing: writes "c:\spt.prt" from the host's special-tool object;
   QUARNEL_DRAWING_WRITTEN on success. */
QUARNEL_API uint8_t QUARNEL_CALL ViewSpecialTool(SpecialToolInfo* info);

#ifdef __cplusplus
/* The list forms of the Send and Receive families (framework objects). The
   path is a CString passed by value, released by the callee: hosts write
   SendTools(path, &list). CStringParameter is CString itself, or on Windows
   with other compilers than Microsoft's the same object in a form that they
   pass as Microsoft's compiler does (host_framework.h). The items that
   ReceiveTools appends belong to the host, which deletes them (while the
   library is loaded: their virtual functions are its code). */
QUARNEL_API int QUARNEL_CALL SendTools(CStringParameter libraryPath, CObList* tools);
QUARNEL_API int QUARNEL_CALL ReceiveTools(CStringParameter libraryPath, CObList* tools);
}
#endif

#endif /* QUARNEL_QUARNEL_H */
