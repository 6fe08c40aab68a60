// The spring grid: the cost of one relaxation step per frame and per point, beside a plain
// column-by-column loop of the same rules over an array of point records, and the cost of submitting
// each drawing style (CPU time, with the draw calls and vertices it sends as counters).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "effects/grid.h"
#include "support/plain_grid.h"
#include "platform/headless/headless_platform.h"
#include "shell/game.h"

namespace qv {
namespace {

using test::PlainCopy;
using test::PlainGrid;
using test::PlainPoint;
using test::PlainUpdateGrid;

struct Size {
  int fieldWidth, fieldHeight, spacing;
};
// 1024 x 768 at 16 pixels, 1920 x 1200 at 4 pixels, 5120 x 4096 at 4 pixels.
constexpr Size kSizes[] = {{1024, 768, 2}, {1920, 1200, 0}, {5120, 4096, 0}};

// Every interior point gets a random kick and the lattice runs a few frames, so every point is out
// of place and its neighbours disagree: the branches of the plain loop go either way.
Grid ShakenGrid(const Size& size) {
  Grid grid;
  ConfigureGrid(grid, size.spacing, size.fieldWidth, size.fieldHeight);
  Rng rng(99);
  for (int i = 1; i < grid.cellsAcross; ++i)
    for (int j = 1; j < grid.cellsDown; ++j)
      KickPoint(grid, grid.Index(i, j), rng.RandReal(-8, 8), rng.RandReal(-8, 8));
  for (int f = 0; f < 4; ++f) UpdateGrid(grid);
  return grid;
}

double InteriorPoints(const Grid& grid) {
  return static_cast<double>(grid.cellsAcross - 1) * static_cast<double>(grid.cellsDown - 1);
}

// The lattice settles within a few hundred frames; it is shaken again (untimed) every 16 frames so
// the timing always sees a lattice in motion.
constexpr int kFramesPerShake = 16;

void BM_UpdateGrid(benchmark::State& state) {
  const Grid shaken = ShakenGrid(kSizes[state.range(0)]);
  Grid grid = shaken;
  int frame = 0;
  for (auto _ : state) {
    if (++frame % kFramesPerShake == 0) {
      state.PauseTiming();
      grid.x = shaken.x;
      grid.y = shaken.y;
      grid.vx = shaken.vx;
      grid.vy = shaken.vy;
      state.ResumeTiming();
    }
    UpdateGrid(grid);
    benchmark::ClobberMemory();
  }
  state.counters["points"] = InteriorPoints(grid);
  state.counters["ns_per_point"] =
      benchmark::Counter(InteriorPoints(grid) * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_UpdateGrid)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_UpdateGridPlainReference(benchmark::State& state) {
  const Grid shaken = ShakenGrid(kSizes[state.range(0)]);
  const PlainGrid start = PlainCopy(shaken);
  PlainGrid g = start;
  int frame = 0;
  for (auto _ : state) {
    if (++frame % kFramesPerShake == 0) {
      state.PauseTiming();
      g.points = start.points;
      state.ResumeTiming();
    }
    PlainUpdateGrid(g);
    benchmark::ClobberMemory();
  }
  state.counters["points"] = InteriorPoints(shaken);
  state.counters["ns_per_point"] = benchmark::Counter(InteriorPoints(shaken) * 1e-9,
                                                      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_UpdateGridPlainReference)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Draw submission: one frame of a style over a shaken lattice, through the headless device. CPU time
// per frame, with the draw calls and vertices the frame sends as counters.
struct DrawScene {
  int fieldWidth, fieldHeight, spacing, viewWidth, viewHeight;
};

void RunDraw(benchmark::State& state, const DrawScene& scene, int style) {
  HeadlessPlatform hp;
  Game game(hp.platform);
  hp.gfx.OpenDisplay({1024, 768, 32, 60, true});
  RgbaImage sprite;
  sprite.width = sprite.height = 16;
  sprite.pixels.assign(16 * 16 * 4, 200);
  game.images.particle = hp.gfx.ImageFromPixels(sprite, 16, 16, 1);
  game.view.fieldWidth = scene.fieldWidth;
  game.view.fieldHeight = scene.fieldHeight;
  game.view.viewWidth = scene.viewWidth;
  game.view.viewHeight = scene.viewHeight;
  // A large playfield scrolled to its middle, the whole lattice in the window.
  game.view.scrollX = (scene.fieldWidth - scene.viewWidth) / 2;
  game.view.scrollY = (scene.fieldHeight - scene.viewHeight) / 2;
  game.settings.fullGrid = 1;
  game.grid = ShakenGrid({scene.fieldWidth, scene.fieldHeight, scene.spacing});
  long long vertices = 0;
  for (auto _ : state) {
    const long long before = hp.backend.verticesSent();
    DrawGrid(game, style, false);
    hp.gfx.Flip(true);
    vertices = hp.backend.verticesSent() - before;
  }
  state.counters["draw_calls_per_frame"] = hp.gfx.DrawCallsLastFrame();
  state.counters["vertices_per_frame"] = static_cast<double>(vertices);
}

constexpr DrawScene kDefaultScene{1024, 768, 2, 1024, 768};

// Every style at 1024 x 768 and 16-pixel cells (6 is Lines, 20 draws nothing).
void BM_DrawGridStyle(benchmark::State& state) { RunDraw(state, kDefaultScene, static_cast<int>(state.range(0))); }
BENCHMARK(BM_DrawGridStyle)->DenseRange(0, 20)->Unit(benchmark::kMicrosecond);

// The Lines style on the fine lattices: a 1920 x 1200 playfield on a screen of that size, and a
// 5120 x 4096 playfield seen through a 1920 x 1200 screen and on a screen as large as itself.
void BM_DrawGridLinesLarge(benchmark::State& state) {
  constexpr DrawScene kScenes[] = {{1920, 1200, 0, 1920, 1200}, {5120, 4096, 0, 1920, 1200}, {5120, 4096, 0, 5120, 4096}};
  RunDraw(state, kScenes[state.range(0)], 6);
}
BENCHMARK(BM_DrawGridLinesLarge)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
