// Shots: walls (dying or bouncing), super shots, the cap, the order in which the enemy lists are tested
// and each kind's hit radius, the black-hole push, the interceptor's shield wedge and the minimum speed.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "enemies/black_hole.h"
#include "enemies/cube.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/simple_kinds.h"
#include "enemies/snake.h"
#include "enemies/triangle.h"
#include "player/shots.h"
#include "shell/game_flow.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

// An enemy placed by hand, still in its spawn delay so that nothing but shots moves it.
template <class T>
std::shared_ptr<T> Put(EntityList<T>& list, float x, float y) {
  auto e = std::make_shared<T>();
  e->x = x;
  e->y = y;
  e->spawnDelay = 100;
  list.Append(e);
  return e;
}

class ShotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.sounds.Load();
    NewGameReset(game);
    game.ship.x = 512;
    game.ship.y = 384;
  }

  Shot& Fire(float x, float y, float vx, float vy) {
    CreateShot(game, x, y, vx, vy, std::hypot(vx, vy));
    Shot* last = nullptr;
    game.shots.ForEach([&](Shot& s) { last = &s; });
    return *last;
  }
  int Plays(Sound sound) const {
    int n = 0;
    for (const AudioEvent& e : fx.hp.audio.Log())
      if (e.op == AudioOp::Start && e.sample == game.sounds.Sample(sound)) ++n;
    return n;
  }
  // The pan the last start of `sound` was given: where the event happened, seen from the ship.
  float LastPan(Sound sound) const {
    const std::vector<AudioEvent>& log = fx.hp.audio.Log();
    float pan = -99;
    for (std::size_t i = 0; i < log.size(); ++i) {
      if (log[i].op != AudioOp::Start || log[i].sample != game.sounds.Sample(sound)) continue;
      for (std::size_t j = i + 1; j < log.size(); ++j)
        if (log[j].op == AudioOp::Pan) {
          pan = log[j].value;
          break;
        }
    }
    return pan;
  }

  test::GameFixture fx{3};
  Game& game = fx.game;
};

// ---- Walls ----

TEST_F(ShotTest, AShotDiesInTheHalfStepItPassesAWallAndIsMovedBackAFullStep) {
  Shot& s = Fire(1000, 384, 12, 0);
  UpdateShot(game, s);  // 1006, then 1012: still inside
  EXPECT_EQ(game.shots.Count(), 1);
  EXPECT_FLOAT_EQ(s.x, 1012);
  UpdateShot(game, s);  // 1018, then 1024 > 1023: back to 1012 and dead
  EXPECT_TRUE(game.shots.Empty());
  EXPECT_EQ(Plays(Sound::ShotWall), 1);
  EXPECT_FLOAT_EQ(LastPan(Sound::ShotWall), (1012.0f - 512) / 1024) << "the sound is made where it was moved back to";
  EXPECT_EQ(game.particles.nextSlot, 4);
  EXPECT_NEAR(game.particles.slots[0].x, 1012, 12) << "its four sparks start there too";
}

TEST_F(ShotTest, AShotLeavingTwoWallsAtOnceIsMovedBackOnBoth) {
  Shot& s = Fire(2, 2, -8, -6);
  std::shared_ptr<Shot> keep = game.shots.Share(s);
  UpdateShot(game, *keep);  // half-step to (-2, -1): both axes out
  EXPECT_TRUE(game.shots.Empty());
  EXPECT_FLOAT_EQ(keep->x, 6);
  EXPECT_FLOAT_EQ(keep->y, 5);
}

TEST_F(ShotTest, BouncyShotsBounceUntilThePowerUpEnds) {
  game.ship.bouncyTimer = 100;
  Shot& s = Fire(1020, 384, 12, 0);
  UpdateShot(game, s);  // 1026 > 1023: back to 1014 and turned around, then 1008
  ASSERT_EQ(game.shots.Count(), 1);
  EXPECT_FLOAT_EQ(s.vx, -12);
  EXPECT_FLOAT_EQ(s.x, 1008);
  for (int i = 0; i < 200 && game.shots.Count() == 1; ++i) UpdateShot(game, s);
  EXPECT_EQ(game.shots.Count(), 1) << "it keeps bouncing between the walls";
  game.ship.bouncyTimer = 0;
  for (int i = 0; i < 100 && game.shots.Count() == 1; ++i) UpdateShot(game, s);
  EXPECT_TRUE(game.shots.Empty()) << "its next wall contact after the power-up kills it";
}

TEST_F(ShotTest, SuperShotsPassThroughAndKillEveryEnemyOnTheirWay) {
  game.ship.superTimer = 100;
  for (int i = 0; i < 5; ++i) Put(game.pinwheels, 300.0f + 40 * i, 200);
  Put(game.seekers, 540, 200);
  Shot& s = Fire(260, 200, 12, 0);
  for (int i = 0; i < 80 && !game.shots.Empty(); ++i) UpdateShot(game, s);
  EXPECT_TRUE(game.pinwheels.Empty());
  EXPECT_TRUE(game.seekers.Empty());
  EXPECT_EQ(game.state.score, 5 * 25 + 10);
  EXPECT_TRUE(game.shots.Empty()) << "it dies only at the wall";
}

TEST_F(ShotTest, At500ShotsFurtherShotsAreNotCreated) {
  for (int i = 0; i < 501; ++i) CreateShot(game, 100, 100, 1, 0, 1);
  EXPECT_EQ(game.shots.Count(), 500);
}

TEST_F(ShotTest, TheSpeedNeverFallsBelowHalfTheNominalSpeed) {
  struct Case {
    float vx, vy, nominal;
    float outVx, outVy;
  };
  const Case cases[] = {
      {3, 0, 10, 5, 0},      // too slow: raised to half of 10
      {0, -4, 10, -0, -5},
      {3, 4, 12, 3.6f, 4.8f},  // direction kept
      {8, 0, 10, 8, 0},      // fast enough
      {0, 0, 10, 0, 0},      // a shot at rest is left alone
  };
  for (const Case& c : cases) {
    game.shots.Clear();
    CreateShot(game, 500, 100, c.vx, c.vy, c.nominal);
    Shot& s = *game.shots.Front();
    UpdateShot(game, s);
    EXPECT_NEAR(s.vx, c.outVx, 1e-5) << c.vx << ", " << c.vy;
    EXPECT_NEAR(s.vy, c.outVy, 1e-5) << c.vx << ", " << c.vy;
  }
}

// ---- Hit testing ----

TEST_F(ShotTest, AnEarlierListWinsOverANearerEnemyOfALaterList) {
  auto pinwheel = Put(game.pinwheels, 515, 300);  // squared distance 225
  auto seeker = Put(game.seekers, 500, 300);      // on the shot
  auto hole = Put(game.blackHoles, 520, 300);     // 400 < 22 squared: black holes come first of all
  hole->size = 20;
  Shot& s = Fire(500, 300, 0, 0);
  EXPECT_TRUE(HitTestShot(game, s));
  EXPECT_FLOAT_EQ(hole->size, 19.25f);
  EXPECT_EQ(game.pinwheels.Count(), 1);
  game.blackHoles.Clear();
  EXPECT_TRUE(HitTestShot(game, s));
  EXPECT_TRUE(game.pinwheels.Empty());
  EXPECT_EQ(game.seekers.Count(), 1);
  EXPECT_TRUE(HitTestShot(game, s));
  EXPECT_TRUE(game.seekers.Empty());
}

struct RadiusCase {
  const char* kind;
  float dx, dy;  // an offset whose squared length is exactly the kind's hit value
  std::function<void(Game&, float, float)> put;
};

TEST_F(ShotTest, AShotExactlyOnAKindsHitRadiusMissesAndJustInsideHits) {
  const std::vector<RadiusCase> cases = {
      {"black hole of size 20: 22 squared", 22, 0, [](Game& g, float x, float y) { Put(g.blackHoles, x, y)->size = 20; }},
      {"square: 260", 16, 2, [](Game& g, float x, float y) { Put(g.squares, x, y); }},
      {"pinwheel: 260", 2, 16, [](Game& g, float x, float y) { Put(g.pinwheels, x, y); }},
      {"diamond: 333", 18, 3, [](Game& g, float x, float y) { Put(g.diamonds, x, y); }},
      {"whole cube: 265", 16, 3, [](Game& g, float x, float y) { Put(g.cubes, x, y); }},
      {"seeker: 148", 12, 2, [](Game& g, float x, float y) { Put(g.seekers, x, y); }},
      {"triangle: 148", 2, 12, [](Game& g, float x, float y) { Put(g.triangles, x, y); }},
      {"generator of size 20: 164", 10, 8, [](Game& g, float x, float y) { Put(g.generators, x, y)->size = 20; }},
      {"snake segment 19: 100", 10, 0, [](Game& g, float x, float y) { Put(g.snakes, x, y)->index = 19; }},
      {"snake tail tip: 81", 0, 9, [](Game& g, float x, float y) { Put(g.snakes, x, y)->index = 0; }},
      {"turning interceptor: 144", 12, 0, [](Game& g, float x, float y) { Put(g.interceptors, x, y)->turnLeft = 10; }},
      {"butterfly: 104", 10, 2, [](Game& g, float x, float y) { Put(g.butterflies, x, y); }},
  };
  for (const RadiusCase& c : cases) {
    for (float scale : {1.0f, 0.98f}) {
      ClearWorld(game, true);
      c.put(game, 400 + c.dx * scale, 300 + c.dy * scale);
      Shot& s = Fire(400, 300, 0, 0);
      EXPECT_EQ(HitTestShot(game, s), scale < 1) << c.kind << (scale < 1 ? ", just inside" : ", on the radius");
    }
  }
}

TEST_F(ShotTest, ASquareThatIsMissedIsToldAboutTheShot) {
  auto square = Put(game.squares, 440, 300);
  Shot& s = Fire(400, 320, 10, 0);  // its point four frames ahead, (440, 320), lies 20 from the square
  EXPECT_FALSE(HitTestShot(game, s));
  EXPECT_LT(square->vy, 0) << "pushed away from the shot's line";
}

TEST_F(ShotTest, ATurningInterceptorOutsideItsKillRadiusLetsTheScanGoOn) {
  auto interceptor = Put(game.interceptors, 420, 300);  // 20 away: inside 64, outside 12
  interceptor->turnLeft = 6;
  Put(game.butterflies, 405, 300);
  Shot& s = Fire(400, 300, 0, 0);
  EXPECT_TRUE(HitTestShot(game, s));
  EXPECT_EQ(game.interceptors.Count(), 1);
  EXPECT_TRUE(game.butterflies.Empty());
}

// ---- The interceptor's shield ----

class ShieldTest : public ShotTest {
 protected:
  // An interceptor at (500, 400) flying along +x with its shield up: its shield line runs from
  // (564, 436) to (564, 364).
  std::shared_ptr<Interceptor> Craft() {
    auto e = Put(game.interceptors, 500, 400);
    e->vx = 2;
    e->vy = 0;
    e->turnLeft = 0;
    RefreshShield(*e);
    return e;
  }
};

TEST_F(ShieldTest, AHeadOnShotIsAbsorbedEvenInsideTheKillRadius) {
  auto e = Craft();
  EXPECT_FLOAT_EQ(e->shieldAx, 564);
  EXPECT_FLOAT_EQ(e->shieldAy, 436);
  EXPECT_FLOAT_EQ(e->shieldBx, 564);
  EXPECT_FLOAT_EQ(e->shieldBy, 364);
  Put(game.butterflies, 530, 400);
  for (float x : {540.0f, 510.0f}) {
    Shot& s = Fire(x, 400, -6, 0);
    EXPECT_TRUE(HitTestShot(game, s)) << x;
  }
  EXPECT_EQ(game.interceptors.Count(), 1) << "the shield took both shots";
  EXPECT_EQ(game.butterflies.Count(), 1) << "an absorbed shot goes no further";
  EXPECT_EQ(game.state.score, 0);
}

TEST_F(ShieldTest, AShotFromTheSideOrBehindKills) {
  Craft();
  Shot& side = Fire(500, 410, 0, -4);
  EXPECT_TRUE(HitTestShot(game, side));
  EXPECT_TRUE(game.interceptors.Empty());
  EXPECT_EQ(game.state.score, 100);

  Craft();
  Shot& behind = Fire(490, 403, 6, 0);
  EXPECT_TRUE(HitTestShot(game, behind));
  EXPECT_TRUE(game.interceptors.Empty());
}

TEST_F(ShieldTest, TurningHardTheInterceptorHasNoShield) {
  auto e = Craft();
  e->turnLeft = -5;
  Shot& s = Fire(510, 400, -6, 0);
  EXPECT_TRUE(HitTestShot(game, s));
  EXPECT_TRUE(game.interceptors.Empty());
}

struct WedgeCase {
  const char* name;
  float px, py, ax, ay, bx, by, cx, cy;
  bool inside;
};

TEST(WedgeTest, TheRayCrossesBothEdgesOrNeither) {
  const WedgeCase cases[] = {
      {"in front, between the edges", 530, 400, 504, 400, 564, 436, 564, 364, true},
      {"beyond the shield line", 600, 400, 504, 400, 564, 436, 564, 364, true},
      {"to the side: one edge", 500, 410, 500, 404, 564, 436, 564, 364, false},
      {"both edges horizontal", 0, 5, 0, 5, 10, 5, -10, 5, true},
      {"at the lower end's height: half-open", 0, 10, 0, 0, 10, 10, -10, 10, true},
      {"at the apex's height, left of it: one edge", -5, 0, 0, 0, 10, 10, 10, -10, false},
  };
  for (const WedgeCase& c : cases)
    EXPECT_EQ(WedgeTest(c.px, c.py, c.ax, c.ay, c.bx, c.by, c.cx, c.cy), c.inside) << c.name;
}

// ---- Black holes push shots aside ----

struct DeflectCase {
  float dx, dy;  // the hole's offset from the shot
  float pushX, pushY;
};

TEST_F(ShotTest, AnActiveHolePushesAShotAsideOneAxisStepAtATime) {
  const float unit = 1.0f / (26 - 5);  // size 20: damping 5
  const DeflectCase cases[] = {
      {32, 0, 0, 0},          // squared distance exactly 1024: flies straight in
      {32, 1, -unit, -unit},  // just beyond 32 pixels: pushed away on both axes
      {-60, 0, unit, 0},
      {0, 80, 0, -unit},
      {174.9f, 0, -unit, 0},  // within the range 75 + 5 x 20
      {175, 0, 0, 0},
  };
  for (const DeflectCase& c : cases) {
    Shot s;
    s.x = 300;
    s.y = 300;
    DeflectShot(s, 300 + c.dx, 300 + c.dy, 175, 5);
    EXPECT_FLOAT_EQ(s.vx, c.pushX) << c.dx << ", " << c.dy;
    EXPECT_FLOAT_EQ(s.vy, c.pushY) << c.dx << ", " << c.dy;
  }
}

TEST_F(ShotTest, OnlyAnAwakeHoleBendsShotsInFlight) {
  auto hole = std::make_shared<BlackHole>();
  hole->x = 400;
  hole->y = 360;
  hole->size = 20;
  hole->spawnDelay = 100;
  game.blackHoles.Append(hole);
  Shot& s = Fire(300, 300, 4, 0);
  UpdateShot(game, s);
  EXPECT_FLOAT_EQ(s.vy, 0) << "a dormant hole does not push";
  hole->active = 1;
  UpdateShot(game, s);
  EXPECT_LT(s.vy, 0) << "an awake hole pushes the shot away";
}

}  // namespace
}  // namespace qv
