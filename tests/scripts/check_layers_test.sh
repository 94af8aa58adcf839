#!/bin/sh
# check-layers on a small tree: an include down, one on the same line and one
# within a folder pass; an include up and a file in an unknown folder fail,
# each named with its place.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/common" "$work/device" "$work/marking" "$work/acquiring" "$work/platform/posix"
printf '#include "common/text.h"\n#include <vector>\n#include "device/a.h"\n' > "$work/device/a.cpp"
printf '#include "acquiring/b.h"\n' > "$work/marking/a.h"
printf '#include "platform/platform.h"\n' > "$work/platform/posix/a.cpp"
sh "$root/scripts/check-layers" "$work" > "$work/out" || { cat "$work/out"; echo "FAIL: a sound tree was refused" >&2; exit 1; }

printf '#include "common/text.h"\n#include "host/component.h"\n' > "$work/device/b.h"
mkdir -p "$work/extra"
printf '\n' > "$work/extra/c.h"
status=0
sh "$root/scripts/check-layers" "$work" > "$work/out" || status=$?
cat "$work/out"
[ "$status" -eq 1 ] || { echo "FAIL: exit status $status, expected 1" >&2; exit 1; }
grep -qx 'device/b.h:2: includes "host/component.h": host/ is above device/' "$work/out" ||
  { echo "FAIL: the upward include was not named" >&2; exit 1; }
grep -qx 'extra/c.h: in a folder the layer order does not name' "$work/out" ||
  { echo "FAIL: the unknown folder was not named" >&2; exit 1; }
[ "$(wc -l < "$work/out")" -eq 2 ] || { echo "FAIL: more than the two faults reported" >&2; exit 1; }
echo "check-layers: faults named"
