#!/bin/sh
# dll_image.sh OBJDUMP DLL FORMAT EXPORT...: the DLL is a FORMAT image
# (pei-i386 or pei-x86-64) exporting exactly the EXPORTs (the COM server's
# entry points, or the add-in's five functions), and imports no DLL of the
# mingw runtime (the C++ runtime is linked in statically), so a
# host machine needs nothing but Windows' own DLLs.
set -eu
objdump=$1
dll=$2
format=$3
shift 3
expected="$(printf '%s\n' "$@" | sort | tr '\n' ' ')"
headers=$("$objdump" -p "$dll")
fail() { echo "$dll: $*" >&2; exit 1; }

echo "$headers" | grep -q "file format $format\$" ||
  fail "not a $format image: $(echo "$headers" | grep 'file format')"

# The export table lists "[ordinal] Name" after "[Ordinal/Name Pointer] Table".
exports=$(echo "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^[[:space:]]*\[ *[0-9]*\] \([A-Za-z_@0-9]*\).*/\1/p' | sort | tr '\n' ' ')
[ "$exports" = "$expected" ] || fail "exports '$exports', expected '$expected'"

imports=$(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')
echo "imports: $imports"
if echo "$imports" | grep -qi 'libgcc\|libstdc++\|libwinpthread\|mingw'; then
  fail "imports a mingw runtime DLL: $imports"
fi
echo "$format, exports: $exports"
