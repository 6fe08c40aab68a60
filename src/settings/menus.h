// The options menu and the settings screens behind it.
#pragma once

namespace qv {

struct Game;

// Returns 0 to continue, 1 to leave the program, 2 to end the running game.
int OptionsMenu(Game& game, int inGame);

// The pointer mark: an eight-spoke star with its hub at (x - s, y - s), spinning 8 degrees a frame
// and blinking red and yellow every 15 frames.
void DrawMenuPointer(Game& game, int x, int y, int frame, int size);

}  // namespace qv
