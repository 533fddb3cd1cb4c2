#!/bin/sh
# Turns a pixel map into a 32x32, 16-colour Windows icon file.
#
# Usage: make_ico.sh MAP ICO
#
# The map is text. Blank lines, lines starting with '#' and, on the lines
# before the pixels, a '#' and what follows it are comments.
#   colour C RRGGBB   a palette entry: the character C stands for that colour;
#                     at most 16 entries, in palette order, one of them black
#   transparent C     the character C stands for see-through pixels
#   pixels            followed by 32 rows of 32 characters, top row first
# The icon holds one 4-bit image with its transparency mask; see-through
# pixels carry black in the image, so the mask alone decides what shows.
set -eu
[ $# -eq 2 ] || { echo "usage: $0 MAP ICO" >&2; exit 2; }
map=$1
ico=$2

# awk checks the map and writes the icon's bytes as octal escapes, a row of
# the image per line, which printf then turns into bytes.
escapes=$(awk '
function fail(message) {
  if (FNR) printf "%s:%d: %s\n", FILENAME, FNR, message > "/dev/stderr"
  else printf "%s: %s\n", FILENAME, message > "/dev/stderr"
  failed = 1
  exit 1
}
function byte(value) { out = out sprintf("\\%03o", value % 256) }
function word(value) { byte(value); byte(int(value / 256)) }
function dword(value) { word(value % 65536); word(int(value / 65536)) }
function hexval(text,    i, v) {
  v = 0
  for (i = 1; i <= length(text); i++) v = v * 16 + index("0123456789abcdef", substr(tolower(text), i, 1)) - 1
  return v
}
BEGIN { colours = 0; rows = 0; in_pixels = 0; transparent = "" }
/^#/ || /^[ \t]*$/ { next }
!in_pixels { sub(/[ \t]*#.*$/, ""); if ($0 ~ /^[ \t]*$/) next }
in_pixels {
  if (length($0) != 32) fail("a row needs 32 characters, not " length($0))
  if (rows == 32) fail("more than 32 rows")
  row[rows++] = $0
  next
}
$1 == "colour" {
  if (NF != 3 || length($2) != 1 || $3 !~ /^[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]$/)
    fail("expected: colour C RRGGBB")
  if (colours == 16) fail("more than 16 colours")
  if ($2 in slot) fail("colour character " $2 " given twice")
  slot[$2] = colours
  rgb[colours++] = tolower($3)
  next
}
$1 == "transparent" {
  if (NF != 2 || length($2) != 1) fail("expected: transparent C")
  transparent = $2
  next
}
$1 == "pixels" { in_pixels = 1; next }
{ fail("unknown line") }
END {
  if (failed) exit 1
  if (rows != 32) { FNR = 0; fail("expected 32 rows, found " rows) }
  black = -1
  for (i = 0; i < colours; i++) if (rgb[i] == "000000") { black = i; break }
  if (black < 0) { FNR = 0; fail("the palette needs black for see-through pixels") }
  if (transparent in slot) { FNR = 0; fail("the transparent character is also a colour") }

  # Icon directory: one 32x32 image of 16 colours, 4 bits per pixel.
  image_size = 40 + 16 * 4 + 32 * 16 + 32 * 4
  word(0); word(1); word(1)
  byte(32); byte(32); byte(16); byte(0); word(1); word(4); dword(image_size); dword(22)
  # Bitmap header: the height counts the image and the mask.
  dword(40); dword(32); dword(64); word(1); word(4); dword(0)
  dword(32 * 16 + 32 * 4); dword(0); dword(0); dword(16); dword(0)
  # Palette: blue, green, red, zero; unused entries black.
  for (i = 0; i < 16; i++) {
    v = i < colours ? hexval(rgb[i]) : 0
    byte(v % 256); byte(int(v / 256) % 256); byte(int(v / 65536)); byte(0)
  }
  print out; out = ""
  # Image rows bottom up, two pixels a byte, the left one in the high half.
  for (y = 31; y >= 0; y--) {
    for (x = 1; x <= 32; x += 2) {
      v = 0
      for (k = 0; k < 2; k++) {
        c = substr(row[y], x + k, 1)
        if (c == transparent) n = black
        else if (c in slot) n = slot[c]
        else { FNR = 0; fail("row " y + 1 ": unknown pixel character " c) }
        v = v * 16 + n
      }
      byte(v)
    }
    print out; out = ""
  }
  # Mask rows bottom up, a bit a pixel, set where the pixel is see-through.
  for (y = 31; y >= 0; y--) {
    for (x = 1; x <= 32; x += 8) {
      v = 0
      for (k = 0; k < 8; k++) v = v * 2 + (substr(row[y], x + k, 1) == transparent)
      byte(v)
    }
    print out; out = ""
  }
}' "$map")

tmp=$ico.tmp
: > "$tmp"
printf '%s\n' "$escapes" | while IFS= read -r line; do
  # shellcheck disable=SC2059 # the line is a format made only of octal escapes
  printf "$line" >> "$tmp"
done
mv "$tmp" "$ico"
