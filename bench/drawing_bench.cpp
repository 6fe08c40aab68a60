// Draw submission: the CPU cost of turning primitives into the vertex stream, and the draw calls a
// frame costs. A scene in one state should cost one draw call per run of that state, not one per
// primitive.
#include <benchmark/benchmark.h>

#include "platform/headless/headless_graphics.h"

namespace qv {
namespace {

RgbaImage Sprite(int size) {
  RgbaImage img;
  img.width = img.height = size;
  img.pixels.assign(static_cast<std::size_t>(size) * size * 4, 200);
  return img;
}

// Many lines, rectangles and images with changing colour, alpha, rotation, scale and line width, all
// in the additive blend mode.
void BM_MixedSceneOneState(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  HeadlessGraphicsBackend backend;
  Graphics gfx(backend);
  gfx.OpenDisplay({1024, 768, 32, 60, true});
  ImageHandle image = gfx.ImageFromPixels(Sprite(32), 32, 32, 1);
  for (auto _ : state) {
    gfx.SetBlend(kAddBlend);
    for (int i = 0; i < count; ++i) {
      gfx.SetColor(i & 255, 128, 255 - (i & 255));
      gfx.SetAlpha(0.5f + (i % 5) * 0.1f);
      gfx.SetLineWidth(1 + i % 3);
      gfx.Line(i % 1024, 0, 1023 - i % 1024, 767);
      gfx.SetRotation(static_cast<float>(i % 360));
      gfx.SetScale(1 + (i % 4) * 0.25f, 1);
      gfx.Rect(i % 1000, (i * 7) % 760, 4, 4);
      gfx.DrawImage(image, (i * 13) % 1024, (i * 17) % 768, 0);
      gfx.SetRotation(0);
      gfx.SetScale(1, 1);
    }
    gfx.Flip(true);
  }
  state.counters["draw_calls_per_frame"] = gfx.DrawCallsLastFrame();
  state.counters["primitives_per_frame"] = 3.0 * count;
}
BENCHMARK(BM_MixedSceneOneState)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The same primitives alternating between two blend modes: every change is a draw call.
void BM_AlternatingBlendModes(benchmark::State& state) {
  HeadlessGraphicsBackend backend;
  Graphics gfx(backend);
  gfx.OpenDisplay({1024, 768, 32, 60, true});
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      gfx.SetBlend(i % 2 ? kAlphaBlend : kAddBlend);
      gfx.Rect(i % 1000, 0, 4, 4);
    }
    gfx.Flip(true);
  }
  state.counters["draw_calls_per_frame"] = gfx.DrawCallsLastFrame();
}
BENCHMARK(BM_AlternatingBlendModes)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qv
