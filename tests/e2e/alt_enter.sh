#!/usr/bin/env bash
# Alt+Enter on the real binary switches between full screen and a window at any moment: under Xvfb
# with a window manager (full screen is the window manager's to grant), the window covers the whole
# 1280x1024 screen after the first Alt+Enter and is back at 800x600 after the second; the saved
# "Config.txt" holds the final state.
set -u
build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
on_exit='[ -n "${game:-}" ] && kill -9 "$game" 2>/dev/null; [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null; rm -rf "$work"'
. "$(dirname "$0")/../support/xvfb.sh"
command -v openbox >/dev/null || fail "openbox (a window manager for this test) is not installed"

copy_game "$build" "$work"
crlf "[Windowed]" "True" "[Screen Width]" "800" "[Screen Height]" "600" \
  "[Playfield Width]" "800" "[Playfield Height]" "600" > "$work/Config.txt"

start_xvfb
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
"$work/quorvax" >"$work/out.log" 2>&1 &
game=$!
wait_for_window "$game" "$work/out.log"
size() { xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }
wait_size() {
  for _ in $(seq 1 50); do [ "$(size)" = "$1" ] && return 0; sleep 0.2; done
  return 1
}
wait_size 800x600 || fail "the window starts at $(size), not 800x600"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
sleep 0.5
xdotool key --clearmodifiers alt+Return
wait_size 1280x1024 || fail "after Alt+Enter the window is $(size), not the full 1280x1024 screen"
echo "full screen: $(size)"
sleep 0.5
xdotool key --clearmodifiers alt+Return
wait_size 800x600 || fail "after the second Alt+Enter the window is $(size), not 800x600"
echo "window: $(size)"
sleep 0.3
xdotool key --clearmodifiers alt+Return
wait_size 1280x1024 || fail "after the third Alt+Enter the window is $(size)"

kill -TERM "$game"
wait "$game"; status=$?
game=""
[ "$status" -eq 0 ] || { cat "$work/out.log"; fail "exit status $status"; }
tr -d '\r' < "$work/Config.txt" | grep -A1 -x -F "[Windowed]" | tail -n 1 | grep -qx False ||
  fail "Config.txt does not hold the final full screen"
echo "e2e alt_enter: 1 passed, 0 failed"
