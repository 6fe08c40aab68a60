# Sourced by the end-to-end scripts: starts Xvfb on the first free display number from $1 on, points
# DISPLAY at it (with software OpenGL and silent OpenAL), stops it when the script ends, and waits
# until it answers. Defines `fail`.
fail() { echo "FAIL: $*"; exit 1; }

start_xvfb() {
  local first="$1" n display=""
  for n in $(seq "$first" $((first + 29))); do
    if [ ! -e "/tmp/.X${n}-lock" ]; then display=":$n"; break; fi
  done
  [ -n "$display" ] || fail "no free X display number"
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null; [ -n "${on_exit:-}" ] && eval "$on_exit"' EXIT
  export DISPLAY="$display" ALSOFT_DRIVERS=null LIBGL_ALWAYS_SOFTWARE=1
  for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}
