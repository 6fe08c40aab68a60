#include "screens/top_scores.h"

#include <algorithm>
#include <string>

#include "effects/particles.h"
#include "scoring/high_scores.h"
#include "scoring/play_time.h"
#include "screens/attract.h"
#include "shell/game.h"

namespace qv {

namespace {

// Scores are set flush right: each digit takes 14 pixels to the left of `rightEdge`.
int FlushRight(int rightEdge, const std::string& number) {
  return rightEdge - 14 * static_cast<int>(number.size());
}

}  // namespace

TopScoresView StartTopScores(Game& game, int highlightRow) {
  TopScoresView view;
  view.highlightRow = highlightRow;
  view.lastTime = FormatPlayTime(game.state.gameTicks);
  for (int k = 9; k >= 0; --k) {
    StepCyclingColour(game.cycling, game.rng, 10);
    StepCyclingColour(game.cycling, game.rng, 10);
    view.trail.entries[static_cast<std::size_t>(k)] = {game.cycling.red, game.cycling.green, game.cycling.blue};
  }
  return view;
}

void TopScoresFrame(Game& game, TopScoresView& view, int i) {
  Graphics& gfx = game.gfx;
  const int cx = game.view.viewWidth / 2, cy = game.view.viewHeight / 2;
  const int lastDifficulty = game.state.gameDifficulty;

  // The attract form turns through the difficulties every 250 frames; after a game the table is the
  // game's own.
  int shown = i / 250;
  if (view.highlightRow != -1) shown = lastDifficulty;
  shown = std::clamp(shown, 0, kDifficultyCount - 1);

  StepCyclingColour(game.cycling, game.rng, 10);
  StepCyclingColour(game.cycling, game.rng, 10);
  view.trail.Follow(game.cycling, i);

  gfx.SetColor(0, 0, 240);
  game.DrawText("TOP SCORES - " + std::string(DifficultyName(shown)), cx - 200, cy - 220, 4);
  gfx.SetColor(64, 240, 64);
  game.DrawText("SCORE", cx - 250, cy - 180, 3);
  game.DrawText("NAME", cx - 100, cy - 180, 3);
  game.DrawText("TIME", cx + 130, cy - 180, 3);

  const bool detail = game.in.KeyDown(kTopScoresDetailKey);
  for (int k = 0; k < kHighScorePlaces; ++k) {
    const HighScoreRow& row = game.scores.rows[static_cast<std::size_t>(k)][static_cast<std::size_t>(shown)];
    if (k == view.highlightRow && shown == lastDifficulty) {
      gfx.SetColor(255, 255, 0);
    } else {
      const Rgb& c = view.trail.entries[static_cast<std::size_t>(9 - k)];
      gfx.SetColor(c.red, c.green, c.blue);
    }
    const std::string score = std::to_string(row.score);
    const int scoreX = FlushRight(cx - 180, score);
    const int y = detail ? cy - 150 + 32 * k : cy - 150 + 30 * k;
    const float size = detail ? 2.0f : 3.0f;
    game.DrawText(score, scoreX, y, size);
    game.DrawText(row.name, cx - 120, y, size);
    game.DrawText(row.time, cx + 64, y, size);
    if (detail) game.DrawText(row.settings, scoreX, cy - 134 + 32 * k, size);
  }

  if (view.highlightRow == kNoHighScoreRow) {
    gfx.SetColor(255, 0, 0);
    const std::string score = std::to_string(game.state.score);
    game.DrawText(score, FlushRight(cx - 148, score), cy + 180, 3);
    game.DrawText(view.lastTime, cx + 32, cy + 180, 3);
  }

  if (game.rng.RandInt(0, 100) > 90 && i < 700) SpawnFirework(game, 1);
  UpdateParticles(game, 1);
  DrawParticles(game);
  DrawStartPrompt(game, i);
}

int ShowTopScores(Game& game, int highlightRow) {
  TopScoresView view = StartTopScores(game, highlightRow);
  return RunAttractLoop(game, {kTopScoresLastFrame, true}, [&](int i) { TopScoresFrame(game, view, i); });
}

}  // namespace qv
