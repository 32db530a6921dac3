#!/usr/bin/env bash
# Checks quarnel.dll as a host sees it, without running it:
#  - a PE file for the expected machine;
#  - exports: only names from expected_exports.txt, undecorated; with
#    QUARNEL_EXPECT_ALL_EXPORTS=1 every one of them;
#  - imports: Windows' own DLLs only (the compiler runtime is linked in);
#  - a version resource carrying the project version.
# Usage: check-dll-tables.sh DLL OBJDUMP EXPECTED_EXPORTS_FILE VERSION [pei-i386|pei-x86-64]
set -euo pipefail
dll=$1 objdump=$2 expected_file=$3 version=$4 format=${5:-pei-i386}
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

[ -f "$dll" ] || { echo "FAIL: $dll does not exist" >&2; exit 1; }
"$objdump" -f "$dll" | grep -q "file format $format" || fail "$dll is not a $format file"

headers=$("$objdump" -p "$dll")
mapfile -t expected < <(grep -v '^#' "$expected_file" | grep -v '^[[:space:]]*$')
# Name-table lines look like "	[   3] EndSendTool".
mapfile -t exported < <(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
                          sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p')

for name in "${exported[@]}"; do
  printf '%s\n' "${expected[@]}" | grep -qxF -- "$name" || fail "unexpected export: $name"
done
missing=()
for name in "${expected[@]}"; do
  printf '%s\n' "${exported[@]}" | grep -qxF -- "$name" || missing+=("$name")
done
echo "exports: ${#exported[@]} of ${#expected[@]} entry points"
if [ ${#missing[@]} -gt 0 ]; then
  if [ "${QUARNEL_EXPECT_ALL_EXPORTS:-0}" = 1 ]; then
    fail "missing exports: ${missing[*]}"
  else
    echo "not exported yet: ${missing[*]}"
  fi
fi

# Windows' own DLLs; anything else (libgcc_s, libstdc++, libwinpthread) would
# have to be shipped next to the DLL.
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|version|ntdll|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
mapfile -t imported < <(sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' <<<"$headers")
for name in "${imported[@]}"; do
  tr '[:upper:]' '[:lower:]' <<<"$name" | grep -qE "$system_dlls" || fail "imports a non-system DLL: $name"
done
echo "imports: ${imported[*]}"

# The version resource stores its texts as UTF-16.
strings -el "$dll" | grep -qxF "$version" || fail "no version resource naming version $version"
strings -el "$dll" | grep -qxF "quarnel.dll" || fail "version resource lacks the file name"

[ $failures -eq 0 ] && echo "quarnel.dll tables: OK"
exit $((failures > 0))
