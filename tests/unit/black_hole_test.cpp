// The black hole: waking, shrinking under shots to its bonus, growing by what it swallows (more late in
// a game), the sizzle at 64 and the burst beyond, the pull between holes, the bomb, and the cap.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "enemies/black_hole.h"
#include "enemies/simple_kinds.h"
#include "player/shots.h"
#include "shell/game_flow.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

class BlackHoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.sounds.Load();
    NewGameReset(game);
    game.input.debounce = 0;
    game.ship.x = 900;
    game.ship.y = 700;
  }
  std::shared_ptr<BlackHole> Hole(float x, float y, float size, bool active = false) {
    auto h = std::make_shared<BlackHole>();
    h->x = x;
    h->y = y;
    h->size = size;
    h->active = active ? 1 : 0;
    game.blackHoles.Append(h);
    return h;
  }
  int Plays(Sound sound) const {
    int n = 0;
    for (const AudioEvent& e : fx.hp.audio.Log())
      if (e.op == AudioOp::Start && e.sample == game.sounds.Sample(sound)) ++n;
    return n;
  }
  // The values given to the channel of the last start of `sound`, in call order.
  std::vector<float> LastRates(Sound sound) const {
    const std::vector<AudioEvent>& log = fx.hp.audio.Log();
    ChannelId channel = 0;
    for (const AudioEvent& e : log)
      if (e.op == AudioOp::Start && e.sample == game.sounds.Sample(sound)) channel = e.channel;
    std::vector<float> rates;
    for (const AudioEvent& e : log)
      if (e.op == AudioOp::Rate && e.channel == channel && channel != 0) rates.push_back(e.value);
    return rates;
  }

  test::GameFixture fx{13};
  Game& game = fx.game;
};

struct BonusCase {
  int swallowed, bonus;
};

TEST_F(BlackHoleTest, ItsKillBonusRisesWithWhatItSwallowed) {
  for (const BonusCase& c : {BonusCase{0, 150}, BonusCase{1, 155}, BonusCase{4, 200}, BonusCase{10, 425}}) {
    game.blackHoles.Clear();
    game.state.score = 0;
    auto h = Hole(300, 300, 4.5f, true);
    h->swallowed = c.swallowed;
    const int slot = game.particles.nextSlot;
    const int explosions = Plays(Sound::Explo1Big);
    Hit(game, *h, true);  // 4.5 - 0.75 is below 4
    EXPECT_FALSE(h->inList);
    EXPECT_EQ(game.state.score, c.bonus) << c.swallowed << " swallowed";
    EXPECT_EQ(BlackHoleBonus(c.swallowed), c.bonus);
    EXPECT_EQ(game.particles.nextSlot - slot, 4 + 32);
    EXPECT_EQ(Plays(Sound::Explo1Big) - explosions, 1);
  }
}

TEST_F(BlackHoleTest, ASize20HoleDiesOnThe22ndShotAndASize10OneOnThe9th) {
  struct Case {
    float size;
    int shots;
  };
  for (const Case& c : {Case{20, 22}, Case{10, 9}}) {
    game.blackHoles.Clear();
    auto h = Hole(300, 300, c.size);
    for (int i = 1; i < c.shots; ++i) Hit(game, *h, true);
    EXPECT_TRUE(h->inList) << c.size;
    EXPECT_GE(h->size, 4);
    Hit(game, *h, true);
    EXPECT_FALSE(h->inList) << c.size;
  }
}

TEST_F(BlackHoleTest, TheFirstShotWakesItAndEachShotRaisesItsVoice) {
  auto h = Hole(300, 300, 20);
  Hit(game, *h, true);
  EXPECT_EQ(h->active, 1);
  EXPECT_EQ(Plays(Sound::BondLoop), 1) << "the hum starts";
  EXPECT_EQ(LastRates(Sound::BondLoop), std::vector<float>{19.25f / 16}) << "and follows the size";
  const std::vector<float> rates = LastRates(Sound::SunHit1);
  ASSERT_EQ(rates.size(), 1u);
  EXPECT_FLOAT_EQ(rates[0], 1.1f + (64 - 19.25f) / 64);
  Hit(game, *h, true);
  EXPECT_EQ(Plays(Sound::BondLoop), 1) << "an awake hole does not start another hum";
}

struct GrowthCase {
  int gameTicks;
  float growth;
};

TEST_F(BlackHoleTest, LateInAGameASwallowFeedsTheHoleMore) {
  const GrowthCase cases[] = {{1, 1}, {14999, 1}, {15000, 2}, {30000, 3}, {74999, 5}, {75000, 6}, {500000, 6}};
  for (const GrowthCase& c : cases) {
    game.blackHoles.Clear();
    game.state.gameTicks = c.gameTicks;
    auto h = Hole(300, 300, 20, true);
    Absorb(game, *h, 1);
    EXPECT_FLOAT_EQ(h->size, 20 + c.growth) << c.gameTicks;
    EXPECT_EQ(h->swallowed, 1);
  }
}

TEST_F(BlackHoleTest, ASwallowToExactly64SizzlesAndOneBeyondBursts) {
  auto sizzler = Hole(300, 300, 63, true);
  Absorb(game, *sizzler, 1);
  EXPECT_FLOAT_EQ(sizzler->size, 64);
  EXPECT_TRUE(sizzler->inList);
  EXPECT_EQ(Plays(Sound::Sizzle1), 1);
  EXPECT_EQ(Plays(Sound::SunExp), 0);

  game.ship.x = 420;  // close by: the children are pushed out to 40 pixels from it
  game.ship.y = 500;
  auto burster = Hole(400, 500, 64);  // dormant: the swallow wakes it first
  Absorb(game, *burster, 1);
  EXPECT_FALSE(burster->inList);
  EXPECT_EQ(game.state.score, 0) << "a burst gives no points";
  EXPECT_EQ(Plays(Sound::SunExp), 1);
  EXPECT_EQ(game.sounds.HumChannel(burster->humSlot), 0) << "its hum stopped";
  EXPECT_EQ(game.seekers.Count(), 16);
  EXPECT_EQ(game.butterflies.Count(), 18);
  std::as_const(game.seekers).ForEach([&](const Seeker& s) {
    EXPECT_EQ(s.extraSpeed, 1);
    EXPECT_EQ(s.spawnDelay, 4);
    EXPECT_GE(std::hypot(s.x - 420, s.y - 500), 40 - 1e-3);
  });
  std::as_const(game.butterflies).ForEach([&](const Butterfly& b) {
    EXPECT_EQ(b.spawnDelay, 4);
    EXPECT_GE(std::hypot(b.x - 420, b.y - 500), 40 - 1e-3);
  });
}

TEST_F(BlackHoleTest, TheBurstRingSitsAroundTheHoleWhenTheShipIsFar) {
  auto h = Hole(400, 300, 64.5f, true);
  Absorb(game, *h, 1);
  std::vector<std::pair<float, float>> seekers;
  std::as_const(game.seekers).ForEach([&](const Seeker& s) { seekers.emplace_back(s.x, s.y); });
  ASSERT_EQ(seekers.size(), 16u);
  // Truncated to whole pixels (every coordinate is positive, so that is the floor; the tiny offset
  // keeps the exact quarter turns, whose cosine or sine is exactly 0, on their whole number).
  for (int i = 0; i < 16; ++i) {
    const double a = 22.5 * i * 3.14159265358979323846 / 180;
    EXPECT_FLOAT_EQ(seekers[i].first, static_cast<float>(std::floor(400 + std::cos(a) * 20 + 1e-9))) << i;
    EXPECT_FLOAT_EQ(seekers[i].second, static_cast<float>(std::floor(300 + std::sin(a) * 20 + 1e-9))) << i;
  }
}

TEST_F(BlackHoleTest, HolesPullEachOtherByTheirDifferenceInSize) {
  // Sizes 20 and 40, 100 apart (within 2 x 40 + 2 x 20 + 64 = 184): the small one is pulled by
  // (40 - 20) / 8 = 2.5, the big one by at least 1.
  auto small = Hole(300, 300, 20);
  auto big = Hole(400, 300, 40);
  Update(game, *small);
  Update(game, *big);
  EXPECT_NEAR(small->vx, 2.5f, 1e-4);
  EXPECT_NEAR(big->vx, -1, 1e-4);
  EXPECT_FLOAT_EQ(small->vy, 0);

  struct Case {
    float distance;
    float vx;
  };
  for (const Case& c : {Case{183.9f, 1}, Case{184.1f, 0}}) {
    game.blackHoles.Clear();
    auto a = Hole(300, 300, 20);
    Hole(300 + c.distance - 0.001f, 300, 40);
    Update(game, *a);
    EXPECT_NEAR(a->vx, c.vx * 2.5f, 1e-4) << c.distance;
  }
}

TEST_F(BlackHoleTest, OverlappingHolesRepelWithASwirl) {
  auto a = Hole(300, 300, 20);
  Hole(330, 300, 20);  // 30 apart, less than 20 + 20
  Update(game, *a);
  // Attraction (1, 0) turns into (-1 - 0 / 4, -0 - (-1) / 4).
  EXPECT_NEAR(a->vx, -1, 1e-4);
  EXPECT_NEAR(a->vy, 0.25f, 1e-4);
}

TEST_F(BlackHoleTest, AnInteractionCapsTheSpeedAtTheBlackHoleLimit) {
  auto a = Hole(300, 300, 20);
  a->vx = 2;
  Hole(400, 300, 84);  // pulls with the most, 8
  Update(game, *a);
  EXPECT_NEAR(std::hypot(a->vx, a->vy), 2.5f, 1e-5);
}

TEST_F(BlackHoleTest, ABombWakesADormantHoleAndDestroysItWithoutPoints) {
  auto h = Hole(300, 300, 20);
  const int slot = game.particles.nextSlot;
  Hit(game, *h, false);
  EXPECT_FALSE(h->inList);
  EXPECT_EQ(game.state.score, 0);
  EXPECT_EQ(Plays(Sound::BondLoop), 1) << "woken";
  EXPECT_EQ(Plays(Sound::Explo1Big), 1);
  EXPECT_EQ(game.particles.nextSlot - slot, 36);
  EXPECT_EQ(game.sounds.HumChannel(h->humSlot), 0);
}

TEST_F(BlackHoleTest, AFifthHoleIsRefusedSilentlyAndHumSlotsCycle) {
  for (int i = 0; i < 5; ++i) SpawnBlackHole(game, 100.0f + 150 * i, 200, 20, 20, 0);
  EXPECT_EQ(game.blackHoles.Count(), 4);
  EXPECT_EQ(Plays(Sound::Sun1), 4);
  std::vector<int> slots;
  std::as_const(game.blackHoles).ForEach([&](const BlackHole& h) { slots.push_back(h.humSlot); });
  EXPECT_EQ(slots, (std::vector<int>{0, 1, 2, 3}));
  game.blackHoles.Clear();
  for (int i = 0; i < 5; ++i) {
    SpawnBlackHole(game, 300, 200, 20, 20, 0);
    game.blackHoles.Clear();
  }
  EXPECT_EQ(game.nextHumSlot, 1) << "slots wrap from 7 to 0";
}

TEST_F(BlackHoleTest, ItsContactWithTheShipReachesBeyondItsShotRadius) {
  game.ship.shieldTimer = 100;
  auto touching = Hole(500, 500, 20);
  game.ship.x = 500 + 25;  // 625 < 22 squared + 144 = 628
  game.ship.y = 500;
  Update(game, *touching);
  EXPECT_EQ(touching->killedShip, 1);
  game.blackHoles.Clear();
  auto clear = Hole(500, 500, 20);
  game.ship.x = 500 + 25.1f;
  Update(game, *clear);
  EXPECT_EQ(clear->killedShip, 0);
}

// A shot finds its hole in a walk of the list and hits it after the walk; the hole, blown apart,
// leaves the list and goes on to throw its sparks and score from where it was. It must still exist
// while it does (it was freed mid-way once, which only a memory checker saw).
TEST_F(BlackHoleTest, AHoleShotToPiecesOutlivesItsOwnEnd) {
  std::weak_ptr<BlackHole> watch;
  {
    auto h = Hole(300, 300, 4.5f, true);
    watch = h;
  }  // from here only the list holds it
  CreateShot(game, 300, 300, 0, 0, 1);
  EXPECT_TRUE(HitTestShot(game, *game.shots.Front()));
  EXPECT_TRUE(game.blackHoles.Empty());
  EXPECT_EQ(game.state.score, 150);
  EXPECT_FALSE(watch.expired()) << "still alive for whoever removed it";
  game.blackHoles.FreeRemoved();  // what the world does at the start of the next frame
  EXPECT_TRUE(watch.expired()) << "and let go once the frame is over";
}

}  // namespace
}  // namespace qv
