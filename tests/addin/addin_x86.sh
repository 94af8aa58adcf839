#!/bin/sh
# addin_x86.sh HOST LIBRARY ARGUMENTS...: the 32-bit host plays everything in
# one process under 32-bit Wine (KASSIVO_WINE_ARCH=wow64, a 32-bit host on
# 64-bit Windows), loading and unloading Kassivo_x86.dll per session, since
# each 32-bit Wine process takes minutes to start on an emulated i386. Runs
# in CTest's working folder, in a Wine prefix of its own there.
#
# Where 32-bit Wine is not installed, or cannot start a process, it exits 77,
# which CTest counts as skipped, with the reason as its line
# (tests/windows/wine32_check.sh).
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
run="$root/cmake/wine-run.sh"
. "$root/tests/windows/wine32_check.sh"
export KASSIVO_WINE_ARCH=wow64 KASSIVO_WINEPREFIX="$(pwd)/addin-wow64"
wine32_probe
exec "$run" "$@"
