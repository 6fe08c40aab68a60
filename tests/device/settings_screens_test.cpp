// Pictures of the video, game and audio settings screens in a real OpenGL window, each taken while the
// screen's own frame loop runs with scripted keys: the live grid and sparks behind the video rows with
// the colour and brightness strips and their markers, the same screen on a 640 x 480 display, the game
// screen's inertia bar over a game in progress, the audio screen's bars, and a game scene drawn after
// the image set and the grid style were switched from the video screen. tests/e2e/settings_screens.sh
// runs this under Xvfb and keeps the pictures in build/settings_screens/; without a display it skips.
#include <gtest/gtest.h>

#include <string>

#include "effects/particles.h"
#include "enemies/black_hole.h"
#include "enemies/cube.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/simple_kinds.h"
#include "enemies/snake.h"
#include "enemies/triangle.h"
#include "platform/degmath.h"
#include "player/power_up.h"
#include "screen_rig.h"
#include "settings/settings_screens.h"
#include "shell/game_flow.h"
#include "shell/world.h"

namespace qv {
namespace {

class SettingsScreensOnScreen : public test::ScreenTest {
 protected:
  SettingsScreensOnScreen() : ScreenTest("settings_screens") {}
  void SetUp() override {
    OpenGame(1024, 768, test::Controls::Script);
    if (!Ready()) return;
    Game& g = game();
    ASSERT_TRUE(g.images.colourPick) << "the picker is built with the tests";
    InitParticles(g);
    NewGameReset(g);
    CentreShip(g);
    input().RequestQuit(1000);  // a screen left open by a fault ends here
  }

  // Keys tapped a few frames apart from the next free frame; `Step` waits out `debounce` first.
  void Tap(int key, int times = 1) {
    for (int i = 0; i < times; ++i, next_ += 3) input_->TapKey(next_, key);
  }
  void Step(int key, int times = 1) {
    for (int i = 0; i < times; ++i) {
      next_ += 22;
      Tap(key);
    }
  }
  void Wait(int frames) { next_ += frames; }

  // After the next free frame, the window's picture goes to build/settings_screens/<name>.png.
  void ShootNow(const std::string& name) {
    ShootAfter(next_, name);
    next_ += 3;
  }

  // A game frame as play presents it, kept as the picture behind the menus.
  void GameBehind() {
    Game& g = *game_;
    for (int i = 0; i < 12; ++i) {
      const float a = 30.0f * i;
      SpawnPinwheel(g, 512 + 300 * CosDeg(a), 384 + 250 * SinDeg(a), 0, 1);
      SpawnDiamond(g, 512 + 220 * CosDeg(a + 10), 384 + 180 * SinDeg(a + 10), 0, 1);
    }
    for (int i = 0; i < 12; ++i) UpdateWorld(g, 0);
    g.gfx.Cls();
    DrawWorld(g);
    g.gfx.Flip(true);
    g.gfx.GrabImage(g.display.menuBackdrop, 0, 0);
  }

  int next_ = 4;
};

TEST_F(SettingsScreensOnScreen, VideoSettingsOverTheLiveGrid) {
  Game& g = game();
  g.settings.gridStyle = 6;
  Tap(kKeyUp, 2);  // "Grid Colour": random pulls every 60 frames
  Wait(20);
  input_->HoldKey(next_, kKeyRight, next_ + 60);  // the marker glides 30 pixel pairs along the strip
  Wait(62);
  Tap(kKeyUp);     // "Particle Style": fireworks too
  Wait(50);
  ShootNow("video_settings");
  Tap(kKeyEscape);
  EXPECT_EQ(VideoSettings(g, false), 0);
  ASSERT_EQ(shots_.count("video_settings"), 1u);
  const RgbaImage& shot = shots_["video_settings"];
  const int cx = 512, cy = 384;
  EXPECT_GT(test::LitIn(shot, cx - 48, cy + 165, cx + 196, cy + 183), 3000) << "the colour strip";
  EXPECT_GT(test::LitIn(shot, cx - 48, cy + 205, cx + 196, cy + 223), 2000) << "the brightness strip";
  EXPECT_GT(test::LitIn(shot, 140, 120, 880, 650), 20000) << "the grid panel";
  EXPECT_NE(g.settings.gridRed * 65536 + g.settings.gridGreen * 256 + g.settings.gridBlue, 32 * 65536 + 80 * 256 + 200)
      << "the grid took a colour from the strip";
}

TEST_F(SettingsScreensOnScreen, VideoSettingsOnASmallDisplay) {
  Game& g = game();
  g.display.modeIndex = 2;  // "VGA"
  ASSERT_TRUE(OpenDisplay(g));
  Tap(kKeyUp, 5);  // "Grid Style"
  Wait(70);
  ShootNow("video_settings_640x480");
  Tap(kKeyEscape);
  EXPECT_EQ(VideoSettings(g, false), 0);
  ASSERT_EQ(shots_.count("video_settings_640x480"), 1u);
  const RgbaImage& shot = shots_["video_settings_640x480"];
  EXPECT_EQ(shot.width, 640);
  EXPECT_GT(test::LitIn(shot, 0, 440, 640, 480), 300) << "\"Done\" on the screen, 32 pixels below \"Grid Bright:\"";
}

TEST_F(SettingsScreensOnScreen, GameSettingsOverAGameInProgress) {
  Game& g = game();
  GameBehind();
  g.settings.inertia = 0.5f;
  Tap(kKeyUp);  // "Inertia:"
  Wait(10);
  ShootNow("game_settings");
  Tap(kKeyEscape);
  EXPECT_EQ(GameSettings(g, true), 0);
  ASSERT_EQ(shots_.count("game_settings"), 1u);
  const RgbaImage& shot = shots_["game_settings"];
  EXPECT_GT(test::LitIn(shot, 512 - 118, 384 + 82, 512 + 30, 384 + 102), 2500) << "the bar, half full";
}

TEST_F(SettingsScreensOnScreen, AudioSettings) {
  Game& g = game();
  g.settings.musicVolume = 0.75f;
  Tap(kKeyUp, 1);  // "Music Volume:"
  Wait(10);
  ShootNow("audio_settings");
  Tap(kKeyEscape);
  EXPECT_EQ(AudioSettings(g, false), 0);
  ASSERT_EQ(shots_.count("audio_settings"), 1u);
  const RgbaImage& shot = shots_["audio_settings"];
  EXPECT_GT(test::LitIn(shot, 513, 385, 613, 407), 1800) << "the effects bar, half full";
  EXPECT_GT(test::LitIn(shot, 513, 425, 663, 447), 2800) << "the music bar, three quarters full";
}

// The image set and the grid style switched on the video screen, kept, then a scene with every kind:
// every sprite of the new set draws.
TEST_F(SettingsScreensOnScreen, EverySpriteDrawsAfterSwitchingTheImageSetAndGridStyle) {
  Game& g = game();
  Tap(kKeyUp, 7);           // "Gfx Set"
  Step(kKeyRight, 3);       // "High"
  Tap(kKeyDown, 2);         // "Grid Style"
  Step(kKeyRight, 7);       // lines in the cycling colour
  Tap(kKeyEscape);
  Tap(kKeyUp);
  Tap(kKeyEnter);           // "Keep Changes?" "Yes"
  EXPECT_EQ(VideoSettings(g, false), 2);
  EXPECT_EQ(g.settings.gfxSet, 3);
  EXPECT_EQ(g.settings.gridStyle, 7);
  ASSERT_TRUE(g.images.icons);
  EXPECT_EQ(g.images.icons->cellWidth, 64);
  for (const ImageHandle* image : {&g.images.greenSquare, &g.images.pinkPinwheel, &g.images.snakeHead,
                                   &g.images.particle, &g.images.powerUps, &g.images.snakeTail})
    EXPECT_TRUE(*image) << "an image of the \"High\" set is missing";

  ClearWorld(g, true);
  NewGameReset(g);
  CentreShip(g);
  g.state.godMode = 1;
  SpawnBlackHole(g, 200, 200, 30, 0, 1);
  g.blackHoles.ForEach([&](BlackHole& h) { Hit(g, h, true); });
  SpawnTriangle(g, 700, 150, 0, 1);
  SpawnTriangle(g, 710, 160, 0, 1);
  SpawnSnake(g, 300, 600, 24, 0, 0, 0, 1);
  SpawnCube(g, 620, 420, 0, 0, 1);
  SpawnInterceptor(g, 400, 300, 0, 1);
  SpawnGenerator(g, 880, 300, 5, 100, 20, 0);
  for (int k = 0; k < 4; ++k) SpawnPowerUp(g, 2 * k);
  SpawnPinwheel(g, 560, 200, 0, 1);
  SpawnDiamond(g, 600, 250, 0, 1);
  SpawnSeeker(g, 300, 420, 0, 0, 1);
  SpawnButterfly(g, 760, 520, 0, 1);
  SpawnSquare(g, 240, 320, 0, 1);
  for (int i = 0; i < 30; ++i) {
    g.state.gameTicks += 1;
    UpdateWorld(g, 0);
  }
  Shoot("after_switching_sets", 60000, [&] { DrawWorld(g); });
}

}  // namespace
}  // namespace qv
