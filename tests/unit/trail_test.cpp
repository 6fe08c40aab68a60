// The engine trail: sparks hang still, then drift back and cool, and leave the list after 40 frames;
// drawn as small cores under soft glows.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "effects/trail.h"
#include "platform/headless/headless_platform.h"
#include "shell/game.h"
#include "shell/game_flow.h"

namespace qv {
namespace {

class TrailTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hp.gfx.OpenDisplay({1024, 768, 32, 60, true}));
    RgbaImage sprite;
    sprite.width = sprite.height = 8;
    sprite.pixels.assign(8 * 8 * 4, 255);
    game.images.particle = hp.gfx.ImageFromPixels(sprite, 8, 8, 1);
  }

  std::vector<const TrailSpark*> Sparks() {
    std::vector<const TrailSpark*> out;
    std::as_const(game.trailSparks).ForEach([&](const TrailSpark& s) { out.push_back(&s); });
    return out;
  }

  void Update(int frames) {
    for (int i = 0; i < frames; ++i) UpdateTrail(game);
  }

  HeadlessPlatform hp;
  Game game{hp.platform};
  std::vector<DrawRecord> records;
};

TEST_F(TrailTest, SparkHangsForTwelveFramesThenCoolsAndDrifts) {
  AddTrailSpark(game, 300, 200, -1, 0, 240, 240, 100);
  const TrailSpark& s = *game.trailSparks.Front();
  EXPECT_EQ(s.life, 40);
  EXPECT_FLOAT_EQ(s.vx, -1.5f);
  Update(12);
  EXPECT_FLOAT_EQ(s.x, 300);
  EXPECT_EQ(s.red, 240);
  EXPECT_EQ(s.green, 240);
  EXPECT_EQ(s.blue, 100);
  Update(1);
  EXPECT_EQ(s.red, 218);
  EXPECT_EQ(s.green, 211);
  EXPECT_EQ(s.blue, 86);
  EXPECT_FLOAT_EQ(s.x, 298.5f);
  EXPECT_FLOAT_EQ(s.y, 200);
}

TEST_F(TrailTest, DriftIsOneAndAHalfPixelsSlowingByATenthOfAPercent) {
  // Full stick right: the spark drifts straight left.
  AddTrailSpark(game, 500, 400, -1, 0, 255, 255, 255);
  const TrailSpark& s = *game.trailSparks.Front();
  Update(12);
  float last = s.x;
  for (int k = 0; k < 20; ++k) {
    Update(1);
    EXPECT_NEAR(last - s.x, 1.5 * std::pow(0.999, k), 1e-4) << k;
    last = s.x;
  }
}

TEST_F(TrailTest, SparksLeaveAfterFortyUpdatesAlsoWhenNeighboursLeaveTogether) {
  // Three sparks per frame, as the ship emits them, for 45 frames; each update also steps the list.
  for (int frame = 0; frame < 45; ++frame) {
    for (int k = 0; k < 3; ++k) AddTrailSpark(game, static_cast<float>(frame), static_cast<float>(k), 0, 0, 200, 200, 200);
    UpdateTrail(game);
    ASSERT_EQ(game.trailSparks.Count(), std::min(frame + 1, 39) * 3) << frame;
  }
  // The oldest left first: the front spark is from the sixth frame of the run.
  const std::vector<const TrailSpark*> left = Sparks();
  EXPECT_FLOAT_EQ(left.front()->x, 6);
  EXPECT_EQ(left.front()->life, 1);
  for (std::size_t i = 1; i < left.size(); ++i) ASSERT_LE(left[i - 1]->x, left[i]->x);
  Update(39);
  EXPECT_TRUE(game.trailSparks.Empty());
}

TEST_F(TrailTest, ClearingThePlayfieldRemovesEverySpark) {
  for (int i = 0; i < 5; ++i) AddTrailSpark(game, 1, 1, 1, 1, 1, 1, 1);
  ClearWorld(game, false);
  EXPECT_TRUE(game.trailSparks.Empty());
}

TEST_F(TrailTest, DrawsAllCoresThenAllGlowsAtTheScrolledPosition) {
  game.view.scrollX = 40;
  game.view.scrollY = -10;
  AddTrailSpark(game, 300, 200, 0, 0, 240, 240, 100);
  AddTrailSpark(game, 100, 50, 0, 0, 10, 20, 30);
  hp.gfx.SetRecorder(&records);
  DrawTrail(game);
  hp.gfx.Rect(0, 0, 1, 1);
  ASSERT_EQ(records.size(), 5u);
  const DrawRecord::Kind kinds[4] = {DrawRecord::kRect, DrawRecord::kRect, DrawRecord::kImage, DrawRecord::kImage};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(records[i].kind, kinds[i]) << i;
    EXPECT_EQ(records[i].blend, kAddBlend);
    EXPECT_FLOAT_EQ(records[i].alpha, 0.23f);
  }
  EXPECT_FLOAT_EQ(records[0].points[0], 260);
  EXPECT_FLOAT_EQ(records[0].points[1], 210);
  EXPECT_FLOAT_EQ(records[0].points[4] - records[0].points[0], 2) << "a 2 x 2 pixel core";
  EXPECT_EQ(records[1].r, 10);
  EXPECT_FLOAT_EQ(records[2].points[0], 260);
  EXPECT_FLOAT_EQ(records[2].points[1], 210);
  EXPECT_EQ(records[3].b, 30);
  EXPECT_EQ(records[3].image, game.images.particle.get());
  EXPECT_FLOAT_EQ(records[4].alpha, 1);
  EXPECT_FLOAT_EQ(records[4].points[4] - records[4].points[0], 1) << "scale put back to 1";
}

}  // namespace
}  // namespace qv
