// The options menu and the settings screens behind it.
#pragma once

namespace qv {

struct Game;

// Returns 0 to continue, 1 to leave the program, 2 to end the running game.
int OptionsMenu(Game& game, int inGame);

}  // namespace qv
