#!/usr/bin/env bash
# Pictures of the settings screens in a real window under Xvfb: runs the real-device tests of the
# video, game and audio settings screens, which keep their pictures in build/settings_screens/.
set -u
. "$(dirname "$0")/../support/pictures.sh"
take_pictures "$1" 'SettingsScreensOnScreen.*' settings_screens "the settings screen picture tests" were
expect_pictures '*.png' 5
echo "e2e settings_screens: 1 passed, 0 failed"
