#!/bin/sh
# install-deps against a fake dpkg-query (and a fake id, for an ordinary
# user): the packages each group lacks, one group a line, and the commands an
# ordinary user is given. Needs neither root nor a network.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
# Installed: every native package but pugixml, the x86-64 mingw compiler,
# wine and qemu; wine32:i386 is "deinstall" (removed, config left).
cat >"$fake/dpkg-query" <<'FAKE'
#!/bin/sh
for p; do :; done
case "$p" in
  libpugixml-dev|g++-mingw-w64-i686-posix|wine64|xvfb|xauth) exit 1 ;;
  wine32:i386) printf 'deinstall ok config-files' ;;
  *) printf 'install ok installed' ;;
esac
FAKE
printf '#!/bin/sh\necho 1000\n' >"$fake/id"
chmod +x "$fake/dpkg-query" "$fake/id"
export PATH="$fake:$PATH"

fail() { echo "FAIL: $*" >&2; exit 1; }
expect() {
  [ "$1" = "$2" ] || fail "$3: got
$1
expected
$2"
}

expect "$("$root/scripts/install-deps" --dry-run)" "native: libpugixml-dev
windows: g++-mingw-w64-i686-posix wine64 xvfb xauth
wine32: wine32:i386
linux32: " "all groups"
expect "$("$root/scripts/install-deps" --dry-run wine32 native)" "wine32: wine32:i386
native: libpugixml-dev" "groups in the order asked"

status=0
"$root/scripts/install-deps" bogus 2>"$fake/err" || status=$?
expect "$status" 2 "exit status of an unknown group"
grep -q "unknown group 'bogus'" "$fake/err" || fail "no word of the unknown group"

# An ordinary user gets the commands, per group, and a failure.
status=0
"$root/scripts/install-deps" native wine32 2>"$fake/err" || status=$?
expect "$status" 1 "exit status without root"
expect "$(cat "$fake/err")" "install-deps: packages are missing; as root, run:
  apt-get update
  apt-get install -y --no-install-recommends libpugixml-dev   # native
  dpkg --add-architecture i386 && apt-get update   # wine32
  apt-get install -y --no-install-recommends wine32:i386   # wine32" "commands for an ordinary user"
echo "install-deps: groups and commands as expected"
