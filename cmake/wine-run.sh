#!/bin/sh
# Runs a Windows program of the cross build under Wine, in the build's own
# prefix. Used as CMAKE_CROSSCOMPILING_EMULATOR, so CTest runs every test
# program through it.
#
#   KASSIVO_WINE_ARCH   win64 (default) or win32
#   KASSIVO_WINEPREFIX  the prefix folder (default: ./wine-<arch> beside this build)
#
# The prefix is made on first use, under a lock so parallel tests wait for it.
set -eu
arch=${KASSIVO_WINE_ARCH:-win64}
prefix=${KASSIVO_WINEPREFIX:-$(pwd)/wine-$arch}
case "$arch" in
  win64) loader=/usr/lib/wine/wine64 ;;
  win32) loader=/usr/lib/wine/wine ;;
  *) echo "wine-run: unknown KASSIVO_WINE_ARCH '$arch'" >&2; exit 2 ;;
esac
export WINEPREFIX="$prefix" WINEARCH="$arch" WINELOADER="$loader"
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
    "$loader" wineboot -i >/dev/null 2>&1 || true
    "${loader%/*}/wineserver" -w 2>/dev/null || true
    [ -n "$paused" ] && echo 1 > "$emulation"
  fi
  flock -u 9
  exec 9>&-
fi
exec "$loader" "$@"
