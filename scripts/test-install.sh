#!/usr/bin/env bash
# Installs the project in each form an integrator gets and builds small hosts
# against the installed result, outside the source tree, in build/install-test:
#  - the Linux build installed into a scratch prefix: the library with its
#    soname links, headers, the command (--version, man page), the CMake
#    package and the pkg-config file; a C host built with pkg-config and a C++
#    host built with find_package list the tools of a library file that the
#    installed `quarnel demo` writes, and must agree line for line;
#  - the Debian package (cpack), installed and removed with apt-get when run
#    as root, with the C host built against the system copy;
#  - the Windows zip (cpack, from build/win32): unpacked, its DLL's tables and
#    version checked, the C host cross-built with mingw against it through the
#    zip's pkg-config file, and run under wine where wine32 runs.
# Build folders build/default and build/win32 are reused as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh cmake ninja-build g++ gcc pkg-config help2man dpkg-dev binutils

root=$PWD
work=$root/build/install-test
consumer=$root/tests/consumer
rm -rf "$work"
mkdir -p "$work"

fail() { echo "test-install: $*" >&2; exit 1; }
check_equal() { [ "$1" = "$2" ] || fail "$3: got '$1', expected '$2'"; }

# Builds the C host with compiler CC against the quarnel.pc found in PC_DIR.
build_c_host() {
  local cc=$1 pc_dir=$2 output=$3
  local flags
  flags=$(PKG_CONFIG_LIBDIR=$pc_dir pkg-config --cflags --libs quarnel)
  # shellcheck disable=SC2086  # pkg-config's flags are words
  "$cc" -std=c11 -Wall -Wextra -Werror "$consumer/list_tools.c" -o "$output" $flags
}

echo "== Install the Linux build into a scratch prefix"
cmake --preset default >/dev/null
cmake --build --preset default -j 2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/default/CMakeCache.txt)
prefix=$work/prefix
cmake --install build/default --prefix "$prefix" >/dev/null

libdir=$prefix/lib
check_equal "$(readlink "$libdir/libquarnel.so")" "libquarnel.so.${version%%.*}" "development link"
check_equal "$(readlink "$libdir/libquarnel.so.${version%%.*}")" "libquarnel.so.$version" "soname link"
objdump -p "$libdir/libquarnel.so.$version" | grep "SONAME *libquarnel.so.${version%%.*}$" >/dev/null ||
  fail "libquarnel.so.$version has no soname libquarnel.so.${version%%.*}"
[ -z "$(find "$prefix" -name '*.a')" ] || fail "static libraries installed: $(find "$prefix" -name '*.a')"
[ -f "$prefix/include/quarnel/quarnel.h" ] || fail "headers not installed"
check_equal "$("$prefix/bin/quarnel" --version)" "quarnel $version" "installed quarnel --version"
loaded=$(ldd "$prefix/bin/quarnel" | sed -n 's/^\s*libquarnel\.so\S* => \(\S*\) .*/\1/p')
check_equal "$(realpath "$loaded")" "$libdir/libquarnel.so.$version" "library the installed quarnel loads"
manpage=$prefix/share/man/man1/quarnel.1.gz
zcat "$manpage" | grep '^\.SS quarnel demo' >/dev/null || fail "$manpage lacks the demo command"
check_equal "$(PKG_CONFIG_LIBDIR=$libdir/pkgconfig pkg-config --modversion quarnel)" "$version" \
  "pkg-config version"

echo "== Hosts built against the scratch prefix"
demo=$work/demo
"$prefix/bin/quarnel" demo "$demo" >/dev/null
export QUARNEL_PROFILE=$demo/win.ini  # the demo's special-tool folder
build_c_host cc "$libdir/pkgconfig" "$work/list_tools_c"
LD_LIBRARY_PATH=$libdir "$work/list_tools_c" "$demo/tools.lib" "$demo/stations.sta" >"$work/c.txt"
tools=$("$prefix/bin/quarnel" tools "$demo/tools.lib" --csv | tail -n +2 | wc -l)
[ "$tools" -gt 0 ] || fail "the demo library holds no tools"
check_equal "$(head -n 1 "$work/c.txt")" "$tools tools" "C host's first line"
cmake -S "$consumer/cpp" -B "$work/cpp" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cpp"
"$work/cpp/list_tools_cpp" "$demo/tools.lib" >"$work/cpp.txt"
diff -u "$work/c.txt" "$work/cpp.txt" || fail "the C and C++ hosts list different tools"
echo "C host (pkg-config) and C++ host (find_package): $(head -1 "$work/c.txt"), the same"

echo "== Debian package"
(cd build/default && cpack -G DEB -B "$work/deb" >/dev/null)
deb=$work/deb/quarnel_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb"
check_equal "$(dpkg-deb -f "$deb" Version)" "$version" "package version"
dpkg-deb -f "$deb" Depends | grep libstdc++6 >/dev/null || fail "package depends on no libstdc++6"
echo "$(basename "$deb"): Depends: $(dpkg-deb -f "$deb" Depends)"
if [ "$(id -u)" -eq 0 ] && ! dpkg-query -W quarnel >/dev/null 2>&1; then
  apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 -y -q "$@" >/dev/null; }
  trap 'apt_get purge quarnel || true' EXIT
  apt_get install "$deb"
  check_equal "$(/usr/bin/quarnel --version)" "quarnel $version" "packaged quarnel --version"
  build_c_host cc "$(pkg-config --variable pc_path pkg-config)" "$work/list_tools_system"
  "$work/list_tools_system" "$demo/tools.lib" "$demo/stations.sta" >"$work/system.txt"
  diff -u "$work/c.txt" "$work/system.txt" || fail "the host built against the package differs"
  apt_get purge quarnel
  trap - EXIT
  leftovers=$(dpkg-query -W -f='${db:Status-Status}' quarnel 2>/dev/null || true)
  [ -z "$leftovers" ] || [ "$leftovers" = not-installed ] || fail "quarnel is still '$leftovers'"
  [ ! -e /usr/bin/quarnel ] && [ -z "$(find /usr/lib /usr/include -name '*quarnel*' | head -1)" ] ||
    fail "files left behind after removing the package"
  echo "installed with apt-get, host built against it, removed cleanly"
else
  echo "not installed: needs root and no quarnel package installed already"
fi

echo "== Windows zip"
scripts/ensure-packages.sh --i386 g++-mingw-w64-i686 wine wine32
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j 2
(cd build/win32 && cpack -G ZIP -B "$work/zip" >/dev/null)
zip=$work/zip/quarnel-$version-win32.zip
[ -f "$zip" ] || fail "no $zip"
(cd "$work/zip" && cmake -E tar xf "$zip")
unpacked=$work/zip/quarnel-$version-win32
for file in bin/quarnel.dll lib/libquarnel.dll.a include/quarnel/quarnel.h host-integration.txt; do
  [ -f "$unpacked/$file" ] || fail "$(basename "$zip") lacks $file"
done
tests/windows/check-dll-tables.sh "$unpacked/bin/quarnel.dll" i686-w64-mingw32-objdump \
  tests/windows/expected_exports.txt "$version" pei-i386
host=$work/win32-host
mkdir -p "$host"
build_c_host i686-w64-mingw32-gcc "$unpacked/lib/pkgconfig" "$host/list_tools.exe"
i686-w64-mingw32-objdump -p "$host/list_tools.exe" | grep "DLL Name: quarnel.dll" >/dev/null ||
  fail "the mingw host does not import quarnel.dll"
cp "$unpacked/bin/quarnel.dll" "$host/"
if wine --version >/dev/null 2>&1; then
  windows_path() { echo "Z:${1//\//\\}"; }
  WINEPREFIX=$host/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=d;mshtml=d" \
    wine "$host/list_tools.exe" "$(windows_path "$demo/tools.lib")" \
    "$(windows_path "$demo/stations.sta")" </dev/null | tr -d '\r' >"$work/wine.txt"
  diff -u "$work/c.txt" "$work/wine.txt" || fail "the mingw host under wine lists different tools"
  echo "mingw host (zip): ran under wine, the same tools"
else
  echo "mingw host (zip): built; not run, this machine cannot start 32-bit programs"
fi
echo "== Install forms checked: prefix, Debian package, Windows zip ($version)"
