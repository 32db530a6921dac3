# Cross build of the 32-bit Windows DLL, the host's target, with mingw-w64
# (Debian: g++-mingw-w64-i686).
set(QUARNEL_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
