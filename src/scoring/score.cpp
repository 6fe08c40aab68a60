#include "scoring/score.h"

#include <algorithm>
#include <string>

#include "player/power_up.h"
#include "scoring/floating_text.h"
#include "shell/game.h"

namespace qv {

namespace {

constexpr int kMaxMultiplier = 11;
constexpr int kExtraPlayerKind = 4;
constexpr int kExtraBombKind = 5;

void PlayCentred(Game& game, Sound sound) { game.PlaySound(1, 0, 1, sound); }

}  // namespace

void AwardPoints(Game& game, int x, int y, int points, bool isKill) {
  GameState& st = game.state;
  st.score += points * st.multiplier;
  if (isKill) {
    AddFloatingText(game, std::to_string(points * st.multiplier), x, y, 0);
    st.killCount += 1;
  }
  if (st.multiplier < kMaxMultiplier && st.killCount >= kMultiplierSteps[st.multiplier - 1]) {
    st.multiplier += 1;
    PlayCentred(game, Sound::Bonus2);
    AddFloatingText(game, std::to_string(st.multiplier) + "X Multiplier", static_cast<int>(game.ship.x - 78),
                    static_cast<int>(game.ship.y - 32), 1);
  }
  if (st.extraLifeCount * st.extraLifeInterval <= st.score) {
    st.extraLifeCount += 1;
    PlayCentred(game, Sound::BrainBorn);
    if (st.lives < 10) SpawnPowerUp(game, kExtraPlayerKind);
  }
  if (st.extraBombCount * st.extraBombInterval <= st.score) {
    st.extraBombCount += 1;
    PlayCentred(game, Sound::Buzz2);
    if (st.bombs < 9) SpawnPowerUp(game, kExtraBombKind);
  }
  if (st.nextPowerUpScore <= st.score) {
    SpawnPowerUp(game, -1);
    st.nextPowerUpScore += st.powerUpScoreStep * st.multiplier * st.multiplier;
    PlayCentred(game, Sound::BonusBorn);
  }
  if (st.hiScoreShown < st.score) st.hiScoreShown = st.score;
}

void ResetMultiplier(Game& game) {
  GameState& st = game.state;
  st.multiplier = 1;
  st.killCount = 0;
  const int step = st.powerUpScoreStep > 0 ? st.powerUpScoreStep : 1;
  st.nextPowerUpScore = ((st.score + 2 * step) / step / 2) * 2 * step;
  game.powerUpMessageTimer = 180;
  game.powerUpMessage = "Power Up at " + std::to_string(st.nextPowerUpScore);
}

void PrepareScoreTable(Game& game) {
  const int column = std::clamp(game.settings.difficulty, 0, 2);
  game.state.tableLowScore = game.scores.rows[9][column].score;
  game.state.hiScoreShown = game.scores.rows[0][column].score;
  game.state.score = 0;
}

namespace {

// The display fades as the ship comes near the top edge.
float TopAlpha(const Game& game) { return game.ship.y < 80 ? 0.5f + game.ship.y / 400 : 0.8f; }

void DrawLivesAndBombs(Game& game) {
  Graphics& gfx = game.gfx;
  const int cx = game.view.viewWidth / 2;
  const Rgb& player = game.colours[kPlayerColour];
  if (game.state.lives > 1) {
    gfx.SetColor(255, 255, 255);
    gfx.DrawImage(game.images.icons, static_cast<float>(cx - 16), 19, 0);
    gfx.SetColor(player.red, player.green, player.blue);
    if (game.state.lives > 2) game.DrawText(std::to_string(game.state.lives - 1), cx - 48, 10, 3);
  }
  if (game.state.bombs > 0) {
    gfx.SetColor(255, 255, 255);
    gfx.DrawImage(game.images.icons, static_cast<float>(cx + 16), 19, 1);
    gfx.SetColor(player.red, player.green, player.blue);
    if (game.state.bombs > 1) game.DrawText(std::to_string(game.state.bombs), cx + 32, 10, 3);
  }
}

void DrawScoreLine(Game& game) {
  const Rgb& c = game.colours[kScoreColour];
  game.gfx.SetColor(c.red, c.green, c.blue);
  game.DrawText("SCORE: " + std::to_string(game.state.score), 10, 10, 3);
  game.DrawText(std::to_string(game.state.multiplier) + "X", 236, 10, 3);
  game.DrawText("HISCORE: " + std::to_string(game.state.hiScoreShown), game.view.viewWidth - 260, 10, 3);
  if (game.debugMode == 1) game.DrawText(std::to_string(game.state.gameTicks), 300, 10, 3);
}

}  // namespace

void DrawTopDisplay(Game& game) {
  game.gfx.SetScale(1, 1);
  game.gfx.SetLineWidth(2);
  game.gfx.SetAlpha(TopAlpha(game));
  DrawLivesAndBombs(game);
  DrawScoreLine(game);
}

void DrawPowerUpMessage(Game& game) {
  const float bottom = static_cast<float>(game.view.viewHeight - 80);
  game.gfx.SetAlpha(game.ship.y > bottom ? 1 - (game.ship.y - bottom) / 400 : 0.8f);
  if (game.powerUpMessageTimer <= 0) return;
  game.powerUpMessageTimer -= 1;
  const int t = game.powerUpMessageTimer;
  if (t == 90) game.powerUpMessage = "Power Up at " + std::to_string(game.state.nextPowerUpScore);
  game.gfx.SetColor(t, t / 2 + 165, t);
  const int n = static_cast<int>(game.powerUpMessage.size());
  game.DrawText(game.powerUpMessage, game.view.viewWidth / 2 - 7 * n, game.view.viewHeight - 26, 2.8f);
}

}  // namespace qv
