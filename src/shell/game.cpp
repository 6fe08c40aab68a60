#include "shell/game.h"

namespace qv {

Game::Game(Platform& platform)
    : gfx(platform.gfx),
      in(platform.input),
      audio(platform.audio),
      clock(platform.clock),
      rng(platform.rng),
      sounds(platform.audio),
      dataFolder(platform.dataFolder) {
  nameBuffer.fill(32);
  circle = BuildCircleTable();
  // Before the first display set-up the lattice is that of the default playfield at 16 pixels.
  ConfigureGrid(grid, 2, view.fieldWidth, view.fieldHeight);
}

}  // namespace qv
