// Power-ups: the kind a random token takes, what each kind does when collected (and the 2000-point
// payout at the maximum), the shield cap, hatching into a butterfly, merging into a butterfly
// generator, and black holes swallowing tokens.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "enemies/black_hole.h"
#include "enemies/generator.h"
#include "enemies/simple_kinds.h"
#include "player/power_up.h"
#include "scoring/score.h"
#include "shell/game_flow.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

class PowerUpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.sounds.Load();
    NewGameReset(game);  // Medium: power-ups last 18 x 20 frames
    game.input.debounce = 0;
    game.ship.x = 900;
    game.ship.y = 700;
  }
  std::shared_ptr<PowerUp> Put(int kind, float x, float y, int age = 0) {
    auto p = std::make_shared<PowerUp>();
    p->kind = kind;
    p->x = x;
    p->y = y;
    p->spawnDelay = 0;
    p->age = age;
    game.powerUps.Append(p);
    return p;
  }
  // Beyond the playfield's width from every token: no collection and no drift toward the ship.
  void ShipFarAway() {
    game.ship.x = 10000;
    game.ship.y = 10000;
  }
  std::multiset<int> KindsOf(int spawns) {
    std::multiset<int> kinds;
    for (int i = 0; i < spawns; ++i) {
      game.powerUps.Clear();
      SpawnPowerUp(game, -1);
      kinds.insert(game.powerUps.Front()->kind);
    }
    return kinds;
  }
  int Plays(Sound sound) const {
    int n = 0;
    for (const AudioEvent& e : fx.hp.audio.Log())
      if (e.op == AudioOp::Start && e.sample == game.sounds.Sample(sound)) ++n;
    return n;
  }

  test::GameFixture fx{37};
  Game& game = fx.game;
};

// ---- The kind of a random token ----

TEST_F(PowerUpTest, WithOneCannonARandomTokenIsAlwaysAnExtraCannon) {
  game.ship.cannons = 1;
  for (float shotSpeed : {3.0f, 4.0f, 5.0f}) {
    game.ship.shotSpeed = shotSpeed;
    const std::multiset<int> kinds = KindsOf(300);
    EXPECT_EQ(kinds.count(2), 300u) << shotSpeed;
  }
}

struct KindMixCase {
  const char* name;
  int cannons;
  float shotSpeed;
  int lives, bombs;
  std::set<int> possible;
};

TEST_F(PowerUpTest, ARandomTokenFitsTheWeaponAndOffersAShipOrBombOnlyToThoseDownToTheirLast) {
  const KindMixCase cases[] = {
      {"full weapon", 4, 5, 3, 3, {0, 1, 6, 7, 8}},
      {"full weapon, last ship", 4, 5, 1, 3, {0, 1, 4, 6, 7, 8}},
      {"full weapon, last bomb", 4, 5, 3, 1, {0, 1, 5, 6, 7, 8}},
      {"slow shots", 4, 3, 3, 3, {0, 1, 3, 6, 7, 8}},
      {"two cannons", 2, 5, 3, 3, {0, 1, 2, 6, 7, 8}},
  };
  for (const KindMixCase& c : cases) {
    game.ship.cannons = c.cannons;
    game.ship.shotSpeed = c.shotSpeed;
    game.state.lives = c.lives;
    game.state.bombs = c.bombs;
    const std::multiset<int> kinds = KindsOf(1500);
    for (int k = 0; k < kPowerUpKinds; ++k)
      EXPECT_EQ(kinds.count(k) > 0, c.possible.count(k) > 0) << c.name << ": kind " << k;
  }
}

TEST_F(PowerUpTest, ARequestedKindIsMadeWhateverTheDrawsSayAndTokensAppearInsideTheField) {
  game.ship.cannons = 1;  // the draws alone would give an Extra Cannon
  for (int i = 0; i < 200; ++i) {
    game.powerUps.Clear();
    SpawnPowerUp(game, 4);
    const PowerUp& p = *game.powerUps.Front();
    EXPECT_EQ(p.kind, 4);
    EXPECT_GE(p.x, 250);
    EXPECT_LE(p.x, 1024 - 250);
    EXPECT_GE(p.y, 150);
    EXPECT_LE(p.y, 768 - 150);
    EXPECT_EQ(p.spawnDelay, 2);
    const float speed = std::hypot(p.vx, p.vy);
    EXPECT_GE(speed, 0.5f - 1e-5f);
    EXPECT_LT(speed, 2.0f);
  }
}

TEST_F(PowerUpTest, TheExtraLifeThresholdAlwaysBringsAnExtraPlayer) {
  game.ship.cannons = 1;
  game.state.score = 99990;  // the Medium interval is 100000
  AwardPoints(game, 0, 0, 10, false);
  ASSERT_GE(game.powerUps.Count(), 1);
  EXPECT_EQ(game.powerUps.Front()->kind, 4);
}

// ---- Collection ----

struct CollectCase {
  const char* name;
  int kind;
  std::function<void(Game&)> before;
  std::function<bool(const Game&)> after;
  std::string shown;
};

TEST_F(PowerUpTest, EachKindTakesEffectWhenCollected) {
  const std::vector<CollectCase> cases = {
      {"reverse", 0, [](Game& g) { g.ship.reverseTimer = 10; }, [](const Game& g) { return g.ship.reverseTimer == 370; },
       "Reverse Shooter"},
      {"side", 1, [](Game&) {}, [](const Game& g) { return g.ship.sideTimer == 360; }, "Side Shooters"},
      {"cannon", 2, [](Game& g) { g.ship.cannons = 3; }, [](const Game& g) { return g.ship.cannons == 4; },
       "Extra Cannon"},
      {"speed", 3, [](Game& g) { g.ship.shotSpeed = 4; }, [](const Game& g) { return g.ship.shotSpeed == 5; },
       "Faster Shots"},
      {"player", 4, [](Game& g) { g.state.lives = 9; }, [](const Game& g) { return g.state.lives == 10; },
       "Extra Player"},
      {"bomb", 5, [](Game& g) { g.state.bombs = 8; }, [](const Game& g) { return g.state.bombs == 9; }, "Extra Bomb"},
      {"shield", 6, [](Game& g) { g.ship.shieldTimer = 0; }, [](const Game& g) { return g.ship.shieldTimer == 360; },
       "Shield"},
      {"super", 7, [](Game& g) { g.ship.superTimer = 1000; }, [](const Game& g) { return g.ship.superTimer == 1360; },
       "Super Shots"},
      {"bouncy", 8, [](Game&) {}, [](const Game& g) { return g.ship.bouncyTimer == 360; }, "Bouncy Shots"},
  };
  for (const CollectCase& c : cases) {
    game.powerUps.Clear();
    game.floatingTexts.Clear();
    c.before(game);
    const int sounds = Plays(Sound::Bonus1);
    auto p = Put(c.kind, 890, 690);  // 14 pixels from the ship
    UpdatePowerUp(game, *p);
    EXPECT_TRUE(c.after(game)) << c.name;
    EXPECT_FALSE(p->inList) << c.name;
    EXPECT_EQ(game.powerUpMessage, c.shown);
    ASSERT_EQ(game.floatingTexts.Count(), 1) << c.name;
    const FloatingText& t = *game.floatingTexts.Front();
    EXPECT_EQ(t.text, c.shown);
    EXPECT_EQ(t.x, static_cast<int>(890 - 6 * c.shown.size()));
    EXPECT_EQ(t.y, 682);
    EXPECT_EQ(t.life, 50);
    EXPECT_EQ(Plays(Sound::Bonus1) - sounds, 1);
    EXPECT_EQ(game.state.score, 0);
    fx.hp.audio.Tick();
  }
}

TEST_F(PowerUpTest, AnUpgradeAlreadyAtItsMaximumPays2000TimesTheMultiplier) {
  struct Case {
    int kind;
    std::function<void(Game&)> atMaximum;
    std::function<bool(const Game&)> stillAtMaximum;
  };
  const std::vector<Case> cases = {
      {2, [](Game& g) { g.ship.cannons = 4; }, [](const Game& g) { return g.ship.cannons == 4; }},
      {3, [](Game& g) { g.ship.shotSpeed = 5; }, [](const Game& g) { return g.ship.shotSpeed == 5; }},
      {4, [](Game& g) { g.state.lives = 10; }, [](const Game& g) { return g.state.lives == 10; }},
      {5, [](Game& g) { g.state.bombs = 9; }, [](const Game& g) { return g.state.bombs == 9; }},
  };
  for (const Case& c : cases) {
    game.floatingTexts.Clear();
    c.atMaximum(game);
    game.state.score = 0;
    game.state.multiplier = 3;
    game.state.killCount = 7;
    auto p = Put(c.kind, 890, 690);
    UpdatePowerUp(game, *p);
    EXPECT_EQ(game.state.score, 6000) << c.kind;
    EXPECT_EQ(game.state.killCount, 7) << "not a kill";
    EXPECT_TRUE(c.stillAtMaximum(game)) << c.kind;
    EXPECT_EQ(game.powerUpMessage, "2000 Points!");
    EXPECT_EQ(game.floatingTexts.Front()->text, "2000 Points!") << "no score pop-up, only the name";
    EXPECT_EQ(game.floatingTexts.Count(), 1);
    fx.hp.audio.Tick();
  }
}

TEST_F(PowerUpTest, AShieldAddsItsDurationUpToTwiceIt) {
  struct Case {
    int before, after;
  };
  for (const Case& c : {Case{100, 460}, Case{360, 720}, Case{700, 720}}) {
    game.ship.shieldTimer = c.before;
    auto p = Put(6, 890, 690);
    UpdatePowerUp(game, *p);
    EXPECT_EQ(game.ship.shieldTimer, c.after) << c.before;
  }
}

TEST_F(PowerUpTest, ATokenCollectedWhileAppearingIsCollectedOnce) {
  auto p = Put(0, 890, 690);
  p->spawnDelay = 2;
  for (int frame = 0; frame < 3; ++frame) game.powerUps.ForEach([&](PowerUp& q) { UpdatePowerUp(game, q); });
  EXPECT_EQ(game.ship.reverseTimer, 360) << "collected on the first frame, and only then";
  EXPECT_FALSE(p->inList);
  EXPECT_EQ(Plays(Sound::Bonus1), 1);
}

// ---- Left alone ----

TEST_F(PowerUpTest, ATimedCannonTokenLeftAloneHatchesIntoAButterflyAfter400MovingFrames) {
  ShipFarAway();
  auto p = Put(1, 300, 300);
  for (int i = 0; i < 400; ++i) {
    p->vx = p->vy = 0;  // held in place
    UpdatePowerUp(game, *p);
  }
  EXPECT_TRUE(p->inList);
  EXPECT_TRUE(game.butterflies.Empty());
  p->vx = p->vy = 0;
  UpdatePowerUp(game, *p);
  EXPECT_FALSE(p->inList);
  ASSERT_EQ(game.butterflies.Count(), 1);
  const Butterfly& b = *game.butterflies.Front();
  EXPECT_FLOAT_EQ(b.x, 300);
  EXPECT_FLOAT_EQ(b.y, 300);
  EXPECT_EQ(b.spawnDelay, 30);
}

TEST_F(PowerUpTest, TwoOldTokensThatMeetMergeIntoAButterflyGenerator) {
  ShipFarAway();
  auto a = Put(6, 300, 300, 201);
  auto b = Put(6, 315, 310, 201);  // 18 apart
  a->vx = a->vy = b->vx = b->vy = 0;
  UpdatePowerUp(game, *a);
  EXPECT_FALSE(a->inList);
  EXPECT_FALSE(b->inList);
  ASSERT_EQ(game.generators.Count(), 1);
  const Generator& g = *game.generators.Front();
  EXPECT_EQ(g.kind, 10);
  EXPECT_EQ(g.period, 20);
  EXPECT_FLOAT_EQ(g.size, 20);
  EXPECT_EQ(g.spawnDelay, 20);
  EXPECT_FLOAT_EQ(g.x, 300);
  EXPECT_FLOAT_EQ(g.y, 300);
}

TEST_F(PowerUpTest, YoungTokensAndTimedCannonTokensDoNotMerge) {
  ShipFarAway();
  struct Case {
    int kindA, kindB, age;
  };
  for (const Case& c : {Case{6, 6, 199}, Case{0, 6, 250}, Case{6, 1, 250}}) {
    ClearWorld(game, true);
    auto a = Put(c.kindA, 300, 300, c.age);
    auto b = Put(c.kindB, 305, 300, c.age);
    a->vx = a->vy = 0;
    UpdatePowerUp(game, *a);
    EXPECT_TRUE(b->inList) << c.kindA << ", " << c.kindB << " at " << c.age;
    EXPECT_TRUE(game.generators.Empty());
  }
}

TEST_F(PowerUpTest, PastAge300TokensDriftTogether) {
  ShipFarAway();
  auto a = Put(3, 300, 300, 301);
  auto b = Put(5, 500, 200, 301);
  a->vx = a->vy = b->vx = b->vy = 0;
  UpdatePowerUp(game, *a);
  EXPECT_FLOAT_EQ(a->vx, 1.0f / 64);
  EXPECT_FLOAT_EQ(a->vy, -1.0f / 64);
  EXPECT_FLOAT_EQ(b->vx, -1.0f / 64);
  EXPECT_FLOAT_EQ(b->vy, 1.0f / 64);
}

TEST_F(PowerUpTest, AnAwakeHoleSwallowsATokenButADormantOneDoesNot) {
  ShipFarAway();
  for (bool active : {false, true}) {
    ClearWorld(game, true);
    auto hole = std::make_shared<BlackHole>();
    hole->x = 300;
    hole->y = 300;
    hole->size = 20;
    hole->active = active ? 1 : 0;
    hole->spawnDelay = 100;
    game.blackHoles.Append(hole);
    auto p = Put(6, 320, 300);  // 20 away, inside 12 + 20
    p->vx = p->vy = 0;
    const int slot = game.particles.nextSlot;
    UpdatePowerUp(game, *p);
    EXPECT_EQ(p->inList, !active);
    EXPECT_EQ(hole->swallowed, active ? 1 : 0);
    EXPECT_EQ(game.particles.nextSlot - slot, active ? 15 : 0);
  }
}

TEST_F(PowerUpTest, AnAwakeHolePullsATokenFromUpTo75Plus5TimesItsSize) {
  ShipFarAway();
  struct Case {
    float distance;
    bool pulled;
  };
  for (const Case& c : {Case{174, true}, Case{176, false}}) {
    ClearWorld(game, true);
    auto hole = std::make_shared<BlackHole>();
    hole->x = 300;
    hole->y = 300;
    hole->size = 20;
    hole->active = 1;
    game.blackHoles.Append(hole);
    auto p = Put(6, 300 + c.distance, 300);
    p->vx = p->vy = 0;
    UpdatePowerUp(game, *p);
    const float d = c.distance + 0.001f;
    if (c.pulled) {
      EXPECT_NEAR(p->vx, -(400 - d) / 4096, 1e-6);
    } else {
      EXPECT_FLOAT_EQ(p->vx, 0);
    }
  }
}

}  // namespace
}  // namespace qv
