#!/usr/bin/env bash
# Pictures of the settings screens in a real window under Xvfb: runs the real-device tests of the
# video, game and audio settings screens, which keep their pictures in build/settings_screens/.
set -u
build="$(cd "$1" && pwd)"
tests="$build/tests/quorvax_device_tests"
. "$(dirname "$0")/../support/xvfb.sh"
[ -x "$tests" ] || fail "no $tests"
start_xvfb

rm -rf "$build/settings_screens"
output=$("$tests" --gtest_filter='SettingsScreensOnScreen.*' 2>&1)
status=$?
echo "$output"
[ "$status" -eq 0 ] || fail "the settings screen picture tests failed"
echo "$output" | grep -q '\[  SKIPPED \]' && fail "the settings screen picture tests were skipped under Xvfb"
count=$(ls "$build"/settings_screens/*.png 2>/dev/null | wc -l)
[ "$count" -eq 5 ] || fail "$count pictures instead of 5"
echo "e2e settings_screens: 1 passed, 0 failed"
