#!/bin/sh
# The 32-bit end-to-end test where 32-bit Wine is not installed, and where it
# is but its first process dies: it exits with CTest's skip code (77), says
# why on its last line and leaves nothing behind.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# skips LOADER EXPECTED_LAST_LINE: runs the test in an empty folder with
# LOADER as 32-bit Wine's loader.
skips() {
  rm -rf "$work/run"
  mkdir "$work/run"
  status=0
  (cd "$work/run" && KASSIVO_WINE_ARCH=wow64 KASSIVO_WINE32_LOADER="$1" \
    sh "$root/tests/windows/com_end_to_end.sh" "$work/FPKassivo.dll" "$work/com_end_to_end.exe" \
    >"$work/out" 2>&1) || status=$?
  cat "$work/out"
  [ "$status" -eq 77 ] || { echo "FAIL: exit status $status, expected 77" >&2; exit 1; }
  last=$(tail -n 1 "$work/out")
  [ "$last" = "$2" ] || { echo "FAIL: last line '$last', expected '$2'" >&2; exit 1; }
  left=$(ls -A "$work/run")
  [ -z "$left" ] || { echo "FAIL: left behind: $left" >&2; exit 1; }
}

# Not installed.
skips "$work/no-such-wine" \
  "32-bit Wine is not installed: no loader at $work/no-such-wine (scripts/install-deps wine32 retries)"

# Installed, but no 32-bit process can start: the loader says so as 32-bit
# Wine does where qemu cannot place its shared user data, and exits 1. It
# notes the emulator's address space it was given.
err='err:virtual:virtual_alloc_first_teb wine: failed to map the shared user data: c0000018'
cat >"$work/wine" <<EOF
#!/bin/sh
echo "\$QEMU_RESERVED_VA" >"$work/reserved"
echo '$err' >&2
exit 1
EOF
chmod +x "$work/wine"
skips "$work/wine" "32-bit Wine cannot start here: $err"
[ "$(cat "$work/reserved")" = 0xffff0000 ] ||
  { echo "FAIL: the loader ran with QEMU_RESERVED_VA='$(cat "$work/reserved")'" >&2; exit 1; }
echo "skipped as expected"
