# Sourced by the tests that run 32-bit Wine (com_end_to_end.sh,
# tests/addin/addin_x86.sh), with `root` naming the tree: where 32-bit Wine is
# not installed (KASSIVO_WINE32_LOADER, by default /usr/lib/wine/wine, is
# missing, or qemu's i386 emulator its loader needs) it exits 77, which CTest
# counts as skipped, with the reason as its line (and apt's, which
# scripts/install-deps leaves in build/wine32-unavailable); where the loader
# needs the i386 emulation switched on and it is not, it fails.

# A 32-bit x86 Linux program, which needs the i386 emulator here.
i386_program() {
  case "$(od -An -tx1 -N20 "$1" 2>/dev/null | tr -d ' \n')" in
    7f454c4601*0300) return 0 ;;
  esac
  return 1
}

loader32=${KASSIVO_WINE32_LOADER:-/usr/lib/wine/wine}
reason=
if [ ! -e "$loader32" ]; then
  reason="no loader at $loader32"
elif i386_program "$loader32" && [ ! -e /usr/bin/qemu-i386-static ]; then
  reason="no i386 emulator at /usr/bin/qemu-i386-static"
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

# wine32_probe: the first 32-bit process, in the prefix KASSIVO_WINEPREFIX
# that it makes as it starts (cmake/wine-run.sh, in $run, starts no 64-bit
# wineboot first), with Wine's errors in its log. Where it
# does not answer, its Wine processes are ended, nothing is left, and the
# test is skipped.
wine32_probe() {
  limit=${KASSIVO_WINE32_PROBE_SECONDS:-900}
  probe_log="$(pwd)/wine32-probe.log"
  status=0
  WINEDEBUG=err+all KASSIVO_WINEBOOT=no \
    timeout "$limit" "$run" cmd /c echo kassivo-probe >"$probe_log" 2>&1 || status=$?
  if ! grep -q '^kassivo-probe' "$probe_log"; then
    if [ "$status" -eq 124 ]; then
      reason="no answer within ${limit}s"
    else
      reason=$(grep -m 1 'err:' "$probe_log" | tr -d '\r')
      [ -n "$reason" ] || reason="exit status $status: $(grep . "$probe_log" | tail -n 1 | tr -d '\r')"
    fi
    if [ -d "$KASSIVO_WINEPREFIX" ]; then
      WINEPREFIX="$KASSIVO_WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
    fi
    rm -rf "$KASSIVO_WINEPREFIX" "$probe_log"
    echo "32-bit Wine cannot start here: $reason"
    exit 77
  fi
  # Its wineboot may still be setting up the 32-bit side.
  WINEPREFIX="$KASSIVO_WINEPREFIX" /usr/lib/wine/wineserver -w
  # Made again where that side is missing, before anything is put in it.
  "$run"
}
