// One frame of the world: the update of every effect and list in a fixed order, and the drawing of the
// whole screen in a fixed order (what is drawn later lies on top).
#pragma once

namespace qv {

struct Game;

// `frameIndex` is 0 in play, in the get-ready and game-over sequences, and the frame number 0..99
// of the death sequence.
void UpdateWorld(Game& game, int frameIndex);
void DrawWorld(Game& game);

}  // namespace qv
