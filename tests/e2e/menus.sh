#!/usr/bin/env bash
# Pictures of the menus in a real window under Xvfb: runs the real-device menu tests, which take the
# options menu between games, the options menu, the settings hub and the "End Game?" dialog over a
# game in progress, and keep the pictures in build/menus/.
set -u
. "$(dirname "$0")/../support/pictures.sh"
take_pictures "$1" 'MenusOnScreen.*' menus "the menu picture tests" were
expect_pictures '*.png' 4
echo "e2e menus: 1 passed, 0 failed"
