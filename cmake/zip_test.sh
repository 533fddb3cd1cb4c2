#!/bin/sh
# The Windows package: cpack makes a .zip that holds HIBIOPEN.EXE, the very
# program that was built, and nothing else.
#
# Usage: zip_test.sh BUILD-DIR BUILT-EXE
set -eu
work=$(mktemp -d /tmp/hibiopen-zip-XXXXXX)
trap 'rm -rf "$work"' EXIT
cpack -G ZIP --config "$1/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; exit 1; }
zip=$work/out/hibiopen-1.0.3-win32.zip
[ -f "$zip" ] || { echo "no $zip made" >&2; ls "$work/out" >&2; exit 1; }
listing=$(cd "$work" && cmake -E tar tf "$zip")
[ "$listing" = HIBIOPEN.EXE ] || { echo "the zip holds: $listing" >&2; exit 1; }
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
cmp "$work/unpacked/HIBIOPEN.EXE" "$2" || { echo "the zipped EXE differs from the built one" >&2; exit 1; }
echo "zip: HIBIOPEN.EXE alone, as built"
