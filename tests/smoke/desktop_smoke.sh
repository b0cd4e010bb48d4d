#!/usr/bin/env bash
# The real program on a real X display (Xvfb): "tandel A B -outf OUT" opens,
# Ctrl+A then Ctrl+S save the merged result to OUT, and Alt+F4 ends the run
# and writes tandel.ini. Keys are typed with xdotool as a user would. Then
# words the toolkit would take as its own options (-reverse, -style fusion,
# -title X) reach the program's parser: each gets the "Unknown option" box.
# Usage: desktop_smoke.sh PATH-TO-TANDEL
set -u
tandel=${1:?usage: desktop_smoke.sh PATH-TO-TANDEL}
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xpid=""; tpid=""
cleanup() {
  [ -n "$tpid" ] && kill "$tpid" 2>/dev/null
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits up to 20 s for a command to succeed.
await() {
  for _ in $(seq 200); do "$@" && return 0; sleep 0.1; done
  return 1
}

# Xvfb picks a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xpid=$!
await test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/tandel"
printf '[Options]\nUnix format=1\n' > "$XDG_CONFIG_HOME/tandel/tandel.ini"
printf 'one\ntwo\nthree\n' > "$work/A"
printf 'one\n2\nthree\n' > "$work/B"

"$tandel" "$work/A" "$work/B" -outf "$work/OUT" &
tpid=$!
wid=$(timeout 20 xdotool search --sync --pid "$tpid" --name '^Tandel v4\.5$' 2>/dev/null | head -n 1)
[ -n "$wid" ] || fail "no window appeared"
xdotool windowfocus --sync "$wid" || fail "the window took no focus"

xdotool key --clearmodifiers ctrl+a ctrl+s
await test -s "$work/OUT" || fail "Ctrl+A, Ctrl+S saved nothing"
[ "$(cat "$work/OUT")" = "$(printf 'one\n2\ntwo\nthree')" ] || fail "OUT holds: $(cat "$work/OUT")"

rm "$XDG_CONFIG_HOME/tandel/tandel.ini"
xdotool key --clearmodifiers alt+F4
await bash -c "! kill -0 $tpid 2>/dev/null" || fail "Alt+F4 did not end the run"
wait "$tpid"; status=$?; tpid=""
[ "$status" -eq 0 ] || fail "exit status $status"
grep -q '^Width=' "$XDG_CONFIG_HOME/tandel/tandel.ini" || fail "tandel.ini was not written"

for words in "-reverse" "-style fusion" "-title Other"; do
  # shellcheck disable=SC2086 # the words are split on purpose
  "$tandel" $words 2>"$work/errors" &
  tpid=$!
  box=$(timeout 20 xdotool search --all --sync --pid "$tpid" --name '^Error$' 2>/dev/null | head -n 1)
  [ -n "$box" ] || fail "tandel $words showed no error box"
  grep -q -i "unknown\|option" "$work/errors" && fail "tandel $words: the toolkit spoke: $(cat "$work/errors")"
  [ -z "$(xdotool search --all --pid "$tpid" --name '^Other$' 2>/dev/null)" ] ||
    fail "tandel $words changed the caption"
  kill "$tpid"; wait "$tpid" 2>/dev/null; tpid=""
done
echo "desktop smoke test passed"
