#!/bin/sh
# The 32-bit end-to-end test where 32-bit Wine is not installed: it exits with
# CTest's skip code (77) and says why on its last line, before touching Wine.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
status=0
KASSIVO_WINE_ARCH=wow64 KASSIVO_WINE32_LOADER="$work/no-such-wine" \
  sh "$root/tests/windows/com_end_to_end.sh" "$work/FPKassivo.dll" "$work/com_end_to_end.exe" \
  >out 2>&1 || status=$?
cat out
[ "$status" -eq 77 ] || { echo "FAIL: exit status $status, expected 77" >&2; exit 1; }
last=$(tail -n 1 out)
case "$last" in
  "32-bit Wine is not installed: no loader at $work/no-such-wine"*) ;;
  *) echo "FAIL: last line '$last'" >&2; exit 1 ;;
esac
[ -z "$(ls -A | grep -v '^out$')" ] || { echo "FAIL: left files behind: $(ls -A)" >&2; exit 1; }
echo "skipped as expected"
