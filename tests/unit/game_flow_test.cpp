// The flow of a game: the difficulty table, the loss of a ship and its weapon penalty, the last ship,
// the partial and full clearing of the world, the bomb's destruction, the get-ready sequence, the
// point circles of its rings, and centring the ship.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "enemies/black_hole.h"
#include "enemies/cube.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/simple_kinds.h"
#include "enemies/snake.h"
#include "enemies/triangle.h"
#include "player/power_up.h"
#include "player/shots.h"
#include "render/image_set.h"
#include "scoring/floating_text.h"
#include "shell/game_flow.h"
#include "shell/world.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

template <class T>
std::shared_ptr<T> Put(EntityList<T>& list, float x, float y, int killedShip = 0) {
  auto e = std::make_shared<T>();
  e->x = x;
  e->y = y;
  e->killedShip = killedShip;
  list.Append(e);
  return e;
}

class FlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.sounds.Load();
    NewGameReset(game);
  }
  int Plays(Sound sound) const {
    int n = 0;
    for (const AudioEvent& e : fx.hp.audio.Log())
      if (e.op == AudioOp::Start && e.sample == game.sounds.Sample(sound)) ++n;
    return n;
  }
  int Enemies() const {
    return game.squares.Count() + game.pinwheels.Count() + game.diamonds.Count() + game.cubes.Count() +
           game.seekers.Count() + game.blackHoles.Count() + game.snakes.Count() + game.interceptors.Count() +
           game.butterflies.Count() + game.generators.Count() + game.triangles.Count();
  }
  // One of every kind of object, `killedShip` as given.
  void Populate(int killedShip) {
    Put(game.squares, 100, 100, killedShip);
    Put(game.pinwheels, 110, 100, killedShip);
    Put(game.diamonds, 120, 100, killedShip);
    Put(game.cubes, 130, 100, killedShip);
    Put(game.seekers, 140, 100, killedShip);
    Put(game.blackHoles, 150, 100, killedShip);
    Put(game.triangles, 160, 100, killedShip);
    Put(game.generators, 170, 100, killedShip);
    Put(game.snakes, 180, 100, killedShip)->isHead = 1;
    Put(game.interceptors, 190, 100, killedShip);
    Put(game.butterflies, 200, 100, killedShip);
  }

  test::GameFixture fx{47};
  Game& game = fx.game;
};

// ---- A new game ----

struct DifficultyCase {
  int difficulty;
  float factor;
  int duration, lives, bombs, cannons;
  float shotSpeed;
  int ticks, lifeInterval, bombInterval;
};

TEST_F(FlowTest, ANewGameTakesItsValuesFromTheDifficultyTable) {
  const float base[10] = {3.1f, 2.25f, 3.25f, 3.0f, 4.35f, 2.5f, 3.5f, 4.45f, 5.0f, 2.0f};
  const DifficultyCase cases[] = {
      {0, 0.75f, 20, 4, 4, 2, 4.0f, 1, 75000, 100000},
      {1, 1.0f, 18, 3, 3, 2, 3.0f, 1, 100000, 150000},
      {2, 1.25f, 16, 2, 2, 2, 3.0f, 7000, 200000, 250000},
  };
  for (const DifficultyCase& c : cases) {
    game.settings.difficulty = c.difficulty;
    game.state.score = 777;
    game.state.extraLifeCount = game.state.extraBombCount = 5;
    game.ship.reverseTimer = game.ship.sideTimer = game.ship.superTimer = game.ship.bouncyTimer = 9;
    game.input.fireX = 1;
    game.streams[2].remaining = 30;
    NewGameReset(game);
    const GameState& st = game.state;
    EXPECT_EQ(st.gameDifficulty, c.difficulty);
    for (int k = 0; k < 10; ++k) EXPECT_FLOAT_EQ(st.kindSpeed[k], base[k] * c.factor) << "kind " << k;
    EXPECT_EQ(st.powerUpDuration, c.duration);
    EXPECT_EQ(st.lives, c.lives);
    EXPECT_EQ(st.bombs, c.bombs);
    EXPECT_EQ(game.ship.cannons, c.cannons);
    EXPECT_FLOAT_EQ(game.ship.shotSpeed, c.shotSpeed);
    EXPECT_EQ(st.gameTicks, c.ticks);
    EXPECT_EQ(st.extraLifeInterval, c.lifeInterval);
    EXPECT_EQ(st.extraBombInterval, c.bombInterval);
    EXPECT_EQ(st.extraLifeCount, 1);
    EXPECT_EQ(st.extraBombCount, 1);
    EXPECT_EQ(st.score, 0);
    EXPECT_EQ(st.multiplier, 1);
    EXPECT_EQ(st.nextPowerUpScore, 5000);
    EXPECT_EQ(game.powerUpMessage, "Power Up at 5000");
    EXPECT_EQ(game.input.debounce, 20);
    EXPECT_EQ(game.ship.reverseTimer + game.ship.sideTimer + game.ship.superTimer + game.ship.bouncyTimer, 0);
    EXPECT_FLOAT_EQ(game.input.fireX, 0);
    EXPECT_EQ(game.streams[2].remaining, 0);
  }
}

TEST_F(FlowTest, ADifficultyOutsideTheTableKeepsThePreviousGamesValues) {
  game.settings.difficulty = 2;
  NewGameReset(game);
  game.settings.difficulty = 7;
  game.state.lives = 1;
  NewGameReset(game);
  EXPECT_EQ(game.state.gameDifficulty, 7);
  EXPECT_EQ(game.state.lives, 1);
  EXPECT_FLOAT_EQ(game.state.kindSpeed[0], 3.1f * 1.25f);
  EXPECT_EQ(game.state.gameTicks, 7000);
  EXPECT_EQ(game.state.score, 0);
}

// ---- Losing a ship ----

struct PenaltyCase {
  int cannons;
  float shotSpeed;
  int cannonsAfter;
  float shotSpeedAfter;
};

TEST_F(FlowTest, ALostShipCostsACannonAndShotSpeedDownToTwoAndThree) {
  for (const PenaltyCase& c : {PenaltyCase{4, 5, 3, 4}, PenaltyCase{3, 4, 2, 3}, PenaltyCase{2, 3, 2, 3}}) {
    game.state.lives = 3;
    game.ship.cannons = c.cannons;
    game.ship.shotSpeed = c.shotSpeed;
    game.ship.shieldTimer = 0;
    game.ship.reverseTimer = game.ship.sideTimer = game.ship.superTimer = game.ship.bouncyTimer = 100;
    game.state.multiplier = 5;
    game.ship.x = 40;
    EXPECT_TRUE(ShipHit(game));
    EXPECT_EQ(game.state.lives, 2);
    EXPECT_EQ(game.state.gameOver, 0);
    EXPECT_EQ(game.ship.cannons, c.cannonsAfter) << c.cannons;
    EXPECT_FLOAT_EQ(game.ship.shotSpeed, c.shotSpeedAfter) << c.shotSpeed;
    EXPECT_EQ(game.ship.reverseTimer + game.ship.sideTimer + game.ship.superTimer + game.ship.bouncyTimer, 0);
    EXPECT_EQ(game.state.multiplier, 1);
    EXPECT_FLOAT_EQ(game.ship.x, 512) << "centred for the next life";
    EXPECT_EQ(game.ship.shieldTimer, 80) << "the get-ready shield";
    EXPECT_EQ(game.state.shipInactive, 0);
  }
}

TEST_F(FlowTest, LosingTheLastShipEndsTheGameWithoutAGetReady) {
  game.state.lives = 1;
  game.ship.cannons = 4;
  game.ship.shotSpeed = 5;
  const int frames = fx.hp.gfx.FramesPresented();
  const int startups = Plays(Sound::Startup);
  EXPECT_TRUE(ShipHit(game));
  EXPECT_EQ(game.state.lives, 0);
  EXPECT_EQ(game.state.gameOver, 1);
  EXPECT_EQ(Plays(Sound::GameOver), 1);
  EXPECT_EQ(Plays(Sound::Die1), 1);
  EXPECT_EQ(Plays(Sound::Startup), startups) << "no get-ready";
  EXPECT_EQ(fx.hp.gfx.FramesPresented() - frames, 100) << "the explosion only";
  EXPECT_EQ(game.ship.cannons, 4) << "no penalty for a game that is over";
  EXPECT_FLOAT_EQ(game.ship.shotSpeed, 5);
}

TEST_F(FlowTest, AProtectedShipIsNotHit) {
  struct Case {
    const char* name;
    int god, shield, inactive;
  };
  for (const Case& c : {Case{"god mode", 1, 0, 0}, Case{"shield", 0, 1, 0}, Case{"a sequence running", 0, 0, 1}}) {
    game.state.godMode = c.god;
    game.ship.shieldTimer = c.shield;
    game.state.shipInactive = c.inactive;
    game.state.lives = 3;
    Put(game.pinwheels, 100, 100);
    EXPECT_FALSE(ShipHit(game)) << c.name;
    EXPECT_EQ(game.state.lives, 3) << c.name;
    EXPECT_EQ(game.pinwheels.Count(), 1) << c.name;
    EXPECT_EQ(Plays(Sound::Die1), 0) << c.name;
    game.pinwheels.Clear();
  }
}

TEST_F(FlowTest, HoldingEscapeEndsTheExplosionAtOnce) {
  game.state.lives = 3;
  fx.hp.input.HoldKey(1, 27, 1000);
  const int frames = fx.hp.gfx.FramesPresented();
  EXPECT_TRUE(ShipHit(game));
  EXPECT_EQ(fx.hp.gfx.FramesPresented() - frames, 1) << "the first frame polls the key, then it ends";
  EXPECT_EQ(game.state.lives, 2);
}

TEST_F(FlowTest, TheKillerStaysThroughTheExplosionAndEverythingElseGoesAtOnce) {
  Populate(0);  // in a row at y 100
  auto killer = Put(game.seekers, 300, 300, 1);
  // Every frame of the explosion and of the get-ready after it draws the world; count the halos.
  std::vector<DrawRecord> records;
  fx.hp.gfx.SetRecorder(&records);
  game.state.lives = 3;
  ShipHit(game);
  int killerHalos = 0, otherHalos = 0;
  for (const DrawRecord& r : records) {
    if (r.kind != DrawRecord::kPoly) continue;
    float cx = 0, cy = 0;
    const std::size_t n = r.points.size() / 2;
    for (std::size_t i = 0; i < n; ++i) {
      cx += r.points[2 * i] / n;
      cy += r.points[2 * i + 1] / n;
    }
    if (std::hypot(cx - 300, cy - 300) < 3) ++killerHalos;
    if (std::fabs(cy - 100) < 3 && cx > 95 && cx < 205) ++otherHalos;
  }
  EXPECT_EQ(killerHalos, 100) << "the killer is drawn, frozen, through the 100 frames of the explosion";
  EXPECT_EQ(otherHalos, 0) << "every other enemy vanished at the first frame";
  EXPECT_FALSE(killer->inList) << "and the killer is gone once play resumes";
  EXPECT_EQ(Enemies(), 0);
}

// ---- Clearing the world ----

TEST_F(FlowTest, APartialClearKeepsOnlyTheEnemiesThatTouchedTheShip) {
  Populate(0);
  Populate(1);
  CreateShot(game, 200, 200, 1, 0, 1);
  SpawnPowerUp(game, 6);
  AddFloatingText(game, "100", 10, 10, 0);
  AddTrailSpark(game, 10, 10, 0, 0, 255, 255, 255);
  game.streams[0].remaining = 20;
  SpawnParticle(game, 100, 100, 0, 255, 0, 0, 1, 0);
  const int sparkSlot = game.particles.nextSlot;
  ClearWorld(game, false);
  EXPECT_EQ(Enemies(), 11) << "one of each kind, the ones marked";
  std::as_const(game.squares).ForEach([](const Square& e) { EXPECT_EQ(e.killedShip, 1); });
  EXPECT_TRUE(game.shots.Empty());
  EXPECT_TRUE(game.powerUps.Empty());
  EXPECT_TRUE(game.floatingTexts.Empty());
  EXPECT_TRUE(game.trailSparks.Empty());
  EXPECT_EQ(game.streams[0].remaining, 0);
  EXPECT_EQ(game.particles.nextSlot, sparkSlot) << "the sparks stay";
  EXPECT_GT(game.particles.slots[0].life, 0);

  ClearWorld(game, true);
  EXPECT_EQ(Enemies(), 0);
  EXPECT_EQ(game.particles.slots[0].life, 0);
}

TEST_F(FlowTest, TheBombEndsEveryEnemyAndAwardsNothing) {
  Populate(0);
  Put(game.blackHoles, 300, 300)->swallowed = 10;
  game.triangles.Clear();
  auto a = Put(game.triangles, 400, 400), b = Put(game.triangles, 420, 400);
  a->paired = b->paired = 1;
  a->partner = b;
  b->partner = a;
  KillAllEnemies(game);
  EXPECT_EQ(game.state.score, 0);
  EXPECT_EQ(game.state.killCount, 0);
  EXPECT_EQ(Enemies(), 0);
  EXPECT_TRUE(game.floatingTexts.Empty());
}

// ---- Get ready ----

TEST_F(FlowTest, GetReadyLasts100FramesAndFreezesTheEnemies) {
  auto p = Put(game.pinwheels, 300, 300);
  p->vx = 2;
  game.ship.x = 50;
  game.state.shipInactive = 1;
  game.powerUpMessageTimer = 0;
  game.ship.lastMoveX = 0.7f;
  const int ticks = game.state.gameTicks;
  const int frames = fx.hp.gfx.FramesPresented();
  GetReadySequence(game);
  EXPECT_EQ(fx.hp.gfx.FramesPresented() - frames, 100);
  EXPECT_FLOAT_EQ(p->x, 300) << "enemies stand still";
  EXPECT_EQ(game.state.gameTicks, ticks);
  EXPECT_FLOAT_EQ(game.ship.x, 512);
  EXPECT_EQ(game.ship.shieldTimer, 80);
  EXPECT_EQ(game.powerUpMessageTimer, 180);
  EXPECT_EQ(game.powerUpMessage, "Power Up at 5000");
  EXPECT_FLOAT_EQ(game.ship.lastMoveX, 0);
  EXPECT_EQ(fx.hp.input.MouseX(), 512);
  EXPECT_EQ(Plays(Sound::Startup), 1);
}

TEST_F(FlowTest, TheBombKeySkipsAPhaseOfTheGetReady) {
  fx.hp.input.TapKey(5, game.settings.keyBomb);
  const int frames = fx.hp.gfx.FramesPresented();
  GetReadySequence(game);
  EXPECT_EQ(fx.hp.gfx.FramesPresented() - frames, 5 + 40) << "the title cut short, the rings in full";
}

// ---- Point circles ----

TEST_F(FlowTest, APointCircleOfNoRadiusPlotsOnlyFourPoints) {
  std::vector<DrawRecord> records;
  fx.hp.gfx.SetRecorder(&records);
  struct Case {
    int r;
    std::set<std::pair<float, float>> points;
  };
  const Case cases[] = {
      {-12, {{100, 88}, {100, 112}, {88, 100}, {112, 100}}},
      {0, {{100, 100}}},
  };
  for (const Case& c : cases) {
    records.clear();
    DrawPointCircle(game, 100, 100, c.r);
    std::set<std::pair<float, float>> seen;
    for (const DrawRecord& r : records) {
      ASSERT_EQ(r.kind, DrawRecord::kPlot);
      seen.insert({r.points[0], r.points[1]});
    }
    EXPECT_EQ(seen, c.points) << c.r;
  }
}

TEST_F(FlowTest, APointCircleLiesOnItsRadiusWithEightFoldSymmetry) {
  std::vector<DrawRecord> records;
  fx.hp.gfx.SetRecorder(&records);
  DrawPointCircle(game, 200, 150, 30);
  std::set<std::pair<int, int>> seen;
  for (const DrawRecord& r : records) {
    const int x = static_cast<int>(r.points[0]) - 200, y = static_cast<int>(r.points[1]) - 150;
    seen.insert({x, y});
    EXPECT_NEAR(std::hypot(x, y), 30, 1.0) << x << ", " << y;
  }
  for (const auto& [x, y] : seen) {
    EXPECT_TRUE(seen.count({-x, y}) && seen.count({x, -y}) && seen.count({y, x})) << x << ", " << y;
  }
  EXPECT_TRUE(seen.count({0, 30}) && seen.count({30, 0}) && seen.count({0, -30}) && seen.count({-30, 0}));
  // Every column of the octant from (0, 30) toward the diagonal has a point: no gaps.
  for (int x = 0; x <= 21; ++x) {
    bool column = false;
    for (const auto& p : seen) column = column || (p.first == x && p.second > 0 && p.second >= x);
    EXPECT_TRUE(column) << x;
  }
}

// ---- Centring ----

struct CentreCase {
  int fieldW, fieldH, viewW, viewH;
  float shipX, shipY;
  int scrollX, scrollY;
};

TEST_F(FlowTest, CentringPutsTheShipMidFieldAndCentresTheView) {
  const CentreCase cases[] = {
      {1024, 768, 1024, 768, 512, 384, 0, 0},
      {2048, 1536, 1024, 768, 1024, 768, 512, 384},
      {800, 600, 1024, 768, 400, 300, -112, -84},  // a playfield smaller than the screen sits in its middle
      {1023, 767, 1024, 768, 511, 383, 0, 0},      // -1 / 2 truncates toward zero
      {801, 601, 1024, 768, 400, 300, -111, -83},
  };
  for (const CentreCase& c : cases) {
    game.view.fieldWidth = c.fieldW;
    game.view.fieldHeight = c.fieldH;
    game.view.viewWidth = c.viewW;
    game.view.viewHeight = c.viewH;
    CentreShip(game);
    EXPECT_FLOAT_EQ(game.ship.x, c.shipX) << c.fieldW;
    EXPECT_FLOAT_EQ(game.ship.y, c.shipY) << c.fieldH;
    EXPECT_EQ(game.view.scrollX, c.scrollX) << c.fieldW;
    EXPECT_EQ(game.view.scrollY, c.scrollY) << c.fieldH;
  }
}

// ---- The world's frame ----

TEST_F(FlowTest, WhileTheShipIsInactiveObjectsFreezeButEffectsGoOn) {
  auto p = Put(game.pinwheels, 300, 300);
  p->vx = 2;
  auto hole = Put(game.blackHoles, 600, 300);
  hole->vx = 0.5f;
  CreateShot(game, 200, 500, 6, 0, 6);
  SpawnPowerUp(game, 6);
  const PowerUp& token = *game.powerUps.Front();
  const float tokenX = token.x;
  AddFloatingText(game, "100", 10, 10, 0);
  AddTrailSpark(game, 50, 50, 1, 0, 255, 255, 255);
  game.state.shipInactive = 1;
  for (int i = 0; i < 5; ++i) UpdateWorld(game, 0);
  EXPECT_FLOAT_EQ(p->x, 300);
  EXPECT_FLOAT_EQ(hole->x, 600);
  EXPECT_FLOAT_EQ(game.shots.Front()->x, 200);
  EXPECT_FLOAT_EQ(token.x, tokenX);
  EXPECT_EQ(game.floatingTexts.Front()->life, 25);
  EXPECT_EQ(game.trailSparks.Front()->life, 35);
}

TEST_F(FlowTest, EnemiesMoveBeforeShotsTestThem) {
  game.ship.x = 900;
  game.ship.y = 700;
  auto p = Put(game.pinwheels, 217.5f, 300);  // 17.5 from the shot: out of its reach of about 16
  p->vx = -2;
  CreateShot(game, 200, 300, 0, 0, 0);  // a shot at rest
  UpdateWorld(game, 0);
  EXPECT_FALSE(p->inList) << "it moved into the shot's reach, and the shot then found it";
  EXPECT_EQ(game.state.score, 25);
}

TEST_F(FlowTest, TheWorldIsDrawnEnemiesThenPowerUpsThenTheDisplayThenShipAndShotsThenTheBorder) {
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(QV_BUILD_DIR);
  LoadImageSet(game.gfx, game.images, 0);
  std::filesystem::current_path(here);
  ASSERT_TRUE(game.images.pinkPinwheel);
  Put(game.pinwheels, 300, 300);
  SpawnPowerUp(game, 6);
  CreateShot(game, 200, 500, 6, 0, 6);
  game.view.scrollX = -80;  // the view pushed 80 pixels past the left edge
  std::vector<DrawRecord> records;
  fx.hp.gfx.SetRecorder(&records);
  DrawWorld(game);
  auto first = [&](const ImageHandle& image) {
    for (std::size_t i = 0; i < records.size(); ++i)
      if (records[i].kind == DrawRecord::kImage && records[i].image == image.get()) return static_cast<int>(i);
    return -1;
  };
  const int enemy = first(game.images.pinkPinwheel), token = first(game.images.powerUps);
  const int hud = first(game.images.icons), ship = first(game.images.whitePlayer), shot = first(game.images.yellowShot);
  ASSERT_GE(enemy, 0);
  EXPECT_LT(enemy, token);
  EXPECT_LT(token, hud);
  EXPECT_LT(hud, ship);
  EXPECT_LT(ship, shot);
  ASSERT_GE(records.size(), 4u);
  const DrawRecord& left = records[records.size() - 3];  // (L, T)-(L, B)
  EXPECT_EQ(left.kind, DrawRecord::kLine);
  EXPECT_FLOAT_EQ(left.points[0], 80);
  EXPECT_FLOAT_EQ(left.points[2], 80);
  EXPECT_EQ(left.r, game.settings.gridRed);

  records.clear();
  game.state.shipInactive = 1;
  DrawWorld(game);
  EXPECT_LT(first(game.images.whitePlayer), 0) << "no ship while it is inactive";
  EXPECT_LT(first(game.images.yellowShot), 0) << "and no shots";
  EXPECT_GE(first(game.images.pinkPinwheel), 0);
}

}  // namespace
}  // namespace qv
