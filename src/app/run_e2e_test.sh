#!/bin/bash
# End-to-end runs of the built hibiopen: every row of the whole-run table on
# 21 March 1997, the message boxes through the dialog programs, the calendar,
# and the launch rules. The clock, the stub programs and the checks come from
# e2e_lib.sh.
#
# Usage: run_e2e_test.sh PATH/TO/hibiopen
set -u
source "$(dirname "$0")/e2e_lib.sh" "$1"
make_stub zenity kdialog xmessage

# --- Whole runs on 21 March 1997 at 10:00 UTC -------------------------------

fresh_dir; touch NI970321.LOG
want_box About
run_case "no tokens: About" DISPLAY=:99 --

want_box CommandLineShort
run_case "one token: CommandLineShort" DISPLAY=:99 -- 345678

want_tested=(NI970321.LOG); want_run xdg-open NI970321.LOG
run_case "two tokens: today's file opened" DISPLAY=:99 -- 345678 'NI*.LOG'

fresh_dir; touch NI970320.LOG
want_tested=(NI970321.LOG NI970320.LOG); want_run App.exe NI970320.LOG
run_case "yesterday's file run with App.exe" DISPLAY=:99 -- 345678 App.exe 'NI*.LOG'

touch NI970321.LOG
want_tested=(NI970321.LOG); want_run App.exe NI970321.LOG
run_case "both files: today's wins, yesterday's untested" DISPLAY=:99 -- 345678 App.exe 'NI*.LOG'

fresh_dir
want_tested=(NI970321.LOG NI970320.LOG); want_box NotFound
run_case "neither file: NotFound" DISPLAY=:99 -- 345678 App.exe 'NI*.LOG'

fresh_dir; touch NI970321.LOG
want_box BadSelector
run_case "selector digit 9: BadSelector" DISPLAY=:99 -- 3456789 App.exe 'NI*.LOG'

fresh_dir; touch 'C:\LOG\19970321.TXT'
want_tested=('C:\LOG\19970321.TXT'); want_run App.exe -x -y 'C:\LOG\19970321.TXT'
run_case "extra arguments before a backslash path" DISPLAY=:99 -- \
  12345678 App.exe -x -y 'C:\LOG\*.TXT'

fresh_dir; touch 'NI970321.*'
want_box NotFound
run_case "a second star never reaches the file system" DISPLAY=:99 -- 345678 App.exe 'NI*.*'

fresh_dir; touch 'C:\My Logs\NI970321.LOG'
for form in 'C:\My Logs\NI*.LOG' '"C:\My Logs\NI*.LOG"'; do
  want_tested=('C:\My Logs\NI970321.LOG'); want_run App.exe 'C:\My Logs\NI970321.LOG'
  run_case "path with a space, given as [$form], run with App.exe" DISPLAY=:99 -- \
    345678 App.exe "$form"

  want_tested=('C:\My Logs\NI970321.LOG'); want_run xdg-open 'C:\My Logs\NI970321.LOG'
  run_case "path with a space, given as [$form], opened" DISPLAY=:99 -- 345678 "$form"
done

# --- Messages without a desktop, and dialog programs that fail -------------

want_message About
run_case "no desktop: About on standard error" --

want_message CommandLineShort
run_case "no desktop: CommandLineShort on standard error" -- '"a b"'

make_failing_stub zenity 255
want_started=(zenity kdialog)
want_argv=(kdialog --title "${caption[CommandLineShort]}" --error "${text[CommandLineShort]}")
run_case "zenity fails: kdialog shows the box" DISPLAY=:99 -- 345678
make_stub zenity

want_message CommandLineShort
run_case "no dialog program at all: standard error" DISPLAY=:99 PATH="$work/nothing" -- 345678

# --- The calendar: yesterday is the day before today -----------------------

while IFS='|' read -r date tz today yesterday; do
  fresh_dir; touch "$yesterday.LOG"
  want_tested=("$today.LOG" "$yesterday.LOG"); want_run App.exe "$yesterday.LOG"
  run_case "$date $tz: today $today, yesterday $yesterday" FAKETIME="@$date" TZ="$tz" -- \
    12345678 App.exe '*.LOG'
done << 'EOF'
2026-03-30 00:30:00|Europe/Berlin|20260330|20260329
2026-10-25 23:30:00|Europe/Berlin|20261025|20261024
1997-03-01 10:00:00|UTC|19970301|19970228
2000-01-01 10:00:00|UTC|20000101|19991231
2000-03-01 10:00:00|UTC|20000301|20000229
2040-01-01 00:00:10|UTC|20400101|20391231
2100-03-01 12:00:00|Asia/Tokyo|21000301|21000228
EOF

# --- Launching ---------------------------------------------------------------

fresh_dir
name="NI970321;touch pwned1;\$(touch pwned2)\`touch pwned3\`'&touch pwned4&|x"
touch "$name"
want_tested=("$name"); want_run App.exe "$name"
run_case "shell metacharacters in a file name are data" -- \
  345678 App.exe "NI*;touch pwned1;\$(touch pwned2)\`touch pwned3\`'&touch pwned4&|x"
compgen -G "pwned*" > /dev/null && fail "a metacharacter ran a command"

fresh_dir; touch NI970321.LOG notes.txt
want_tested=(NI970321.LOG); want_run xdg-open notes.txt
run_case "a document named as the application is opened" -- 345678 notes.txt -x 'NI*.LOG'

want_tested=(NI970321.LOG); want_report "nosuch.exe: no such program or file"
run_case "a missing application is reported" -- 345678 nosuch.exe 'NI*.LOG'

want_tested=(NI970321.LOG); want_report "xdg-open: no opener found on PATH (xdg-open or open)"
run_case "no opener on PATH is reported" PATH="$work/nothing" -- 345678 'NI*.LOG'

fresh_dir; touch -- -NI970321.LOG
want_tested=(-NI970321.LOG); want_run xdg-open ./-NI970321.LOG
run_case "a name that looks like an option reaches the opener as a path" -- 345678 '-NI*.LOG'

fresh_dir
want_run App.exe -x NOTES.TXT
run_case "a pattern without a star is opened untested" -- 9 App.exe -x NOTES.TXT

finish "end-to-end"
