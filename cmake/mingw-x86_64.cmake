# Cross build for 64-bit Windows (Debian: g++-mingw-w64-x86-64-posix). Not the
# host's target: it runs the Windows build's tests under wine64 on machines that
# cannot run 32-bit programs.
set(QUARNEL_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
