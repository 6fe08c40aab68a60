// The stepped values of the video, game and audio settings screens (which wrap round and which stop at
// their ends), the video screen's row pitch, and the grid colour picked from the picker image.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "platform/png_io.h"
#include "settings/text_values.h"
#include "settings/value_screens.h"
#include "settings/video_settings.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

TEST(StepValueTest, EveryWholeValueWrapsOrStopsAtItsEnds) {
  struct Case {
    const char* name;
    IntStep rule;
    int value, dx, expected;
  };
  const Case cases[] = {
      {"toggle on", kToggleStep, 0, 1, 1},
      {"toggle off", kToggleStep, 1, 1, 0},
      {"toggle on leftwards", kToggleStep, 0, -1, 1},
      {"toggle off leftwards", kToggleStep, 1, -1, 0},
      {"toggle from a stray value", kToggleStep, 5, 1, 0},
      {"screen size below the first", kScreenSizeStep, 0, -1, 34},
      {"screen size past the last", kScreenSizeStep, 34, 1, 0},
      {"screen size up", kScreenSizeStep, 8, 1, 9},
      {"playfield below the first", kPlayfieldSizeStep, 0, -1, 34},
      {"playfield past the last", kPlayfieldSizeStep, 34, 1, 0},
      {"gfx set Solid to User", kGfxSetStep, 0, -1, 4},
      {"gfx set User to Solid", kGfxSetStep, 4, 1, 0},
      {"grid style below 0", kGridStyleStep, 0, -1, 20},
      {"grid style past 20", kGridStyleStep, 20, 1, 0},
      {"grid style from a stray value", kGridStyleStep, 99, -1, 0},
      {"stars down from 0", kStarCountStep, 0, -1, 10000},
      {"stars up from 10000", kStarCountStep, 10000, 1, 0},
      {"stars in hundreds", kStarCountStep, 300, 1, 400},
      {"stars below 0 from between the hundreds", kStarCountStep, 50, -1, 10000},
      {"stars at the int limit", kStarCountStep, INT_MAX, 1, 0},
      {"particle style below 0", kParticleStyleStep, 0, -1, 3},
      {"particle style past 3", kParticleStyleStep, 3, 1, 0},
      {"colour strip stops at 0", kColourStripStep, 0, -1, 0},
      {"colour strip stops at 119", kColourStripStep, 119, 1, 119},
      {"colour strip moves", kColourStripStep, 5, 1, 6},
      {"level stops at Easy", kDifficultyStep, 0, -1, 0},
      {"level stops at Hard", kDifficultyStep, 2, 1, 2},
      {"threshold stops at 25000", kThresholdStep, 25000, -1, 25000},
      {"threshold stops at 300000", kThresholdStep, 300000, 1, 300000},
      {"threshold in 25000s", kThresholdStep, 100000, 1, 125000},
      {"threshold at the int limit", kThresholdStep, INT_MIN, -1, 25000},
  };
  for (const Case& c : cases) EXPECT_EQ(StepValue(c.value, c.dx, c.rule), c.expected) << c.name;
}

TEST(StepValueTest, EveryRealValueStopsAtItsEnds) {
  struct Case {
    const char* name;
    RealStep rule;
    float value;
    int dx;
    float expected;
  };
  const Case cases[] = {
      {"brightness from 0.85 on entry", kBrightnessStep, 0.85f * 120, 1, 103},
      {"brightness stops at 0", kBrightnessStep, 0.5f, -1, 0},
      {"brightness stops at 119", kBrightnessStep, 119, 1, 119},
      {"brightness from full opacity on entry", kBrightnessStep, 120, 1, 119},
      {"brightness keeps its fraction", kBrightnessStep, 10.25f, 1, 11.25f},
      {"inertia stops at 0", kInertiaStep, 0, -1, 0},
      {"inertia stops at 1", kInertiaStep, 1, 1, 1},
      {"inertia up", kInertiaStep, 0.95f, 1, 1},
      {"volume down", kVolumeStep, 0.5f, -1, 0.45f},
      {"volume stops at 0", kVolumeStep, 0.03f, -1, 0},
      {"volume stops at 1", kVolumeStep, 0.98f, 1, 1},
      {"volume from a file's hundredths", kVolumeStep, 53 / 100.0f, 1, 58 / 100.0f},
  };
  for (const Case& c : cases) EXPECT_EQ(StepValue(c.value, c.dx, c.rule), c.expected) << c.name;
}

TEST(StepValueTest, FivePercentStepsLandOnTheHundredthsTheFileKeeps) {
  // Stepping in floats alone ends a hair away from the ends and from the hundredths: a volume of
  // "0" that still plays, 0.85 saved as 84.
  float v = 0.5f;
  for (int i = 0; i < 10; ++i) v = StepValue(v, -1, kVolumeStep);
  EXPECT_EQ(v, 0.0f);
  EXPECT_FALSE(std::signbit(v));
  for (int i = 0; i < 20; ++i) v = StepValue(v, 1, kVolumeStep);
  EXPECT_EQ(v, 1.0f);
  for (int i = 0; i < 3; ++i) v = StepValue(v, -1, kVolumeStep);
  EXPECT_EQ(ToHundredths(v), 85);
  // Up and back down again is where it started.
  float inertia = 0.1f;
  for (int i = 0; i < 7; ++i) inertia = StepValue(inertia, 1, kInertiaStep);
  for (int i = 0; i < 7; ++i) inertia = StepValue(inertia, -1, kInertiaStep);
  EXPECT_EQ(inertia, 0.1f);
}

TEST(VideoRowPitchTest, ThirtyTwoOnScreensUpTo480High) {
  const int cases[][2] = {{384, 32}, {400, 32}, {480, 32}, {481, 40}, {576, 40}, {768, 40}, {4096, 40}};
  for (const auto& c : cases) EXPECT_EQ(VideoRowPitch(c[0]), c[1]) << c[0];
}

// The grid colour comes from the colour strip (frame 1) of the picker the game loads, one pixel in
// from the strip's left edge and two down.
TEST(PickGridColourTest, ReadsTheColourStripOfTheLoadedPicker) {
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(QV_BUILD_DIR);
  test::GameFixture fx;
  std::filesystem::current_path(here);
  Game& game = fx.game;
  ASSERT_TRUE(game.images.colourPick) << "the picker is built with the tests";

  RgbaImage file;
  ASSERT_TRUE(LoadPngFile(QV_BUILD_DIR "/gfx/colourpick.png", file));
  ASSERT_EQ(file.width, 3 * 122);
  for (const int position : {0, 1, 30, 60, 90, 118, 119}) {
    PickGridColour(game, position);
    const std::uint8_t* p = &file.pixels[(2 * static_cast<std::size_t>(file.width) + 122 + position + 1) * 4];
    EXPECT_EQ(game.settings.gridRed, p[0]) << position;
    EXPECT_EQ(game.settings.gridGreen, p[1]) << position;
    EXPECT_EQ(game.settings.gridBlue, p[2]) << position;
  }
  // The strip runs through the spectrum from red.
  PickGridColour(game, 0);
  EXPECT_EQ(game.settings.gridRed, 255);
  EXPECT_EQ(game.settings.gridGreen, 0);
  EXPECT_EQ(game.settings.gridBlue, 0);
  PickGridColour(game, 40);
  EXPECT_LT(game.settings.gridRed, 32);
  EXPECT_EQ(game.settings.gridGreen, 255);
}

TEST(PickGridColourTest, WithoutAPickerImageTheColourStays) {
  test::GameFixture fx;
  Game& game = fx.game;
  game.images.colourPick = nullptr;  // "gfx/colourpick.png" could not be loaded
  PickGridColour(game, 10);
  EXPECT_EQ(game.settings.gridRed, 32);
  EXPECT_EQ(game.settings.gridGreen, 80);
  EXPECT_EQ(game.settings.gridBlue, 200);
}

}  // namespace
}  // namespace qv
