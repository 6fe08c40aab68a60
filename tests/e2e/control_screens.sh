#!/usr/bin/env bash
# Pictures of the controller screens in a real window under Xvfb: runs the real-device controller
# screen test, which takes the controller selection, the mouse, keyboard, joypad and hybrid set-up
# screens and the dual-stick screen (as it opens, with its debug panel, during the axis wizard), and
# keeps the pictures in build/control_screens/.
set -u
build="$(cd "$1" && pwd)"
tests="$build/tests/quorvax_device_tests"
. "$(dirname "$0")/../support/xvfb.sh"
[ -x "$tests" ] || fail "no $tests"
start_xvfb

rm -rf "$build/control_screens"
output=$("$tests" --gtest_filter='ControlScreensOnScreen.*' 2>&1)
status=$?
echo "$output"
[ "$status" -eq 0 ] || fail "the controller screen picture test failed"
echo "$output" | grep -q '\[  SKIPPED \]' && fail "the controller screen picture test was skipped under Xvfb"
for name in controller_selection mouse_control keyboard_control joypad_control hybrid_control \
            dual_stick dual_stick_debug dual_stick_wizard; do
  [ -s "$build/control_screens/$name.png" ] || fail "no picture $name.png"
done
echo "e2e control_screens: 1 passed, 0 failed"
