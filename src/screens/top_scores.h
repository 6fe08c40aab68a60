// The top-scores screen: the ten best games of a difficulty in a trail of cycling colours. In the
// attract cycle it shows Easy, Medium and Hard in turn; after a game it stays on that game's
// difficulty, with the new entry in yellow, or with the game's own score and time in red beneath the
// table when it did not make the list. Holding P shows the smaller table with each game's settings.
#pragma once

#include <string>

#include "screens/attract_loop.h"

namespace qv {

struct Game;

inline constexpr int kTopScoresLastFrame = 749;
inline constexpr int kTopScoresDetailKey = 80;  // P

struct TopScoresView {
  int highlightRow = -1;  // -1 the attract form, 0..9 the row just entered, -20 no row
  std::string lastTime;   // the play time of the last game
  ColourTrail<10> trail;
};

// What the screen notes on entry: the last game's play time, and a trail already full of colours.
TopScoresView StartTopScores(Game& game, int highlightRow);

// Frame i of the top-scores screen, as the frame loop draws it.
void TopScoresFrame(Game& game, TopScoresView& view, int i);

}  // namespace qv
