#include <gtest/gtest.h>

#include "effects/stars.h"
#include "platform/headless/headless_graphics.h"

namespace qv {
namespace {

class StarsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gfx.OpenDisplay({1024, 768, 32, 60, true}));
    CreateStars(stars, rng, 1024, 768, 1024, 768);
    gfx.SetRecorder(&records);
  }
  HeadlessGraphicsBackend backend;
  Graphics gfx{backend};
  std::vector<DrawRecord> records;
  Rng rng{7};
  StarField stars;
};

TEST_F(StarsTest, CountShowsThatManyPlusOne) {
  struct Case {
    int count;
    std::size_t drawn;
  };
  for (const Case& c : {Case{0, 0}, Case{-3, 0}, Case{1, 2}, Case{300, 301}, Case{10000, 10001}, Case{20000, 10001}}) {
    records.clear();
    DrawStars(gfx, stars, c.count, 0, 0);
    EXPECT_EQ(records.size(), c.drawn) << c.count;
  }
}

TEST_F(StarsTest, DepthCyclesEveryEightStarsAndSetsTheGrey) {
  DrawStars(gfx, stars, 16, 0, 0);
  const int greys[8] = {240, 213, 192, 174, 160, 147, 137, 128};
  for (int i = 0; i <= 16; ++i) {
    EXPECT_FLOAT_EQ(stars.starDepth[i], stars.starDepth[i % 8]);
    EXPECT_EQ(records[i].r, greys[i % 8]) << i;
    EXPECT_EQ(records[i].g, records[i].r);
  }
}

TEST_F(StarsTest, StarsLieAroundTheLargerAreaAndScrollWithParallax) {
  for (int i = 0; i <= kMaxStars; ++i) {
    ASSERT_GE(stars.starX[i], -100);
    ASSERT_LE(stars.starX[i], 1124);
    ASSERT_GE(stars.starY[i], -100);
    ASSERT_LE(stars.starY[i], 868);
  }
  DrawStars(gfx, stars, 8, 0, 0);
  DrawStars(gfx, stars, 8, 100, 0);
  // Star 0 has depth 2 (moves 50 pixels), star 7 depth 3.75 (about 26.7 pixels).
  EXPECT_FLOAT_EQ(records[0].points[0] - records[9].points[0], 50);
  EXPECT_NEAR(records[7].points[0] - records[16].points[0], 26.667, 0.01);
  EXPECT_FLOAT_EQ(records[0].points[0], static_cast<float>(stars.starX[0]));
  // A star is a 1 x 1 rectangle enlarged to 2 x 2 pixels.
  EXPECT_FLOAT_EQ(records[0].points[4] - records[0].points[0], 2);
  EXPECT_FLOAT_EQ(gfx.Alpha(), 1);
}

}  // namespace
}  // namespace qv
