#!/usr/bin/env bash
# Started where no display exists (over ssh, from a text console), the game must not run unseen: it
# says on stderr that no display was found, writes why into "errors.txt", and ends at once with a
# non-zero status, leaving the player's files alone.
set -u
build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cp "$build/quorvax" "$work/" || fail "no build/quorvax"
cp -r "$build/gfx" "$build/sounds" "$work/" || fail "no data folders"

start=$(date +%s)
env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR -u SDL_VIDEODRIVER -u ALSOFT_DRIVERS \
  timeout -s KILL 30 "$work/quorvax" >"$work/out.log" 2>"$work/err.log"
status=$?
took=$(( $(date +%s) - start ))
echo "--- stderr:"; cat "$work/err.log"
[ "$status" -ne 137 ] || fail "the game was still running after 30 s without a display"
[ "$status" -ne 0 ] || fail "exit status 0 without a display"
[ "$took" -le 10 ] || fail "it took $took s to give up"
[ "$(wc -l < "$work/err.log")" -eq 1 ] || fail "stderr should hold one line"
grep -qi "no display" "$work/err.log" || fail "stderr does not say that no display was found"
grep -q "XDG_RUNTIME_DIR" "$work/err.log" && fail "stderr complains about XDG_RUNTIME_DIR"
[ -f "$work/errors.txt" ] || fail "no errors.txt"
grep -q "set graphics mode" "$work/errors.txt" || fail "errors.txt: $(cat "$work/errors.txt")"
[ ! -e "$work/Config.txt" ] || fail "Config.txt was written"
[ ! -e "$work/hiscores.dat" ] || fail "hiscores.dat was written"
echo "e2e no_display: 1 passed, 0 failed"
