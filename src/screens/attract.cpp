#include "screens/attract.h"

#include "shell/game.h"

namespace qv {

// There are no attract screens yet: the cycle hands straight over to a game.
int ShowCredits(Game& game) {
  game.state.startRequested = 1;
  return 0;
}
int ShowTopScores(Game&, int) { return 0; }
int ShowFriends(Game&) { return 0; }
int ShowEnemies(Game&) { return 0; }

}  // namespace qv
