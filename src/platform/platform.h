// The devices the game runs on, handed to the game as one bundle: the SDL/OpenGL/OpenAL set in the
// game, the headless set in tests and benchmarks.
#pragma once

#include <string>

#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/random.h"

namespace qv {

struct Platform {
  Graphics& gfx;
  Input& input;
  Audio& audio;
  Clock& clock;
  Rng& rng;
  // Where the game's data (gfx/, sounds/) is, ending in '/'; empty for the working folder.
  std::string dataFolder = {};
};

}  // namespace qv
