#!/bin/sh
# The whole HIBIOPEN.EXE (64-bit build) under wine64 on a virtual X display:
# the about box and the CommandLineShort box appear as top-level windows with
# their captions and go away with Enter, and a run with today's file present
# starts the recorder through the shell with the file as its last parameter.
#
# Usage: main_win32_wine_test.sh HIBIOPEN.EXE RECORDER.EXE SCREENSHOT.PNG
# Needs WINEPREFIX (a prefix made by scripts/wine-run --init). Exits with 77,
# a skipped test, when wine64 or the X tools are missing.
set -u

here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../scripts/wine-run

if [ "${HIBIOPEN_UNDER_XVFB:-}" != 1 ]; then
  for tool in xvfb-run xauth xdotool; do
    if ! command -v "$tool" >/dev/null; then
      echo "$tool is not installed; skipped" >&2
      exit 77
    fi
  done
  # Skipped without wine64 before an X server is started for nothing.
  "$wine_run" --timeout 60 --version >/dev/null 2>&1
  [ $? -eq 77 ] && { echo "wine64 is not installed; skipped" >&2; exit 77; }
  HIBIOPEN_UNDER_XVFB=1 exec timeout -k 10 600 \
    xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$@"
fi

exe=$(realpath "$1")
recorder=$(realpath "$2")
screenshot=$3

work=$(mktemp -d "${TMPDIR:-/tmp}/hibiopen-wine-XXXXXX")
program_pid=
cleanup() {
  [ -n "$program_pid" ] && "$wine_run" --kill
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Polls for up to SECONDS for a visible top-level window (a child of the root
# window) whose title is exactly TITLE; prints its id.
find_window() { # TITLE SECONDS
  deadline=$(($(date +%s) + $2))
  while [ "$(date +%s)" -lt "$deadline" ]; do
    id=$(xdotool search --maxdepth 1 --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.5
  done
  return 1
}

# Waits for the program started in the background to end; fails when it does
# not within SECONDS or does not end with exit code 0.
wait_program() { # NAME SECONDS
  deadline=$(($(date +%s) + $2))
  while kill -0 "$program_pid" 2>/dev/null && [ "$(date +%s)" -lt "$deadline" ]; do
    sleep 0.5
  done
  if kill -0 "$program_pid" 2>/dev/null; then
    fail "$1: the program did not end"
    "$wine_run" --kill
  fi
  wait "$program_pid"
  rc=$?
  program_pid=
  [ "$rc" -eq 0 ] || fail "$1: exit code $rc"
}

# Saves the screen's part that shows the window.
screenshot() { # WINDOW PNG
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root "$work/screen.png" &&
    convert "$work/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

# A message box: the window appears with its caption and closes with Enter,
# and the program then ends with exit code 0.
expect_box() { # NAME TITLE SCREENSHOT-OR-EMPTY -- ARGUMENTS...
  name=$1
  title=$2
  shot=$3
  shift 4
  (cd "$work" && exec "$wine_run" --timeout 240 "$exe" "$@") &
  program_pid=$!
  if id=$(find_window "$title" 120); then
    echo "$name: window $id titled '$title'"
    sleep 2  # lets the box finish drawing
    if [ -n "$shot" ]; then
      screenshot "$id" "$shot" || fail "$name: no screenshot"
    fi
    xdotool windowfocus "$id" key Return
  else
    fail "$name: no top-level window titled '$title'"
    xdotool search --name . getwindowname %@ 2>/dev/null | sed 's/^/  window: /' >&2
  fi
  wait_program "$name" 60
}

expect_box about 'HIBIOPENについて' "$screenshot" --
expect_box short 'HIBIOPEN Error' '' -- 345678

# The file of today, the recorder beside it, and a run that names them.
today=$(date +%y%m%d)
cp "$recorder" "$work/recorder.exe"
: > "$work/NI$today.LOG"
(cd "$work" && exec "$wine_run" --timeout 240 "$exe" 345678 recorder.exe -x '' 'NI*.LOG') &
program_pid=$!
wait_program recorder 240
deadline=$(($(date +%s) + 60))
while [ ! -f "$work/recorded.txt" ] && [ "$(date +%s)" -lt "$deadline" ]; do
  sleep 0.5
done
if [ -f "$work/recorded.txt" ]; then
  line=$(cat "$work/recorded.txt")
  echo "recorder: command line [$line]"
  # The program's name, quoted or not, then the parameters.
  case $line in
    \"*) parameters=${line#\"*\"} ;;
    *) parameters=${line#* } ;;
  esac
  parameters=${parameters# }
  expected="-x \"\" NI$today.LOG"
  [ "$parameters" = "$expected" ] || fail "recorder: parameters [$parameters], expected [$expected]"
  case $line in
    *recorder.exe*) ;;
    *) fail "recorder: not started as recorder.exe: [$line]" ;;
  esac
else
  fail "recorder: never started"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
