#!/usr/bin/env bash
# The grid's twenty styles in a real window under Xvfb: runs the real-device grid test, which draws
# each style over a bent lattice and captures it with ImageMagick's `import`, and checks that all 21
# pictures were written to build/grid_styles/.
set -u
build="$(cd "$1" && pwd)"
tests="$build/tests/quorvax_device_tests"
. "$(dirname "$0")/../support/xvfb.sh"
[ -x "$tests" ] || fail "no $tests"
start_xvfb

rm -rf "$build/grid_styles"
output=$("$tests" --gtest_filter='GridStylesOnScreen.*' 2>&1)
status=$?
echo "$output"
[ "$status" -eq 0 ] || fail "the grid style test failed"
echo "$output" | grep -q '\[  SKIPPED \]' && fail "the grid style test was skipped under Xvfb"
count=$(ls "$build"/grid_styles/style_*.png 2>/dev/null | wc -l)
[ "$count" -eq 21 ] || fail "$count pictures instead of 21"
echo "e2e grid_styles: 1 passed, 0 failed"
