#!/usr/bin/env bash
# The grid's twenty styles in a real window under Xvfb: runs the real-device grid test, which draws
# each style over a bent lattice and captures it with ImageMagick's `import`, and checks that all 21
# pictures were written to build/grid_styles/.
set -u
. "$(dirname "$0")/../support/pictures.sh"
take_pictures "$1" 'GridStylesOnScreen.*' grid_styles "the grid style test" was
expect_pictures 'style_*.png' 21
echo "e2e grid_styles: 1 passed, 0 failed"
