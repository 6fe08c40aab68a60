// The headless devices bundled: a Platform for tests and benchmarks that draws nowhere, plays nothing,
// replays scripted input and runs on a virtual clock.
#pragma once

#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_clock.h"
#include "platform/headless/headless_graphics.h"
#include "platform/headless/headless_input.h"
#include "platform/platform.h"

namespace qv {

struct HeadlessPlatform {
  explicit HeadlessPlatform(std::uint32_t seed = 1) : rng(seed) {}

  HeadlessGraphicsBackend backend;
  Graphics gfx{backend};
  HeadlessInput input;
  HeadlessAudio audio;
  HeadlessClock clock;
  Rng rng;
  Platform platform{gfx, input, audio, clock, rng};
};

}  // namespace qv
