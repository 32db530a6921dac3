# Shared part of the mingw-w64 cross toolchains; the including file sets
# QUARNEL_MINGW_ARCH (i686 or x86_64) first.
# The posix thread model is used because the win32 one ships a standard library
# without std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QUARNEL_MINGW_ARCH})

set(QUARNEL_MINGW_PREFIX ${QUARNEL_MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${QUARNEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUARNEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUARNEL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUARNEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The DLL and the test programs carry their own runtime: no libgcc, libstdc++
# or winpthread DLL next to them, only Windows' own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# -O2 for release builds: GCC 12 at -O3 reports false -Wrestrict overlaps in
# std::string concatenation when size_t is 32 bits, and -Werror makes them fatal.
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Release flags")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Release flags")
