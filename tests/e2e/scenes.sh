#!/usr/bin/env bash
# Pictures of the game in a real window under Xvfb: runs the real-device scene tests, which draw the
# particle styles, a game in progress, "GET READY", "GAME OVER" and every kind on screen, and keep
# the pictures in build/scenes/.
set -u
build="$(cd "$1" && pwd)"
tests="$build/tests/quorvax_device_tests"
. "$(dirname "$0")/../support/xvfb.sh"
[ -x "$tests" ] || fail "no $tests"
start_xvfb

rm -rf "$build/scenes"
output=$("$tests" --gtest_filter='ScenesOnScreen.*' 2>&1)
status=$?
echo "$output"
[ "$status" -eq 0 ] || fail "the scene tests failed"
echo "$output" | grep -q '\[  SKIPPED \]' && fail "the scene tests were skipped under Xvfb"
count=$(ls "$build"/scenes/*.png 2>/dev/null | wc -l)
[ "$count" -eq 8 ] || fail "$count pictures instead of 8"
echo "e2e scenes: 1 passed, 0 failed"
