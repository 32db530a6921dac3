/* Export and calling-convention macros of the library's entry points. */
#ifndef QUARNEL_API_H
#define QUARNEL_API_H

#if defined(_WIN32)
#if defined(QUARNEL_BUILDING_LIBRARY)
#define QUARNEL_API __declspec(dllexport)
#else
#define QUARNEL_API __declspec(dllimport)
#endif
#define QUARNEL_CALL __cdecl
#else
#define QUARNEL_API __attribute__((visibility("default")))
#define QUARNEL_CALL
#endif

#endif /* QUARNEL_API_H */
