// The attract screens shown between games. Each returns 1 when the player chose to leave the program
// from its menu, and sets `startRequested` when the player presses the bomb button.
#pragma once

namespace qv {

struct Game;

int ShowCredits(Game& game);
// `highlightRow`: the row to highlight, -1 for the attract form, -20 for none.
int ShowTopScores(Game& game, int highlightRow);
int ShowFriends(Game& game);
int ShowEnemies(Game& game);

}  // namespace qv
