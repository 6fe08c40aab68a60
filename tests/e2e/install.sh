#!/usr/bin/env bash
# The installed game: `cmake --install` into a temporary prefix puts the game, its data, the desktop
# entry, the icons and the metainfo in their usual places; the entry and the metainfo validate; the
# installed tree is made read-only and the game, started from it under Xvfb, finds its data relative
# to its executable and keeps the player's files in the user's data folder, not in the prefix.
set -u
build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
on_exit='[ -n "${game:-}" ] && kill -9 "$game" 2>/dev/null; chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"'
. "$(dirname "$0")/../support/xvfb.sh"
id=org.quorvax.Quorvax
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install failed"; }
for f in bin/quorvax "share/$id/gfx/high/whiteplayer.png" "share/$id/gfx/user/whiteplayer.png" \
         "share/$id/gfx/colourpick.png" "share/$id/sounds/die1.wav" "share/applications/$id.desktop" \
         "share/metainfo/$id.metainfo.xml" "share/icons/hicolor/16x16/apps/$id.png" \
         "share/icons/hicolor/48x48/apps/$id.png" "share/icons/hicolor/256x256/apps/$id.png"; do
  [ -e "$prefix/$f" ] || fail "not installed: $f"
done
[ ! -e "$prefix/share/$id/gfx/.generated" ] || fail "the build's stamp file was installed"
size=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/128x128/apps/$id.png")
[ "$size" = "128x128" ] || fail "the 128 icon is $size"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "the desktop entry does not validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "the metainfo does not validate"
fi

"$prefix/bin/quorvax" --version | grep -q "^Quorvax " || fail "--version"
export HOME="$work/home" XDG_DATA_HOME="$work/data"
mkdir -p "$HOME"
help=$("$prefix/bin/quorvax" --help) || fail "--help did not exit 0"
echo "$help" | grep -q "$XDG_DATA_HOME/$id/" || fail "--help does not name the files' folder: $help"
"$prefix/bin/quorvax" --no-such-option >/dev/null 2>&1; [ $? -eq 2 ] || fail "an unknown option must exit 2"

chmod -R a-w "$prefix"
start_xvfb
"$prefix/bin/quorvax" >"$work/out.log" 2>&1 &
game=$!
wait_for_window "$game" "$work/out.log"
class=$(xprop -id "$window" WM_CLASS 2>/dev/null)
echo "window class: $class"
echo "$class" | grep -q "$id" || fail "the window's class is not $id"
sleep 2
import -window root "$work/shot.png"
lit=$(convert "$work/shot.png" -colorspace gray -threshold 8% -format "%[fx:int(mean*w*h)]" info:)
[ "$lit" -gt 400 ] || fail "the installed game draws nothing ($lit lit pixels): is its data found?"
kill -TERM "$game"
wait "$game"; status=$?
game=""
[ "$status" -eq 0 ] || { cat "$work/out.log"; fail "exit status $status"; }

for f in Config.txt Colours.txt hiscores.dat; do
  [ -s "$XDG_DATA_HOME/$id/$f" ] || fail "$f is not in the user's data folder"
  [ ! -e "$prefix/bin/$f" ] || fail "$f was written into the prefix"
done
echo "e2e install: 1 passed, 0 failed"
