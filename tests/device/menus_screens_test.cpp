// Pictures of the menus in a real OpenGL window: the options menu between games, the options menu
// over a game in progress, the settings hub and the "End Game?" dialog, each taken while the menu's
// own frame loop runs. tests/e2e/menus.sh runs this under Xvfb and keeps the pictures in
// build/menus/; without a display it skips.
#include <gtest/gtest.h>

#include "effects/particles.h"
#include "enemies/simple_kinds.h"
#include "platform/degmath.h"
#include "screen_rig.h"
#include "settings/menus.h"
#include "shell/game_flow.h"
#include "shell/world.h"

namespace qv {
namespace {

class MenusOnScreen : public test::ScreenTest {
 protected:
  MenusOnScreen() : ScreenTest("menus") {}
  void SetUp() override {
    OpenGame(1024, 768, test::Controls::Script);
    if (!Ready()) return;
    Game& g = game();
    InitParticles(g);
    NewGameReset(g);
    CentreShip(g);
    input().RequestQuit(200);  // a menu left open by a fault ends here
  }

  // Lit pixels right of the screen centre plus 50, where no menu text reaches.
  static long LitRightOfText(const RgbaImage& image) {
    return test::LitIn(image, image.width / 2 + 50, 0, image.width, image.height);
  }
};

TEST_F(MenusOnScreen, OptionsBetweenGames) {
  ShootAfter(6, "options_between_games");
  input().TapKey(8, kKeyEscape);
  EXPECT_EQ(OptionsMenu(game(), 0), 0);
  ASSERT_EQ(shots_.count("options_between_games"), 1u);
  const RgbaImage& shot = shots_["options_between_games"];
  EXPECT_GT(test::LitPixels(shot), 2000) << "the title and three rows";
  EXPECT_EQ(LitRightOfText(shot), 0) << "nothing behind the menu between games";
}

TEST_F(MenusOnScreen, OptionsHubAndDialogOverAGameInProgress) {
  Game& g = game();
  for (int i = 0; i < 12; ++i) {
    const float a = 30.0f * i;
    SpawnPinwheel(g, 512 + 300 * CosDeg(a), 384 + 250 * SinDeg(a), 0, 1);
    SpawnDiamond(g, 512 + 220 * CosDeg(a + 10), 384 + 180 * SinDeg(a + 10), 0, 1);
    SpawnSquare(g, 512 + 260 * CosDeg(a + 15), 384 + 120 * SinDeg(a + 15), 0, 1);
  }
  g.state.score = 123450;
  for (int i = 0; i < 12; ++i) UpdateWorld(g, 0);
  // A game frame as play presents it; the menu request comes right after the present.
  g.gfx.Cls();
  DrawWorld(g);
  g.gfx.Flip(true);

  ShootAfter(6, "options_in_game");
  input().TapKey(8, kKeyUp);
  input().TapKey(10, kKeyUp);       // "Settings"
  input().TapKey(12, kKeyEnter);
  ShootAfter(20, "settings_hub");
  input().TapKey(22, kKeyEscape);   // "Done", back on "Settings"
  input().TapKey(24, kKeyDown);     // "End Game"
  input().TapKey(26, kKeyEnter);
  ShootAfter(32, "end_game_dialog");
  input().TapKey(34, kKeyEscape);   // "No"
  input().TapKey(36, kKeyEscape);   // "Continue"
  EXPECT_EQ(OptionsMenu(g, 1), 0);
  EXPECT_EQ(input().frame(), 36);

  for (const char* name : {"options_in_game", "settings_hub", "end_game_dialog"}) {
    ASSERT_EQ(shots_.count(name), 1u) << name;
    EXPECT_GT(LitRightOfText(shots_[name]), 2000) << name << ": the game's picture behind the menu";
  }
}

}  // namespace
}  // namespace qv
