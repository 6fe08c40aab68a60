// What every enemy kind shares: placement away from the ship, the spawn protocol, the wall bounce,
// separation, the speed cap, ship contact and `killedShip`, the black-hole pull of each kind, the kill
// protocol and the halo.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "enemies/black_hole.h"
#include "enemies/cube.h"
#include "enemies/interceptor.h"
#include "enemies/simple_kinds.h"
#include "enemies/snake.h"
#include "enemies/triangle.h"
#include "player/shots.h"
#include "shell/game_flow.h"
#include "shell/spawn_director.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

template <class T>
std::shared_ptr<T> Put(EntityList<T>& list, float x, float y, int spawnDelay = 0) {
  auto e = std::make_shared<T>();
  e->x = x;
  e->y = y;
  e->spawnDelay = spawnDelay;
  list.Append(e);
  return e;
}

bool GridMoving(const Grid& g) {
  auto moving = [](float v) { return v != 0; };
  return std::any_of(g.vx.begin(), g.vx.end(), moving) || std::any_of(g.vy.begin(), g.vy.end(), moving);
}

class EnemyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.sounds.Load();
    NewGameReset(game);
    game.input.debounce = 0;
    game.ship.x = 512;
    game.ship.y = 384;
    game.ship.shieldTimer = 0;
  }
  int Plays(Sound sound) const {
    int n = 0;
    for (const AudioEvent& e : fx.hp.audio.Log())
      if (e.op == AudioOp::Start && e.sample == game.sounds.Sample(sound)) ++n;
    return n;
  }
  // The rate the last start of `sound` was given (1 when none was set).
  float LastRate(Sound sound) const {
    const std::vector<AudioEvent>& log = fx.hp.audio.Log();
    float rate = 0;
    for (std::size_t i = 0; i < log.size(); ++i) {
      if (log[i].op != AudioOp::Start || log[i].sample != game.sounds.Sample(sound)) continue;
      rate = 1;
      if (i + 1 < log.size() && log[i + 1].op == AudioOp::Rate) rate = log[i + 1].value;
    }
    return rate;
  }
  int SparksSince(int slotBefore) const {
    const int count = game.settings.particleCount;
    return ((game.particles.nextSlot - slotBefore) % count + count) % count;
  }
  std::shared_ptr<BlackHole> Hole(float x, float y, float size, bool active) {
    auto h = Put(game.blackHoles, x, y, 100);
    h->size = size;
    h->active = active ? 1 : 0;
    return h;
  }

  test::GameFixture fx{11};
  Game& game = fx.game;
};

// ---- Placement ----

struct PlacementCase {
  const char* name;
  int shipX, shipY;
  float x, y;
  int distance, mode;
};

TEST_F(EnemyTest, SpawnPointsAreKeptAwayFromTheShip) {
  const PlacementCase cases[] = {
      {"far enough: unchanged", 512, 384, 100, 100, 160, 0},
      {"exactly at the distance: unchanged", 512, 384, 672, 384, 160, 0},
      {"outside the margin: clamped", 512, 384, 5, 900, 160, 0},
      {"near the ship: re-placed on the circle", 512, 384, 520, 390, 160, 0},
      {"ship in a corner: re-placed inside the margin", 30, 30, 50, 50, 160, 0},
      {"mode 1, near: pushed straight away", 512, 384, 517, 384, 40, 1},
      {"mode 1, on the ship", 512, 384, 512, 384, 40, 1},
  };
  for (const PlacementCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (int trial = 0; trial < 20; ++trial) {
      float x = c.x, y = c.y;
      AdjustSpawnPoint(game, x, y, c.shipX, c.shipY, c.distance, c.mode);
      const float d = std::hypot(x - c.shipX, y - c.shipY);
      EXPECT_GE(d, c.distance - 1e-3f);
      if (c.mode == 0) {
        EXPECT_GE(x, 20);
        EXPECT_LE(x, 1004);
        EXPECT_GE(y, 20);
        EXPECT_LE(y, 748);
      }
      if (std::hypot(c.x - c.shipX, c.y - c.shipY) >= c.distance && c.x >= 20 && c.x <= 1004 && c.y >= 20 &&
          c.y <= 748) {
        EXPECT_FLOAT_EQ(x, c.x);
        EXPECT_FLOAT_EQ(y, c.y);
      }
    }
  }
  float x = 5, y = 900;
  AdjustSpawnPoint(game, x, y, 512, 384, 160, 0);
  EXPECT_FLOAT_EQ(x, 20);
  EXPECT_FLOAT_EQ(y, 748);
  // Pushed in 10-pixel steps along the line from the ship: from 5 away to about 45.
  x = 517;
  y = 384;
  AdjustSpawnPoint(game, x, y, 512, 384, 40, 1);
  EXPECT_FLOAT_EQ(y, 384);
  EXPECT_NEAR(x, 557, 0.05);
}

TEST_F(EnemyTest, APushedSpawnPointIsNotClampedAgain) {
  float x = 35, y = 384;
  AdjustSpawnPoint(game, x, y, 45, 384, 40, 1);
  EXPECT_LT(x, 0) << "four steps of 10 from x 35 away from a ship at 45";
  EXPECT_FLOAT_EQ(y, 384);
}

TEST_F(EnemyTest, APinwheelPlacedInTheShipsCornerGoesOntoThe160PixelCircle) {
  game.ship.x = 60;
  game.ship.y = 60;
  for (int i = 0; i < 10; ++i) {
    Pinwheel* p = SpawnPinwheel(game, 55, 55, 20, 0);
    ASSERT_NE(p, nullptr);
    EXPECT_GE(std::hypot(p->x - 60, p->y - 60), 160 - 1e-3f);
  }
}

// ---- Spawn protocol ----

struct SpawnCase {
  const char* kind;
  Sound sound;
  float minSpeed, maxSpeed;
  float spinStart;  // -1: random 0..359
  std::function<Enemy*(Game&)> spawn;
  std::function<void(Game&)> clear;
};

TEST_F(EnemyTest, SpawnsPlayTheirSoundAndStartInARandomDirectionAtTheirSpeed) {
  game.ship.x = 900;
  game.ship.y = 700;
  auto last = [](auto& list) {
    Enemy* e = nullptr;
    list.ForEach([&](auto& x) { e = &x; });
    return e;
  };
  const std::vector<SpawnCase> cases = {
      {"pinwheel", Sound::Pop2, 0.5f, 2, 90, [&](Game& g) { SpawnPinwheel(g, 300, 300, 20, 0); return last(g.pinwheels); },
       [](Game& g) { g.pinwheels.Clear(); }},
      {"diamond", Sound::Pop3, 0.25f, 1, -1, [&](Game& g) { SpawnDiamond(g, 300, 300, 20, 0); return last(g.diamonds); },
       [](Game& g) { g.diamonds.Clear(); }},
      {"seeker", Sound::GruntBorn, 3, 6, -1, [&](Game& g) { SpawnSeeker(g, 300, 300, 20, 0, 0); return last(g.seekers); },
       [](Game& g) { g.seekers.Clear(); }},
      {"butterfly", Sound::Butterfly, 3, 6, -1,
       [&](Game& g) { SpawnButterfly(g, 300, 300, 20, 0); return last(g.butterflies); },
       [](Game& g) { g.butterflies.Clear(); }},
      {"square", Sound::Buzz3, 2, 4, 90, [&](Game& g) { SpawnSquare(g, 300, 300, 20, 0); return last(g.squares); },
       [](Game& g) { g.squares.Clear(); }},
      {"cube", Sound::Snake1, 0.25f, 2, -1, [&](Game& g) { SpawnCube(g, 300, 300, 0, 20, 0); return last(g.cubes); },
       [](Game& g) { g.cubes.Clear(); }},
      {"triangle", Sound::Buzz1, 0.25f, 1, -1, [&](Game& g) { SpawnTriangle(g, 300, 300, 20, 0); return last(g.triangles); },
       [](Game& g) { g.triangles.Clear(); }},
      {"interceptor", Sound::Warn1, 0.5f, 2, -1,
       [&](Game& g) { SpawnInterceptor(g, 300, 300, 20, 0); return last(g.interceptors); },
       [](Game& g) { g.interceptors.Clear(); }},
      {"black hole", Sound::Sun1, 0.05f, 0.5f, -1,
       [&](Game& g) { SpawnBlackHole(g, 300, 300, 20, 20, 0); return last(g.blackHoles); },
       [](Game& g) { g.blackHoles.Clear(); }},
  };
  for (const SpawnCase& c : cases) {
    SCOPED_TRACE(c.kind);
    float slowest = 1e9f, fastest = 0;
    for (int i = 0; i < 200; ++i) {
      c.clear(game);
      const int before = Plays(c.sound);
      Enemy* e = c.spawn(game);
      ASSERT_NE(e, nullptr);
      EXPECT_EQ(Plays(c.sound), before + 1);
      EXPECT_EQ(e->spawnDelay, 20);
      EXPECT_FLOAT_EQ(e->x, 300);
      EXPECT_FLOAT_EQ(e->y, 300);
      if (c.spinStart >= 0) {
        EXPECT_FLOAT_EQ(e->spin, c.spinStart);
      }
      const float speed = std::hypot(e->vx, e->vy);
      slowest = std::min(slowest, speed);
      fastest = std::max(fastest, speed);
    }
    EXPECT_GE(slowest, c.minSpeed - 1e-4f);
    EXPECT_LT(fastest, c.maxSpeed + 1e-4f);
    EXPECT_LT(slowest, c.minSpeed + (c.maxSpeed - c.minSpeed) * 0.1f) << "the whole range is used";
    EXPECT_GT(fastest, c.maxSpeed - (c.maxSpeed - c.minSpeed) * 0.1f);
  }
}

TEST_F(EnemyTest, ASpawningEnemyStaysStillCannotHarmTheShipAndCanBeShot) {
  game.state.lives = 3;
  auto p = Put(game.pinwheels, 512, 384, 20);  // right on the ship
  p->vx = 2;
  for (int i = 0; i < 20; ++i) Update(game, *p);
  EXPECT_FLOAT_EQ(p->x, 512);
  EXPECT_EQ(game.state.lives, 3);
  EXPECT_EQ(p->spawnDelay, 0);

  auto q = Put(game.pinwheels, 300, 300, 20);
  CreateShot(game, 300, 300, 0, 0, 1);
  EXPECT_TRUE(HitTestShot(game, *game.shots.Front()));
  EXPECT_FALSE(q->inList);
}

// ---- The frame skeleton ----

struct BounceCase {
  float x, y, vx, vy;
  float outX, outY, outVx, outVy;
};

TEST_F(EnemyTest, AWallTurnsTheVelocityInwardAndAddsItOnceMore) {
  game.state.kindSpeed[kKindPinwheel] = 10;
  const BounceCase cases[] = {
      {9, 300, -2, 0, 9, 300, 2, 0},         // 7 < 8: back out to 9
      {1015, 300, 2, 0, 1015, 300, -2, 0},   // 1017 > 1016
      {300, 9, 0, -3, 300, 9, 0, 3},         // 6, then 9
      {300, 759, 1, 2, 301, 759, 1, -2},     // 761 > 760: back to 759
      {10, 300, -1, 0, 9, 300, -1, 0},       // 9 is not below 8
  };
  for (const BounceCase& c : cases) {
    game.pinwheels.Clear();
    auto p = Put(game.pinwheels, c.x, c.y);
    p->vx = c.vx;
    p->vy = c.vy;
    Update(game, *p);
    EXPECT_FLOAT_EQ(p->x, c.outX) << c.x << ", " << c.y;
    EXPECT_FLOAT_EQ(p->y, c.outY) << c.x << ", " << c.y;
    EXPECT_FLOAT_EQ(p->vx, c.outVx) << c.x << ", " << c.y;
    EXPECT_FLOAT_EQ(p->vy, c.outVy) << c.x << ", " << c.y;
  }
  // The square keeps 12 pixels from the walls.
  game.ship.x = 1000;
  auto s = Put(game.squares, 13, 384);
  s->vx = -2;
  game.state.kindSpeed[kKindSquare] = 100;
  Update(game, *s);
  EXPECT_FLOAT_EQ(s->x, 13);
}

TEST_F(EnemyTest, NeighboursPushApartAxisByAxisButNotFromTheSamePoint) {
  auto a = Put(game.pinwheels, 300, 300);
  Put(game.pinwheels, 320, 305, 10);  // still spawning: it pushes all the same
  Update(game, *a);
  EXPECT_FLOAT_EQ(a->vx, -1);
  EXPECT_FLOAT_EQ(a->vy, -1) << "one step per axis, not along the direction";

  game.pinwheels.Clear();
  auto b = Put(game.pinwheels, 400, 400);
  Put(game.pinwheels, 400, 400);
  Update(game, *b);
  EXPECT_FLOAT_EQ(b->vx, 0);
  EXPECT_FLOAT_EQ(b->vy, 0);

  game.pinwheels.Clear();
  auto c = Put(game.pinwheels, 400, 400);
  Put(game.pinwheels, 400 + 28.3f, 400);  // 800.9 squared: just too far
  Update(game, *c);
  EXPECT_FLOAT_EQ(c->vx, 0);
}

TEST_F(EnemyTest, SpeedIsCappedAtTheKindsLimit) {
  auto p = Put(game.pinwheels, 300, 300);
  p->vx = 6;
  p->vy = 8;
  Update(game, *p);
  EXPECT_NEAR(std::hypot(p->vx, p->vy), 2.25f, 1e-5);
  EXPECT_NEAR(p->vy / p->vx, 8.0f / 6, 1e-5) << "the direction is kept";

  game.ship.x = 900;
  auto s = Put(game.seekers, 300, 300);
  s->extraSpeed = 1;
  s->vx = 20;
  Update(game, *s);
  EXPECT_NEAR(std::hypot(s->vx, s->vy), 5.35f, 1e-5) << "a seeker from a burst hole is one faster";
}

TEST_F(EnemyTest, AnEnemyThatTouchedAShieldedShipStaysMarkedAndSurvivesThePartialClear) {
  game.ship.shieldTimer = 50;
  auto toucher = Put(game.pinwheels, 512 + 23.9f, 384);  // 571 < 576
  auto bystander = Put(game.pinwheels, 512 + 24, 384);   // 576: no contact
  toucher->vx = bystander->vx = 0;
  Update(game, *toucher);
  Update(game, *bystander);
  EXPECT_EQ(toucher->killedShip, 1);
  EXPECT_EQ(bystander->killedShip, 0);
  EXPECT_TRUE(toucher->inList) << "the ship was not destroyed, so the enemy stays";
  ClearWorld(game, false);
  EXPECT_TRUE(toucher->inList);
  EXPECT_FALSE(bystander->inList);
}

TEST_F(EnemyTest, AnEnemyThatDestroysTheShipLeavesItsList) {
  game.state.lives = 3;
  auto p = Put(game.pinwheels, 512, 390);
  Update(game, *p);
  EXPECT_EQ(game.state.lives, 2);
  EXPECT_FALSE(p->inList);
  EXPECT_EQ(game.state.score, 0);
}

// ---- Black holes pull each kind by its own numbers ----

struct PullCase {
  const char* kind;
  float reach, divisor, strength, swallow;
  bool pulledBeforeMoving;  // the kind moves after the pull in its frame
  std::function<std::shared_ptr<Enemy>(Game&, float, float)> put;
  std::function<void(Game&, Enemy&)> update;
};

template <class T>
PullCase Kind(const char* name, float reach, float divisor, float strength, float swallow, bool before,
              EntityList<T> Game::*list, std::function<void(T&)> setup = {}) {
  return {name,
          reach,
          divisor,
          strength,
          swallow,
          before,
          [list, setup](Game& g, float x, float y) -> std::shared_ptr<Enemy> {
            auto e = Put(g.*list, x, y);
            if (setup) setup(*e);
            return e;
          },
          [](Game& g, Enemy& e) { Update(g, static_cast<T&>(e)); }};
}

TEST_F(EnemyTest, EachKindFeelsAnAwakeHoleByItsOwnReachStrengthAndSwallowRadius) {
  for (float& s : game.state.kindSpeed) s = 50;  // no speed cap in the way
  auto head = [](Snake& s) {
    s.isHead = 1;
    s.index = 24;
    s.heading = 0;
  };
  const std::vector<PullCase> cases = {
      Kind("pinwheel", 235, 512, 1200, 22, false, &Game::pinwheels),
      Kind("diamond", 235, 512, 1200, 22, false, &Game::diamonds),
      Kind("square", 235, 512, 1200, 22, false, &Game::squares),
      Kind("cube", 235, 512, 1200, 22, false, &Game::cubes),
      Kind("seeker", 195, 1024, 700, 10, false, &Game::seekers),
      Kind<Snake>("snake head", 175, 1024, 1200, 22, true, &Game::snakes, head),
      Kind("interceptor", 235, 512, 1200, 26, false, &Game::interceptors),
      Kind("butterfly", 175, 2048, 500, 32, false, &Game::butterflies),
      Kind("triangle", 125, 1024, 500, 10, true, &Game::triangles),
  };
  // The enemy rests at (300, 300); the ship is straight ahead along +x, so any steering is along x and
  // the pull shows alone in vy. The hole sits below the enemy at the distance under test.
  game.ship.x = 900;
  game.ship.y = 300;
  for (const PullCase& c : cases) {
    SCOPED_TRACE(c.kind);
    struct Probe {
      float distance;
      bool pulled, swallowed;
    };
    for (const Probe& p : {Probe{c.reach - 1, true, false}, Probe{c.reach + 1, false, false},
                           Probe{c.swallow + 1, true, false}, Probe{c.swallow - 1, true, true}}) {
      ClearWorld(game, true);
      auto hole = Hole(300, 300 + p.distance, 20, true);
      const std::shared_ptr<Enemy> e = c.put(game, 300, 300);  // kept alive even if swallowed
      const float startX = e->x, startY = e->y;
      c.update(game, *e);
      EXPECT_EQ(hole->swallowed, p.swallowed ? 1 : 0) << "at " << p.distance;
      if (p.swallowed) continue;
      const float px = c.pulledBeforeMoving ? startX : e->x, py = c.pulledBeforeMoving ? startY : e->y;
      const float d = std::hypot(hole->x - px, hole->y - py) + 0.001f;
      const float expected = p.pulled ? (hole->y - py) / d / c.divisor * (c.strength - d) : 0;
      EXPECT_NEAR(e->vy, expected, 0.01) << "at " << p.distance;
    }
  }
}

TEST_F(EnemyTest, DormantHolesAndSnakeTailsFeelNoPull) {
  Hole(300, 400, 20, false);
  auto p = Put(game.pinwheels, 300, 300);
  Update(game, *p);
  EXPECT_FLOAT_EQ(p->vy, 0);

  ClearWorld(game, true);
  auto hole = Hole(600, 309, 20, true);
  auto tail = Put(game.snakes, 600, 300);
  tail->isHead = 0;
  tail->index = 5;
  tail->leaderX = 600;
  tail->leaderY = 300;
  Update(game, *tail);
  EXPECT_TRUE(tail->inList);
  EXPECT_EQ(hole->swallowed, 0);
  EXPECT_FLOAT_EQ(tail->vy, 0);
}

// ---- The kill protocol ----

struct KillCase {
  const char* kind;
  int points;
  Sound sound;
  float rate;
  int sparks;
  std::function<void(Game&, bool)> run;  // puts the enemy at (300, 200) and ends it
};

template <class T>
std::function<void(Game&, bool)> PutAndKill(EntityList<T> Game::*list, int shrink = -1) {
  return [list, shrink](Game& g, bool byPlayer) {
    auto e = Put(g.*list, 300, 200);
    if constexpr (std::is_same_v<T, Cube>) e->shrink = shrink;
    if constexpr (std::is_same_v<T, Triangle>)
      Hit(g, *e, 0, 0, byPlayer);
    else
      Kill(g, *e, byPlayer);
  };
}

TEST_F(EnemyTest, OnlyAPlayersKillScoresButEveryKillSparksAndShocksTheGrid) {
  const std::vector<KillCase> cases = {
      {"pinwheel", 25, Sound::QuarkHit, 1.0f, 16, PutAndKill(&Game::pinwheels)},
      {"diamond", 50, Sound::QuarkHit, 0.98f, 16, PutAndKill(&Game::diamonds)},
      {"seeker", 10, Sound::QuarkHit, 1.0f, 16, PutAndKill(&Game::seekers)},
      {"butterfly", 10, Sound::QuarkHit, 1.0f, 9, PutAndKill(&Game::butterflies)},
      {"square", 100, Sound::QuarkHit, 1.1f, 16, PutAndKill(&Game::squares)},
      {"cube half", 50, Sound::QuarkHit, 1.25f, 16, PutAndKill(&Game::cubes, 4)},
      {"interceptor", 100, Sound::QuarkHit2, 1.0f, 16, PutAndKill(&Game::interceptors)},
      {"lone triangle", 150, Sound::Elastic, 1.0f, 4 + 32, PutAndKill(&Game::triangles)},
  };
  for (const KillCase& c : cases) {
    for (bool byPlayer : {true, false}) {
      SCOPED_TRACE(::testing::Message() << c.kind << (byPlayer ? " shot" : " bombed"));
      ClearWorld(game, true);
      fx.hp.audio.Tick();  // a new frame for the sound channels
      game.state.score = 0;
      game.state.killCount = 0;
      const int slot = game.particles.nextSlot;
      const int sounds = Plays(c.sound);
      c.run(game, byPlayer);
      EXPECT_EQ(game.state.score, byPlayer ? c.points : 0);
      EXPECT_EQ(game.state.killCount, byPlayer ? 1 : 0);
      EXPECT_EQ(game.floatingTexts.Count(), byPlayer ? 1 : 0);
      if (c.sound != Sound::Elastic) {
        EXPECT_EQ(Plays(c.sound) - sounds, byPlayer ? 1 : 0);
        if (byPlayer) {
          EXPECT_FLOAT_EQ(LastRate(c.sound), c.rate);
        }
      }
      EXPECT_EQ(SparksSince(slot), c.sparks);
      EXPECT_TRUE(GridMoving(game.grid)) << "the grid is shocked either way";
      EXPECT_EQ(game.pinwheels.Count() + game.diamonds.Count() + game.seekers.Count() + game.butterflies.Count() +
                    game.squares.Count() + game.cubes.Count() + game.interceptors.Count() + game.triangles.Count(),
                0);
    }
  }
}

// ---- Drawing ----

TEST_F(EnemyTest, TheHaloFadesOutAndItsNegativeAlphaDrawsNothing) {
  std::vector<DrawRecord> records;
  fx.hp.gfx.SetRecorder(&records);
  auto p = Put(game.pinwheels, 300, 200);
  struct Case {
    float spin;
    int spawnDelay;
    bool drawn;
    float alpha, reach;  // the halo polygon's alpha and its corners' distance from the centre
  };
  const Case cases[] = {
      {0, 0, true, 0.4375f, 6},        // s = 0.5
      {16, 0, true, 0.3125f, 18},      // s = 1.5
      {48, 0, true, 0.0625f, 42},      // s = 3.5
      {64, 0, false, 0, 0},            // s = 4.5: alpha below 0
      {127, 0, false, 0, 0},
      {128, 0, true, 0.4375f, 6},      // the cycle starts again
      {64, 20, true, 0.5f, 48},        // spawning: alpha 20 / 40, scale 20 / 5
  };
  for (const Case& c : cases) {
    records.clear();
    p->spin = c.spin;
    p->spawnDelay = c.spawnDelay;
    Draw(game, *p);
    std::vector<const DrawRecord*> polys;
    for (const DrawRecord& r : records)
      if (r.kind == DrawRecord::kPoly) polys.push_back(&r);
    ASSERT_EQ(polys.size(), c.drawn ? 1u : 0u) << c.spin;
    if (!c.drawn) continue;
    EXPECT_FLOAT_EQ(polys[0]->alpha, c.alpha) << c.spin;
    EXPECT_EQ(polys[0]->blend, kAlphaBlend);
    EXPECT_NEAR(std::hypot(polys[0]->points[0] - 300, polys[0]->points[1] - 200), c.reach, 1e-3)
        << c.spin;
  }
}

}  // namespace
}  // namespace qv
