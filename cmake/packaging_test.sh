#!/bin/bash
# The Debian package as a user gets it: built with cpack from the build tree,
# unpacked into a scratch root with dpkg -x, then its manual page read, its
# program run, and its example desktop entry launched with gio.
#
# Usage: packaging_test.sh BUILD-DIR
set -u
build=$(realpath "$1")
work=$(mktemp -d /tmp/hibiopen-deb-XXXXXX)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; exit 1; }
deb=$(ls "$work"/out/hibiopen_*.deb 2> /dev/null | head -n 1)
[ -n "$deb" ] || { echo "no .deb made" >&2; exit 1; }

# The control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = hibiopen ] || fail "Package: $(field Package)"
[ "$(field Version)" = 1.0.3 ] || fail "Version: $(field Version)"
case "$(field Depends)" in *xdg-utils*) ;; *) fail "Depends: $(field Depends)" ;; esac
[ "$(field Recommends)" = "zenity | kdialog | x11-utils" ] || fail "Recommends: $(field Recommends)"

root=$work/root
dpkg -x "$deb" "$root"
for file in usr/bin/hibiopen usr/share/man/man1/hibiopen.1.gz \
  usr/share/doc/hibiopen/examples/hibiopen-today-log.desktop; do
  [ -f "$root/$file" ] || fail "missing $file"
done

# The manual page renders without warnings and shows the messages in
# Japanese.
manual=$(MANWIDTH=200 man --warnings -l "$root/usr/share/man/man1/hibiopen.1.gz" 2> "$work/man.err")
[ -s "$work/man.err" ] && fail "man warnings: $(cat "$work/man.err")"
for text in "EXIT STATUS" "EXAMPLES" "今日／昨日の日付の ﾌｧｲﾙ が見つかりません。" \
  "HIBIOPEN：ｵﾌﾟｼｮﾝの指定が間違っています。"; do
  grep -qF -- "$text" <<< "$manual" || fail "manual page lacks: $text"
done

# A stub opener records its working directory and arguments.
mkdir -p "$work/stubs" "$work/logs"
printf '#!/bin/sh\nprintf "%%s\\n" "$PWD" "$@" > "%s"\n' "$work/opened" > "$work/stubs/xdg-open"
chmod +x "$work/stubs/xdg-open"

# The installed program: the about text without a desktop, and today's file
# handed to an application.
env -i PATH="$work/stubs:/usr/bin:/bin" "$root/usr/bin/hibiopen" 2> "$work/about" < /dev/null
[ "$(head -n 1 "$work/about")" = "HIBIOPENについて" ] || fail "about: $(cat "$work/about")"

today="NI$(date +%y%m%d).LOG"
touch "$work/logs/$today"
(cd "$work/logs" && env -i PATH="$work/stubs:/usr/bin:/bin" "$root/usr/bin/hibiopen" 345678 ls \
  "NI*.LOG" > "$work/listed" < /dev/null)
for _ in $(seq 50); do [ -s "$work/listed" ] && break; sleep 0.1; done
[ "$(cat "$work/listed")" = "$today" ] || fail "ls on today's file printed: $(cat "$work/listed")"

# The example desktop entry is valid and, pointed at a folder of logs, opens
# today's one through the installed program.
entry=$root/usr/share/doc/hibiopen/examples/hibiopen-today-log.desktop
desktop-file-validate "$entry" || fail "desktop entry does not validate"
sed "s|^Path=.*|Path=$work/logs|" "$entry" > "$work/today.desktop"
env -i PATH="$root/usr/bin:$work/stubs:/usr/bin:/bin" HOME="$work" gio launch "$work/today.desktop" ||
  fail "gio launch failed"
for _ in $(seq 50); do [ -s "$work/opened" ] && break; sleep 0.1; done
[ "$(cat "$work/opened" 2> /dev/null)" = "$work/logs
$today" ] || fail "the desktop entry opened: $(cat "$work/opened" 2> /dev/null)"

if [ "$failures" -ne 0 ]; then
  echo "$failures package check(s) failed" >&2
  exit 1
fi
echo "package: all checks passed"
