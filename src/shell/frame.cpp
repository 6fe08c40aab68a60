#include "shell/frame.h"

#include "shell/game.h"

namespace qv {

void PresentFrame(Game& game) {
  game.gfx.Flip(true);
  game.in.Poll();
  game.audio.Tick();
}

int CapFrame(Game& game, std::int64_t frameStartMs) {
  const int took = static_cast<int>(game.clock.Millisecs() - frameStartMs);
  if (took > 0 && took < kFrameMs) game.clock.Delay(kFrameMs - took);
  return took;
}

}  // namespace qv
