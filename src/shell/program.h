// The program's spine: start-up in a fixed order, the main loop that alternates the attract cycle and
// games, the game frame loop, and the exit sequence that saves settings, colours and scores.
#pragma once

#include <optional>

namespace qv {

struct Game;

// What the command line asks of this run only; nothing of it is saved.
struct LaunchOptions {
  std::optional<bool> windowed;  // --windowed / --fullscreen
};

// Start-up, main loop and exit sequence. Returns the process status: 0, or 1 when no display could be
// opened at all (then "errors.txt" says why and nothing is saved).
int RunProgram(Game& game, const LaunchOptions& options = {});
void MainLoop(Game& game);
// The frames of one game, until it is over or the menu ended it. `quit` becomes 1 when the player left
// the program; `lastFrameMs` carries the work time of the previous frame for the timing overlay.
void PlayGame(Game& game, int& quit, int& lastFrameMs);

}  // namespace qv
