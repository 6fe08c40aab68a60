// The interceptor: its turn measure, the refusals beyond three and the cap of eight, the swing toward
// the middle when it appears, braking in hard turns, walls that undo its move, and the shield sound.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "enemies/interceptor.h"
#include "shell/game_flow.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

constexpr double kPi = 3.14159265358979323846;

class InterceptorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.sounds.Load();
    NewGameReset(game);
    game.input.debounce = 0;
    game.ship.x = 900;
    game.ship.y = 700;
    game.ship.shieldTimer = 1000;
  }
  std::shared_ptr<Interceptor> Put(float x, float y) {
    auto e = std::make_shared<Interceptor>();
    e->x = x;
    e->y = y;
    game.interceptors.Append(e);
    return e;
  }
  void RemoveNewest() {
    Interceptor* last = nullptr;
    game.interceptors.ForEach([&](Interceptor& e) { last = &e; });
    game.interceptors.Remove(*last);
  }
  int Plays(Sound sound) const {
    int n = 0;
    for (const AudioEvent& e : fx.hp.audio.Log())
      if (e.op == AudioOp::Start && e.sample == game.sounds.Sample(sound)) ++n;
    return n;
  }

  test::GameFixture fx{29};
  Game& game = fx.game;
};

struct TurnCase {
  double velocityAngle, targetAngle;
  int turn;
};

TEST(TurnAngleTest, WrapsToAHalfTurnEitherWayAndIgnoresSmallAngles) {
  const TurnCase cases[] = {
      {0, 5.5, 0},        {0, -5.5, 0},     // under 6 degrees: none
      {0, 6.5, 6},        {0, -6.5, -6},    // truncated toward zero
      {0, 90.5, 90},      {0, 179.5, 179},
      {0, 190.5, -169},   // 190 degrees round is 170 the other way
      {170.5, -170, 20},  // across the -180/180 seam: -340.5, truncated to -340, wraps to +20
      {-170.5, 170, -20},
      {45, 50.9, 0},      {90, 100.5, 10},
  };
  for (const TurnCase& c : cases) {
    const double v = c.velocityAngle * kPi / 180, t = c.targetAngle * kPi / 180;
    const int turn = TurnAngle(100, 100, static_cast<float>(3 * std::cos(v)), static_cast<float>(3 * std::sin(v)),
                               static_cast<float>(100 + 200 * std::cos(t)), static_cast<float>(100 + 200 * std::sin(t)));
    EXPECT_EQ(turn, c.turn) << c.velocityAngle << " -> " << c.targetAngle;
  }
}

TEST_F(InterceptorTest, BeyondThreeHalfTheSpawnsAreRefusedAndAtEightAll) {
  struct Case {
    int alive;
    int minMade, maxMade;  // of 200 requests
  };
  for (const Case& c : {Case{3, 200, 200}, Case{4, 70, 130}, Case{7, 70, 130}, Case{8, 0, 0}}) {
    game.interceptors.Clear();
    for (int i = 0; i < c.alive; ++i) Put(100, 100);
    const int sounds = Plays(Sound::Warn1);
    int made = 0;
    for (int i = 0; i < 200; ++i) {
      SpawnInterceptor(game, 300, 300, 20, 0);
      if (game.interceptors.Count() > c.alive) {
        ++made;
        RemoveNewest();
      }
    }
    EXPECT_GE(made, c.minMade) << c.alive << " alive";
    EXPECT_LE(made, c.maxMade) << c.alive << " alive";
    EXPECT_EQ(Plays(Sound::Warn1) - sounds, made) << "a refused spawn makes no sound";
  }
}

TEST_F(InterceptorTest, ANewInterceptorSwingsTowardTheMiddleOfThePlayfield) {
  for (int i = 0; i < 50; ++i) {
    game.interceptors.Clear();
    SpawnInterceptor(game, 100, 100, 20, 0);
    const Interceptor* e = game.interceptors.Front();
    ASSERT_NE(e, nullptr);
    const int toCentre = TurnAngle(e->x, e->y, e->vx, e->vy, 512, 384);
    EXPECT_EQ(e->turnLeft, std::abs(toCentre) < 16 ? 16 : toCentre);
    EXPECT_GE(std::abs(e->turnLeft), 16);
    EXPECT_EQ(e->heading, static_cast<int>(e->spin));
  }
}

TEST_F(InterceptorTest, OnAHardTurnItBrakesInsteadOfThrusting) {
  auto e = Put(300, 384);
  e->vx = 2;
  e->heading = 90;
  e->turnLeft = 40;
  game.ship.x = 300;  // a quarter turn off its course: any retarget keeps the turn hard
  game.ship.y = 700;
  Update(game, *e);
  EXPECT_EQ(e->heading, 94);
  const double h = 94 * kPi / 180, k = 0.265 + 4.45 / 20;
  EXPECT_NEAR(e->vx, (2 + std::cos(h)) * k, 1e-4);
  EXPECT_NEAR(e->vy, std::sin(h) * k, 1e-4);
}

TEST_F(InterceptorTest, AWallUndoesTheWholeMoveWithoutABounce) {
  auto e = Put(17, 300);
  for (int i = 0; i < 20; ++i) {
    e->vx = -10;
    e->vy = 1;
    Update(game, *e);
    EXPECT_FLOAT_EQ(e->x, 17) << i;
    EXPECT_FLOAT_EQ(e->y, 300) << "the whole move is undone, not only across the wall";
    EXPECT_LT(e->vx, 0) << "no bounce";
  }
}

TEST_F(InterceptorTest, TheShieldSoundPlaysAtMostOnceIn60Frames) {
  auto e = Put(300, 700);
  e->vx = 1;
  e->heading = 0;
  game.ship.x = 1000;  // straight ahead: it never turns
  std::vector<int> soundFrames;
  for (int frame = 1; frame <= 130; ++frame) {
    const int before = Plays(Sound::Shield1);
    if (e->x > 700) e->x = 300;  // keep it well away from the ship and the walls
    Update(game, *e);
    if (Plays(Sound::Shield1) > before) soundFrames.push_back(frame);
    fx.hp.audio.Tick();
  }
  EXPECT_EQ(soundFrames, (std::vector<int>{1, 61, 121}));
}

}  // namespace
}  // namespace qv
