// The audio settings screen through its frame loop: the two volumes in steps of 0.05 between 0 and 1,
// heard at once (running hums follow the effects volume, the music hook gets the music volume), the
// bars, and the controls that leave from any row.
#include <gtest/gtest.h>

#include <functional>

#include "settings/settings_screens.h"
#include "support/settings_rig.h"

namespace qv {
namespace {

using test::SettingsRig;

enum Row { kSfx, kMusic, kDone };
int UpsTo(int row) { return kDone - row; }

TEST(AudioSettingsTest, VolumesStepByFivePercentAndAreHeardAtOnce) {
  SettingsRig rig;
  Game& game = rig.game;
  game.sounds.Load();
  game.sounds.StartHum(3, 0.0f, 1.0f, game.settings.sfxVolume);
  const ChannelId hum = game.sounds.HumChannel(3);
  ASSERT_NE(hum, 0u);
  game.settings.musicVolume = 0.9f;
  rig.Tap(kKeyUp, UpsTo(kSfx)).Step(kKeyLeft, 3);
  rig.Tap(kKeyDown).Step(kKeyRight, 3);
  rig.Tap(kKeyEscape);
  EXPECT_EQ(AudioSettings(game, true), 0) << "nothing to keep or revert";
  EXPECT_EQ(rig.input.frame(), rig.last());
  EXPECT_EQ(game.settings.sfxVolume, 0.35f);
  EXPECT_EQ(game.settings.musicVolume, 1.0f) << "stops at full volume";
  const HeadlessChannel* channel = rig.fx.hp.audio.Channel(hum);
  ASSERT_TRUE(channel);
  EXPECT_EQ(channel->volume, 0.35f) << "the running hum follows the effects volume";
  EXPECT_EQ(game.sounds.MusicVolume(), 1.0f);
}

TEST(AudioSettingsTest, EffectsAtZeroAreSilent) {
  SettingsRig rig;
  Game& game = rig.game;
  game.sounds.Load();
  rig.Tap(kKeyUp, UpsTo(kSfx)).Wait().Hold(kKeyLeft, 20 * 11).Tap(kKeyEscape);
  ASSERT_NE(game.sounds.Sample(Sound::Bonus1), 0u);
  AudioSettings(game, false);
  EXPECT_EQ(game.settings.sfxVolume, 0.0f);
  EXPECT_EQ(game.PlaySound(1.0f, 0.0f, 1.0f, Sound::Bonus1), 0u);
}

// The bars: up to 200 pixels, bright on the selected row and dim on the other, framed in the row's
// text colour 202 by 24 from the row's top-left at the screen centre.
TEST(AudioSettingsTest, EachVolumeIsABarOfUpToTwoHundredPixels) {
  SettingsRig rig;
  Game& game = rig.game;
  game.settings.sfxVolume = 1.0f;
  game.settings.musicVolume = 0.25f;
  rig.Tap(kKeyUp, UpsTo(kMusic)).Wait(4).Tap(kKeyEscape);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  AudioSettings(game, false);

  const float cx = static_cast<float>(rig.cx), cy = static_cast<float>(rig.cy);
  // The bars of the last frame, found by their corners.
  const auto bar = [&](float y, float w) {
    const std::vector<float> corners = {cx + 1, y + 1, cx + 1 + w, y + 1, cx + 1 + w, y + 23, cx + 1, y + 23};
    const DrawRecord* found = nullptr;
    for (const DrawRecord& r : records)
      if (r.kind == DrawRecord::kRect && r.points == corners) found = &r;
    return found;
  };
  const DrawRecord* sfx = bar(cy, 200);
  const DrawRecord* music = bar(cy + 40, 50);
  ASSERT_TRUE(sfx);
  ASSERT_TRUE(music);
  EXPECT_EQ((std::vector<int>{sfx->r, sfx->g, sfx->b}), (std::vector<int>{0, 100, 0}));
  EXPECT_EQ((std::vector<int>{music->r, music->g, music->b}), (std::vector<int>{0, 200, 0})) << "selected";
  // The music row's frame, in the selected row's pulsing yellow.
  int frameSides = 0;
  for (const DrawRecord& r : records)
    if (r.kind == DrawRecord::kRect && r.r == 255 && r.g == 255 && r.points[0] >= cx && r.points[1] >= cy + 40 &&
        r.points[4] <= cx + 202 && r.points[5] <= cy + 40 + 24)
      ++frameSides;
  EXPECT_GE(frameSides, 4);
}

TEST(AudioSettingsTest, BombEnterAJoystickButtonOrEscapeLeaveFromAnyRow) {
  struct Case {
    const char* name;
    std::function<void(SettingsRig&, int frame)> leave;
  };
  const Case cases[] = {
      {"bomb key", [](SettingsRig& r, int f) { r.input.TapKey(f, r.game.settings.keyBomb); }},
      {"Enter", [](SettingsRig& r, int f) { r.input.TapKey(f, kKeyEnter); }},
      {"Escape", [](SettingsRig& r, int f) { r.input.TapKey(f, kKeyEscape); }},
      {"joystick button", [](SettingsRig& r, int f) { r.input.PressJoy(f, 0, 5, f + 1); }},
      {"left click steps", [](SettingsRig& r, int f) { r.input.ClickMouse(f, 1); }},
  };
  for (const Case& c : cases) {
    for (int row = 0; row <= kDone; ++row) {
      SettingsRig rig;
      rig.Tap(kKeyUp, UpsTo(row)).Wait();
      const int at = rig.next;
      c.leave(rig, at);
      rig.next += 2;
      rig.Wait(30).Tap(kKeyEscape);
      AudioSettings(rig.game, false);
      // A left click steps the row's volume down; only on "Done" does a step leave.
      const bool leaves = std::string(c.name) != "left click steps" || row == kDone;
      EXPECT_EQ(rig.input.frame(), leaves ? at : rig.last()) << c.name << ", row " << row;
    }
  }
}

}  // namespace
}  // namespace qv
