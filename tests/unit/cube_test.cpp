// The cube: a player's shot splits a whole cube into three halves near the 101 cap as far as room
// allows; halves are worth half, slower, smaller to touch, and circle as they chase.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "enemies/cube.h"
#include "shell/game_flow.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

class CubeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.sounds.Load();
    NewGameReset(game);
    game.input.debounce = 0;
    game.ship.x = 900;
    game.ship.y = 700;
  }
  std::shared_ptr<Cube> Put(float x, float y, int shrink) {
    auto c = std::make_shared<Cube>();
    c->x = x;
    c->y = y;
    c->shrink = shrink;
    game.cubes.Append(c);
    return c;
  }
  std::vector<const Cube*> Halves() {
    std::vector<const Cube*> out;
    std::as_const(game.cubes).ForEach([&](const Cube& c) {
      if (c.shrink == 4) out.push_back(&c);
    });
    return out;
  }
  int Plays(Sound sound) const {
    int n = 0;
    for (const AudioEvent& e : fx.hp.audio.Log())
      if (e.op == AudioOp::Start && e.sample == game.sounds.Sample(sound)) ++n;
    return n;
  }

  test::GameFixture fx{19};
  Game& game = fx.game;
};

TEST_F(CubeTest, AShotCubeGives100AndSplitsIntoThreeSilentHalvesNearby) {
  auto whole = Put(400, 300, 0);
  const int spawnSounds = Plays(Sound::Snake1);
  Kill(game, *whole, true);
  EXPECT_EQ(game.state.score, 100);
  EXPECT_FALSE(whole->inList);
  const std::vector<const Cube*> halves = Halves();
  ASSERT_EQ(halves.size(), 3u);
  for (const Cube* h : halves) {
    EXPECT_LE(std::fabs(h->x - 400), 30);
    EXPECT_LE(std::fabs(h->y - 300), 30);
    EXPECT_EQ(h->spawnDelay, 2);
  }
  EXPECT_EQ(Plays(Sound::Snake1), spawnSounds) << "halves appear silently";

  game.state.score = 0;
  Kill(game, *game.cubes.Front(), true);
  EXPECT_EQ(game.state.score, 50);
  EXPECT_EQ(game.cubes.Count(), 2) << "a half does not split again";
}

TEST_F(CubeTest, HalvesAreMovedAtLeast40PixelsFromTheShip) {
  game.ship.x = 400;
  game.ship.y = 300;
  auto whole = Put(405, 300, 0);
  Kill(game, *whole, true);
  const std::vector<const Cube*> halves = Halves();
  ASSERT_EQ(halves.size(), 3u);
  for (const Cube* h : halves) EXPECT_GE(std::hypot(h->x - 400, h->y - 300), 40 - 1e-3);
}

TEST_F(CubeTest, NearTheCapTheParentStillCountsAndSomeHalvesAreRefused) {
  struct Case {
    int cubesBefore;  // the parent included
    int halves;
  };
  for (const Case& c : {Case{98, 3}, Case{99, 2}, Case{100, 1}, Case{101, 0}}) {
    game.cubes.Clear();
    for (int i = 1; i < c.cubesBefore; ++i) Put(100, 100, 4);
    auto parent = Put(400, 300, 0);
    const std::size_t halvesBefore = Halves().size();
    Kill(game, *parent, true);
    EXPECT_EQ(Halves().size() - halvesBefore, static_cast<std::size_t>(c.halves)) << c.cubesBefore;
  }
  game.cubes.Clear();
  for (int i = 0; i < 101; ++i) Put(100, 100, 0);
  const int sounds = Plays(Sound::Snake1);
  EXPECT_EQ(SpawnCube(game, 300, 300, 0, 20, 0), nullptr);
  EXPECT_EQ(Plays(Sound::Snake1), sounds);
}

TEST_F(CubeTest, ABombedCubeLeavesNoHalves) {
  Put(400, 300, 0);
  KillAllEnemies(game);
  EXPECT_TRUE(game.cubes.Empty());
  EXPECT_EQ(game.state.score, 0);
}

TEST_F(CubeTest, AHalfChasesAtOneLessAndCirclesFourPixelsAFrame) {
  auto half = Put(300, 384, 4);
  half->spin = 0;
  float lastOrbitAngle = 0;
  for (int frame = 1; frame <= 12; ++frame) {
    const float x0 = half->x, y0 = half->y, vx0 = half->vx, vy0 = half->vy;
    Update(game, *half);
    // The move used last frame's velocity; what is left over is the orbit step.
    const float ox = half->x - x0 - vx0, oy = half->y - y0 - vy0;
    EXPECT_NEAR(std::hypot(ox, oy), 4, 1e-3) << frame;
    const float angle = std::atan2(ox, oy) * 180 / 3.14159265f;  // sin along x, cos along y
    if (frame > 1) {
      EXPECT_NEAR(std::remainder(angle - lastOrbitAngle, 360.0f), 10, 1e-2) << frame;
    }
    lastOrbitAngle = angle;
    EXPECT_LE(std::hypot(half->vx, half->vy), 2.0f + 1e-5) << "3 less 4 div 4";
  }
  EXPECT_NEAR(std::hypot(half->vx, half->vy), 2.0f, 1e-5);
}

TEST_F(CubeTest, AHalfMustComeCloserToTouchTheShip) {
  game.ship.shieldTimer = 100;
  struct Case {
    int shrink;
    float distance;
    int touched;
  };
  // Whole: below 288 squared (about 17 pixels); half: below 208 (about 14.4). The orbit is kept out
  // of the way by placing the half where its first orbit step ends at the given distance.
  for (const Case& c : {Case{0, 16.9f, 1}, Case{0, 17.1f, 0}, Case{4, 14.3f, 1}, Case{4, 14.5f, 0}}) {
    game.cubes.Clear();
    game.ship.x = 500;
    game.ship.y = 500;
    auto cube = Put(500 - c.distance, 500, c.shrink);
    cube->spin = 8;  // the first active frame makes it 9: a step of (sin 90, cos 90) x 4 = (4, 0)
    if (c.shrink == 4) cube->x -= 4;
    game.state.kindSpeed[kKindCube] = 1;  // slower than its steering, a half barely moves
    cube->vx = cube->vy = 0;
    Update(game, *cube);
    const float d2 = (cube->x - 500) * (cube->x - 500) + (cube->y - 500) * (cube->y - 500);
    EXPECT_EQ(cube->killedShip, c.touched) << "shrink " << c.shrink << " at " << std::sqrt(d2);
  }
}

}  // namespace
}  // namespace qv
