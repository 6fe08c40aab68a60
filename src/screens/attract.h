// The attract screens shown between games, in the order the main loop cycles them: credits, top
// scores, friends, enemies. Each runs its own frames and returns 0 when it is over (ran out, or the
// player pressed the bomb control, which sets `startRequested`), or 1 when the player chose to leave
// the program from the options menu or the window was closed.
#pragma once

namespace qv {

struct Game;

int ShowCredits(Game& game);
// `highlightRow`: -1 in the attract cycle; after a game the row just entered (0..9), or -20 when the
// game did not make the table (its score and time then show beneath it).
int ShowTopScores(Game& game, int highlightRow);
int ShowFriends(Game& game);
int ShowEnemies(Game& game);

}  // namespace qv
