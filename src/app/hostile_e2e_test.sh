#!/bin/bash
# Hostile input against the built hibiopen. Every case states its outcome (the
# paths tested, the program started with its arguments, or what reaches
# standard error) and is checked for exit code 0 and for ending within its
# time limit. The clock reads 21 March 1997, 10:00 UTC, except in the last
# section, which checks for leaks.
#
# Usage: hostile_e2e_test.sh PATH/TO/hibiopen
set -u
. "$(dirname "$0")/e2e_lib.sh" "$1"

# Linux limits one argument to 128 KiB (MAX_ARG_STRLEN) and all arguments
# together to a quarter of the stack limit (at most 6 MiB): 2 MiB with the
# default 8 MiB stack, too little for a 2 MiB tail with its environment. A
# 64 MiB stack allows the full 6 MiB.
ulimit -S -s 65536 || { echo "cannot raise the stack limit for a 2 MiB command tail" >&2; exit 1; }

repeat() { # TEXT COUNT: TEXT COUNT times
  local unit=$1 count=$2 out=
  while ((count > 0)); do
    ((count & 1)) && out+=$unit
    unit+=$unit
    ((count >>= 1))
  done
  printf '%s' "$out"
}

# --- Size --------------------------------------------------------------------

fresh_dir; touch NI970321.LOG

# A 2 MiB tail: 17 arguments of 128 KiB less one byte (the most one argument
# may hold), each a different letter, between the application and the
# pattern; 2,228,246 bytes once joined with spaces.
big=()
for letter in a b c d e f g h i j k l m n o p q; do big+=("$(repeat "$letter" 131071)"); done
want_tested=(NI970321.LOG); want_run App.exe "${big[@]}" NI970321.LOG
run_case "2 MiB tail: 17 extra arguments of 128 KiB reach the application" \
  -- 345678 App.exe "${big[@]}" 'NI*.LOG'

# A quote opened in the first argument and closed in the last makes the
# whole 2 MiB one token, here the pattern: the target is far too long for the
# file system, which finds nothing.
quoted=("\"NI*${big[0]:4}" "${big[@]:1:15}" "${big[16]:1}\"")
inner="${big[0]:4} ${big[*]:1:15} ${big[16]:1}"
want_tested=("NI970321$inner" "NI970320$inner"); want_message NotFound
run_case "2 MiB tail: one quoted 2 MiB pattern is not found" -- 345678 App.exe "${quoted[@]}"
unset big quoted inner

# 100,000 tokens: the selector, the application, 99,997 numbered arguments
# in order, and the pattern.
mapfile -t numbers < <(seq 99997)
want_tested=(NI970321.LOG); want_run App.exe "${numbers[@]}" NI970321.LOG
run_case "100,000 tokens: 99,997 extra arguments reach the application in order" \
  -- 345678 App.exe "${numbers[@]}" 'NI*.LOG'
want_message BadSelector
run_case "100,000 tokens: a bad selector still ends in BadSelector" \
  -- 3456789 App.exe "${numbers[@]}" 'NI*.LOG'
unset numbers

# A 100 KiB token in each place.
k100=$(repeat k 102400)
want_tested=(NI970321.LOG); want_run App.exe "$k100" NI970321.LOG
run_case "100 KiB extra argument reaches the application" -- 345678 App.exe "$k100" 'NI*.LOG'
want_tested=("NI970321$k100" "NI970320$k100"); want_message NotFound
run_case "100 KiB pattern: both names too long, NotFound" -- 345678 App.exe "NI*$k100"
want_tested=(NI970321.LOG); want_report "$k100: no such program or file"
run_case "100 KiB application: reported missing" -- 345678 "$k100" 'NI*.LOG'
want_tested=("$(repeat 1 102400)" "$(repeat 0 102400)"); want_message NotFound
run_case "100 KiB selector: a 100 KiB key, NotFound" -- "$(repeat 8 102400)" '*'
unset k100

# A selector of 10,000 digits.
want_tested=("NI$(repeat 19970321 1250).LOG" "NI$(repeat 19970320 1250).LOG")
want_message NotFound
run_case "10,000-digit selector: a 10,000-byte key, NotFound" \
  -- "$(repeat 12345678 1250)" App.exe 'NI*.LOG'
want_message BadSelector
run_case "10,000-digit selector ending in 9: BadSelector" \
  -- "$(repeat 8 9999)9" App.exe 'NI*.LOG'

# Targets longer than the 2,048 bytes of the Windows program: under PATH_MAX
# (4,096) the file is found and opened; beyond it the system refuses the path
# and the existing file is NotFound.
fresh_dir
name250=$(repeat d 250)
deep=.
for level in $(seq 20); do
  mkdir "$name250" && cd "$name250" || exit 1
  deep+=/$name250
  [ "$level" = 12 ] && { touch NI970321.LOG; mid=$deep; }
done
touch NI970321.LOG
cd "$work/case" || exit 1
want_tested=("$mid/NI970321.LOG"); want_run App.exe "$mid/NI970321.LOG"
run_case "target of ${#mid} bytes is found and opened" -- 345678 App.exe "$mid/NI*.LOG"
want_tested=("$deep/NI970321.LOG" "$deep/NI970320.LOG"); want_message NotFound
run_case "target of ${#deep} bytes, past PATH_MAX: NotFound" -- 345678 App.exe "$deep/NI*.LOG"
unset name250 deep mid

# --- Every byte value --------------------------------------------------------

# Each byte 0x01-0xFF as the second byte of the selector, as a byte inside
# the application's name and inside the pattern. Every name exists: a stub
# program A<byte>p, and the files NI9<digit>.LOG and NI970321<byte>.LOG.
fresh_dir
for digit in 0 1 2 3 7 9; do touch "NI9$digit.LOG"; done
date_text=19970321
for code in $(seq 1 255); do
  printf -v hex %02X "$code"
  printf -v byte "\\x$hex"
  if [ "$byte" = / ]; then
    mkdir NI970321 && touch NI970321/.LOG
  else
    touch "NI970321$byte.LOG"
    make_stub "A${byte}p"
  fi

  case "$byte" in
    [1-8])
      key=9${date_text:$((code - 0x31)):1}
      want_tested=("NI$key.LOG"); want_run App.exe "NI$key.LOG" ;;
    '"') want_message CommandLineShort ;;  # 3" opens a quote to the end: one token
    *) want_message BadSelector ;;
  esac
  run_case "selector byte 0x$hex" -- "3$byte" App.exe 'NI*.LOG'

  case "$byte" in
    /)
      # A name with a slash is a path, and there is none.
      want_tested=(NI970321/.LOG); want_report "A/p: no such program or file" ;;
    '"')
      # A"p NI*".LOG: the quotes join application and pattern into one token.
      want_tested=("A\"p NI970321\".LOG" "A\"p NI970320\".LOG"); want_message NotFound ;;
    '*' | '?')
      # A wildcard in the target is never looked up.
      want_message NotFound ;;
    *)
      want_tested=("NI970321$byte.LOG"); want_run "A${byte}p" "NI970321$byte.LOG" ;;
  esac
  run_case "application and pattern byte 0x$hex" -- 345678 "A${byte}p" "NI*$byte.LOG"
done

# --- Unclosed quotes -----------------------------------------------------------

fresh_dir; touch NI970321.LOG NI970320.LOG 'App.exe NI970321.LO'
want_message CommandLineShort
run_case "unclosed quote before the selector: one token" -- '"345678' App.exe 'NI*.LOG'
want_message CommandLineShort
run_case "unclosed quote holding spaces: one token" -- '"34 56' 'NI*.LOG'
want_message CommandLineShort
run_case "a lone quote: one token" -- '"'
# The quote swallows the rest: the pattern is "App.exe NI*.LOG, whose test path
# loses its last byte; the opener gets the target without its quote.
want_tested=('App.exe NI970321.LO'); want_run xdg-open 'App.exe NI970321.LOG'
run_case "unclosed quote before the application" -- 345678 '"App.exe' 'NI*.LOG'
want_tested=(NI970321.LO NI970320.LO); want_message NotFound
run_case "unclosed quote before the pattern: its last byte is dropped" -- 345678 App.exe '"NI*.LOG'
want_tested=('y NI970321.LO' 'y NI970320.LO'); want_message NotFound
run_case "unclosed quote in an extra argument swallows the pattern" \
  -- 345678 App.exe -x '"y' 'NI*.LOG'
want_run App.exe ""
run_case "a lone quote as the pattern: no placeholder, an empty argument" -- 345678 App.exe '"'
want_run xdg-open ""
run_case "a lone quote as the file to open: the opener gets an empty name" -- 345678 '"'

# --- Names with shell metacharacters, and names that look like options -------

fresh_dir
meta="NI970321;touch pwned1;\$(touch pwned2)\`touch pwned3\`'&touch pwned4&|x>out<in~!#%{a,b}[c]"
touch -- "$meta" -NI970321.LOG --help970321 --version NI970321.LOG
make_stub 'a;b$(c)`d`&e|f'
want_tested=("$meta"); want_run App.exe "$meta"
run_case "metacharacters in the file name reach the application as data" \
  -- 345678 App.exe "NI*${meta#NI970321}"
want_tested=("$meta"); want_run xdg-open "$meta"
run_case "metacharacters in the file name reach the opener as data" -- 345678 "NI*${meta#NI970321}"
want_tested=(NI970321.LOG); want_run 'a;b$(c)`d`&e|f' NI970321.LOG
run_case "metacharacters in the application's name" -- 345678 'a;b$(c)`d`&e|f' 'NI*.LOG'
for file in pwned1 pwned2 pwned3 pwned4 out "$work/pwned1" "$home/pwned1"; do
  [ -e "$file" ] && { case_name="metacharacters"; fail "$file was created"; }
done
want_tested=(-NI970321.LOG); want_run xdg-open ./-NI970321.LOG
run_case "a file named like an option reaches the opener as a path" -- 345678 '-NI*.LOG'
want_tested=(--help970321); want_run xdg-open ./--help970321
run_case "a file named like a long option reaches the opener as a path" -- 345678 '--help*'
# The application gets its arguments as the command line gives them.
want_tested=(-NI970321.LOG); want_run App.exe -NI970321.LOG
run_case "a file named like an option goes to the application unchanged" \
  -- 345678 App.exe '-NI*.LOG'
want_tested=(NI970321.LOG); want_report "-x: no such program or file"
run_case "an application named like an option and missing is reported" -- 345678 -x 'NI*.LOG'
want_tested=(NI970321.LOG); want_run xdg-open ./--version
run_case "a document named like an option as the application is opened as a path" \
  -- 345678 --version 'NI*.LOG'

# --- No desktop, no dialog program, no opener ------------------------------------

fresh_dir; touch NI970321.LOG
for kind in About CommandLineShort BadSelector NotFound; do
  case "$kind" in
    About) args=() ;;
    CommandLineShort) args=(345678) ;;
    BadSelector) args=(9 'NI*.LOG') ;;
    NotFound) args=(345678 'XX*.LOG'); ;;
  esac
  for setting in "-DISPLAY" "DISPLAY=" "WAYLAND_DISPLAY="; do
    [ "$kind" = NotFound ] && want_tested=(XX970321.LOG XX970320.LOG)
    want_message "$kind"
    run_case "$kind without a desktop ($setting)" "$setting" -- "${args[@]}"
  done
  [ "$kind" = NotFound ] && want_tested=(XX970321.LOG XX970320.LOG)
  want_message "$kind"
  run_case "$kind with a desktop but no dialog program" \
    DISPLAY=:99 PATH="$work/nothing" -- "${args[@]}"
  [ "$kind" = NotFound ] && want_tested=(XX970321.LOG XX970320.LOG)
  want_message "$kind"
  run_case "$kind without PATH or a desktop" -PATH -- "${args[@]}"
done

# Dialog programs that cannot reach the display named by DISPLAY fail the
# way the real ones do: zenity (GTK) says so and ends with status 1, the
# status of a box closed by the user; xmessage ends with 1 too.
mkdir -p "$work/no-display"
cat > "$work/no-display/zenity" << 'EOF'
#!/bin/sh
echo "(zenity:1): Gtk-WARNING **: 10:00:00.000: cannot open display: $DISPLAY" >&2
exit 1
EOF
cat > "$work/no-display/xmessage" << 'EOF'
#!/bin/sh
echo "Error: Can't open display: $DISPLAY" >&2
exit 1
EOF
chmod 755 "$work/no-display/zenity" "$work/no-display/xmessage"
want_started=(zenity xmessage)
want_stderr="(zenity:1): Gtk-WARNING **: 10:00:00.000: cannot open display: :99
Error: Can't open display: :99
${message[CommandLineShort]}"
run_case "dialog programs without a display: the message reaches standard error" \
  DISPLAY=:99 PATH="$work/no-display" -- 345678

want_tested=(NI970321.LOG); want_report "xdg-open: no opener found on PATH (xdg-open or open)"
run_case "no opener on PATH is reported" PATH="$work/nothing" -- 345678 'NI*.LOG'

# SearchError: a clock beyond every calendar, and a file whose time stamp has
# no local time (a tmpfs keeps any 64-bit time).
want_message SearchError
run_case "a clock past the calendar: SearchError" FAKETIME=+67768036191676800 -- 345678 'NI*.LOG'
if mkdir -p /dev/shm/"${work##*/}" && cd /dev/shm/"${work##*/}" &&
  touch -d @67768036191676800 NI970321.LOG 2> /dev/null &&
  [ "$(stat -c %Y NI970321.LOG)" = 67768036191676800 ]; then
  want_tested=(NI970321.LOG); want_message SearchError
  run_case "a time stamp with no local time: SearchError" -- 345678 App.exe 'NI*.LOG'
else
  echo "skipped: no file system here keeps a time stamp past the year 2^31"
fi
cd "$work" && rm -rf /dev/shm/"${work##*/}"

# --- A current directory that is unreadable or gone ---------------------------------

fresh_dir; mkdir abs; touch abs/NI970321.LOG
mkdir gone && cd gone && rmdir "$work/case/gone"
want_tested=(NI970321.LOG NI970320.LOG); want_message NotFound
run_case "vanished current directory: relative pattern NotFound" -- 345678 App.exe 'NI*.LOG'
want_tested=("$work/case/abs/NI970321.LOG"); want_run App.exe "$work/case/abs/NI970321.LOG"
want_stderr_glob="*getcwd*"  # the stub's shell complains about its directory
run_case "vanished current directory: absolute pattern opened" \
  -- 345678 App.exe "$work/case/abs/NI*.LOG"
want_message About
run_case "vanished current directory: About" --

# Run as an unprivileged user, for whom the mode bits count.
for mode in 700 744 711; do
  fresh_dir; touch NI970321.LOG; chmod "$mode" .
  if [ "$mode" = 711 ]; then
    # Search permission is enough to find a named entry.
    want_tested=(NI970321.LOG); want_run App.exe NI970321.LOG
  else
    want_tested=(NI970321.LOG NI970320.LOG); want_message NotFound
  fi
  run_case "current directory of mode $mode" as-nobody -- 345678 App.exe 'NI*.LOG'
done
cd "$work" && chmod 755 case

# --- Leaks -----------------------------------------------------------------------

# The outcomes once more without strace and libfaketime, neither of which the
# leak checker works with: a build with the sanitizers checks for leaks at
# exit (other builds ignore ASAN_OPTIONS). Without a faked clock the files
# are named after the real date; one named after today is found by today's
# pass or, past midnight, by yesterday's.
quiet=$work/quiet
mkdir -p "$quiet"
for name in App.exe xdg-open zenity; do ln -s "$(command -v true)" "$quiet/$name"; done
fresh_dir; touch "$(TZ=UTC date +%Y%m%d).LOG" notes.txt
while IFS='|' read -r case_name path display args; do
  read -ra args <<< "$args"
  timeout -k 5 60 env -i HOME="$home" TZ=UTC PATH="$path" ${display:+DISPLAY="$display"} \
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$bin" "${args[@]}" < /dev/null > /dev/null 2> "$work/stderr"
  rc=$?
  [ "$rc" = 0 ] || fail "exit code $rc: $(head -c 2000 "$work/stderr")"
  grep -q -e Sanitizer -e 'runtime error' "$work/stderr" && fail "$(head -c 2000 "$work/stderr")"
done << EOF
leaks: About|$quiet||
leaks: CommandLineShort|$quiet||345678
leaks: BadSelector|$quiet||9 *.LOG
leaks: NotFound|$quiet||345678 XX*.LOG
leaks: application|$quiet||12345678 App.exe -x *.LOG
leaks: opener|$quiet||12345678 *.LOG
leaks: no placeholder|$quiet||12345678 App.exe notes.txt
leaks: document as the application|$quiet||12345678 notes.txt *.LOG
leaks: missing application|$quiet||12345678 nosuch *.LOG
leaks: no opener|$work/nothing||12345678 *.LOG
leaks: box shown|$quiet|:99|345678
leaks: box without a display|$work/no-display|:99|345678
EOF

finish "hostile input"
