#include <gtest/gtest.h>

#include "platform/headless/headless_clock.h"
#include "platform/headless/headless_platform.h"
#include "shell/frame.h"
#include "shell/game.h"
#include "shell/shared_tables.h"

namespace qv {
namespace {

TEST(CyclingColour, DriftsByRateTimesSpeedOverTenTruncated) {
  Rng rng(3);
  CyclingColour c;
  StepCyclingColour(c, rng, 10);
  EXPECT_EQ(c.red, 247);
  EXPECT_EQ(c.green, 25);
  EXPECT_EQ(c.blue, 37);
}

TEST(CyclingColour, BouncesOffBothEndsWithANewRate) {
  Rng rng(3);
  CyclingColour c;
  c.red = 254;
  c.redRate = 20;
  c.green = 1;
  c.greenRate = -20;
  StepCyclingColour(c, rng, 10);
  EXPECT_EQ(c.red, 255);
  EXPECT_LE(c.redRate, -1);
  EXPECT_GT(c.redRate, -10);
  EXPECT_EQ(c.green, 0);
  EXPECT_GE(c.greenRate, 1);
  EXPECT_LT(c.greenRate, 10);
  for (int i = 0; i < 10000; ++i) {
    StepCyclingColour(c, rng, 10);
    ASSERT_GE(std::min({c.red, c.green, c.blue}), 0);
    ASSERT_LE(std::max({c.red, c.green, c.blue}), 255);
  }
}

TEST(SharedTables, CircleAndVersion) {
  const CircleTable t = BuildCircleTable();
  EXPECT_FLOAT_EQ(t[0], 8);
  EXPECT_NEAR(t[1], 0, 1e-6);
  EXPECT_NEAR(t[18], -8, 1e-5);  // point 9 at 180 degrees
  EXPECT_NEAR(t[9 * 2 + 1], 0, 1e-5);
  EXPECT_EQ(BuildVersionText(), "Version 5.0 - Mar 13, 2006");
  EXPECT_EQ(kMultiplierSteps.back(), 12800);
}

TEST(RandomNumbers, IntegersAreInclusiveWhateverTheOrder) {
  Rng rng(11);
  bool seenLow = false, seenHigh = false;
  for (int i = 0; i < 2000; ++i) {
    const int a = rng.RandInt(5, 2), b = rng.RandInt(2, 5);
    ASSERT_GE(std::min(a, b), 2);
    ASSERT_LE(std::max(a, b), 5);
    seenLow |= a == 2;
    seenHigh |= a == 5;
    const float r = rng.RandReal(1, 2);
    ASSERT_GE(r, 1);
    ASSERT_LT(r, 2);
  }
  EXPECT_TRUE(seenLow && seenHigh);
  EXPECT_EQ(rng.RandInt(7, 7), 7);
  Rng a(42), b(42);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(a.Next(), b.Next());
}

TEST(FramePacing, SleepsOnlyBetweenZeroAndTwentyMilliseconds) {
  struct Case {
    int took;
    std::vector<int> delays;
  };
  const Case cases[] = {{0, {}}, {5, {15}}, {19, {1}}, {20, {}}, {25, {}}};
  for (const Case& c : cases) {
    HeadlessPlatform hp;
    Game game(hp.platform);
    const std::int64_t t0 = hp.clock.now();
    hp.clock.Advance(c.took);
    EXPECT_EQ(CapFrame(game, t0), c.took);
    EXPECT_EQ(hp.clock.delays(), c.delays) << c.took;
  }
}

}  // namespace
}  // namespace qv
