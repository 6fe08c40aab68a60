// The shots' spatial index must answer exactly as walking the list does: the first enemy in list
// order within reach, also after enemies were removed or appended while the lists were held.
#include <gtest/gtest.h>

#include "enemies/cube.h"
#include "enemies/simple_kinds.h"
#include "player/shots.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

TEST(ShotTargets, FirstInReachMatchesTheListWalk) {
  test::GameFixture fx(5);
  Game& game = fx.game;
  Rng& rng = game.rng;
  auto randomPoint = [&](float& x, float& y) {
    // Around and beyond the playfield's edges too, where enemies flung by black holes can be.
    x = static_cast<float>(rng.RandInt(-60, game.view.fieldWidth + 60));
    y = static_cast<float>(rng.RandInt(-60, game.view.fieldHeight + 60));
  };
  for (int i = 0; i < 400; ++i) {
    Pinwheel* p = SpawnPinwheel(game, 100, 100, 0, 1);
    randomPoint(p->x, p->y);
    Cube* c = SpawnCube(game, 100, 100, i % 2 ? 4 : 0, 0, 1);
    if (c) randomPoint(c->x, c->y);
  }
  // Crowd a few spots so several enemies are in reach at once.
  for (int i = 0; i < 40; ++i) {
    Pinwheel* p = SpawnPinwheel(game, 100, 100, 0, 1);
    p->x = 300 + static_cast<float>(i % 5);
    p->y = 300 + static_cast<float>(i / 5);
  }

  BeginShotTargets(game);
  for (int round = 0; round < 3; ++round) {
    for (int q = 0; q < 3000; ++q) {
      Shot s;
      randomPoint(s.x, s.y);
      if (q % 10 == 0) {
        s.x = 302;
        s.y = 303;
      }
      const auto pinReach = [&](const Pinwheel& e) {
        const float dx = s.x - e.x, dy = s.y - e.y;
        return dx * dx + dy * dy < 260;
      };
      const auto cubeReach = [&](const Cube& e) {
        const float dx = s.x - e.x, dy = s.y - e.y;
        return dx * dx + dy * dy < 265 - 3 * e.shrink;
      };
      ASSERT_EQ(game.shotTargets.pinwheels.First(s.x, s.y, 17, pinReach), game.pinwheels.Find(pinReach));
      ASSERT_EQ(game.shotTargets.cubes.First(s.x, s.y, 17, cubeReach), game.cubes.Find(cubeReach));
    }
    // Change the lists while they are held: remove some, append some (appended ones come last).
    int n = 0;
    game.pinwheels.ForEach([&](Pinwheel& e) {
      if (++n % 3 == 0) game.pinwheels.Remove(e);
    });
    for (int i = 0; i < 30; ++i) {
      Pinwheel* p = SpawnPinwheel(game, 100, 100, 0, 1);
      randomPoint(p->x, p->y);
    }
  }
  EndShotTargets(game);
}

TEST(ShotTargets, SquaresBeforeTheHitOneSwerveAsInTheWalk) {
  // The same crowd and volley twice, once through the index and once by walking: every square ends
  // with the same velocity and the same squares die.
  auto run = [](bool indexed) {
    test::GameFixture fx(9);
    Game& game = fx.game;
    for (int i = 0; i < 150; ++i) {
      Square* q = SpawnSquare(game, 100, 100, 0, 1);
      q->x = static_cast<float>(game.rng.RandInt(0, game.view.fieldWidth));
      q->y = static_cast<float>(game.rng.RandInt(0, game.view.fieldHeight));
      q->vx = q->vy = 0;
    }
    for (int i = 0; i < 300; ++i) {
      const float x = static_cast<float>(game.rng.RandInt(0, game.view.fieldWidth));
      const float y = static_cast<float>(game.rng.RandInt(0, game.view.fieldHeight));
      CreateShot(game, x, y, static_cast<float>(game.rng.RandInt(-9, 9)), static_cast<float>(game.rng.RandInt(-9, 9)), 9);
    }
    if (indexed) BeginShotTargets(game);
    game.shots.ForEach([&](Shot& s) { HitTestShot(game, s); });
    if (indexed) EndShotTargets(game);
    std::vector<float> state;
    game.squares.ForEach([&](Square& q) {
      state.push_back(q.x);
      state.push_back(q.vx);
      state.push_back(q.vy);
    });
    return state;
  };
  const std::vector<float> walked = run(false), indexed = run(true);
  EXPECT_LT(walked.size(), 450u) << "some squares should have been shot";
  EXPECT_EQ(walked, indexed);
}

}  // namespace
}  // namespace qv
