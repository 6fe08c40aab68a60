// Score, multiplier, extra lives and bombs, and the head-up display. Every point scored goes through
// AwardPoints: it is multiplied by the multiplier, kills raise the multiplier through ten steps, and
// score thresholds bring extra-life, extra-bomb and random power-ups.
#pragma once

namespace qv {

struct Game;

void AwardPoints(Game& game, int x, int y, int points, bool isKill);
// Multiplier back to 1; the next score power-up is the next multiple of 5000 above the score.
void ResetMultiplier(Game& game);
// Table low score and shown high score from the table of the configured difficulty; score 0.
void PrepareScoreTable(Game& game);

// The head-up display: top line (with its fading near the top edge), lives and bombs, and the
// "Power Up at" line at the bottom.
void DrawTopDisplay(Game& game);
void DrawPowerUpMessage(Game& game);

}  // namespace qv
