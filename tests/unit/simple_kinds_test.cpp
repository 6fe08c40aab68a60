// The pinwheel, diamond, seeker, butterfly and square: how hard each chases, the pinwheel that never
// does, the square's swerve from passing shots, and the diamond's breathing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "enemies/cube.h"
#include "enemies/simple_kinds.h"
#include "shell/game_flow.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

template <class T>
std::shared_ptr<T> Put(EntityList<T>& list, float x, float y) {
  auto e = std::make_shared<T>();
  e->x = x;
  e->y = y;
  list.Append(e);
  return e;
}

class SimpleKindsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.sounds.Load();
    NewGameReset(game);  // Medium speeds
    game.ship.x = 900;
    game.ship.y = 384;
  }
  test::GameFixture fx{5};
  Game& game = fx.game;
};

struct ChaseCase {
  const char* kind;
  float accel, limit;
  std::function<std::shared_ptr<Enemy>(Game&)> put;
  std::function<void(Game&, Enemy&)> update;
};

template <class T>
ChaseCase Chaser(const char* name, float accel, float limit, EntityList<T> Game::*list) {
  return {name, accel, limit, [list](Game& g) -> std::shared_ptr<Enemy> { return Put(g.*list, 100, 384); },
          [](Game& g, Enemy& e) { Update(g, static_cast<T&>(e)); }};
}

TEST_F(SimpleKindsTest, ChasersAccelerateTowardTheShipUpToTheirLimit) {
  const ChaseCase cases[] = {
      Chaser("seeker", 4, 4.35f, &Game::seekers),    // at the limit in two frames
      Chaser("diamond", 0.5f, 3.25f, &Game::diamonds),  // seven frames from rest
      Chaser("butterfly", 2, 5.0f, &Game::butterflies),
      Chaser("square", 1, 3.1f, &Game::squares),
      Chaser("cube", 2.5f, 3.0f, &Game::cubes),
  };
  for (const ChaseCase& c : cases) {
    const std::shared_ptr<Enemy> e = c.put(game);
    for (int frame = 1; frame <= 8; ++frame) {
      c.update(game, *e);
      EXPECT_NEAR(e->vx, std::min(frame * c.accel, c.limit), 1e-4) << c.kind << " frame " << frame;
      EXPECT_NEAR(e->vy, 0, 1e-6) << c.kind;
    }
  }
}

TEST_F(SimpleKindsTest, AChaserFartherThanThePlayfieldWidthFromTheShipKeepsItsCourse) {
  game.ship.x = 1000;
  game.ship.y = 750;
  auto s = Put(game.seekers, 20, 20);  // 1219 pixels away
  s->vx = 0.5f;
  Update(game, *s);
  EXPECT_FLOAT_EQ(s->vx, 0.5f);
  EXPECT_FLOAT_EQ(s->vy, 0);
}

TEST_F(SimpleKindsTest, APinwheelNeverTurnsTowardTheShip) {
  game.ship.x = 300;
  game.ship.y = 600;
  auto p = Put(game.pinwheels, 300, 100);
  p->vx = 1;
  p->vy = 0;
  for (int i = 0; i < 100; ++i) Update(game, *p);
  EXPECT_FLOAT_EQ(p->vx, 1);
  EXPECT_FLOAT_EQ(p->vy, 0);
  EXPECT_FLOAT_EQ(p->x, 400);
}

struct DodgeCase {
  const char* name;
  float shotX, shotY, shotVx, shotVy;
  float maxSpeedAfter;  // 0: untouched
  float vySign;
};

TEST_F(SimpleKindsTest, ASquareSwervesFromTheLineOfAPassingShot) {
  const float limit = 1.1f * 3.1f;
  const DodgeCase cases[] = {
      {"head-on: the two kicks nearly cancel", 400, 400, 10, 0, 0.01f, 0},
      {"passing below: kicked up, to 10 percent over its limit", 400, 430, 10, 0, limit, -1},
      {"passing above: kicked down", 400, 370, 10, 0, limit, 1},
      {"its point four frames ahead 100 away: no kick", 400, 500, 10, 0, 0, 0},
  };
  for (const DodgeCase& c : cases) {
    game.squares.Clear();
    auto q = Put(game.squares, 500, 400);
    Dodge(game, *q, c.shotX, c.shotY, c.shotX + c.shotVx, c.shotY + c.shotVy);
    const float speed = std::hypot(q->vx, q->vy);
    if (c.vySign == 0) {
      EXPECT_LE(speed, c.maxSpeedAfter) << c.name;
    } else {
      EXPECT_NEAR(speed, c.maxSpeedAfter, 1e-4) << c.name;
      EXPECT_GT(q->vy * c.vySign, 0) << c.name;
    }
  }
  // The square's next update brings it back to its limit.
  auto sq = Put(game.squares, 500, 400);
  Dodge(game, *sq, 400, 430, 410, 430);
  Update(game, *sq);
  EXPECT_NEAR(std::hypot(sq->vx, sq->vy), 3.1f, 1e-4);
}

TEST_F(SimpleKindsTest, ButterfliesGiveTenPointsAndNineSparksInThreeWaySymmetry) {
  auto b = Put(game.butterflies, 300, 300);
  b->spin = 17;
  Kill(game, *b, true);
  EXPECT_EQ(game.state.score, 10);
  EXPECT_EQ(game.particles.nextSlot, 9);
}

struct BreathCase {
  float spin;
  int a, b;
};

TEST(DiamondBreathTest, WidensThenHeightensOverA256FrameCycle) {
  const BreathCase cases[] = {
      {0, 0, 0},   {40, 40, 0},  {63, 63, 0}, {64, 63, 0}, {100, 27, 0}, {127, 0, 0},
      {128, 0, 1}, {190, 0, 63}, {191, 0, 64}, {200, 0, 55}, {255, 0, 0},  {256 + 63, 63, 0},
      {63.9f, 63, 0},  // the whole-number part of the spin
  };
  for (const BreathCase& c : cases) {
    int a = -1, b = -1;
    DiamondBreath(c.spin, a, b);
    EXPECT_EQ(a, c.a) << c.spin;
    EXPECT_EQ(b, c.b) << c.spin;
  }
  int a = 0, b = 0;
  DiamondBreath(63, a, b);
  EXPECT_NEAR(1 + a / 80.0f, 1.79f, 0.005f) << "drawn 1.79 times as wide";
  DiamondBreath(191, a, b);
  EXPECT_FLOAT_EQ(1 + b / 80.0f, 1.8f) << "drawn 1.8 times as tall";
}

TEST_F(SimpleKindsTest, TheDiamondsHaloStretchesWithItsBreath) {
  std::vector<DrawRecord> records;
  fx.hp.gfx.SetRecorder(&records);
  auto d = Put(game.diamonds, 300, 200);
  d->spin = 40;  // a = 40; halo s = 2.5, alpha 0.125
  Draw(game, *d);
  const DrawRecord* poly = nullptr;
  for (const DrawRecord& r : records)
    if (r.kind == DrawRecord::kPoly) poly = &r;
  ASSERT_NE(poly, nullptr);
  EXPECT_FLOAT_EQ(poly->alpha, 0.125f);
  // (0, 12), (13.25, 0), ... scaled by (1.5 + 40 / 16, 1.5).
  const std::vector<float> want = {300, 218, 353, 200, 300, 182, 247, 200};
  ASSERT_EQ(poly->points.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(poly->points[i], want[i], 1e-3) << i;
}

}  // namespace
}  // namespace qv
