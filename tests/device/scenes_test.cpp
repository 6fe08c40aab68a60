// Pictures of the game as a player sees it, in a real OpenGL window: each particle style, a game in
// progress with the five simple kinds, "GET READY", "GAME OVER", and a scene with every kind on screen.
// tests/e2e/scenes.sh runs this under Xvfb and keeps the pictures in build/scenes/; without a display
// it skips.
#include <gtest/gtest.h>

#include <string>

#include "effects/particles.h"
#include "enemies/black_hole.h"
#include "enemies/cube.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/simple_kinds.h"
#include "enemies/snake.h"
#include "enemies/triangle.h"
#include "platform/degmath.h"
#include "player/power_up.h"
#include "player/shots.h"
#include "scoring/high_scores.h"
#include "screen_rig.h"
#include "shell/game_flow.h"
#include "shell/world.h"

namespace qv {
namespace {

class ScenesOnScreen : public test::ScreenTest {
 protected:
  ScenesOnScreen() : ScreenTest("scenes") {}
  void SetUp() override {
    OpenGame(1024, 768);
    if (!Ready()) return;
    Game& g = game();
    BuildDefaultHighScores(g.scores);
    InitParticles(g);
    NewGameReset(g);
    CentreShip(g);
    g.state.godMode = 1;
  }

  void Frames(int n) {
    for (int i = 0; i < n; ++i) {
      game_->state.gameTicks += 1;
      UpdateWorld(*game_, 0);
    }
  }
};

void Bursts(Game& g) {
  const int colours[5][3] = {{255, 80, 40}, {40, 255, 120}, {80, 120, 255}, {255, 255, 80}, {220, 60, 255}};
  for (int b = 0; b < 5; ++b)
    for (int i = 0; i < 64; ++i)
      SpawnParticle(g, 180.0f + 170 * b, 250.0f + 60 * (b % 3), b % 2 ? 6 : 0, colours[b][0], colours[b][1],
                    colours[b][2], 1, 0);
}

TEST_F(ScenesOnScreen, EachParticleStyle) {
  Game& g = game();
  for (int style = 0; style <= 3; ++style) {
    ClearParticles(g);
    g.settings.particleStyle = style;
    Bursts(g);
    for (int f = 0; f < 4; ++f) UpdateParticles(g, 0);
    Shoot("particles_style_" + std::to_string(style), 2000, [&] { DrawParticles(g); });
  }
}

TEST_F(ScenesOnScreen, AGameInProgress) {
  Game& g = game();
  for (int i = 0; i < 12; ++i) {
    const float a = 30.0f * i;
    SpawnPinwheel(g, 512 + 300 * CosDeg(a), 384 + 250 * SinDeg(a), 0, 1);
    SpawnDiamond(g, 512 + 220 * CosDeg(a + 10), 384 + 180 * SinDeg(a + 10), 0, 1);
    SpawnSeeker(g, 512 + 380 * CosDeg(a + 20), 384 + 300 * SinDeg(a + 20), 0, 0, 1);
    SpawnButterfly(g, 512 + 160 * CosDeg(a + 5), 384 + 140 * SinDeg(a + 5), 0, 1);
    SpawnSquare(g, 512 + 260 * CosDeg(a + 15), 384 + 120 * SinDeg(a + 15), 0, 1);
  }
  for (int i = 0; i < 24; ++i)
    CreateShot(g, g.ship.x, g.ship.y, 9 * CosDeg(15.0 * i), 9 * SinDeg(15.0 * i), 9);
  g.state.score = 123450;
  g.state.multiplier = 3;
  Frames(12);
  Shoot("game_in_progress", 30000, [&] { DrawWorld(g); });
}

TEST_F(ScenesOnScreen, GetReadyAndGameOver) {
  Game& g = game();
  for (int i = 0; i < 6; ++i) SpawnPinwheel(g, 150.0f + 140 * i, 150, 0, 1);
  g.state.shipInactive = 1;
  Shoot("get_ready", 20000, [&] {
    DrawWorld(g);
    DrawSwellingTitle(g, "GET READY", 0.8f);
  });
  Shoot("game_over", 20000, [&] {
    DrawWorld(g);
    DrawSwellingTitle(g, "GAME OVER", 1.0f);
  });
}

TEST_F(ScenesOnScreen, EveryKindOnScreen) {
  Game& g = game();
  SpawnBlackHole(g, 200, 200, 30, 0, 1);
  SpawnBlackHole(g, 850, 600, 40, 0, 1);
  g.blackHoles.ForEach([&](BlackHole& h) { Hit(g, h, true); });
  Triangle* a = SpawnTriangle(g, 700, 150, 0, 1);
  Triangle* b = SpawnTriangle(g, 710, 160, 0, 1);
  ASSERT_TRUE(a && b);
  SpawnSnake(g, 300, 600, 24, 0, 0, 0, 1);
  SpawnCube(g, 620, 420, 0, 0, 1);
  SpawnCube(g, 660, 450, 4, 0, 1);
  SpawnInterceptor(g, 400, 300, 0, 1);
  SpawnGenerator(g, 880, 300, 5, 100, 20, 0);
  SpawnGenerator(g, 150, 450, 7, 100, 20, 0);
  SpawnGenerator(g, 420, 520, 3, 100, 20, 0);
  for (int k = 0; k < 4; ++k) SpawnPowerUp(g, 2 * k);
  SpawnPinwheel(g, 560, 200, 0, 1);
  SpawnDiamond(g, 600, 250, 0, 1);
  SpawnSeeker(g, 300, 420, 0, 0, 1);
  SpawnButterfly(g, 760, 520, 0, 1);
  SpawnSquare(g, 240, 320, 0, 1);
  Frames(30);
  // The interceptor flying straight shows its shield; a generator just before it emits flashes.
  g.interceptors.ForEach([](Interceptor& e) { e.turnLeft = 0; });
  g.generators.ForEach([](Generator& gen) { gen.spin = static_cast<float>(EmissionInterval(gen) * 3 - 4); });
  EXPECT_GE(g.triangles.Find([](const Triangle& t) { return t.paired == 1; }) ? 1 : 0, 1);
  Shoot("every_kind", 30000, [&] { DrawWorld(g); });
}

}  // namespace
}  // namespace qv
