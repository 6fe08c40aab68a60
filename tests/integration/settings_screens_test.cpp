// The audio, video and game settings screens reached the way a player reaches them: the options menu,
// the settings hub, then each screen, all through their real frame loops with scripted keys. What was
// chosen ends up in the settings, a kept display change in a running game ends that game, the next
// game plays by the new score thresholds, and the display chosen is the one saved at exit.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/headless/headless_platform.h"
#include "settings/menus.h"
#include "settings/settings_screens.h"
#include "shell/game.h"
#include "shell/program.h"
#include "support/settings_rig.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

using test::FindText;
using test::SettingsRig;

// Rows counted in up-arrow presses from the row each menu opens on.
constexpr int kOptionsToSettings = 1;  // between games: "Continue" -> "Settings"
constexpr int kHubToAudio = 4, kHubToVideo = 3;
constexpr int kVideoToGridStyle = 5, kVideoToScreenSize = 9;
constexpr int kGameToFreePlayer = 4;

TEST(SettingsScreensFlowTest, WhatIsChosenOnEachScreenIsInTheSettings) {
  SettingsRig rig(4000);
  Game& game = rig.game;
  rig.Tap(kKeyUp, kOptionsToSettings).Tap(kKeyEnter);
  // Audio: the effects two steps down.
  rig.Tap(kKeyUp, kHubToAudio).Tap(kKeyEnter);
  rig.Tap(kKeyUp, 2).Step(kKeyLeft, 2).Tap(kKeyEscape);
  // Video: grid style and star count, which need no confirmation.
  rig.Tap(kKeyDown).Tap(kKeyEnter);
  rig.Tap(kKeyUp, kVideoToGridStyle).Step(kKeyRight).Tap(kKeyDown).Step(kKeyRight).Tap(kKeyEscape);
  // Game: a later free ship at Medium and autofire, kept.
  rig.Tap(kKeyDown, 2).Tap(kKeyEnter);
  rig.Tap(kKeyUp, kGameToFreePlayer).Step(kKeyRight).Tap(kKeyDown, 2).Step(kKeyRight);
  rig.Tap(kKeyEscape).Tap(kKeyUp).Tap(kKeyEnter);
  // Back out: the hub, then "Continue" between games.
  rig.Tap(kKeyEscape).Tap(kKeyEscape);

  EXPECT_EQ(OptionsMenu(game, 0), 0) << "between games nothing ends";
  EXPECT_EQ(rig.input.frame(), rig.last());
  EXPECT_EQ(game.settings.sfxVolume, 0.4f);
  EXPECT_EQ(game.settings.gridStyle, 1);
  EXPECT_EQ(game.settings.starCount, 400);
  EXPECT_EQ(game.extraLifeScores[1], 125000);
  EXPECT_EQ(game.settings.autofire, 1);
}

TEST(SettingsScreensFlowTest, AfterANewScreenSizeTheMenusAreLaidOutForIt) {
  SettingsRig rig(4000);
  Game& game = rig.game;
  rig.Tap(kKeyUp, kOptionsToSettings).Tap(kKeyEnter);
  rig.Tap(kKeyUp, kHubToVideo).Tap(kKeyEnter);
  rig.Tap(kKeyUp, kVideoToScreenSize).Step(kKeyLeft, 6);  // "VGA", 640 x 480
  rig.Tap(kKeyEscape).Tap(kKeyUp).Tap(kKeyEnter);
  rig.Wait(4).Tap(kKeyEscape).Tap(kKeyEscape);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);

  EXPECT_EQ(OptionsMenu(game, 0), 0);
  EXPECT_EQ(rig.input.frame(), rig.last());
  ASSERT_EQ(game.view.viewWidth, 640);
  ASSERT_EQ(game.view.viewHeight, 480);
  // The hub and the options menu around the new centre (320, 240), inside the smaller screen.
  EXPECT_FALSE(FindText(records, "Settings", 40, 120, 6).empty());
  EXPECT_FALSE(FindText(records, "Done", 40, 360, 4).empty());
  EXPECT_FALSE(FindText(records, "Continue", 40, 280, 4).empty());
}

// Closing the window ends a screen at once; a display or game change that was never confirmed is put
// back, so the exit does not save it. The audio screen asks nothing, and its change stays.
TEST(SettingsScreensFlowTest, AClosedWindowEndsEachScreenAndDropsWhatWasNotConfirmed) {
  struct Case {
    const char* name;
    std::function<int(Game&)> screen;
    int ups;
    std::function<bool(const Game&)> asBefore;
  };
  const Case cases[] = {
      {"video", [](Game& g) { return VideoSettings(g, false); }, kVideoToScreenSize,
       [](const Game& g) { return g.display.modeIndex == 8; }},
      {"game", [](Game& g) { return GameSettings(g, false); }, 5,
       [](const Game& g) { return g.settings.difficulty == 1; }},
      {"audio", [](Game& g) { return AudioSettings(g, false); }, 2,
       [](const Game& g) { return g.settings.sfxVolume == 0.5f; }},
  };
  for (const Case& c : cases) {
    SettingsRig rig;
    rig.Tap(kKeyUp, c.ups).Step(kKeyRight);
    rig.input.RequestQuit(rig.next);
    EXPECT_EQ(c.screen(rig.game), 0) << c.name;
    EXPECT_EQ(rig.input.frame(), rig.next) << c.name;
    EXPECT_EQ(c.asBefore(rig.game), std::string(c.name) != "audio") << c.name;
  }
}

// The whole program: start-up falls back from a display it cannot open; during the first game the
// player picks a new screen size and a later free ship on the settings screens and keeps both. The
// game ends at once, the next one plays by the new threshold, and the exit saves the display chosen.
TEST(SettingsScreensFlowTest, KeptChangesInAGameEndItAndTheNextGameAndTheFileFollowThem) {
  test::TempWorkDir dir;
  {
    std::ofstream out("Config.txt", std::ios::binary);
    out << "[Windowed]\r\nTrue\r\n[Screen Width]\r\n4000\r\n[Screen Height]\r\n3000\r\n";
  }
  HeadlessPlatform hp;
  HeadlessInput& in = hp.input;
  in.TapKey(5, kKeySpace);  // the bomb key on the credits screen starts the first game
  int next = 120;           // the first game is in play after its 100 frames of get-ready
  const auto tap = [&](int key, int times = 1) {
    for (int i = 0; i < times; ++i, next += 3) in.TapKey(next, key);
  };
  const auto step = [&](int key) {
    next += 22;  // the screen's or the last step's `debounce` runs out
    tap(key);
  };
  tap(kKeyEscape);                                            // the in-game menu, on "Continue"
  tap(kKeyUp, 2), tap(kKeyEnter);                             // "Settings"
  tap(kKeyUp, kHubToVideo), tap(kKeyEnter);                   // "Video"
  tap(kKeyUp, kVideoToScreenSize), step(kKeyRight);           // 1152 x 864
  tap(kKeyEscape), tap(kKeyUp), tap(kKeyEnter);               // "Keep Changes?" "Yes"
  tap(kKeyDown, 2), tap(kKeyEnter);                           // "Game"
  tap(kKeyUp, kGameToFreePlayer), step(kKeyRight);            // Medium: a free ship every 125000
  tap(kKeyEscape), tap(kKeyUp), tap(kKeyEnter);               // "Keep Changes?" "Yes"
  tap(kKeyEscape);                                            // "Done": the game ends
  next += 30;
  tap(kKeySpace);                                             // back on the credits: the next game
  in.RequestQuit(next + 200);                                 // its get-ready, then play

  Game game(hp.platform);
  EXPECT_EQ(RunProgram(game), 0);
  EXPECT_EQ(hp.backend.opened().width, 1152);
  EXPECT_EQ(hp.backend.opened().height, 864);
  EXPECT_EQ(game.extraLifeScores[1], 125000);
  EXPECT_EQ(game.state.extraLifeInterval, 125000) << "a new game began after the change";
  EXPECT_EQ(game.state.extraBombInterval, 150000);

  std::ifstream file("Config.txt", std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_NE(text.str().find("[Screen Width]\r\n1152\r\n[Screen Height]\r\n864\r\n"), std::string::npos)
      << "the display chosen on the video screen, not the one start-up could not open";
  EXPECT_NE(text.str().find("[Windowed]\r\nTrue\r\n"), std::string::npos);
}

}  // namespace
}  // namespace qv
