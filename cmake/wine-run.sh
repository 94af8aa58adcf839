#!/bin/sh
# Runs a Windows program of the cross build under Wine, in the build's own
# prefix. Used as CMAKE_CROSSCOMPILING_EMULATOR, so CTest runs every test
# program through it. With no program it only makes the prefix.
#
#   KASSIVO_WINE_ARCH   win64 (default); wow64: 32-bit programs in a 64-bit
#                       prefix with its 32-bit side, as on 64-bit Windows
#                       (needs scripts/i386-emulation on); or win32
#   KASSIVO_WINEPREFIX  the prefix folder (default: ./wine-<arch> beside this build)
#   KASSIVO_WINE32_LOADER  32-bit Wine's loader (default: /usr/lib/wine/wine)
#   KASSIVO_WINEBOOT    yes (default): a missing prefix is made first, under a
#                       lock so parallel tests wait for it; no: the loader
#                       makes it as the program starts, as Wine does by itself
#                       (for a first 32-bit process that must start no other
#                       Wine before it)
#   QEMU_RESERVED_VA    read by qemu's i386 emulator, which runs every 32-bit
#                       Wine process; 0xffff0000 unless set (see below)
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
# Without a reserved guest address space, qemu's i386 emulator may be unable
# to give Wine the page it needs at 0x7ffe0000, and every 32-bit process dies
# at once ("failed to map the shared user data: c0000018"); a wineboot then
# leaves a 64-bit prefix without its 32-bit side, silently. The whole 32-bit
# space but its last page, for every 32-bit process started from here,
# wineboot's included; 64-bit processes do not read it.
export QEMU_RESERVED_VA="${QEMU_RESERVED_VA:-0xffff0000}"

# Made, and for 32-bit programs in a 64-bit prefix, with its 32-bit side.
made() {
  [ -f "$prefix/system.reg" ] &&
    { [ "$arch" != wow64 ] || [ -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ]; }
}

mkdir -p "$(dirname "$prefix")"
if [ "${KASSIVO_WINEBOOT:-yes}" != no ] && ! made; then
  exec 9>"$prefix.lock"
  flock 9
  if ! made; then
    # A prefix without its 32-bit side is made again, not used.
    if [ -f "$prefix/system.reg" ]; then
      "${maker%/*}/wineserver" -k 2>/dev/null || true
      rm -rf "$prefix"
    fi
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
    if [ "$arch" = wow64 ] && ! made; then
      echo "wine-run: wineboot made $prefix without its 32-bit side (no syswow64)" >&2
      exit 1
    fi
  fi
  flock -u 9
  exec 9>&-
fi
[ $# -gt 0 ] || exit 0
exec "$loader" "$@"
