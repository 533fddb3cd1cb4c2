#!/bin/bash
# End-to-end runs of the built hibiopen: the clock set with libfaketime, stub
# programs first on PATH that record the argument vectors they receive, and
# strace to see which paths the program tests and what it starts.
#
# Usage: run_e2e_test.sh PATH/TO/hibiopen
set -u

bin=$(realpath "$1")
for tool in strace faketime; do
  command -v "$tool" >/dev/null || { echo "end-to-end tests need $tool" >&2; exit 1; }
done
libfaketime=$(find /usr/lib -name libfaketime.so.1 -path '*faketime*' | head -n 1)
[ -n "$libfaketime" ] || { echo "libfaketime.so.1 not found" >&2; exit 1; }

work=$(mktemp -d /tmp/hibiopen-e2e-XXXXXX)
stubs=$work/stubs
records=$work/records
mkdir -p "$stubs" "$records"
holder_pid=
cleanup() {
  [ -n "$holder_pid" ] && kill "$holder_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# One faketime process lives for the whole run; every faked run shares its
# memory segment, so a launched program that outlives hibiopen still finds it.
# Its shell writes its own process id (the sleep it becomes): a search by name
# could find another test's holder.
faketime -f '+0' sh -c 'echo $$ > "$2"; printf %s "$FAKETIME_SHARED" > "$1"; exec sleep 100000' \
  sh "$work/shared" "$work/holder" 2>/dev/null &
for _ in $(seq 50); do [ -s "$work/shared" ] && break; sleep 0.1; done
holder_pid=$(cat "$work/holder")
shared=$(cat "$work/shared")

# A stub records its argument vector, NUL-separated, under its own name.
make_stub() { # NAME [EXIT-STATUS]
  cat > "$stubs/$1" <<EOF
#!/bin/sh
printf '%s\\0' "\$@" > "$records/$1"
exit ${2:-0}
EOF
  chmod +x "$stubs/$1"
}
for name in xdg-open zenity kdialog xmessage App.exe; do make_stub "$name"; done
mkdir -p "$work/nothing"

failures=0
case_name=
fail() {
  echo "FAIL [$case_name]: $*" >&2
  failures=$((failures + 1))
}

# run_at DATE TZ PATH DISPLAY -- ARGS...: runs hibiopen in the current
# directory at DATE (local time in TZ). Leaves the exit code in $rc, standard
# error in $work/stderr, the paths tested in $work/tested (one per line) and
# the programs started in $work/started.
run_at() {
  local date=$1 tz=$2 path=$3 display=$4
  shift 5
  rm -f "$records"/*
  /usr/bin/strace -f -qq -e trace=newfstatat,lstat,execve -o "$work/trace" \
    /usr/bin/env -i HOME="$work/home" TZ="$tz" PATH="$path" DISPLAY="$display" \
    LD_PRELOAD="$libfaketime" FAKETIME="@$date" FAKETIME_SHARED="$shared" \
    ASAN_OPTIONS="$sanitizer_options" UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$bin" "$@" < /dev/null 2> "$work/stderr"
  rc=$?
  local main_pid
  main_pid=$(awk 'NR == 1 { print $1 }' "$work/trace")
  # The program's own lstat calls on relative or absolute paths of the test,
  # leaving out those of libfaketime's shared memory.
  grep -E "^$main_pid +(newfstatat\(AT_FDCWD, |lstat\()\".*AT_SYMLINK_NOFOLLOW|^$main_pid +lstat\(" \
    "$work/trace" | grep -v '"/dev/shm/' |
    sed -E 's/^[0-9]+ +(newfstatat\(AT_FDCWD, |lstat\()"(.*)", (0x|\{).*/\2/; s/\\\\/\\/g' \
    > "$work/tested"
  grep -E '^[0-9]+ +execve\(.* = 0$' "$work/trace" | grep -v "^$main_pid " |
    sed -E 's/^[0-9]+ +execve\("([^"]*)".*/\1/' | xargs -r -n1 basename > "$work/started"
}

# For a build with AddressSanitizer (ignored otherwise): libfaketime is
# preloaded ahead of the sanitizer's run time, and the leak checker can work
# neither under strace nor beside libfaketime.
sanitizer_options=verify_asan_link_order=0:detect_leaks=0

run_1997() { run_at "1997-03-21 10:00:00" UTC "$stubs" :99 -- "$@"; }

expect_rc0() { [ "$rc" = 0 ] || fail "exit code $rc"; }

expect_tested() { # PATH...
  local expected
  expected=$(printf '%s\n' "$@")
  [ $# -eq 0 ] && expected=
  [ "$(cat "$work/tested")" = "$expected" ] ||
    fail "tested [$(tr '\n' '|' < "$work/tested")], expected [$(printf '%s|' "$@")]"
}

expect_argv() { # STUB ARG...: the stub ran once with exactly these arguments
  local stub=$1
  shift
  [ -f "$records/$stub" ] || { fail "$stub did not run"; return; }
  if ! cmp -s "$records/$stub" <(printf '%s\0' "$@"); then
    fail "$stub got [$(tr '\0' '|' < "$records/$stub")], expected [$(printf '%s|' "$@")]"
  fi
}

expect_started() { # NAME...: exactly these programs were started, in order
  local expected
  expected=$(printf '%s\n' "$@")
  [ $# -eq 0 ] && expected=
  [ "$(cat "$work/started")" = "$expected" ] ||
    fail "started [$(tr '\n' '|' < "$work/started")], expected [$(printf '%s|' "$@")]"
}

# The messages as the user reads them.
about_text="$(printf '%s\n' \
  "             今日の日付の ﾌｧｲﾙ を開く補助" \
  "                      HIBIOPEN  ver.1.03" \
  "" \
  "       by HIBIOPEN developers (hibiopen@example.org)" \
  "                      (https://hibiopen.example.org/)" \
  "" \
  "----------------------------------------" \
  "" \
  "使い方の例：(ｺﾏﾝﾄﾞﾗｲﾝ = Win95 ｼｮｰﾄｶｯﾄ 等で )" \
  "" \
  "HIBIOPEN.EXE 345678 Application.Exe NI*.LOG" \
  "" \
  "と指定。→ * を日付文字列に変換して実行します。")"
command_line_short_text="HIBIOPEN：ｺﾏﾝﾄﾞﾗｲﾝの指定が足りません、または \" \" が抜けています。
"
bad_selector_text="HIBIOPEN：ｵﾌﾟｼｮﾝの指定が間違っています。
"
not_found_text="今日／昨日の日付の ﾌｧｲﾙ が見つかりません。"

expect_box() { # ICON-OPTION CAPTION TEXT: zenity showed this box
  local icon_options=("$1")
  [ "$1" = --info ] && icon_options=(--info --icon-name=)
  expect_argv zenity "${icon_options[@]}" --no-markup --no-wrap "--title=$2" "--text=$3"
}

expect_stderr_box() { # CAPTION TEXT: the box went to standard error
  local expected="$1
$2"
  [ "${2: -1}" = $'\n' ] || expected+=$'\n'
  cmp -s "$work/stderr" <(printf '%s' "$expected") ||
    fail "standard error [$(cat "$work/stderr")], expected [$expected]"
}

fresh_dir() {
  cd "$work" && rm -rf case && mkdir case && cd case || exit 1
}

# --- Whole runs on 21 March 1997 at 10:00 UTC -------------------------------

case_name="no tokens: About"
fresh_dir; touch NI970321.LOG
run_1997
expect_rc0; expect_tested; expect_started zenity
expect_box --info "HIBIOPENについて" "$about_text"

case_name="one token: CommandLineShort"
fresh_dir; touch NI970321.LOG
run_1997 345678
expect_rc0; expect_tested; expect_started zenity
expect_box --error "HIBIOPEN Error" "$command_line_short_text"

case_name="two tokens, today's file opened"
fresh_dir; touch NI970321.LOG
run_1997 345678 'NI*.LOG'
expect_rc0; expect_tested NI970321.LOG; expect_started xdg-open
expect_argv xdg-open NI970321.LOG

case_name="yesterday's file run with App.exe"
fresh_dir; touch NI970320.LOG
run_1997 345678 App.exe 'NI*.LOG'
expect_rc0; expect_tested NI970321.LOG NI970320.LOG; expect_started App.exe
expect_argv App.exe NI970320.LOG

case_name="both files: today's wins, yesterday's untested"
fresh_dir; touch NI970320.LOG NI970321.LOG
run_1997 345678 App.exe 'NI*.LOG'
expect_rc0; expect_tested NI970321.LOG; expect_started App.exe
expect_argv App.exe NI970321.LOG

case_name="neither file: NotFound"
fresh_dir
run_1997 345678 App.exe 'NI*.LOG'
expect_rc0; expect_tested NI970321.LOG NI970320.LOG; expect_started zenity
expect_box --info "HIBIOPEN File Not Found." "$not_found_text"

case_name="selector digit 9: BadSelector"
fresh_dir; touch NI970321.LOG
run_1997 3456789 App.exe 'NI*.LOG'
expect_rc0; expect_tested; expect_started zenity
expect_box --error "HIBIOPEN Error" "$bad_selector_text"

case_name="extra arguments before a backslash path"
fresh_dir; touch 'C:\LOG\19970321.TXT'
run_1997 12345678 App.exe -x -y 'C:\LOG\*.TXT'
expect_rc0; expect_tested 'C:\LOG\19970321.TXT'; expect_started App.exe
expect_argv App.exe -x -y 'C:\LOG\19970321.TXT'

case_name="second star never reaches the file system"
fresh_dir; touch 'NI970321.*'
run_1997 345678 App.exe 'NI*.*'
expect_rc0; expect_tested; expect_started zenity
expect_box --info "HIBIOPEN File Not Found." "$not_found_text"

for form in 'C:\My Logs\NI*.LOG' '"C:\My Logs\NI*.LOG"'; do
  case_name="path with a space, given as [$form], run with App.exe"
  fresh_dir; touch 'C:\My Logs\NI970321.LOG'
  run_1997 345678 App.exe "$form"
  expect_rc0; expect_tested 'C:\My Logs\NI970321.LOG'; expect_started App.exe
  expect_argv App.exe 'C:\My Logs\NI970321.LOG'

  case_name="path with a space, given as [$form], opened"
  run_1997 345678 "$form"
  expect_rc0; expect_tested 'C:\My Logs\NI970321.LOG'; expect_started xdg-open
  expect_argv xdg-open 'C:\My Logs\NI970321.LOG'
done

# --- Messages without a desktop, and dialog programs that fail -------------

case_name="no desktop: About on standard error"
fresh_dir
run_at "1997-03-21 10:00:00" UTC "$stubs" "" --
expect_rc0; expect_started
expect_stderr_box "HIBIOPENについて" "$about_text"

case_name="no desktop: CommandLineShort on standard error"
run_at "1997-03-21 10:00:00" UTC "$stubs" "" -- '"a b"'
expect_rc0; expect_started
expect_stderr_box "HIBIOPEN Error" "$command_line_short_text"

case_name="zenity fails: kdialog shows the box"
make_stub zenity 255
run_1997 345678
expect_rc0; expect_started zenity kdialog
expect_argv kdialog --title "HIBIOPEN Error" --error "$command_line_short_text"
[ -s "$work/stderr" ] && fail "unexpected standard error: $(cat "$work/stderr")"
make_stub zenity

case_name="no dialog program at all: standard error"
run_at "1997-03-21 10:00:00" UTC "$work/nothing" :99 -- 345678
expect_rc0; expect_started
expect_stderr_box "HIBIOPEN Error" "$command_line_short_text"

# --- The calendar: yesterday is the day before today -----------------------

while IFS='|' read -r date tz today yesterday; do
  case_name="$date $tz: today $today, yesterday $yesterday"
  fresh_dir; touch "$yesterday.LOG"
  run_at "$date" "$tz" "$stubs" :99 -- 12345678 App.exe '*.LOG'
  expect_rc0; expect_tested "$today.LOG" "$yesterday.LOG"
  expect_argv App.exe "$yesterday.LOG"
done <<'EOF'
2026-03-30 00:30:00|Europe/Berlin|20260330|20260329
2026-10-25 23:30:00|Europe/Berlin|20261025|20261024
1997-03-01 10:00:00|UTC|19970301|19970228
2000-01-01 10:00:00|UTC|20000101|19991231
2000-03-01 10:00:00|UTC|20000301|20000229
2040-01-01 00:00:10|UTC|20400101|20391231
2100-03-01 12:00:00|Asia/Tokyo|21000301|21000228
EOF

# --- Launching ---------------------------------------------------------------

case_name="shell metacharacters in a file name are data"
fresh_dir
name="NI970321;touch pwned1;\$(touch pwned2)\`touch pwned3\`'&touch pwned4&|x"
touch "$name"
run_1997 345678 App.exe "NI*;touch pwned1;\$(touch pwned2)\`touch pwned3\`'&touch pwned4&|x"
expect_rc0; expect_started App.exe
expect_argv App.exe "$name"
ls pwned* "$work"/pwned* > /dev/null 2>&1 && fail "a metacharacter ran a command"

case_name="a document named as the application is opened"
fresh_dir; touch NI970321.LOG notes.txt
run_1997 345678 notes.txt -x 'NI*.LOG'
expect_rc0; expect_started xdg-open
expect_argv xdg-open notes.txt

case_name="a missing application is reported"
fresh_dir; touch NI970321.LOG
run_1997 345678 nosuch.exe 'NI*.LOG'
expect_rc0; expect_started
[ "$(cat "$work/stderr")" = "hibiopen: nosuch.exe: no such program or file" ] ||
  fail "standard error: $(cat "$work/stderr")"

case_name="no opener on PATH is reported"
run_at "1997-03-21 10:00:00" UTC "$work/nothing" :99 -- 345678 'NI*.LOG'
expect_rc0; expect_started
grep -q '^hibiopen: xdg-open: ' "$work/stderr" || fail "standard error: $(cat "$work/stderr")"

case_name="a name that looks like an option reaches the opener as a path"
fresh_dir; touch -- -NI970321.LOG
run_1997 345678 '-NI*.LOG'
expect_rc0; expect_argv xdg-open ./-NI970321.LOG

case_name="a pattern without a star is opened untested"
fresh_dir
run_1997 9 App.exe -x NOTES.TXT
expect_rc0; expect_tested; expect_argv App.exe -x NOTES.TXT

if [ "$failures" -ne 0 ]; then
  echo "$failures end-to-end check(s) failed" >&2
  exit 1
fi
echo "end-to-end: all checks passed"
