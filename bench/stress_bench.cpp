// Whole frames of a crowded game: the world update and the draw submission of one frame, on the
// headless devices. The scene is rebuilt (untimed) before every frame so each frame sees the same
// crowd. Counters: draw calls per frame and live objects; the worst frame also splits its CPU time
// into the update and the draw submission.
#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>
#include <filesystem>

#include "effects/grid.h"
#include "effects/particles.h"
#include "enemies/black_hole.h"
#include "enemies/cube.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/simple_kinds.h"
#include "enemies/snake.h"
#include "enemies/triangle.h"
#include "platform/degmath.h"
#include "player/shots.h"
#include "render/display.h"
#include "shell/game_flow.h"
#include "shell/world.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

float RandomX(Game& g) { return static_cast<float>(g.rng.RandInt(40, g.view.fieldWidth - 40)); }
float RandomY(Game& g) { return static_cast<float>(g.rng.RandInt(40, g.view.fieldHeight - 40)); }

void AddShots(Game& game, int count) {
  for (int i = 0; i < count; ++i) {
    const int a = game.rng.RandInt(0, 359);
    CreateShot(game, RandomX(game), RandomY(game), 10 * CosDeg(a), 10 * SinDeg(a), 10);
  }
}

void FillParticles(Game& game) {
  for (int i = 0; i < game.settings.particleCount; ++i)
    SpawnParticle(game, RandomX(game), RandomY(game), 0, 200, 120, 40, 1, 0);
}

// Five simple kinds, several hundred enemies in all, 500 shots.
void BuildSimpleScene(Game& game, int particles) {
  ClearWorld(game, true);
  game.settings.particleCount = particles;
  game.settings.particleLife = 500;  // sparks outlive the frame
  for (int i = 0; i < 120; ++i) {
    SpawnPinwheel(game, RandomX(game), RandomY(game), 0, 1);
    SpawnDiamond(game, RandomX(game), RandomY(game), 0, 1);
    SpawnSeeker(game, RandomX(game), RandomY(game), 0, 0, 1);
    SpawnButterfly(game, RandomX(game), RandomY(game), 0, 1);
    SpawnSquare(game, RandomX(game), RandomY(game), 0, 1);
  }
  AddShots(game, kMaxShots);
  FillParticles(game);
}

// Every kind at its cap: four awake black holes, 409 snake segments, 101 cubes, eight interceptors,
// generators, triangles, and 500 super shots.
void BuildFullScene(Game& game, int particles) {
  BuildSimpleScene(game, particles);
  game.ship.superTimer = 100000;
  for (int i = 0; i < 4; ++i) {
    SpawnBlackHole(game, RandomX(game), RandomY(game), 30, 0, 1);
  }
  game.blackHoles.ForEach([](BlackHole& h) { h.active = 1; });
  for (int i = 0; i < 17; ++i) SpawnSnake(game, RandomX(game), RandomY(game), 24, 0, 0, 0, 0);
  for (int i = 0; i < kMaxCubes; ++i) SpawnCube(game, RandomX(game), RandomY(game), i % 2 ? 4 : 0, 0, 1);
  for (int i = 0; i < 40 && game.interceptors.Count() < kMaxInterceptors; ++i)
    SpawnInterceptor(game, RandomX(game), RandomY(game), 0, 1);
  for (int i = 0; i < 20; ++i) SpawnGenerator(game, RandomX(game), RandomY(game), 1 + i % 10, 100, 20, 0);
  for (int i = 0; i < 100; ++i) SpawnTriangle(game, RandomX(game), RandomY(game), 0, 1);
}

template <void (*Build)(Game&, int)>
void BM_Frame(benchmark::State& state) {
  std::filesystem::current_path(QV_BUILD_DIR);  // where the sprites are
  test::GameFixture fx(7);
  Game& game = fx.game;
  game.state.godMode = 1;  // the crowd must not end the frame with a death sequence
  game.state.gameTicks = 1000;
  game.ship.x = 512;
  game.ship.y = 384;
  int drawCalls = 0, objects = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Build(game, static_cast<int>(state.range(0)));
    objects = game.squares.Count() + game.pinwheels.Count() + game.diamonds.Count() + game.seekers.Count() +
              game.butterflies.Count() + game.cubes.Count() + game.snakes.Count() + game.blackHoles.Count() +
              game.interceptors.Count() + game.generators.Count() + game.triangles.Count();
    state.ResumeTiming();
    UpdateWorld(game, 0);
    DrawWorld(game);
    game.gfx.Flip(true);
    drawCalls = game.gfx.DrawCallsLastFrame();
  }
  state.counters["draw_calls_per_frame"] = drawCalls;
  state.counters["enemies"] = objects;
}

BENCHMARK_TEMPLATE(BM_Frame, BuildSimpleScene)->Name("StressFrame/FiveKinds")->Arg(2048)->Arg(50000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Frame, BuildFullScene)->Name("StressFrame/EveryKindAtItsCap")->Arg(2048)->Arg(50000)
    ->Unit(benchmark::kMillisecond);

// The worst frame a player can make: every kind at its cap, 500 super shots and the whole pool of
// 50,000 sparks, on a 1920 x 1200 screen scrolled to the middle of a 5120 x 4096 playfield with the
// 4-pixel lattice (1.3 million points), drawn in the grid style given by the argument. The lattice is
// what the crowd leaves behind after 50 frames of play, put back (untimed) before every frame along
// with the crowd. Counters: CPU milliseconds per frame of the world update and of the draw submission
// (grid, sparks, enemies, head-up display and the present on the headless device), and draw calls.
double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

void ConfigureWorstView(Game& game) {
  game.settings.screenWidth = 1920;
  game.settings.screenHeight = 1200;
  game.settings.playfieldWidth = 5120;
  game.settings.playfieldHeight = 4096;
  game.settings.gridSpacing = 0;
  game.settings.scroll = 1;
  BuildModeTable(game.display, game.settings);
  SelectModeFromSettings(game.display, game.settings);
  OpenDisplay(game);
  game.ship.x = game.view.fieldWidth / 2.0f;
  game.ship.y = game.view.fieldHeight / 2.0f;
}

void ScrollToShip(Game& game) {
  game.view.scrollX = static_cast<int>(game.ship.x) - game.view.viewWidth / 2;
  game.view.scrollY = static_cast<int>(game.ship.y) - game.view.viewHeight / 2;
}

void BM_WorstFrame(benchmark::State& state) {
  std::filesystem::current_path(QV_BUILD_DIR);
  test::GameFixture fx(7);
  Game& game = fx.game;
  ConfigureWorstView(game);
  game.state.godMode = 1;
  game.state.gameTicks = 1000;
  game.settings.gridStyle = static_cast<int>(state.range(0));
  BuildFullScene(game, kParticleCapacity);
  for (int f = 0; f < 50; ++f) UpdateWorld(game, 0);
  const Grid played = game.grid;
  double moving = 0;  // lattice points out of place or with any velocity
  for (std::size_t k = 0; k < played.x.size(); ++k)
    moving += played.x[k] != played.homeX[k] || played.y[k] != played.homeY[k] || played.vx[k] != 0 || played.vy[k] != 0;
  int movingColumns = 0;
  for (int i = 0; i <= played.cellsAcross; ++i) {
    bool m = false;
    for (int j = 0; j <= played.cellsDown; ++j) {
      const int k = played.Index(i, j);
      m = m || played.x[k] != played.homeX[k] || played.y[k] != played.homeY[k] || played.vx[k] != 0 || played.vy[k] != 0;
    }
    movingColumns += m;
  }

  double updateMs = 0, drawMs = 0;
  int drawCalls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    BuildFullScene(game, kParticleCapacity);
    game.grid.x = played.x;
    game.grid.y = played.y;
    game.grid.vx = played.vx;
    game.grid.vy = played.vy;
    game.grid.columnReach = played.columnReach;
    game.grid.maxOffset = played.maxOffset;
    ScrollToShip(game);
    state.ResumeTiming();
    const double t0 = ThreadCpuMs();
    UpdateWorld(game, 0);
    const double t1 = ThreadCpuMs();
    DrawWorld(game);
    game.gfx.Flip(true);
    const double t2 = ThreadCpuMs();
    updateMs += t1 - t0;
    drawMs += t2 - t1;
    drawCalls = game.gfx.DrawCallsLastFrame();
  }
  state.counters["update_ms"] = benchmark::Counter(updateMs, benchmark::Counter::kAvgIterations);
  state.counters["draw_ms"] = benchmark::Counter(drawMs, benchmark::Counter::kAvgIterations);
  state.counters["draw_calls_per_frame"] = drawCalls;
  state.counters["lattice_points_moving"] = moving;
  state.counters["lattice_columns_moving"] = movingColumns;
}
// Styles 13 (spirals), 8 (mesh with diagonals) and 9 (triangle mesh) are the three dearest to draw at
// this size (see BM_WorstViewGridStyle).
BENCHMARK(BM_WorstFrame)->ArgName("style")->Arg(13)->Arg(8)->Arg(9)->Unit(benchmark::kMillisecond);

// Only the grid drawing of the worst frame's view, in every style, to find the dearest ones.
void BM_WorstViewGridStyle(benchmark::State& state) {
  std::filesystem::current_path(QV_BUILD_DIR);
  test::GameFixture fx(7);
  Game& game = fx.game;
  ConfigureWorstView(game);
  game.state.godMode = 1;
  BuildFullScene(game, 2048);
  for (int f = 0; f < 50; ++f) UpdateWorld(game, 0);
  ScrollToShip(game);
  for (auto _ : state) {
    DrawGrid(game, static_cast<int>(state.range(0)), false);
    game.gfx.Flip(true);
  }
  state.counters["draw_calls_per_frame"] = game.gfx.DrawCallsLastFrame();
}
BENCHMARK(BM_WorstViewGridStyle)->ArgName("style")->DenseRange(0, 19)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qv
