#!/usr/bin/env bash
# Pictures of the controller screens in a real window under Xvfb: runs the real-device controller
# screen test, which takes the controller selection, the mouse, keyboard, joypad and hybrid set-up
# screens and the dual-stick screen (as it opens, with its debug panel, during the axis wizard), and
# keeps the pictures in build/control_screens/.
set -u
. "$(dirname "$0")/../support/pictures.sh"
take_pictures "$1" 'ControlScreensOnScreen.*' control_screens "the controller screen picture test" was
expect_named_pictures controller_selection mouse_control keyboard_control joypad_control hybrid_control \
  dual_stick dual_stick_debug dual_stick_wizard
echo "e2e control_screens: 1 passed, 0 failed"
