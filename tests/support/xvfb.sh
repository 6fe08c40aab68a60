# Sourced by the end-to-end scripts: starts an Xvfb of its own (it picks a free display number and
# reports it when it is ready), points DISPLAY at it with software OpenGL and silent OpenAL, and stops
# it when the script ends (running `$on_exit` too, if set). Defines `fail` and `wait_for_window`.
fail() { echo "FAIL: $*"; exit 1; }

# copy_game BUILD DIR: a copy of the built game with its data folders, to run in a folder of its own.
copy_game() {
  cp "$1/quorvax" "$2/" || fail "no build/quorvax"
  cp -r "$1/gfx" "$1/sounds" "$2/" || fail "no data folders"
}

# Lines of the game's text files end in CR LF.
crlf() { printf '%s\r\n' "$@"; }

# wait_for_exit PID LOG WHAT: the game must end by itself within ten seconds, with status 0.
wait_for_exit() {
  local status=""
  for _ in $(seq 1 100); do
    if ! kill -0 "$1" 2>/dev/null; then wait "$1"; status=$?; break; fi
    sleep 0.1
  done
  [ -n "$status" ] || fail "the game did not end after $3"
  [ "$status" -eq 0 ] || { cat "$2"; fail "exit status $status"; }
}

start_xvfb() {
  local numberfile
  numberfile="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null; [ -n "${on_exit:-}" ] && eval "$on_exit"' EXIT
  local number=""
  for _ in $(seq 1 100); do
    number="$(tr -dc '0-9' < "$numberfile")"
    [ -n "$number" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start"
    sleep 0.1
  done
  rm -f "$numberfile"
  [ -n "$number" ] || fail "Xvfb did not report its display"
  export DISPLAY=":$number" ALSOFT_DRIVERS=null LIBGL_ALWAYS_SOFTWARE=1
  xdpyinfo >/dev/null 2>&1 || fail "Xvfb on $DISPLAY does not answer"
}

# wait_for_window PID LOG
# Sets `window` to the game's window once it shows, waiting up to a minute. Fails, showing the game's
# output from LOG, when the game ends first or no window shows.
wait_for_window() {
  local pid="$1" log="$2"
  window=""
  for _ in $(seq 1 300); do
    window=$(xdotool search --name Quorvax 2>/dev/null | head -n 1)
    [ -n "$window" ] && return 0
    kill -0 "$pid" 2>/dev/null || { cat "$log"; fail "the game ended before opening its window"; }
    sleep 0.2
  done
  echo "--- game output:"; cat "$log"
  echo "--- windows:"; xwininfo -root -tree 2>&1 | head -n 20
  fail "no window"
}
