# Shared by the end-to-end scripts that run the built hibiopen against hostile
# input and check that it writes nothing. Source it with the binary's path as
# $1. It gives:
#
# - a scratch tree under /tmp (removed on exit) with an empty home directory;
# - the clock set with libfaketime: one faketime process lives for the whole
#   script, and every run gets its FAKETIME_SHARED, so a program that hibiopen
#   starts finds the same faked clock;
# - stub programs on PATH, all links to one recorder that writes its own name
#   and arguments, NUL-separated, to a file of its own under $records;
# - run_case, which runs hibiopen once under strace -f (so that what it starts
#   is waited for) and timeout (so that a hang fails), then checks the exit
#   code, the paths it tested, the programs it started with their arguments,
#   and its standard error against the want_* expectations, and that hibiopen
#   made no call that writes to the file system.
#
# Messages are expected on standard error: runs have no DISPLAY unless a case
# sets one.

# Byte strings throughout: the scripts compare and match bytes, not characters.
export LC_ALL=C

bin=$(realpath "$1")
for tool in strace faketime timeout setpriv; do
  command -v "$tool" > /dev/null || { echo "end-to-end tests need $tool" >&2; exit 1; }
done
libfaketime=$(find /usr/lib -name libfaketime.so.1 -path '*faketime*' | head -n 1)
[ -n "$libfaketime" ] || { echo "libfaketime.so.1 not found" >&2; exit 1; }

work=$(mktemp -d /tmp/hibiopen-e2e-XXXXXX)
stubs=$work/stubs
records=$work/records
home=$work/home
mkdir -p "$stubs" "$records" "$home" "$work/nothing"
# Runs as an unprivileged user need to reach the stubs and leave records.
chmod 755 "$work" "$stubs" "$work/nothing"
chmod 1777 "$records"
holder_pids=()
cleanup() {
  [ ${#holder_pids[@]} -gt 0 ] && kill "${holder_pids[@]}" 2> /dev/null
  wait 2> /dev/null
  cd /
  chmod -R u+rwx "$work" 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A faketime process that holds a shared clock: its shell writes its own
# process id (the sleep it becomes) and the shared segment's names into DIR.
# Its sleep is one that other scripts, which may look for theirs by name, do
# not match. Every run hands on the FAKETIME_SHARED of a holder of its own
# user, so no run makes (and leaves behind) a segment of its own.
start_holder() { # DIR [COMMAND-PREFIX...]
  local dir=$1
  shift
  "$@" faketime -f '+0' sh -c 'echo $$ > "$2"; printf %s "$FAKETIME_SHARED" > "$1"; exec sleep 7654321' \
    sh "$dir/shared" "$dir/holder" 2> /dev/null &
  for _ in $(seq 50); do [ -s "$dir/shared" ] && break; sleep 0.1; done
  holder_pids+=("$(cat "$dir/holder")")
}
start_holder "$work"
shared=$(cat "$work/shared")
# Runs as the unprivileged user nobody (made from root) cannot open root's
# segment; nobody gets a holder of its own.
nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
shared_nobody=
if [ "$(id -u)" -eq 0 ]; then
  mkdir "$work/nobody" && chown 65534:65534 "$work/nobody"
  start_holder "$work/nobody" "${nobody[@]}"
  shared_nobody=$(cat "$work/nobody/shared")
fi

cat > "$work/recorder" << EOF
#!/bin/sh
printf '%s\\0' "\${0##*/}" "\$@" > "$records/\$\$"
EOF
chmod 755 "$work/recorder"

make_stub() { # NAME...: a recording program of that name on the stub PATH
  local name
  for name in "$@"; do ln -sf "$work/recorder" "$stubs/$name"; done
}
make_stub xdg-open App.exe

make_failing_stub() { # NAME STATUS: a recording program that ends with STATUS
  rm -f "$stubs/$1"
  cat > "$stubs/$1" << EOF
#!/bin/sh
printf '%s\\0' "$1" "\$@" > "$records/\$\$"
exit $2
EOF
  chmod 755 "$stubs/$1"
}

# The messages: caption and text as the user reads them.
declare -A caption text message
caption[About]="HIBIOPENについて"
text[About]="$(printf '%s\n' \
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
caption[CommandLineShort]="HIBIOPEN Error"
text[CommandLineShort]="HIBIOPEN：ｺﾏﾝﾄﾞﾗｲﾝの指定が足りません、または \" \" が抜けています。
"
caption[BadSelector]="HIBIOPEN Error"
text[BadSelector]="HIBIOPEN：ｵﾌﾟｼｮﾝの指定が間違っています。
"
caption[NotFound]="HIBIOPEN File Not Found."
text[NotFound]="今日／昨日の日付の ﾌｧｲﾙ が見つかりません。"
caption[SearchError]="HIBIOPEN Error"
text[SearchError]="ﾌｧｲﾙ 探索時に ｴﾗｰ が発生しました。"
# As they reach standard error without a desktop: caption, line feed, text,
# and a line feed unless the text ends in one.
for kind in "${!caption[@]}"; do
  message[$kind]="${caption[$kind]}"$'\n'"${text[$kind]}"
  [ "${text[$kind]: -1}" = $'\n' ] || message[$kind]+=$'\n'
done

failures=0
case_name=
fail() {
  echo "FAIL [$case_name]: $*" >&2
  failures=$((failures + 1))
}

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "$1: all checks passed"
}

# A fresh, empty case directory as the current directory.
fresh_dir() {
  cd "$work" && rm -rf case && mkdir case && chmod 755 case && cd case || exit 1
}

# Expectations of the next run_case; each is reset after the case.
reset_wants() {
  want_rc=0
  want_tested=()   # paths hibiopen tests, in order
  want_started=()  # names of the programs it starts, in order
  want_argv=()     # the name and arguments the one started program received
  want_stderr=     # its whole standard error
  want_stderr_glob=  # or a pattern it matches
}
reset_wants

# Shorthands for the usual outcomes.
want_message() { want_stderr=${message[$1]}; }          # KIND: the box, on standard error
want_box() { # KIND: the box, shown by zenity (for a run with DISPLAY set)
  local icon=(--info --icon-name=)
  [ "${caption[$1]}" = "HIBIOPEN Error" ] && icon=(--error)
  want_started=(zenity)
  want_argv=(zenity "${icon[@]}" --no-markup --no-wrap "--title=${caption[$1]}" "--text=${text[$1]}")
}
want_run() { want_started=("$1"); want_argv=("$@"); }   # NAME ARG...: one program started
want_report() { want_stderr="hibiopen: $1"$'\n'; }      # TEXT: one line on standard error

# The calls traced: lstat, execve, and every call that creates, changes or
# removes a file system entry.
mutating_calls=open,openat,creat,mkdir,mkdirat,unlink,unlinkat,rmdir,rename,renameat,renameat2
mutating_calls+=,link,linkat,symlink,symlinkat,truncate,chmod,fchmodat,chown,lchown,fchownat
mutating_calls+=,utimensat,utimes,utime,futimesat,setxattr,lsetxattr,removexattr,lremovexattr
mutating_calls+=,mknod,mknodat
traced_calls=newfstatat,execve,$mutating_calls

# Reads the trace: the paths hibiopen itself tested with lstat (leaving out
# libfaketime's shared memory) go to $work/tested, the names of the programs
# that other processes executed to $work/started, each NUL-terminated, and
# every call of hibiopen's that would write to the file system (an open for
# writing or a call that changes an entry, libfaketime's own in /dev/shm left
# out) to $work/writes, one per line.
# strace wrote every string in hex (\x41\x42); awk turns it back into bytes.
read_trace() {
  LC_ALL=C awk -v tested="$work/tested" -v started="$work/started" -v writes="$work/writes" \
    -v mutating="$mutating_calls" '
    BEGIN {
      for (i = 0; i < 256; i++) byte[sprintf("%02x", i)] = i
      printf "" > tested; printf "" > started; printf "" > writes
      n = split(mutating, names, ",")
      for (i = 1; i <= n; i++) is_mutating[names[i]] = 1
    }
    # Gathered in pieces, so that a path of megabytes is not copied at
    # every byte.
    function decode(hex,   out, part, piece, i) {
      out = ""; part = ""; piece = ""
      for (i = 3; i <= length(hex); i += 4) {
        piece = piece sprintf("%c", byte[substr(hex, i, 2)])
        if (length(piece) >= 256) {
          part = part piece; piece = ""
          if (length(part) >= 65536) { out = out part; part = "" }
        }
      }
      return out part piece
    }
    function quoted(line,   rest) {
      rest = substr(line, index(line, "\"") + 1)
      return substr(rest, 1, index(rest, "\"") - 1)
    }
    function note(kind, pid, path) {
      if (kind == "lstat" && pid == main && substr(path, 1, 9) != "/dev/shm/")
        printf "%s%c", path, 0 > tested
      if (kind == "execve" && pid != main) {
        sub(/.*\//, "", path)
        printf "%s%c", path, 0 > started
      }
    }
    NR == 1 { main = $1 }
    $1 == main {
      call = $2; sub(/\(.*/, "", call)
      if (call in is_mutating && (call !~ /^open/ || /O_WRONLY|O_RDWR|O_CREAT|O_TRUNC/)) {
        path = decode(quoted($0))
        if (substr(path, 1, 9) != "/dev/shm/") print call " " path > writes
      }
    }
    {
      kind = ""
      if ($2 ~ /^execve\(/) kind = "execve"
      else if ($2 ~ /^newfstatat\(AT_FDCWD,/) kind = "lstat"
    }
    # A call that another process interrupted ends on a later line.
    kind != "" && / <unfinished \.\.\.>$/ { pending[$1] = kind; pending_path[$1] = decode(quoted($0)); next }
    $2 == "<..." && ($1 in pending) {
      kind = pending[$1]
      if ((kind == "execve" && / = 0$/) || (kind == "lstat" && /AT_SYMLINK_NOFOLLOW\) += /))
        note(kind, $1, pending_path[$1])
      delete pending[$1]
      next
    }
    kind == "execve" && / = 0$/ { note(kind, $1, decode(quoted($0))) }
    kind == "lstat" && /AT_SYMLINK_NOFOLLOW\) += / { note(kind, $1, decode(quoted($0))) }
  ' "$work/trace"
}

# run_case NAME [VAR=VALUE | -VAR | as-nobody]... -- ARGS...
# Runs hibiopen in the current directory with ARGS on 21 March 1997 at 10:00
# UTC, PATH holding only the stubs, HOME the scratch home and no DISPLAY;
# VAR=VALUE sets or replaces a variable, -VAR removes one, and as-nobody runs
# it as the unprivileged user nobody. Then checks the want_* expectations.
run_case() {
  case_name=$1
  shift
  local -A env=(
    [HOME]="$home" [TZ]=UTC [PATH]="$stubs"
    [LD_PRELOAD]="$libfaketime" [FAKETIME]="@1997-03-21 10:00:00"
    [FAKETIME_SHARED]="$shared" [NO_FAKE_STAT]=1
    # For a build with the sanitizers: libfaketime is preloaded ahead of
    # their run time, and the leak checker can work neither under strace nor
    # beside libfaketime (leaks are checked by the unit tests instead).
    [ASAN_OPTIONS]=verify_asan_link_order=0:detect_leaks=0
    [UBSAN_OPTIONS]=halt_on_error=1:print_stacktrace=1
  )
  local as_user=()
  while [ "$1" != -- ]; do
    case "$1" in
      as-nobody)
        # Root reads any directory; an unprivileged user runs as itself.
        if [ "$(id -u)" -eq 0 ]; then
          as_user=("${nobody[@]}")
          env[FAKETIME_SHARED]=$shared_nobody
        fi
        ;;
      -*) unset "env[${1#-}]" ;;
      *) env[${1%%=*}]=${1#*=} ;;
    esac
    shift
  done
  shift
  local assignments=() name
  for name in "${!env[@]}"; do assignments+=("$name=${env[$name]}"); done

  rm -f "$records"/*
  kill -0 "${holder_pids[@]}" 2> /dev/null ||
    { fail "a faketime process holding the clock is gone"; exit 1; }
  timeout -k 5 120 /usr/bin/strace -f -qq -xx -s 4194304 -e trace="$traced_calls" \
    -o "$work/trace" "${as_user[@]}" /usr/bin/env -i "${assignments[@]}" "$bin" "$@" \
    < /dev/null 2> "$work/stderr"
  local rc=$?
  [ "$rc" = 124 ] && fail "timed out"
  [ "$rc" = "$want_rc" ] || fail "exit code $rc, expected $want_rc"
  read_trace
  # strace, like the kernel, reads no more than PATH_MAX - 1 bytes of a path:
  # of a longer one, those are compared.
  local path shown=()
  for path in "${want_tested[@]}"; do shown+=("${path:0:4095}"); done
  expect_list tested "$work/tested" "${shown[@]}"
  expect_list started "$work/started" "${want_started[@]}"
  [ -s "$work/writes" ] && fail "hibiopen wrote: $(head -c 600 "$work/writes")"
  if [ ${#want_argv[@]} -gt 0 ]; then
    expect_record "${want_argv[@]}"
  elif compgen -G "$records/*" > /dev/null; then
    fail "a stub ran: $(cat "$records"/* | tr '\0' '|' | head -c 300)"
  fi
  local stderr=
  IFS= read -r -d '' stderr < "$work/stderr"
  [ "$stderr" = "$want_stderr" ] || [[ -n "$want_stderr_glob" && "$stderr" == $want_stderr_glob ]] ||
    fail "standard error [${stderr:0:600}], expected [${want_stderr:0:600}]"
  reset_wants
}

# Whether a NUL-separated list file holds exactly the given items.
expect_list() { # WHAT FILE ITEM...
  local what=$1 items=() i
  mapfile -t -d '' items < "$2"
  shift 2
  local want=("$@")
  if [ ${#items[@]} -eq ${#want[@]} ]; then
    for ((i = 0; i < ${#want[@]}; i++)); do
      [ "${items[i]}" = "${want[i]}" ] || break
    done
    [ "$i" -eq ${#want[@]} ] && return
  fi
  fail "$what [$(printf '%s|' "${items[@]}" | head -c 600)], expected [$(printf '%s|' "$@" | head -c 600)]"
}

# Whether the stub NAME ran once and received exactly ARGS; with no other
# stub started, it is the only one that ran.
expect_record() { # NAME ARG...
  local file first found=()
  for file in "$records"/*; do
    [ -e "$file" ] || continue
    IFS= read -r -d '' first < "$file"
    [ "$first" = "$1" ] && found+=("$file")
  done
  if [ ${#found[@]} -eq 0 ]; then
    fail "$1 did not run"
  elif [ ${#found[@]} -ne 1 ]; then
    fail "$1 ran ${#found[@]} times"
  else
    expect_list ran "${found[0]}" "$@"
  fi
}
