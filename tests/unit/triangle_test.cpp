// Triangle pairs: who binds with whom, the tether that shots wear down and snap, the lone triangle
// that dies for 150, the pair's distance keeping, the tug of war with a black hole, the tether that
// kills the ship, and its drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "enemies/black_hole.h"
#include "enemies/triangle.h"
#include "player/ship.h"
#include "shell/game_flow.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

class TriangleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.sounds.Load();
    NewGameReset(game);
    game.input.debounce = 0;
    game.ship.x = 100;
    game.ship.y = 700;
  }
  std::shared_ptr<Triangle> Put(float x, float y, int spawnDelay = 0) {
    auto t = std::make_shared<Triangle>();
    t->x = x;
    t->y = y;
    t->spawnDelay = spawnDelay;
    game.triangles.Append(t);
    return t;
  }
  // Two lone triangles close enough to bind, bound by the first one's update.
  std::pair<std::shared_ptr<Triangle>, std::shared_ptr<Triangle>> Pair(float x, float y) {
    auto a = Put(x, y), b = Put(x + 20, y);
    Update(game, *a);
    return {a, b};
  }
  int Plays(Sound sound) const {
    int n = 0;
    for (const AudioEvent& e : fx.hp.audio.Log())
      if (e.op == AudioOp::Start && e.sample == game.sounds.Sample(sound)) ++n;
    return n;
  }

  test::GameFixture fx{23};
  Game& game = fx.game;
};

TEST_F(TriangleTest, OfThreeMeetingTrianglesTheFirstBindsTheNextAndTheThirdStaysLone) {
  auto first = Put(400, 300);
  auto second = Put(400, 300, 10);  // still appearing: it can be bound all the same
  auto third = Put(400, 300);
  for (auto& t : {first, second, third}) Update(game, *t);
  EXPECT_EQ(first->paired, 1);
  EXPECT_EQ(second->paired, 1);
  EXPECT_EQ(first->partner.lock(), second);
  EXPECT_EQ(second->partner.lock(), first);
  EXPECT_FLOAT_EQ(first->tether, 25);
  EXPECT_FLOAT_EQ(second->tether, 25);
  EXPECT_EQ(third->paired, 0);
  EXPECT_EQ(third->partner.lock(), nullptr);
}

TEST_F(TriangleTest, TrianglesBindOnlyWithin32Pixels) {
  auto a = Put(400, 300), b = Put(432, 300);  // 1024 squared: not below it
  Update(game, *a);
  EXPECT_EQ(a->paired, 0);
  b->x = 431.9f;
  Update(game, *a);
  EXPECT_EQ(a->paired, 1);
}

TEST_F(TriangleTest, TenHitsOnOneMemberSnapAFreshTetherAndAnEleventhKillsIt) {
  auto [a, b] = Pair(400, 300);
  for (int i = 1; i <= 9; ++i) Hit(game, *a, 0, 0, true);
  EXPECT_EQ(a->paired, 1);
  EXPECT_FLOAT_EQ(a->tether, 2.5f);
  EXPECT_FLOAT_EQ(b->tether, 25) << "each member keeps its own side of the bond";
  Hit(game, *a, 0, 0, true);
  EXPECT_EQ(a->paired, 0);
  EXPECT_EQ(b->paired, 0);
  EXPECT_FLOAT_EQ(a->tether, 0);
  EXPECT_FLOAT_EQ(b->tether, 0);
  EXPECT_EQ(a->partner.lock(), nullptr);
  EXPECT_EQ(b->partner.lock(), nullptr);
  EXPECT_EQ(Plays(Sound::Echo1), 10) << "a bound triangle answers every hit and survives";
  EXPECT_EQ(game.state.score, 0);

  Hit(game, *a, 0, 0, true);
  EXPECT_FALSE(a->inList);
  EXPECT_EQ(game.state.score, 150);
  EXPECT_EQ(Plays(Sound::Elastic), 1);
}

TEST_F(TriangleTest, HitsSpreadOverBothMembersNeedNineteen) {
  auto [a, b] = Pair(400, 300);
  for (int i = 0; i < 9; ++i) {
    Hit(game, *a, 0, 0, true);
    Hit(game, *b, 0, 0, true);
  }
  EXPECT_EQ(a->paired, 1);
  Hit(game, *b, 0, 0, true);
  EXPECT_EQ(a->paired, 0);
  EXPECT_EQ(b->paired, 0);
}

TEST_F(TriangleTest, AShotKnocksABoundTriangleAlongItsFlight) {
  auto [a, b] = Pair(400, 300);
  a->vx = a->vy = 0;
  Hit(game, *a, -5 * 8, -5 * 0, true);  // a shot flying at (8, 0)
  EXPECT_FLOAT_EQ(a->vx, 2.5f);
  EXPECT_FLOAT_EQ(a->vy, 0);
}

TEST_F(TriangleTest, TheBombKillsBoundTrianglesWithoutPoints) {
  Pair(400, 300);
  KillAllEnemies(game);
  EXPECT_TRUE(game.triangles.Empty());
  EXPECT_EQ(game.state.score, 0);
}

TEST_F(TriangleTest, ALoneTriangleCreepsTowardAShipWithin300Pixels) {
  struct Case {
    float distance;
    float vx;
  };
  for (const Case& c : {Case{299, 1}, Case{301, 0}}) {
    game.triangles.Clear();
    game.ship.x = 400 + c.distance;
    game.ship.y = 300;
    auto t = Put(400, 300);
    Update(game, *t);
    EXPECT_NEAR(t->vx, c.vx, 1e-4) << c.distance;
    EXPECT_FLOAT_EQ(t->x, 400 + t->vx) << "it moves after steering, in the same frame";
  }
}

TEST_F(TriangleTest, APairKeepsBetween64And150PixelsApart) {
  struct Case {
    float apart;
    float vx;  // of the first member, the second lying along +x
  };
  for (const Case& c : {Case{200, 2}, Case{100, 0}, Case{50, -2}}) {
    auto [a, b] = Pair(300, 300);
    b->x = 300 + c.apart;
    a->vx = a->vy = 0;
    Update(game, *a);
    EXPECT_NEAR(a->vx, c.vx, 1e-4) << c.apart;
    game.triangles.Clear();
  }
}

TEST_F(TriangleTest, AHoleWinsATugOfWarAfter100FramesAndFreesTheOther) {
  game.state.kindSpeed[kKindTriangle] = 0;  // nobody moves: only the tether counts down
  auto inner = Put(500, 410);
  auto outer = Put(520, 400);
  Update(game, *inner);  // binds
  outer->x = 600;
  auto hole = std::make_shared<BlackHole>();
  hole->x = 500;
  hole->y = 400;
  hole->size = 20;
  game.blackHoles.Append(hole);  // dormant: the tug of war does not care
  for (int frame = 1; frame < 100; ++frame) {
    Update(game, *inner);
    Update(game, *outer);
  }
  EXPECT_EQ(inner->paired, 1);
  EXPECT_NEAR(outer->tether, 0.25f, 1e-4);
  EXPECT_EQ(outer->partnerHandlesHoles, 1) << "the first member runs the pair's tug of war";
  Update(game, *inner);
  EXPECT_FALSE(inner->inList);
  EXPECT_EQ(hole->swallowed, 1);
  EXPECT_EQ(hole->active, 1) << "the swallow woke it";
  EXPECT_EQ(outer->paired, 0);
  EXPECT_FLOAT_EQ(outer->tether, 0);
  EXPECT_EQ(outer->partnerHandlesHoles, 0);
}

TEST_F(TriangleTest, ATriangleThatTouchedAShieldedShipForgetsIt) {
  game.ship.shieldTimer = 100;
  game.ship.x = 400;
  game.ship.y = 300;
  auto t = Put(405, 300);
  Update(game, *t);
  EXPECT_EQ(t->killedShip, 0);
  EXPECT_TRUE(t->inList);
}

TEST_F(TriangleTest, TheShipDiesWithin12PixelsOfATether) {
  struct Case {
    float offset;
    int livesAfter;
  };
  for (const Case& c : {Case{12.1f, 3}, Case{11.9f, 2}}) {
    ClearWorld(game, true);
    game.state.lives = 3;
    game.ship.shieldTimer = 0;
    game.settings.controlType = ControlType::Keyboard;
    auto [a, b] = Pair(400, 300);
    b->x = 500;
    game.ship.x = 450;
    game.ship.y = 300 + c.offset;
    fx.hp.input.Poll();
    UpdateShip(game);
    EXPECT_EQ(game.state.lives, c.livesAfter) << c.offset;
    if (c.livesAfter == 3) {
      EXPECT_EQ(a->tetherChecked, 1);
      EXPECT_EQ(b->tetherChecked, 1) << "the pair's line is tested once per frame";
    }
  }
}

TEST_F(TriangleTest, EachMemberDrawsTheTetherInItsOwnStrengthColour) {
  std::vector<DrawRecord> records;
  fx.hp.gfx.SetRecorder(&records);
  auto [a, b] = Pair(400, 300);
  a->tether = 12.5f;
  DrawTether(game, *a);
  DrawTether(game, *b);
  std::vector<const DrawRecord*> lines;
  for (const DrawRecord& r : records)
    if (r.kind == DrawRecord::kLine) lines.push_back(&r);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0]->r, 120);
  EXPECT_EQ(lines[0]->g, 120);
  EXPECT_EQ(lines[1]->r, 220) << "full strength: red";
  EXPECT_EQ(lines[1]->g, 20);
  records.clear();
  a->killedShip = 1;
  DrawTether(game, *a);
  EXPECT_TRUE(records.empty()) << "no tether from a triangle that hit the ship";
}

}  // namespace
}  // namespace qv
