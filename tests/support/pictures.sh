# Sourced by the end-to-end picture scripts: the real-device picture tests run under an Xvfb of their
# own, and their pictures are checked afterwards. `take_pictures` sets `build` to the build folder and
# `pictures` to the folder the pictures are kept in.
. "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

# take_pictures BUILD FILTER FOLDER WHAT VERB
# Runs the tests of quorvax_device_tests that FILTER selects in a fresh Xvfb, after emptying
# BUILD/FOLDER, where they keep their pictures. Fails when they fail, or when they skip (under Xvfb
# they must run). WHAT names the tests in the messages, VERB is "was" or "were" to go with it.
take_pictures() {
  local filter="$2" folder="$3" what="$4" verb="$5"
  build="$(cd "$1" && pwd)"
  local tests="$build/tests/quorvax_device_tests"
  [ -x "$tests" ] || fail "no $tests"
  start_xvfb

  pictures="$build/$folder"
  rm -rf "$pictures"
  local output status
  output=$("$tests" --gtest_filter="$filter" 2>&1)
  status=$?
  echo "$output"
  [ "$status" -eq 0 ] || fail "$what failed"
  echo "$output" | grep -q '\[  SKIPPED \]' && fail "$what $verb skipped under Xvfb"
  return 0
}

# expect_pictures PATTERN COUNT
# Fails unless exactly COUNT of the pictures taken match PATTERN.
expect_pictures() {
  local pattern="$1" expected="$2" count
  # shellcheck disable=SC2086  # the pattern is meant to expand
  count=$(ls "$pictures"/$pattern 2>/dev/null | wc -l)
  [ "$count" -eq "$expected" ] || fail "$count pictures instead of $expected"
}

# expect_named_pictures NAME...
# Fails unless a non-empty NAME.png was taken for each NAME.
expect_named_pictures() {
  local name
  for name in "$@"; do
    [ -s "$pictures/$name.png" ] || fail "no picture $name.png"
  done
}
