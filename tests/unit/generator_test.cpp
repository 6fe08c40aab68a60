// The enemy generator: its emission interval and flash, what each kind emits and where, the points of
// each hit and of its end, the bomb, and a contact with the ship that does not end it.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "enemies/black_hole.h"
#include "enemies/cube.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/simple_kinds.h"
#include "enemies/snake.h"
#include "enemies/triangle.h"
#include "shell/game_flow.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

class GeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.sounds.Load();
    NewGameReset(game);
    game.input.debounce = 0;
    game.ship.x = 900;
    game.ship.y = 700;
  }
  std::shared_ptr<Generator> Put(int kind, int period, float size) {
    auto g = std::make_shared<Generator>();
    g->x = 400;
    g->y = 300;
    g->kind = kind;
    g->period = period;
    g->size = size;
    g->spin = 0;
    game.generators.Append(g);
    return g;
  }
  // The frames (counted from 1) at which the generator emitted during `frames` updates.
  std::vector<int> EmissionFrames(Generator& g, int frames) {
    std::vector<int> out;
    for (int f = 1; f <= frames; ++f) {
      const int before = game.pinwheels.Count();
      Update(game, g);
      if (game.pinwheels.Count() > before) out.push_back(f);
    }
    return out;
  }
  int Plays(Sound sound) const {
    int n = 0;
    for (const AudioEvent& e : fx.hp.audio.Log())
      if (e.op == AudioOp::Start && e.sample == game.sounds.Sample(sound)) ++n;
    return n;
  }

  test::GameFixture fx{31};
  Game& game = fx.game;
};

TEST_F(GeneratorTest, ABiggerGeneratorEmitsFasterAndEachHitSlowsItByAFrame) {
  auto g = Put(2, 100, 20);
  EXPECT_EQ(EmissionInterval(*g), 122);
  EXPECT_EQ(EmissionFrames(*g, 250), (std::vector<int>{122, 244}));
  for (int i = 0; i < 5; ++i) Hit(game, *g, true);
  EXPECT_EQ(EmissionInterval(*g), 127);
  g->spin = 0;
  EXPECT_EQ(EmissionFrames(*g, 260), (std::vector<int>{127, 254}));
}

TEST_F(GeneratorTest, TheFirstEmissionComesWhenTheTimerFirstReachesAMultiple) {
  auto g = Put(2, 20, 20);  // the merged power-ups' generator: every 42 frames
  g->spin = 40;
  g->spawnDelay = 3;
  EXPECT_EQ(EmissionFrames(*g, 90), (std::vector<int>{5, 47, 89})) << "three frames of delay, then 41, 42";
}

TEST_F(GeneratorTest, ItFlashesWhiteForTheEightFramesBeforeEachEmission) {
  std::vector<DrawRecord> records;
  fx.hp.gfx.SetRecorder(&records);
  auto g = Put(2, 100, 20);  // every 122 frames
  const Rgb& own = game.colours[kPinwheelColour];
  struct Case {
    float timer;
    bool white;
  };
  for (const Case& c : {Case{113, false}, Case{114, true}, Case{121, true}, Case{122, false}, Case{236, true}}) {
    records.clear();
    g->spin = c.timer;
    Draw(game, *g);
    ASSERT_FALSE(records.empty());
    const DrawRecord& outline = records.back();
    EXPECT_EQ(outline.kind, DrawRecord::kLine);
    if (c.white) {
      EXPECT_EQ(outline.r, 255) << c.timer;
      EXPECT_EQ(outline.g, 255) << c.timer;
      EXPECT_EQ(outline.b, 255) << c.timer;
    } else {
      EXPECT_EQ(outline.r, own.red) << c.timer;
      EXPECT_EQ(outline.g, own.green) << c.timer;
      EXPECT_EQ(outline.b, own.blue) << c.timer;
    }
  }
}

struct EmitCase {
  int kind;
  std::function<int(Game&)> count;
  std::function<int(Game&)> delayOfNewest;
};

template <class T>
EmitCase Emits(int kind, EntityList<T> Game::*list) {
  return {kind, [list](Game& g) { return (g.*list).Count(); },
          [list](Game& g) {
            int delay = -1;
            std::as_const(g.*list).ForEach([&](const T& e) { delay = e.spawnDelay; });
            return delay;
          }};
}

TEST_F(GeneratorTest, EachKindEmitsItsEnemyBesideItAfterAFiveFrameDelay) {
  const EmitCase cases[] = {
      Emits(1, &Game::squares),      Emits(2, &Game::pinwheels),    Emits(3, &Game::diamonds),
      Emits(4, &Game::cubes),        Emits(5, &Game::seekers),      Emits(6, &Game::blackHoles),
      Emits(7, &Game::triangles),    Emits(8, &Game::snakes),       Emits(9, &Game::interceptors),
      Emits(10, &Game::butterflies),
  };
  for (const EmitCase& c : cases) {
    ClearWorld(game, true);
    auto g = Put(c.kind, 100, 20);
    EmitEnemy(game, *g);
    EXPECT_EQ(c.count(game), c.kind == 8 ? 25 : 1) << "kind " << c.kind;
    EXPECT_EQ(c.delayOfNewest(game), 5) << "kind " << c.kind;
  }
  // A black-hole generator makes small holes; the emitted enemies sit within 10 pixels each way.
  ClearWorld(game, true);
  auto g = Put(6, 100, 20);
  EmitEnemy(game, *g);
  const BlackHole& hole = *game.blackHoles.Front();
  EXPECT_FLOAT_EQ(hole.size, 10);
  EXPECT_LE(std::fabs(hole.x - 400), 10);
  EXPECT_LE(std::fabs(hole.y - 300), 10);
}

TEST_F(GeneratorTest, NearTheShipItsEnemiesAre40PixelsAwayButItsSnakes160) {
  game.ship.x = 410;
  game.ship.y = 300;
  auto g = Put(10, 100, 20);
  EmitEnemy(game, *g);
  const Butterfly& b = *game.butterflies.Front();
  EXPECT_GE(std::hypot(b.x - 410, b.y - 300), 40 - 1e-3);
  EXPECT_LT(std::hypot(b.x - 410, b.y - 300), 100);
  g->kind = 8;
  EmitEnemy(game, *g);
  const Snake& head = *game.snakes.Front();
  EXPECT_GE(std::hypot(head.x - 410, head.y - 300), 160 - 1e-3);
}

TEST_F(GeneratorTest, EachHitIsWorthOnePointAndItsEnd200) {
  game.state.multiplier = 3;
  auto g = Put(1, 100, 2);
  int slot = game.particles.nextSlot;
  Hit(game, *g, true);  // 2 -> 1
  EXPECT_TRUE(g->inList);
  EXPECT_EQ(game.state.score, 3) << "one point times the multiplier";
  EXPECT_EQ(game.state.killCount, 0);
  EXPECT_TRUE(game.floatingTexts.Empty());
  EXPECT_EQ(game.particles.nextSlot - slot, 4);
  EXPECT_EQ(Plays(Sound::GenHit1), 1);
  slot = game.particles.nextSlot;
  Hit(game, *g, true);  // 1 -> 0
  EXPECT_FALSE(g->inList);
  EXPECT_EQ(game.state.score, 3 + 600);
  EXPECT_EQ(game.state.killCount, 1);
  EXPECT_EQ(game.particles.nextSlot - slot, 12);
  EXPECT_EQ(Plays(Sound::GenKilled1), 1);
}

TEST_F(GeneratorTest, TheBombDestroysAnyGeneratorAtOnceWithoutPoints) {
  auto g = Put(1, 100, 30);
  KillAllEnemies(game);
  EXPECT_FALSE(g->inList);
  EXPECT_EQ(game.state.score, 0);
  EXPECT_EQ(Plays(Sound::GenKilled1), 1);
}

TEST_F(GeneratorTest, TouchingTheShipDoesNotEndIt) {
  game.ship.shieldTimer = 500;
  game.ship.x = 400 + 24;  // 576 < 22 squared + 144
  game.ship.y = 300;
  auto g = Put(2, 20, 20);
  const std::vector<int> frames = EmissionFrames(*g, 90);
  EXPECT_EQ(g->killedShip, 1);
  EXPECT_TRUE(g->inList);
  EXPECT_EQ(frames, (std::vector<int>{42, 84})) << "it keeps emitting";
}

}  // namespace
}  // namespace qv
