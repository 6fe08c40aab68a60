#!/usr/bin/env bash
# Pictures of the menus in a real window under Xvfb: runs the real-device menu tests, which take the
# options menu between games, the options menu, the settings hub and the "End Game?" dialog over a
# game in progress, and keep the pictures in build/menus/.
set -u
build="$(cd "$1" && pwd)"
tests="$build/tests/quorvax_device_tests"
. "$(dirname "$0")/../support/xvfb.sh"
[ -x "$tests" ] || fail "no $tests"
start_xvfb

rm -rf "$build/menus"
output=$("$tests" --gtest_filter='MenusOnScreen.*' 2>&1)
status=$?
echo "$output"
[ "$status" -eq 0 ] || fail "the menu picture tests failed"
echo "$output" | grep -q '\[  SKIPPED \]' && fail "the menu picture tests were skipped under Xvfb"
count=$(ls "$build"/menus/*.png 2>/dev/null | wc -l)
[ "$count" -eq 4 ] || fail "$count pictures instead of 4"
echo "e2e menus: 1 passed, 0 failed"
