#!/usr/bin/env bash
# The settings screens on the real binary, as a player would use them: from the attract screen open
# Options, Settings, Video; change the screen size and leave full screen for a window; keep the change;
# the window must really change size. Then the image set and the grid style are switched from the same
# screen, a game is played for a few seconds (pictures of it), and the program is left through the
# menu. "Config.txt" must hold the new values. Pictures go to build/settings_session/.
set -u
build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
shots="$build/settings_session"
on_exit='[ -n "${game:-}" ] && kill -9 "$game" 2>/dev/null; rm -rf "$work"'
. "$(dirname "$0")/../support/xvfb.sh"

copy_game "$build" "$work"
# Full screen at 800 x 600 (entry 6, "SVGA"), the solid image set, grid style 0.
crlf "[Windowed]" "False" "[Screen Width]" "800" "[Screen Height]" "600" \
     "[Playfield Width]" "800" "[Playfield Height]" "600" "[Control Type]" "Keyboard" \
     "[Gfx Set]" "0" "[Grid Style]" "0" > "$work/Config.txt"

rm -rf "$shots"; mkdir -p "$shots"
start_xvfb
"$work/quorvax" >"$work/out.log" 2>&1 &
game=$!
wait_for_window "$game" "$work/out.log"
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
alive() { kill -0 "$game" 2>/dev/null || { cat "$work/out.log"; fail "the game ended during: $1"; }; }
key() { xdotool key --delay 150 "$@"; sleep 0.4; }
# Value rows step while the key is held, so the key is held for a few frames, not tapped, and the
# next step waits out the 20 frames a step blocks the next (longer on a slow software renderer).
hold() { xdotool keydown "$1"; sleep 0.12; xdotool keyup "$1"; sleep 0.9; }
snap() { sleep "${2:-0.5}"; import -window root "$shots/$1.png" || fail "no screenshot $1"; }
size() { xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: \([0-9]*x[0-9]*\).*/\1/p'; }

sleep 2
before=$(size)
echo "window before: $before"
# (Xvfb runs no window manager, so a full-screen request leaves the window at its own size.)

key Escape                 # the options menu, on "Continue"
key Up Return              # "Settings": the hub, on "Done"
key Up Up Up Return        # "Video": on "Done" (row 10)
sleep 0.5                  # the screen's own pause for held keys runs out
key Up Up Up Up Up Up Up Up Up   # row 1, "Screen Size"
hold Right                 # entry 7, "XGA-" 1024 x 720
key Down Down Down         # row 4, "Windowed"
hold Right                 # On
snap 1-video-changed
key Escape                 # "Keep Changes?", on "No"
key Up Return              # "Yes"
sleep 1.5
alive "the display change"
after=$(size)
echo "window after: $after"
[ "$after" = "1024x720" ] || fail "the window is $after, not 1024x720"

# Back in the hub, "Video" still selected: into it again for the image set and the grid style.
key Return
sleep 0.5
key Up Up Up Up Up Up Up   # row 3, "Gfx Set"
hold Right                 # "Low"
hold Right                 # "Med"
hold Right                 # "High"
key Down Down              # row 5, "Grid Style"
hold Right; hold Right; hold Right   # style 3
snap 2-video-high-style3
key Escape                 # "Keep Changes?" for the image set
key Up Return              # "Yes"
sleep 1
key Escape                 # the hub's "Done"
key Escape                 # the options menu's "Continue"
alive "leaving the menus"

key space                  # a game
sleep 4
for fire in Left Up Right Down Left Up; do xdotool keydown "$fire"; sleep 0.5; xdotool keyup "$fire"; done
snap 3-game-high-set 0
alive "play"
key Escape
key Up Return              # "End Game"
key Up Return              # "Yes"
sleep 2
# Whatever follows (the name entry if something was shot, or the attract screens): leave.
key Return                 # confirms a name entry if there is one; harmless elsewhere
sleep 1
key Escape
key Up Up Return           # "Exit Program"

wait_for_exit "$game" "$work/out.log" "Exit Program"

value() { tr -d '\r' < "$work/Config.txt" | grep -A1 -x -F "$1" | tail -n 1; }
for pair in "[Screen Width]=1024" "[Screen Height]=720" "[Windowed]=True" "[Gfx Set]=3" "[Grid Style]=3"; do
  k="${pair%%=*}"; v="${pair#*=}"
  [ "$(value "$k")" = "$v" ] || fail "$k is '$(value "$k")', not $v"
done
lit=$(convert "$shots/3-game-high-set.png" -colorspace gray -threshold 8% -format "%[fx:int(mean*w*h)]" info:)
echo "lit pixels in the game after switching: $lit"
[ "$lit" -gt 2000 ] || fail "the game after switching the image set looks empty ($lit lit pixels)"
echo "e2e settings_session: 1 passed, 0 failed"
