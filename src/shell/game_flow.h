// The flow of one game: the reset at its start, the get-ready sequence before each life, the clearing
// of the playfield and the game-over sequence.
#pragma once

namespace qv {

struct Game;

void NewGameReset(Game& game);
void GetReadySequence(Game& game);
// Clears the playfield; `full` also removes what is still dying.
void ClearWorld(Game& game, bool full);
// Returns 1 when the player chose to leave the program from its menu.
int GameOverSequence(Game& game);

}  // namespace qv
