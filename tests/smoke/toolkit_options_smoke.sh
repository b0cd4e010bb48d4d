#!/usr/bin/env bash
# Words the toolkit would take as its own options (-reverse, -style fusion,
# -title X) reach the program's parser on a real X display (Xvfb): each one
# is answered with the "Unknown option" error box, and the caption stays the
# program's own.
# Usage: toolkit_options_smoke.sh PATH-TO-TANDEL
set -u
tandel=${1:?usage: toolkit_options_smoke.sh PATH-TO-TANDEL}
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

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xpid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"

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
echo "toolkit options smoke test passed"
