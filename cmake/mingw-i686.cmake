# Cross build of the 32-bit Windows DLL, the host's target, with mingw-w64
# (Debian: g++-mingw-w64-i686).
set(QUARNEL_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)

# SSE2 arithmetic, as on x86_64 Linux: every float and double expression is
# rounded to its own type at each step, so the DLL computes the same values as
# the Linux build (x87 would keep 80-bit intermediates in registers).
# A host built with Microsoft's compiler calls with a stack aligned to 4 bytes
# only: every function assumes that and realigns its frame when it keeps
# 16-byte SSE values on the stack.
set(QUARNEL_I686_FLAGS "-msse2 -mfpmath=sse -mincoming-stack-boundary=2")
set(CMAKE_C_FLAGS_INIT "${QUARNEL_I686_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${QUARNEL_I686_FLAGS}")
