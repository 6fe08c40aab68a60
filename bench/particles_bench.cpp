// The spark pool at its largest: 50,000 live sparks stepped, swirled and drawn in each style. The draw
// cases report how many draw calls a frame of sparks costs; every style should stay at a handful.
#include <benchmark/benchmark.h>

#include <vector>

#include "effects/particles.h"
#include "platform/headless/headless_platform.h"
#include "shell/game.h"

namespace qv {
namespace {

// A game over the headless devices with the whole pool alive, spread over the playfield.
struct FullPool {
  FullPool() {
    hp.gfx.OpenDisplay({1024, 768, 32, 60, true});
    RgbaImage sprite;
    sprite.width = sprite.height = 16;
    sprite.pixels.assign(16 * 16 * 4, 200);
    game.images.particle = hp.gfx.ImageFromPixels(sprite, 16, 16, 1);
    InitParticles(game);
    game.settings.particleCount = kParticleCapacity;
    game.settings.particleLife = 200;
    for (int i = 0; i < kParticleCapacity; ++i)
      SpawnParticle(game, static_cast<float>(hp.rng.RandInt(20, 1000)), static_cast<float>(hp.rng.RandInt(20, 740)),
                    i % 2 ? 0 : 9, hp.rng.RandInt(0, 255), hp.rng.RandInt(0, 255), hp.rng.RandInt(0, 255), 1,
                    0);
    snapshot = game.particles.slots;
  }
  // Brings every spark back to life (outside the timed region).
  void Revive() { game.particles.slots = snapshot; }

  HeadlessPlatform hp{3};
  Game game{hp.platform};
  std::vector<Particle> snapshot;
};

int LiveSparks(const Game& game) {
  int n = 0;
  for (const Particle& p : game.particles.slots) n += p.life > 0;
  return n;
}

void BM_UpdateParticles(benchmark::State& state) {
  FullPool pool;
  int frames = 0;
  for (auto _ : state) {
    UpdateParticles(pool.game, 0);
    // Sparks live at most 200 frames: revive them long before any dies.
    if (++frames == 100) {
      state.PauseTiming();
      pool.Revive();
      frames = 0;
      state.ResumeTiming();
    }
  }
  state.counters["live_sparks"] = LiveSparks(pool.game);
  state.SetItemsProcessed(state.iterations() * kParticleCapacity);
}
BENCHMARK(BM_UpdateParticles)->Unit(benchmark::kMicrosecond);

void BM_AttractParticles(benchmark::State& state) {
  FullPool pool;
  const ParticleAttractor holes[4] = {{200, 200, 40}, {800, 200, 30}, {500, 400, 60}, {300, 600, 25}};
  int frames = 0;
  for (auto _ : state) {
    pool.game.state.gameTicks += 1;
    AttractParticles(pool.game, holes);
    if (++frames == 50) {
      state.PauseTiming();
      pool.Revive();
      frames = 0;
      state.ResumeTiming();
    }
  }
  state.counters["holes"] = 4;
}
BENCHMARK(BM_AttractParticles)->Unit(benchmark::kMicrosecond);

// One frame of sparks in the style given by the argument, presented so the draw calls are counted.
void BM_DrawParticles(benchmark::State& state) {
  FullPool pool;
  pool.game.settings.particleStyle = static_cast<int>(state.range(0));
  for (auto _ : state) {
    DrawParticles(pool.game);
    pool.hp.gfx.Flip(true);
  }
  state.counters["draw_calls_per_frame"] = pool.hp.gfx.DrawCallsLastFrame();
  state.counters["live_sparks"] = LiveSparks(pool.game);
  state.SetItemsProcessed(state.iterations() * kParticleCapacity);
}
BENCHMARK(BM_DrawParticles)->ArgName("style")->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qv
