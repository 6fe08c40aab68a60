// Pictures of the menus in a real OpenGL window: the options menu between games, the options menu
// over a game in progress, the settings hub and the "End Game?" dialog, each taken while the menu's
// own frame loop runs. tests/e2e/menus.sh runs this under Xvfb and keeps the pictures in
// build/menus/; without a display it skips.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "effects/particles.h"
#include "enemies/simple_kinds.h"
#include "platform/degmath.h"
#include "platform/headless/headless_input.h"
#include "render/display.h"
#include "screen_rig.h"
#include "settings/menus.h"
#include "shell/game_flow.h"
#include "shell/world.h"

namespace qv {
namespace {

class MenusOnScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string unavailable = test::ScreenUnavailable();
    if (!unavailable.empty()) GTEST_SKIP() << unavailable;
    std::filesystem::current_path(QV_BUILD_DIR);  // the sprites are in the build folder
    out_ = std::filesystem::path(QV_BUILD_DIR) / "menus";
    std::filesystem::create_directories(out_);
    rig_ = std::make_unique<test::ScreenRig>(1024, 768);
    if (!rig_->opened) GTEST_SKIP() << "no OpenGL window could be opened";
    input_ = std::make_unique<test::ScriptedWindowInput>(*rig_->input);
    platform_ = std::make_unique<Platform>(Platform{rig_->gfx, *input_, rig_->audio, rig_->clock, rig_->rng});
    game_ = std::make_unique<Game>(*platform_);
    Game& g = *game_;
    BuildVectorFont(g.font);
    g.settings.windowed = true;
    BuildModeTable(g.display, g.settings);
    SelectModeFromSettings(g.display, g.settings);
    ASSERT_TRUE(OpenDisplay(g));
    InitParticles(g);
    NewGameReset(g);
    CentreShip(g);
    input_->RequestQuit(200);  // a menu left open by a fault ends here
  }

  // After `frame`, the window's picture goes to build/menus/<name>.png.
  void ShootAfter(int frame, const std::string& name) {
    input_->afterFrame[frame] = [this, name] {
      const std::filesystem::path file = out_ / (name + ".png");
      SDL_Delay(150);
      int left = 0, top = 0;
      SDL_GetWindowPosition(rig_->backend.window(), &left, &top);
      const Graphics& gfx = rig_->gfx;
      const std::string crop = std::to_string(gfx.Width()) + "x" + std::to_string(gfx.Height()) + "+" +
                               std::to_string(left) + "+" + std::to_string(top);
      std::filesystem::remove(file);
      const std::string command = "import -window root -crop " + crop + " +repage " + file.string();
      ASSERT_EQ(std::system(command.c_str()), 0) << file;
      RgbaImage shot;
      ASSERT_TRUE(LoadPngFile(file.string(), shot)) << file;
      shots_[name] = shot;
      std::printf("%s: %ld lit pixels -> %s\n", name.c_str(), test::LitPixels(shot), file.c_str());
    };
  }

  // Lit pixels right of the screen centre plus 50, where no menu text reaches.
  static long LitRightOfText(const RgbaImage& image) {
    long lit = 0;
    for (int y = 0; y < image.height; ++y)
      for (int x = image.width / 2 + 50; x < image.width; ++x) {
        const std::uint8_t* p = &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 4];
        if (p[0] > 24 || p[1] > 24 || p[2] > 24) ++lit;
      }
    return lit;
  }

  Game& game() { return *game_; }
  test::ScriptedWindowInput& input() { return *input_; }

  std::filesystem::path out_;
  std::unique_ptr<test::ScreenRig> rig_;
  std::unique_ptr<test::ScriptedWindowInput> input_;
  std::unique_ptr<Platform> platform_;
  std::unique_ptr<Game> game_;
  std::map<std::string, RgbaImage> shots_;
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
