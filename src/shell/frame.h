// The one pacing routine every frame loop of the game uses. The game is defined at 50 frames a
// second: a frame never takes less than 20 ms from the start of its work to after the present.
#pragma once

#include <cstdint>

namespace qv {

struct Game;

inline constexpr int kFrameMs = 20;

// Presents the frame (with vertical sync where the display allows it) and takes in the input that
// arrived meanwhile.
void PresentFrame(Game& game);

// Sleeps out the rest of the frame that started at `frameStartMs` and returns the time the frame's
// work took. No sleep when the work took 0 ms (the clock did not move) or 20 ms and more.
int CapFrame(Game& game, std::int64_t frameStartMs);

}  // namespace qv
