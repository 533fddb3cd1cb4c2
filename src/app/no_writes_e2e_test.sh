#!/bin/bash
# Nothing written: the built hibiopen runs through every outcome in one
# directory of logs, and after each run the directory is exactly as before
# (names, types, sizes, modes, modification and change times), the scratch
# home directory is still empty, and strace saw hibiopen make no call that
# writes to the file system anywhere.
#
# Usage: no_writes_e2e_test.sh PATH/TO/hibiopen
set -u
. "$(dirname "$0")/e2e_lib.sh" "$1"

snapshot() {
  find . -printf '%p\t%y\t%s\t%m\t%T@\t%C@\n' | sort
}

fresh_dir
printf 'today\n' > NI970321.LOG
printf 'yesterday\n' > OLD970320.LOG
printf 'notes\n' > notes.txt
mkdir sub && printf 'x\n' > sub/NI970321.LOG
touch -d '1997-01-01 00:00:00' NI970321.LOG sub
before=$(snapshot)

# The zenity of a desktop, for the messages shown in a box.
make_stub zenity

check_unchanged() {
  local after
  after=$(snapshot)
  [ "$after" = "$before" ] || fail "the directory changed: $(diff <(echo "$before") <(echo "$after") | head -c 600)"
  [ -z "$(find "$home" -mindepth 1 | head -n 1)" ] ||
    fail "files appeared in the home directory: $(find "$home" -mindepth 1 | head -n 5)"
}

want_message About
run_case "About" -- ; check_unchanged
want_message CommandLineShort
run_case "CommandLineShort" -- 345678; check_unchanged
want_message BadSelector
run_case "BadSelector" -- 9 'NI*.LOG'; check_unchanged
want_tested=(XX970321.LOG XX970320.LOG); want_message NotFound
run_case "NotFound" -- 345678 'XX*.LOG'; check_unchanged
want_message SearchError
run_case "SearchError" FAKETIME=+67768036191676800 -- 345678 'NI*.LOG'; check_unchanged
want_tested=(NI970321.LOG); want_run App.exe -x NI970321.LOG
run_case "today's file run with an application" -- 345678 App.exe -x 'NI*.LOG'; check_unchanged
want_tested=(OLD970321.LOG OLD970320.LOG); want_run xdg-open OLD970320.LOG
run_case "yesterday's file opened" -- 345678 'OLD*.LOG'; check_unchanged
want_tested=(sub/NI970321.LOG); want_run xdg-open sub/NI970321.LOG
run_case "a file in a subdirectory opened" -- 345678 'sub/NI*.LOG'; check_unchanged
want_run App.exe notes.txt
run_case "no placeholder: the pattern itself" -- 345678 App.exe notes.txt; check_unchanged
want_tested=(NI970321.LOG); want_report "nosuch: no such program or file"
run_case "a missing application" -- 345678 nosuch 'NI*.LOG'; check_unchanged
want_tested=(NI970321.LOG); want_run xdg-open notes.txt
run_case "a document as the application" -- 345678 notes.txt 'NI*.LOG'; check_unchanged
want_tested=(NI970321.LOG); want_report "xdg-open: no opener found on PATH (xdg-open or open)"
run_case "no opener" PATH="$work/nothing" -- 345678 'NI*.LOG'; check_unchanged
want_tested=(XX970321.LOG XX970320.LOG); want_started=(zenity)
want_argv=(zenity --info --icon-name= --no-markup --no-wrap "--title=HIBIOPEN File Not Found."
  "--text=今日／昨日の日付の ﾌｧｲﾙ が見つかりません。")
run_case "NotFound in a box" DISPLAY=:99 -- 345678 'XX*.LOG'; check_unchanged
want_message BadSelector
run_case "BadSelector as an unprivileged user" as-nobody -- 9 'NI*.LOG'; check_unchanged

finish "nothing written"
