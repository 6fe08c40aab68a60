#!/usr/bin/env bash
# A whole session on the real binary, as a player would have it: the attract screen, Space starts a
# game, a few seconds of play, Escape, "End Game", "Yes", a name typed into the score table, Enter,
# then Escape and "Exit Program" from the top-scores screen. The score table starts with every row at
# 0, so any kill qualifies. Afterwards "hiscores.dat" must hold the new row with a valid checksum, and
# the program must have ended with status 0. Pictures of each step are kept in build/session/.
set -u
build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
shots="$build/session"
on_exit='[ -n "${game:-}" ] && kill -9 "$game" 2>/dev/null; rm -rf "$work"'
. "$(dirname "$0")/../support/xvfb.sh"

copy_game "$build" "$work"
crlf "[Windowed]" "True" "[Screen Width]" "800" "[Screen Height]" "600" \
     "[Playfield Width]" "800" "[Playfield Height]" "600" "[Control Type]" "Keyboard" \
     "[Difficulty]" "1" > "$work/Config.txt"

# A row's checksum is the sum of the character codes of its score, time, name and settings texts.
checksum() { printf '%s' "$1" | od -An -v -tu1 | tr -s ' ' '\n' | awk '{ s += $1 } END { print s + 0 }'; }
empty_row_sum=$(checksum "0Nobody")
for row in $(seq 1 30); do crlf "0" "" "Nobody" "" "$empty_row_sum"; done > "$work/hiscores.dat"

rm -rf "$shots"; mkdir -p "$shots"
start_xvfb
"$work/quorvax" >"$work/out.log" 2>&1 &
game=$!
wait_for_window "$game" "$work/out.log"
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
alive() { kill -0 "$game" 2>/dev/null || { cat "$work/out.log"; fail "the game ended during: $1"; }; }
key() { xdotool key --delay 120 "$@"; sleep 0.3; }
snap() { sleep "${2:-0.5}"; import -window "$window" "$shots/$1.png" || fail "no screenshot $1"; }

snap 1-attract 9  # the title has built up by now
alive "the attract screen"
key space
sleep 3  # GET READY
# Fly about and fire in every direction for a while.
for round in $(seq 1 6); do
  for fire in Left Up Right Down; do
    xdotool keydown "$fire"; sleep 0.6; xdotool keyup "$fire"
  done
  move=$([ $((round % 2)) -eq 0 ] && echo e || echo x)
  xdotool keydown "$move"; sleep 0.3; xdotool keyup "$move"
done
snap 2-play 0
alive "play"
key Escape
snap 3-options-over-game
key Up Return          # "End Game"
snap 4-confirm
key Up Return          # "Yes"
snap 5-name-entry 1
alive "the name entry"
xdotool type --delay 150 "tester"
key Return
snap 6-top-scores 1
alive "the top-scores screen"
key Escape
snap 7-options-between-games
key Up Up Return       # "Exit Program"

wait_for_exit "$game" "$work/out.log" "Exit Program"

# The Medium column starts at line 50 (lines 51..55 counted from 1): score, time, name, settings, sum.
row=$(sed -n '51,55p' "$work/hiscores.dat" | tr -d '\r')
score=$(echo "$row" | sed -n 1p); time=$(echo "$row" | sed -n 2p); name=$(echo "$row" | sed -n 3p)
settings=$(echo "$row" | sed -n 4p); sum=$(echo "$row" | sed -n 5p)
echo "new row: score $score, time '$time', name '$name', settings '$settings', checksum $sum"
[ "$score" -gt 0 ] 2>/dev/null || fail "no scoring row in hiscores.dat (nothing was shot?)"
[ "$name" = "tester  " ] || fail "the name is '$name'"
[ "$sum" = "$(checksum "$score$time$name$settings")" ] || fail "the checksum $sum does not match the row"
echo "e2e play_session: 1 passed, 0 failed"
