#!/bin/sh
# What people write instead of hibiopen, as a POSIX shell script: opens the
# file whose name is PATTERN with today's date (YYMMDD) in place of its '*',
# or yesterday's when today's is missing, with the desktop's opener, and does
# not wait for it. The benchmark times it against hibiopen 345678 PATTERN.
pattern=$1
prefix=${pattern%%\**}
suffix=${pattern#*\*}
file=$prefix$(date +%y%m%d)$suffix
if [ ! -e "$file" ]; then
  file=$prefix$(date -d yesterday +%y%m%d)$suffix
fi
if [ -e "$file" ]; then
  xdg-open "$file" &
else
  echo "no file for today or yesterday: $pattern" >&2
fi
