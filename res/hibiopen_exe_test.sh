#!/bin/sh
# Checks of the shipped HIBIOPEN.EXE: a 32-bit GUI program for Windows 4.0
# that imports only system DLLs, fits its size budget, and carries its
# Japanese version record and its two 16-colour icons.
#
# Usage: hibiopen_exe_test.sh HIBIOPEN.EXE OBJDUMP
set -u
exe=$1
objdump=$2
budget=49152  # 48 KiB

for tool in file wrestool icotool iconv od "$objdump"; do
  command -v "$tool" >/dev/null || { echo "the checks need $tool" >&2; exit 1; }
done

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
work=$(mktemp -d "${TMPDIR:-/tmp}/hibiopen-exe-XXXXXX")
trap 'rm -rf "$work"' EXIT

# Format.
kind=$(file -b "$exe")
echo "file: $kind"
case $kind in
  "PE32 executable (GUI) Intel 80386"*) ;;
  *) fail "not a 32-bit GUI program for Intel 80386: $kind" ;;
esac

# Subsystem version and imports.
"$objdump" -p "$exe" > "$work/headers" || fail "objdump cannot read the program"
major=$(awk '$1 == "MajorSubsystemVersion" { print $2 }' "$work/headers")
minor=$(awk '$1 == "MinorSubsystemVersion" { print $2 }' "$work/headers")
echo "subsystem version: $major.$minor"
[ "$major.$minor" = 4.0 ] || fail "subsystem version $major.$minor, not 4.0"
grep -q 'Subsystem.*(Windows GUI)' "$work/headers" || fail "not the Windows GUI subsystem"
dlls=$(awk '/DLL Name:/ { print $3 }' "$work/headers" | sort -f | tr '\n' ' ')
echo "imports: $dlls"
[ -n "$dlls" ] || fail "no imports found"
for dll in $dlls; do
  case $(printf %s "$dll" | tr '[:upper:]' '[:lower:]') in
    kernel32.dll | user32.dll | shell32.dll | msvcrt.dll) ;;
    *) fail "imports $dll, which is not a system DLL" ;;
  esac
done

# Size.
size=$(wc -c < "$exe")
echo "size: $size bytes (budget $budget)"
[ "$size" -le "$budget" ] || fail "$size bytes, over the budget of $budget"

# Resources: every one in Japanese (0x0411 = 1041).
wrestool -l "$exe" > "$work/resources" || fail "wrestool cannot read the resources"
sed 's/^/  /' "$work/resources"
grep -v -- '--language=1041 ' "$work/resources" | grep . &&
  fail "resources in a language other than Japanese (1041)"

# Icons: groups 101 and 102, each one 32x32 image of 4 bits.
for group in 101 102; do
  grep -q -- "--type=14 --name=$group " "$work/resources" || fail "no icon group $group"
  wrestool -x -t 14 -n "$group" "$exe" > "$work/$group.ico" 2>/dev/null
  images=$(icotool -l "$work/$group.ico" 2>/dev/null)
  echo "icon group $group: $images"
  [ "$images" = "--icon --index=1 --width=32 --height=32 --bit-depth=4 --palette-size=16" ] ||
    fail "icon group $group is not one 32x32 image of 16 colours"
done

# Version record: its bytes in hex, searched for the fixed version numbers and
# each string of the Japanese Unicode block.
hex() { od -An -v -tx1 | tr -d ' \n'; }
utf16() { printf %s "$1" | iconv -f UTF-8 -t UTF-16LE | hex; }
wrestool -x --raw -t 16 "$exe" > "$work/version" 2>/dev/null
version=$(hex < "$work/version")
[ -n "$version" ] || fail "no version record"
# Signature, structure version, then file and product versions 1.0.3.0.
fixed=bd04effe00000100$(printf '0000010000000300%.0s' 1 2)
case $version in
  *"$fixed"*) echo "version numbers: 1.0.3.0" ;;
  *) fail "file and product versions are not 1.0.3.0" ;;
esac
# Translation: language 0x0411, code page 1200 (Unicode).
case $version in
  *"$(utf16 Translation)0000"*"1104b004") ;;
  *) fail "no translation entry for 0x0411, Unicode" ;;
esac
case $version in
  *"$(utf16 041104B0)"*) ;;
  *) fail "no string block 041104B0" ;;
esac
check_string() { # KEY VALUE
  # The key, its terminator, padding to four bytes, the value and its
  # terminator.
  pattern="$(utf16 "$1")0000(0000)?$(utf16 "$2")0000"
  if printf %s "$version" | grep -Eq "$pattern"; then
    echo "version string $1: $2"
  else
    fail "version string $1 is not '$2'"
  fi
}
check_string Comments '今日の日付の ﾌｧｲﾙ を開く補助  HIBIOPEN'
check_string FileDescription HIBIOPEN
check_string InternalName HIBIOPEN
check_string ProductName HIBIOPEN
check_string OriginalFilename HIBIOPEN.EXE
check_string CompanyName 'HIBIOPEN developers'
check_string LegalCopyright 'Copyright (C) HIBIOPEN developers'

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
