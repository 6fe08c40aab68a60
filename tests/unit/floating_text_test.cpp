// Floating texts: how long each style lives, when a text leaves, and how it is drawn as it shrinks,
// dims and slides; and where the world draws them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "scoring/floating_text.h"
#include "shell/game.h"
#include "shell/game_flow.h"
#include "shell/world.h"

namespace qv {
namespace {

class FloatingTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hp.gfx.OpenDisplay({1024, 768, 32, 60, true}));
    BuildVectorFont(game.font);
  }

  std::vector<int> Lives() {
    std::vector<int> out;
    std::as_const(game.floatingTexts).ForEach([&](const FloatingText& t) { out.push_back(t.life); });
    return out;
  }

  HeadlessPlatform hp;
  Game game{hp.platform};
  std::vector<DrawRecord> records;
};

TEST_F(FloatingTextTest, StyleSetsTheLifeAndTextsLeaveWhenItRunsOut) {
  struct Case {
    int style, life;
  };
  for (const Case& c : {Case{0, 30}, Case{1, 50}, Case{2, 70}, Case{-4, 30}, Case{9, 70}}) {
    game.floatingTexts.Clear();
    AddFloatingText(game, "100", 10, 10, c.style);
    EXPECT_EQ(Lives(), std::vector<int>{c.life}) << c.style;
    for (int i = 1; i < c.life; ++i) UpdateFloatingTexts(game);
    EXPECT_EQ(Lives(), std::vector<int>{1}) << c.style;
    UpdateFloatingTexts(game);
    EXPECT_TRUE(game.floatingTexts.Empty()) << c.style;
  }
}

TEST_F(FloatingTextTest, NeighboursLeavingInTheSameUpdateAreAllRemoved) {
  AddFloatingText(game, "a", 0, 0, 0);
  AddFloatingText(game, "b", 0, 0, 0);
  AddFloatingText(game, "c", 0, 0, 1);
  AddFloatingText(game, "d", 0, 0, 0);
  for (int i = 0; i < 30; ++i) UpdateFloatingTexts(game);
  EXPECT_EQ(Lives(), std::vector<int>{20});
}

TEST_F(FloatingTextTest, DrawnBrightLargeAndLeftThenDimSmallAndRight) {
  struct Case {
    int life;
    int scrollX, scrollY;
    float x, y, scale;  // where the first glyph's cell starts, and its size
    int grey;
  };
  // A text at (200, 300); the position moves one pixel right per frame of age.
  for (const Case& c : {Case{30, 0, 0, 170, 284, 3.5f, 255}, Case{18, 0, 0, 182, 284, 2.5f, 255},
                        Case{10, 50, -20, 140, 304, 1 + 10 / 12.0f, 175}, Case{1, 0, 0, 199, 284, 1 + 1 / 12.0f, 85}}) {
    game.floatingTexts.Clear();
    game.view.scrollX = c.scrollX;
    game.view.scrollY = c.scrollY;
    AddFloatingText(game, "1", 200, 300, 0);
    game.floatingTexts.Front()->life = c.life;
    records.clear();
    hp.gfx.SetAlpha(0.2f);
    hp.gfx.SetRecorder(&records);
    DrawFloatingTexts(game);
    hp.gfx.SetRecorder(nullptr);

    // The same glyph drawn straight at the expected place and size.
    std::vector<DrawRecord> expected;
    hp.gfx.SetRecorder(&expected);
    DrawVectorText(hp.gfx, game.font, "1", static_cast<int>(c.x), static_cast<int>(c.y), c.scale);
    hp.gfx.SetRecorder(nullptr);

    ASSERT_FALSE(records.empty());
    ASSERT_EQ(records.size(), expected.size()) << c.life;
    for (std::size_t i = 0; i < records.size(); ++i) {
      for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(records[i].points[k], expected[i].points[k]) << c.life;
      EXPECT_EQ(records[i].r, c.grey);
      EXPECT_EQ(records[i].g, c.grey);
      EXPECT_EQ(records[i].b, 32);
      EXPECT_EQ(records[i].blend, kAddBlend);
      EXPECT_FLOAT_EQ(records[i].alpha, 1);
      EXPECT_FLOAT_EQ(records[i].lineWidth, 2);
    }
  }
}

TEST_F(FloatingTextTest, ClearingThePlayfieldRemovesThem) {
  AddFloatingText(game, "x", 0, 0, 2);
  ClearWorld(game, false);
  EXPECT_TRUE(game.floatingTexts.Empty());
}

TEST_F(FloatingTextTest, WorldDrawsTextsBeneathTheTrailAndTheSparks) {
  RgbaImage sprite;
  sprite.width = sprite.height = 8;
  sprite.pixels.assign(8 * 8 * 4, 255);
  game.images.particle = hp.gfx.ImageFromPixels(sprite, 8, 8, 1);
  game.settings.starCount = 0;
  game.settings.gridStyle = 20;  // no grid beneath
  AddFloatingText(game, "1", 200, 300, 0);
  AddTrailSpark(game, 100, 100, 0, 0, 200, 200, 200);
  SpawnParticle(game, 500, 400, 0, 200, 0, 0, 1, 0);
  hp.gfx.SetRecorder(&records);
  DrawWorld(game);
  hp.gfx.SetRecorder(nullptr);

  // Text lines in the text colour, then the trail's core and glow, then the spark's streak.
  std::size_t i = 0;
  while (i < records.size() && records[i].kind == DrawRecord::kLine && records[i].b == 32) ++i;
  ASSERT_GT(i, 0u);
  ASSERT_LT(i + 2, records.size());
  EXPECT_EQ(records[i].kind, DrawRecord::kRect);
  EXPECT_EQ(records[i + 1].kind, DrawRecord::kImage);
  EXPECT_EQ(records[i + 2].kind, DrawRecord::kLine);
  EXPECT_EQ(records[i + 2].r, 250);
}

}  // namespace
}  // namespace qv
