#!/usr/bin/env bash
# Builds quarnel.dll for 32-bit Windows (the host's target) with mingw-w64,
# checks its export, import and version tables, and runs the unit tests and the
# host test under wine: no display, no input, nothing touched outside build/.
#
# A machine whose kernel cannot start 32-bit programs cannot run wine32; there
# the DLL is still built and checked for 32-bit Windows, and the tests run as a
# 64-bit Windows build under wine64 instead (build/wine-x86_64), which runs the
# same Windows code paths. The 32-bit record layouts are checked at compile time.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

# 1 once every entry point exists: a missing export then fails the run.
export QUARNEL_EXPECT_ALL_EXPORTS=${QUARNEL_EXPECT_ALL_EXPORTS:-1}

scripts/ensure-packages.sh --i386 cmake ninja-build binutils wine wine32 g++-mingw-w64-i686

project_version() { sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"; }

# Builds one Windows configuration and checks the tables of its DLL.
# Usage: build_and_check BUILD_DIR MINGW_ARCH PE_FORMAT CONFIGURE_ARGS...
build_and_check() {
  local build=$1 arch=$2 format=$3
  shift 3
  cmake "$@" >/dev/null
  cmake --build "$build" -j 2
  tests/windows/check-dll-tables.sh "$build/quarnel.dll" "$arch-w64-mingw32-objdump" \
    tests/windows/expected_exports.txt "$(project_version "$build")" "$format"
}

# The Linux library and the agreement program that writes the shared input
# and reads back the Linux outlines (build/default, configured if need be).
build_linux_side() {
  [ -f build/default/CMakeCache.txt ] || cmake --preset default >/dev/null
  cmake --build build/default -j 2 --target quarnel quarnel_outline_agreement
}

# Runs the test programs of BUILD_DIR with the wine LOADER in a private prefix
# and home inside BUILD_DIR (the prefix is created on first use), then the
# cross-build agreement of outlines: the same special-tool files exploded by
# the Linux library and by this DLL, compared entity by entity.
run_under_wine() {
  local build=$1 loader=$2
  local dir=$PWD/$build linux=$PWD/build/default
  local prefix=$dir/wineprefix home=$dir/wine-home run=$dir/wine-run
  mkdir -p "$home" "$run"
  (
    cd "$run"  # files a test writes to its current folder stay in the build folder
    export WINEPREFIX=$prefix WINEDEBUG=-all HOME=$home XDG_CONFIG_HOME=$home/.config \
      XDG_DATA_HOME=$home/.local/share XDG_CACHE_HOME=$home/.cache
    # No Mono or Gecko install offer and no desktop menu entries in a new prefix.
    export WINEDLLOVERRIDES="mscoree=d;mshtml=d;winemenubuilder.exe=d"
    unset DISPLAY WAYLAND_DISPLAY
    failed=0
    "$loader" "$dir/tests/quarnel_tests.exe" --gtest_brief=1 </dev/null || failed=1
    "$loader" "$dir/quarnel_host_test.exe" </dev/null || failed=1
    "$loader" "$dir/quarnel_msvc_host_test.exe" --gtest_brief=1 </dev/null || failed=1

    rm -rf agreement && mkdir agreement
    "$linux/quarnel_outline_agreement" generate agreement || failed=1
    "$linux/quarnel_outline_agreement" explode agreement linux.outlines "$linux/libquarnel.so" || failed=1
    "$loader" "$dir/quarnel_outline_agreement.exe" explode agreement windows.outlines quarnel.dll \
      </dev/null || failed=1
    "$linux/quarnel_outline_agreement" compare linux.outlines windows.outlines || failed=1
    rm -rf agreement linux.outlines windows.outlines
    wineserver -k >/dev/null 2>&1 || true  # this prefix's server, rather than a lingering one
    exit $failed
  )
}

echo "== Linux library for the cross-build agreement of outlines"
build_linux_side
echo "== Windows i686: build quarnel.dll and check its tables"
build_and_check build/win32 i686 pei-i386 --preset win32
tests/windows/check-stack-alignment.sh build/win32/quarnel.dll i686-w64-mingw32-objdump

if wine --version >/dev/null 2>&1; then
  echo "== Windows i686: unit tests and host test under wine"
  run_under_wine build/win32 wine
else
  echo "== This machine cannot start 32-bit programs (wine32 does not run):"
  echo "== Windows x86_64: the same tests as a 64-bit build under wine64"
  scripts/ensure-packages.sh wine64 g++-mingw-w64-x86-64-posix
  build_and_check build/wine-x86_64 x86_64 pei-x86-64 -S . -B build/wine-x86_64 -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DQUARNEL_BUILD_TESTS=ON -DQUARNEL_BUILD_TOOLS=OFF
  wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
  run_under_wine build/wine-x86_64 "$wine64"
fi
echo "== Windows section done in $((SECONDS - started)) s"
