// The name-entry screen after a game that beat the tenth place.
#pragma once

namespace qv {

struct Game;

// Returns the row where the new entry was placed, or -20 when the game may not enter the table.
int EnterHighScore(Game& game);

}  // namespace qv
