#!/bin/sh
# addin_x86.sh HOST LIBRARY ARGUMENTS...: the 32-bit host plays everything in
# one process under 32-bit Wine (KASSIVO_WINE_ARCH=wow64, a 32-bit host on
# 64-bit Windows), loading and unloading Kassivo_x86.dll per session, since
# each 32-bit Wine process takes minutes to start on an emulated i386. Runs
# in CTest's working folder, in a Wine prefix of its own there.
#
# Where 32-bit Wine is not installed (KASSIVO_WINE32_LOADER, by default
# /usr/lib/wine/wine, is missing, or qemu's i386 emulator its loader needs)
# it exits 77, which CTest counts as skipped, with the reason as its line.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
loader32=${KASSIVO_WINE32_LOADER:-/usr/lib/wine/wine}
emulator=/usr/bin/qemu-i386-static

# A 32-bit x86 Linux program, which needs the i386 emulator here.
i386_program() {
  case "$(od -An -tx1 -N20 "$1" 2>/dev/null | tr -d ' \n')" in
    7f454c4601*0300) return 0 ;;
  esac
  return 1
}

reason=
if [ ! -e "$loader32" ]; then
  reason="no loader at $loader32"
elif i386_program "$loader32" && [ ! -e "$emulator" ]; then
  reason="no i386 emulator at $emulator"
fi
if [ -n "$reason" ]; then
  apt_reason="$root/build/wine32-unavailable"
  [ -s "$apt_reason" ] && reason="$reason; apt: $(head -n 1 "$apt_reason")"
  echo "32-bit Wine is not installed: $reason (scripts/install-deps wine32 retries)"
  exit 77
fi
if i386_program "$loader32" && ! "$root/scripts/i386-emulation" status >/dev/null; then
  echo "32-bit Wine needs i386 emulation: run scripts/i386-emulation on (as root)" >&2
  exit 1
fi
export KASSIVO_WINE_ARCH=wow64 KASSIVO_WINEPREFIX="$(pwd)/addin-wow64"
exec "$root/cmake/wine-run.sh" "$@"
