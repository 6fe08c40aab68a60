#!/usr/bin/env bash
# Pictures of the game in a real window under Xvfb: runs the real-device scene tests, which draw the
# particle styles, a game in progress, "GET READY", "GAME OVER" and every kind on screen, and keep
# the pictures in build/scenes/.
set -u
build="$(cd "$1" && pwd)"
tests="$build/tests/quorvax_device_tests"
fail() { echo "FAIL: $*"; exit 1; }
[ -x "$tests" ] || fail "no $tests"

display=""
for n in $(seq 151 180); do
  if [ ! -e "/tmp/.X${n}-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || fail "no free X display number"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null' EXIT
export DISPLAY="$display" ALSOFT_DRIVERS=null LIBGL_ALWAYS_SOFTWARE=1
for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

rm -rf "$build/scenes"
output=$("$tests" --gtest_filter='ScenesOnScreen.*' 2>&1)
status=$?
echo "$output"
[ "$status" -eq 0 ] || fail "the scene tests failed"
echo "$output" | grep -q '\[  SKIPPED \]' && fail "the scene tests were skipped under Xvfb"
count=$(ls "$build"/scenes/*.png 2>/dev/null | wc -l)
[ "$count" -eq 8 ] || fail "$count pictures instead of 8"
echo "e2e scenes: 1 passed, 0 failed"
