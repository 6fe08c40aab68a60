#!/usr/bin/env bash
# The built game in a real window under Xvfb: it starts from a settings file holding only
# "[Windowed] True", draws, and on SIGTERM leaves through its orderly exit, writing full settings,
# colour and score files.
set -u
build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
on_exit='[ -n "${game:-}" ] && kill -9 "$game" 2>/dev/null; rm -rf "$work"'
. "$(dirname "$0")/../support/xvfb.sh"

copy_game "$build" "$work"
printf '[Windowed]\r\nTrue\r\n' > "$work/Config.txt"

start_xvfb

"$work/quorvax" >"$work/out.log" 2>&1 &
game=$!
wait_for_window "$game" "$work/out.log"
# A busy machine may take a while to draw the first frames: look again for up to half a minute.
lit=0
for _ in $(seq 1 30); do
  sleep 1
  import -window root "$work/shot.png" || fail "no screenshot"
  lit=$(convert "$work/shot.png" -colorspace gray -threshold 8% -format "%[fx:int(mean*w*h)]" info:)
  [ "$lit" -gt 400 ] && break
done
cp "$work/shot.png" "$build/e2e_startup.png"
echo "lit pixels: $lit"
[ "$lit" -gt 400 ] || fail "the screen is black ($lit lit pixels)"

kill -TERM "$game"
status=""
for _ in $(seq 1 300); do
  if ! kill -0 "$game" 2>/dev/null; then wait "$game"; status=$?; break; fi
  sleep 0.1
done
[ -n "$status" ] || { kill -9 "$game"; fail "the game did not end after SIGTERM"; }
[ "$status" -eq 0 ] || { cat "$work/out.log"; fail "exit status $status"; }

lines() { tr -cd '\n' < "$1" | wc -c; }
[ "$(lines "$work/Config.txt")" -eq 278 ] || fail "Config.txt has $(lines "$work/Config.txt") lines"
[ "$(lines "$work/Colours.txt")" -eq 76 ] || fail "Colours.txt has $(lines "$work/Colours.txt") lines"
[ "$(lines "$work/hiscores.dat")" -eq 150 ] || fail "hiscores.dat has $(lines "$work/hiscores.dat") lines"
head -c 12 "$work/Config.txt" | od -c | head -n 2
grep -q $'^True\r$' "$work/Config.txt" || fail "the window setting was not kept"
grep -q $'^Vornakel\r$' "$work/hiscores.dat" || fail "hiscores.dat does not hold the default table"
echo "e2e startup_exit: 1 passed, 0 failed"
