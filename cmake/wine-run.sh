#!/bin/sh
# Runs a Windows program of the cross build under Wine, in the build's own
# prefix. Used as CMAKE_CROSSCOMPILING_EMULATOR, so CTest runs every test
# program through it.
#
#   KASSIVO_WINE_ARCH   win64 (default); wow64: 32-bit programs in a 64-bit
#                       prefix with its 32-bit side, as on 64-bit Windows
#                       (needs scripts/i386-emulation on); or win32
#   KASSIVO_WINEPREFIX  the prefix folder (default: ./wine-<arch> beside this build)
#   KASSIVO_WINE32_LOADER  32-bit Wine's loader (default: /usr/lib/wine/wine)
#
# The prefix is made on first use, under a lock so parallel tests wait for it.
set -eu
arch=${KASSIVO_WINE_ARCH:-win64}
prefix=${KASSIVO_WINEPREFIX:-$(pwd)/wine-$arch}
# The loader that makes the prefix, and the one that runs the program.
case "$arch" in
  win64) maker=/usr/lib/wine/wine64 loader=$maker winearch=win64 ;;
  wow64) maker=/usr/lib/wine/wine64 loader=${KASSIVO_WINE32_LOADER:-/usr/lib/wine/wine} winearch=win64 ;;
  win32) maker=${KASSIVO_WINE32_LOADER:-/usr/lib/wine/wine} loader=$maker winearch=win32 ;;
  *) echo "wine-run: unknown KASSIVO_WINE_ARCH '$arch'" >&2; exit 2 ;;
esac
export WINEPREFIX="$prefix" WINEARCH="$winearch" WINELOADER="$maker"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$(dirname "$prefix")"
if [ ! -f "$prefix/system.reg" ]; then
  exec 9>"$prefix.lock"
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    # A 64-bit prefix made while i386 emulation is on would set up its
    # 32-bit side under emulation, which takes minutes: pause it meanwhile.
    emulation=/proc/sys/fs/binfmt_misc/qemu-i386
    paused=
    if [ "$arch" = win64 ] && [ -w "$emulation" ] && grep -q enabled "$emulation"; then
      echo 0 > "$emulation" && paused=1
    fi
    "$maker" wineboot -i >/dev/null 2>&1 || true
    "${maker%/*}/wineserver" -w 2>/dev/null || true
    [ -n "$paused" ] && echo 1 > "$emulation"
  fi
  flock -u 9
  exec 9>&-
fi
exec "$loader" "$@"
