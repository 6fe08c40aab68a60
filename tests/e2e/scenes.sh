#!/usr/bin/env bash
# Pictures of the game in a real window under Xvfb: runs the real-device scene tests, which draw the
# particle styles, a game in progress, "GET READY", "GAME OVER" and every kind on screen, and keep
# the pictures in build/scenes/.
set -u
. "$(dirname "$0")/../support/pictures.sh"
take_pictures "$1" 'ScenesOnScreen.*' scenes "the scene tests" were
expect_pictures '*.png' 8
echo "e2e scenes: 1 passed, 0 failed"
