#!/bin/sh
# com_end_to_end.sh DLL PROGRAM [KASSIVO_EXE]: see com_end_to_end.cmake. Runs in CTest's
# working folder; KASSIVO_WINE_ARCH picks the Wine: win64 for the 64-bit DLL,
# wow64 for the 32-bit one (a 32-bit host on 64-bit Windows). Each 32-bit
# process takes minutes on an emulated i386, so there the second process also
# unregisters, through the export regsvr32 /u calls.
#
# Where 32-bit Wine is not installed (KASSIVO_WINE32_LOADER, by default
# /usr/lib/wine/wine, is missing) the 32-bit run exits 77, which CTest counts
# as skipped, with the reason as its last line; scripts/install-deps leaves
# apt's reason in build/wine32-unavailable when it could not install it. So it
# does where 32-bit Wine is installed but cannot start a process: a first
# 32-bit process must answer within KASSIVO_WINE32_PROBE_SECONDS (default
# 900; it also makes the prefix) before anything else is done, and the reason
# is Wine's first err: line.
#
# Under 64-bit Wine the session runs once more in two host processes at the
# same time, both with KASSIVO_JOURNAL naming one file in the test's folder,
# and the Windows build's KASSIVO_EXE (by default kassivo.exe beside the DLL)
# must replay that journal with --compare clean; so must the native build's
# kassivo (KASSIVO_NATIVE_CLI, by default build/debug/kassivo) where it is
# built.
set -eu
dll=$1
program=$2
kassivo_exe=${3:-$(dirname "$dll")/kassivo.exe}
root=$(cd "$(dirname "$0")/../.." && pwd)
run="$root/cmake/wine-run.sh"
arch=${KASSIVO_WINE_ARCH:-win64}

if [ "$arch" != win64 ]; then
  . "$root/tests/windows/wine32_check.sh"
fi

export KASSIVO_WINEPREFIX="$(pwd)/com-end-to-end-$arch"
rm -rf "$KASSIVO_WINEPREFIX" "$KASSIVO_WINEPREFIX.lock"

if [ "$arch" != win64 ]; then
  wine32_probe
fi

# Installed where a user would put it: a folder whose name holds a space.
if [ "$arch" = wow64 ]; then
  programs='Program Files (x86)'
  regsvr32='C:\windows\syswow64\regsvr32.exe'
else
  programs='Program Files'
  regsvr32=regsvr32
fi
folder="$KASSIVO_WINEPREFIX/drive_c/$programs/Kassivo"
mkdir -p "$folder"
cp "$dll" "$folder/FPKassivo.dll"
windows_dll="C:\\$programs\\Kassivo\\FPKassivo.dll"

registry() {
  WINEPREFIX="$KASSIVO_WINEPREFIX" /usr/lib/wine/wineserver -w
  cat "$KASSIVO_WINEPREFIX/system.reg" "$KASSIVO_WINEPREFIX/user.reg"
}

step() { echo "== $*"; }

step "regsvr32 (machine-wide)"
"$run" "$regsvr32" /s "$windows_dll"
registry > registry.after-register
grep -q 'AddIn.Kassivo\\\\Clsid\]' registry.after-register
# The spaced path is registered in its short form.
server=$(grep -A2 '6C1E4F7A-2B9D-4E53-9A61-3F0C8B2D7E15}\\\\InprocServer32\]' registry.after-register | grep '^@=')
echo "InprocServer32 $server"
case "$server" in
  *' '*|*'Program Files'*) echo "the path with a space was registered as it is" >&2; exit 1 ;;
  *'~'*FPKA*) ;;
  *) echo "no short path registered" >&2; exit 1 ;;
esac
if grep -q 'ThreadingModel' registry.after-register &&
   grep -A3 '6C1E4F7A-2B9D-4E53-9A61-3F0C8B2D7E15' registry.after-register | grep -q ThreadingModel; then
  echo "a ThreadingModel was written" >&2
  exit 1
fi

step "session"
"$run" "$program" session "$windows_dll"
# The second process offers the faults among its additional actions.
if [ "$arch" = win64 ]; then
  step "second process"
  KASSIVO_FAULT_ACTIONS=1 "$run" "$program" persisted "$windows_dll"
  step "regsvr32 /u"
  "$run" "$regsvr32" /s /u "$windows_dll"
else
  step "second process, unregistering"
  KASSIVO_FAULT_ACTIONS=1 "$run" "$program" persisted-unregister "$windows_dll"
fi
registry > registry.after-unregister
if grep -q 'AddIn.Kassivo\|6C1E4F7A-2B9D-4E53-9A61-3F0C8B2D7E15' registry.after-unregister; then
  echo "keys left after unregistration:" >&2
  grep 'AddIn.Kassivo\|6C1E4F7A' registry.after-unregister >&2
  exit 1
fi
grep -q '^\[Software\\\\Orvelle\\\\Kassivo\]' registry.after-unregister  # the data stay
if [ "$arch" = win64 ]; then
  step "two sessions at once on one journal"
  journal="$(pwd)/com-end-to-end.journal"
  rm -f "$journal"
  "$run" "$regsvr32" /s "$windows_dll"
  KASSIVO_JOURNAL="Z:$(echo "$journal" | tr / '\\')" "$run" "$program" session "$windows_dll" &
  first=$!
  KASSIVO_JOURNAL="Z:$(echo "$journal" | tr / '\\')" "$run" "$program" session "$windows_dll"
  wait "$first"
  "$run" "$regsvr32" /s /u "$windows_dll"
  [ -s "$journal" ] || { echo "no journal was written at $journal" >&2; exit 1; }
  processes=$(grep -c '^:process ' "$journal")
  [ "$processes" -ge 2 ] || { echo "$processes :process lines in $journal, not 2" >&2; exit 1; }
  step "kassivo.exe replay --compare"
  "$run" "$kassivo_exe" replay --compare "Z:$(echo "$journal" | tr / '\\')"
  native=${KASSIVO_NATIVE_CLI:-$root/build/debug/kassivo}
  if [ -x "$native" ]; then
    step "native kassivo replay --compare"
    "$native" replay --compare "$journal"
  fi
fi
step "passed"
