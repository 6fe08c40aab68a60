#include "shell/game_flow.h"

#include "shell/game.h"

namespace qv {

// The game pieces (enemies, ship, scoring) arrive in later steps of the build; until then a game has
// nothing to reset, clear or announce, and these do nothing.
void NewGameReset(Game&) {}
void GetReadySequence(Game&) {}
void ClearWorld(Game& game, bool full) {
  game.trailSparks.Clear();
  game.floatingTexts.Clear();
  if (full) ClearParticles(game);
  ResetGrid(game.grid);
}
int GameOverSequence(Game&) { return 0; }

}  // namespace qv
