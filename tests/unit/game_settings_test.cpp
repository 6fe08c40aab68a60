// The game settings screen through its frame loop: what "Keep Changes?" keeps and puts back (scores
// changed under another level stay), where a choice ends the screen, and the inertia bar.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "settings/settings_screens.h"
#include "support/settings_rig.h"

namespace qv {
namespace {

using test::FindText;
using test::SettingsRig;

enum Row { kLevel, kFreePlayer, kFreeBomb, kAutofire, kInertia, kDone };
int UpsTo(int row) { return kDone - row; }

TEST(GameSettingsTest, KeepChangesKeepsOrPutsBackTheEntryLevelsValues) {
  struct Expected {
    int result;
    bool asked;
    int difficulty;
    std::array<int, 3> life, bomb;
    int autofire;
    float inertia;
  };
  struct Case {
    const char* name;
    std::function<void(SettingsRig&)> script;
    Expected expected;
  };
  const std::array<int, 3> lifeDefaults = {75000, 100000, 200000};
  const std::array<int, 3> bombDefaults = {100000, 150000, 250000};
  const auto no = [](SettingsRig& r) { r.Tap(kKeyEscape).Tap(kKeyEscape); };
  const auto yes = [](SettingsRig& r) { r.Tap(kKeyEscape).Tap(kKeyUp).Tap(kKeyEnter); };
  const Case cases[] = {
      {"level, autofire and inertia, No",
       [&](SettingsRig& r) {
         r.Tap(kKeyUp, UpsTo(kLevel)).Step(kKeyLeft);
         r.Tap(kKeyDown, 3).Step(kKeyRight);
         r.Tap(kKeyDown).Step(kKeyRight, 2);
         no(r);
       },
       {0, true, 1, lifeDefaults, bombDefaults, 0, 0.0f}},
      {"the same, Yes",
       [&](SettingsRig& r) {
         r.Tap(kKeyUp, UpsTo(kLevel)).Step(kKeyLeft);
         r.Tap(kKeyDown, 3).Step(kKeyRight);
         r.Tap(kKeyDown).Step(kKeyRight, 2);
         yes(r);
       },
       {2, true, 0, lifeDefaults, bombDefaults, 1, 0.1f}},
      {"free player at the entry level, No",
       [&](SettingsRig& r) {
         r.Tap(kKeyUp, UpsTo(kFreePlayer)).Step(kKeyRight);
         no(r);
       },
       {0, true, 1, lifeDefaults, bombDefaults, 0, 0.0f}},
      {"free bomb, Yes",
       [&](SettingsRig& r) {
         r.Tap(kKeyUp, UpsTo(kFreeBomb)).Step(kKeyLeft);
         yes(r);
       },
       {2, true, 1, lifeDefaults, {100000, 125000, 250000}, 0, 0.0f}},
      {"Hard's free player changed, back at Medium: nothing to ask",
       [&](SettingsRig& r) {
         r.Tap(kKeyUp, UpsTo(kLevel)).Step(kKeyRight);
         r.Tap(kKeyDown).Step(kKeyRight);
         r.Tap(kKeyUp).Step(kKeyLeft);
         r.Tap(kKeyEscape);
       },
       {0, false, 1, {75000, 100000, 225000}, bombDefaults, 0, 0.0f}},
      {"Hard's free player changed and left at Hard, No: only the entry level's scores come back",
       [&](SettingsRig& r) {
         r.Tap(kKeyUp, UpsTo(kLevel)).Step(kKeyRight);
         r.Tap(kKeyDown).Step(kKeyRight);
         no(r);
       },
       {0, true, 1, {75000, 100000, 225000}, bombDefaults, 0, 0.0f}},
      {"inertia up and back down: nothing to ask",
       [&](SettingsRig& r) {
         r.Tap(kKeyUp, UpsTo(kInertia)).Step(kKeyRight, 3).Step(kKeyLeft, 3);
         r.Tap(kKeyEscape);
       },
       {0, false, 1, lifeDefaults, bombDefaults, 0, 0.0f}},
  };
  for (const Case& c : cases) {
    SettingsRig rig;
    Game& game = rig.game;
    c.script(rig);
    std::vector<DrawRecord> records;
    rig.fx.hp.gfx.SetRecorder(&records);
    EXPECT_EQ(GameSettings(game, false), c.expected.result) << c.name;
    EXPECT_EQ(rig.input.frame(), rig.last()) << c.name;
    EXPECT_EQ(!FindText(records, "Keep Changes?", rig.cx - 280, rig.cy - 80, 6).empty(), c.expected.asked) << c.name;
    EXPECT_EQ(game.settings.difficulty, c.expected.difficulty) << c.name;
    EXPECT_EQ(game.extraLifeScores, c.expected.life) << c.name;
    EXPECT_EQ(game.extraBombScores, c.expected.bomb) << c.name;
    EXPECT_EQ(game.settings.autofire, c.expected.autofire) << c.name;
    EXPECT_EQ(game.settings.inertia, c.expected.inertia) << c.name;
  }
}

TEST(GameSettingsTest, TheValuesStopAtTheirEnds) {
  SettingsRig rig;
  Game& game = rig.game;
  game.settings.difficulty = 2;
  game.extraLifeScores[2] = 300000;
  game.extraBombScores[2] = 25000;
  game.settings.inertia = 0.95f;
  rig.Tap(kKeyUp, UpsTo(kLevel)).Step(kKeyRight);
  rig.Tap(kKeyDown).Step(kKeyRight);
  rig.Tap(kKeyDown).Step(kKeyLeft);
  rig.Tap(kKeyDown, 2).Step(kKeyRight, 2);
  rig.Tap(kKeyEscape).Tap(kKeyUp).Tap(kKeyEnter);
  EXPECT_EQ(GameSettings(game, false), 2);
  EXPECT_EQ(game.settings.difficulty, 2);
  EXPECT_EQ(game.extraLifeScores[2], 300000);
  EXPECT_EQ(game.extraBombScores[2], 25000);
  EXPECT_EQ(game.settings.inertia, 1.0f);
}

TEST(GameSettingsTest, AChoiceEndsTheScreenOnlyFromDone) {
  for (int row = 0; row <= kDone; ++row) {
    for (const bool joystick : {false, true}) {
      SettingsRig rig;
      rig.Tap(kKeyUp, UpsTo(row)).Wait();
      const int choice = rig.Choose(joystick, 0);
      rig.Wait(4).Tap(kKeyEscape);
      EXPECT_EQ(GameSettings(rig.game, false), 0);
      EXPECT_EQ(rig.input.frame(), row == kDone ? choice : rig.last()) << "row " << row;
      if (joystick && row == kDone) {
        EXPECT_EQ(rig.game.input.debounce, 20);
      }
    }
  }
}

TEST(GameSettingsTest, TheInertiaBarFillsItsYellowFrame) {
  for (const float inertia : {0.0f, 0.5f, 1.0f}) {
    SettingsRig rig;
    Game& game = rig.game;
    game.settings.inertia = inertia;
    const float cx = static_cast<float>(rig.cx), cy = static_cast<float>(rig.cy);
    rig.Tap(kKeyEscape);
    std::vector<DrawRecord> records;
    rig.fx.hp.gfx.SetRecorder(&records);
    GameSettings(game, false);
    const std::size_t row = FindText(records, "Inertia:", rig.cx - 280, rig.cy + 80, 4).at(0);
    std::vector<const DrawRecord*> rects;
    for (std::size_t i = row; i < records.size() && rects.size() < 5; ++i)
      if (records[i].kind == DrawRecord::kRect) rects.push_back(&records[i]);
    ASSERT_EQ(rects.size(), 5u);
    const float w = 300 * inertia;
    EXPECT_EQ(rects[0]->points, (std::vector<float>{cx - 119, cy + 81, cx - 119 + w, cy + 81, cx - 119 + w, cy + 103,
                                                    cx - 119, cy + 103}))
        << inertia;
    EXPECT_EQ((std::vector<int>{rects[0]->r, rects[0]->g, rects[0]->b}), (std::vector<int>{0, 200, 0}))
        << "the row's colour";
    // The frame: 302 by 24 from (cx - 120, cy + 80), one pixel wide, in yellow.
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
    for (int k = 1; k < 5; ++k) {
      EXPECT_EQ((std::vector<int>{rects[k]->r, rects[k]->g, rects[k]->b}), (std::vector<int>{255, 255, 0}));
      for (std::size_t p = 0; p < 8; p += 2) {
        left = std::min(left, rects[k]->points[p]);
        right = std::max(right, rects[k]->points[p]);
        top = std::min(top, rects[k]->points[p + 1]);
        bottom = std::max(bottom, rects[k]->points[p + 1]);
      }
    }
    EXPECT_EQ(left, cx - 120);
    EXPECT_EQ(top, cy + 80);
    EXPECT_EQ(right, cx - 120 + 302);
    EXPECT_EQ(bottom, cy + 80 + 24);
  }
}

}  // namespace
}  // namespace qv
