// The grid's twenty styles in a real OpenGL window: each is drawn over a bent lattice, the window is
// captured with ImageMagick's `import` into build/grid_styles/style_NN.png, and the picture must show
// something (style 20 must show nothing). tests/e2e/grid_styles.sh runs this under Xvfb; without a
// display, or without `import`, it skips.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "effects/grid.h"
#include "screen_rig.h"

namespace qv {
namespace {

// The same dents, bulges and shocks for every style, and a few frames for them to ripple.
void Bend(Grid& grid) {
  ResetGrid(grid);
  PullGrid(grid, 300, 260, 12, 9);
  PullGrid(grid, 760, 520, 8, -5);
  PushGrid(grid, 520, 380, 6, 1);
  for (int n = 0; n < 12; ++n) ShockGrid(grid, 100 + 75 * n, 150 + 40 * (n % 5));
  PullGrid(grid, 200, 620, 20, 12);
  for (int f = 0; f < 8; ++f) UpdateGrid(grid);
}

class GridStylesOnScreen : public test::ScreenTest {
 protected:
  GridStylesOnScreen() : ScreenTest("grid_styles") {}
};

TEST_F(GridStylesOnScreen, EveryStyleDrawsAPictureAndStyleTwentyNone) {
  OpenWindow(1024, 768);
  if (!Ready()) return;
  Game& g = game();
  g.images.particle = rig_->gfx.LoadImage(std::string(QV_BUILD_DIR) + "/gfx/solid/particle.png");
  ASSERT_TRUE(g.images.particle) << "the sprites are built with the tests";

  for (int style = 0; style <= 20; ++style) {
    Bend(g.grid);
    char name[32];
    std::snprintf(name, sizeof name, "style_%02d", style);
    Capture(name, [&] { DrawGrid(g, style, false); });
    ASSERT_EQ(shots_.count(name), 1u) << name;
    const long lit = test::LitPixels(shots_[name]);
    if (style == 20) {
      EXPECT_EQ(lit, 0) << "style 20 draws nothing";
    } else {
      EXPECT_GT(lit, 5000) << "style " << style << " looks blank";
    }
  }
}

}  // namespace
}  // namespace qv
