#!/bin/sh
# library_image.sh LIBRARY: the Linux add-in library loads into any host
# process: it needs no shared object but the C library's own, has no text
# relocations, and exports its five functions and nothing else.
set -eu
lib=$1
bad=0
for needed in $(readelf -d "$lib" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
  case $needed in
    libc.so.* | libm.so.* | ld-linux*.so.* | libdl.so.* | libpthread.so.* | librt.so.*) ;;
    *) echo "library_image: $lib needs $needed" >&2; bad=1 ;;
  esac
done
if readelf -d "$lib" | grep -q 'TEXTREL'; then
  echo "library_image: $lib has text relocations" >&2
  bad=1
fi
exports=$(nm -D --defined-only "$lib" | awk '{ print $3 }' | sort | tr '\n' ' ')
expected="DestroyObject GetAttachType GetClassNames GetClassObject SetPlatformCapabilities "
if [ "$exports" != "$expected" ]; then
  echo "library_image: $lib exports: $exports" >&2
  bad=1
fi
[ "$bad" -eq 0 ] && echo "library_image: $lib: $(readelf -d "$lib" | grep -c NEEDED) C library objects, 5 exports"
exit "$bad"
