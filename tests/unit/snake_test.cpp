// The snake: made whole or not at all, its chain of segments, the tail that follows, the head that
// turns at walls, the tail that only sparks when shot, and the chain burst after the head dies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "enemies/snake.h"
#include "player/shots.h"
#include "shell/game_flow.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

class SnakeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.sounds.Load();
    NewGameReset(game);
    game.input.debounce = 0;
    game.ship.x = 900;
    game.ship.y = 700;
  }
  int Plays(Sound sound) const {
    int n = 0;
    for (const AudioEvent& e : fx.hp.audio.Log())
      if (e.op == AudioOp::Start && e.sample == game.sounds.Sample(sound)) ++n;
    return n;
  }
  std::vector<Snake*> Segments() {
    std::vector<Snake*> out;
    game.snakes.ForEach([&](Snake& s) { out.push_back(&s); });
    return out;
  }
  // One frame of the snakes, as the world update walks them.
  void SnakeFrame() {
    game.snakes.ForEach([&](Snake& s) { Update(game, s); });
    fx.hp.audio.Tick();
  }
  void Fill(int segments) {
    for (int i = 0; i < segments; ++i) {
      auto s = std::make_shared<Snake>();
      s->x = 100;
      s->y = 100;
      s->spawnDelay = 1000;
      game.snakes.Append(s);
    }
  }

  test::GameFixture fx{17};
  Game& game = fx.game;
};

TEST_F(SnakeTest, ASnakeIsAHeadAnd24SegmentsChainedTipFirstInTheList) {
  Snake* head = SpawnSnake(game, 300, 300, 24, 20, 0, 0, 0);
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(Plays(Sound::Wee), 1) << "one sound for the whole snake";
  const std::vector<Snake*> list = Segments();
  ASSERT_EQ(list.size(), 25u);
  EXPECT_EQ(list.back(), head) << "the head is appended last and drawn on top";
  int index = 24;
  const Snake* leader = nullptr;
  for (const Snake* s = head; s; s = s->next.get(), --index) {
    EXPECT_EQ(s->index, index);
    EXPECT_EQ(s->isHead, index == 24 ? 1 : 0);
    EXPECT_EQ(s->leader.lock().get(), leader);
    EXPECT_FLOAT_EQ(s->x, 300);
    EXPECT_FLOAT_EQ(s->y, 300);
    EXPECT_EQ(s->spawnDelay, 20);
    EXPECT_EQ(list[static_cast<std::size_t>(s->index)], s) << "tail tip first";
    if (index < 24) {
      EXPECT_FLOAT_EQ(s->vx, 0);
      EXPECT_FLOAT_EQ(s->vy, 0);
    }
    leader = s;
  }
  EXPECT_EQ(index, -1);
  const float speed = std::hypot(head->vx, head->vy);
  EXPECT_GE(speed, 0.5f);
  EXPECT_LT(speed, 2.0f);
  const double heading = head->heading * 3.14159265358979323846 / 180;
  EXPECT_NEAR(head->vx / speed, std::cos(heading), 1e-4) << "it starts along its heading";
  EXPECT_NEAR(head->vy / speed, std::sin(heading), 1e-4);
}

TEST_F(SnakeTest, At384SegmentsASnakeIsStillMadeWholeAt385ItIsRefused) {
  Fill(384);
  EXPECT_NE(SpawnSnake(game, 300, 300, 24, 5, 0, 0, 0), nullptr);
  EXPECT_EQ(game.snakes.Count(), 409);

  game.snakes.Clear();
  Fill(385);
  const int sounds = Plays(Sound::Wee);
  EXPECT_EQ(SpawnSnake(game, 300, 300, 24, 5, 0, 0, 0), nullptr);
  EXPECT_EQ(game.snakes.Count(), 385);
  EXPECT_EQ(Plays(Sound::Wee), sounds) << "no sound for a refused snake";
}

TEST_F(SnakeTest, ShootingTheTailOnlySparks) {
  Snake* head = SpawnSnake(game, 300, 300, 24, 0, 0, 0, 0);
  Snake* neck = head->next.get();
  neck->x = 400;  // apart from the others so the shot meets it alone
  CreateShot(game, 400, 300, 0, 0, 1);
  const int slot = game.particles.nextSlot;
  EXPECT_TRUE(HitTestShot(game, *game.shots.Front())) << "the shot is stopped";
  EXPECT_EQ(game.snakes.Count(), 25);
  EXPECT_EQ(game.state.score, 0);
  EXPECT_EQ(Plays(Sound::TailHit), 1);
  EXPECT_EQ(game.particles.nextSlot - slot, 8);
}

struct ChainCase {
  const char* name;
  bool byPlayer;
  int points;
  int burstSounds;
};

TEST_F(SnakeTest, AfterTheHeadDiesTheTailBurstsOneSegmentPerFrameFromTheNeck) {
  for (const ChainCase& c : {ChainCase{"shot", true, 100, 24}, ChainCase{"bombed", false, 0, 0}}) {
    SCOPED_TRACE(c.name);
    ClearWorld(game, true);
    game.state.score = 0;
    Snake* head = SpawnSnake(game, 300, 300, 24, 0, 0, 0, 0);
    SnakeFrame();
    const int sounds = Plays(Sound::SnakeHit);
    Kill(game, *head, c.byPlayer);
    EXPECT_EQ(game.state.score, c.points);
    EXPECT_EQ(game.snakes.Count(), 24);
    for (int frame = 0; frame < 24; ++frame) {
      int lowestLeft = 99;
      SnakeFrame();
      game.snakes.ForEach([&](Snake& s) { lowestLeft = std::min(lowestLeft, s.index); });
      ASSERT_EQ(game.snakes.Count(), 23 - frame) << "one burst in frame " << frame;
      if (frame < 23) {
        EXPECT_EQ(lowestLeft, 0) << "the tip goes last";
      }
    }
    EXPECT_TRUE(game.snakes.Empty());
    EXPECT_EQ(Plays(Sound::SnakeHit) - sounds, c.burstSounds)
        << "the countdown decides the sound: 30 crackles, 300 stays silent";
  }
}

TEST_F(SnakeTest, TheBombKillsHeadsOnlyAndTheTailsFollowByTheChain) {
  SpawnSnake(game, 300, 300, 24, 0, 0, 0, 0);
  SpawnSnake(game, 600, 300, 24, 0, 0, 0, 0);
  KillAllEnemies(game);
  EXPECT_EQ(game.snakes.Count(), 48);
  for (int i = 0; i < 24; ++i) SnakeFrame();
  EXPECT_TRUE(game.snakes.Empty());
  EXPECT_EQ(game.state.score, 0);
}

TEST_F(SnakeTest, ATailSegmentChasesItsLeaderAtFullSpeedOrCreepsWhenClose) {
  Snake* head = SpawnSnake(game, 300, 300, 24, 0, 0, 0, 0);
  Snake* neck = head->next.get();
  struct Case {
    float dx;
    float speed;
  };
  for (const Case& c : {Case{40, 3.5f}, Case{15.5f, 3.5f}, Case{15, 1.0f / 32}, Case{3, 1.0f / 32}}) {
    neck->x = head->x - c.dx;
    neck->y = head->y;
    neck->vx = neck->vy = 0;
    Update(game, *neck);
    EXPECT_NEAR(neck->vx, c.speed, 1e-5) << c.dx << " behind";
    EXPECT_NEAR(neck->vy, 0, 1e-6);
  }
}

TEST_F(SnakeTest, TheHeadTurnsItsHeadingAQuarterAtEachWallItHits) {
  struct Case {
    float x, y;
    int heading;
    int after;
  };
  // Turning +4 a frame, then 90 for each axis that bounced.
  for (const Case& c : {Case{9, 300, 180, 180 + 4 + 90}, Case{9, 9, 225, 225 + 4 + 180}, Case{300, 300, 0, 4}}) {
    game.snakes.Clear();
    auto h = std::make_shared<Snake>();
    h->isHead = 1;
    h->index = 24;
    h->x = c.x;
    h->y = c.y;
    h->heading = c.heading;
    h->turnDirection = 0;
    game.snakes.Append(h);
    Update(game, *h);
    EXPECT_EQ(h->heading, c.after) << c.x << ", " << c.y;
  }
}

TEST_F(SnakeTest, WhenAnySegmentTouchesTheShipTheWholeSnakeStaysThroughTheExplosion) {
  Snake* head = SpawnSnake(game, 300, 300, 24, 0, 0, 0, 0);
  Snake* tip = head;
  while (tip->next) tip = tip->next.get();
  game.ship.shieldTimer = 50;
  game.ship.x = 300;
  game.ship.y = 300;
  Update(game, *tip);
  for (Snake* s : Segments()) EXPECT_EQ(s->killedShip, 1) << s->index;
  auto other = std::make_shared<Snake>();
  game.snakes.Append(other);
  ClearWorld(game, false);
  EXPECT_EQ(game.snakes.Count(), 25);
}

}  // namespace
}  // namespace qv
