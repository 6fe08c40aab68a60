#include "screens/credits.h"

#include <algorithm>
#include <string>

#include "effects/particles.h"
#include "enemies/black_hole.h"
#include "platform/degmath.h"
#include "screens/attract.h"
#include "screens/attract_loop.h"
#include "shell/game.h"

namespace qv {

namespace {

// The title grows to full size over 480 frames of the first visit and gains a copy every 25 frames;
// the copies circle the title's place on a radius that widens as the build-up goes on.
void DrawTitle(Game& game, int i, float k) {
  const int w = game.view.viewWidth, h = game.view.viewHeight;
  const int t = game.creditsTimer;
  const float size = std::min(static_cast<float>(t) / 24.0f, 20.0f);
  const float radius = static_cast<float>(t / 60 + 2);
  const float length = static_cast<float>(kCreditsTitle.size());
  for (int j = 0; j <= t / 25; ++j) {
    game.gfx.SetColor(game.cycling.red, game.cycling.green, game.cycling.blue);
    const double angle = 20.0 * j + 2.0 * i;
    const float x = (static_cast<float>(w) - (length - 1) * size * k * 5.5f) / 2 + CosDeg(angle) * radius;
    const float y = (static_cast<float>(h) - 18 * size * k) / 2 - 50 + SinDeg(angle) * radius + 75 -
                    static_cast<float>(t / 8);
    game.DrawText(kCreditsTitle, static_cast<int>(x), static_cast<int>(y), size * k);
  }
}

struct CreditRow {
  int red, green, blue;
  float size;     // times the screen's width / 1024
  float offsetX;  // left of the centre, times the screen's width / 1024
  int fromBottom;
};

void DrawCreditRow(Game& game, const CreditRow& row, std::string_view text, float k) {
  game.gfx.SetColor(row.red, row.green, row.blue);
  const int x = static_cast<int>(static_cast<float>(game.view.viewWidth / 2) - row.offsetX * k);
  game.DrawText(text, x, game.view.viewHeight - row.fromBottom, row.size * k);
}

}  // namespace

void StartCredits(Game& game) {
  const int w = game.view.viewWidth, h = game.view.viewHeight;
  for (int n = 0; n < 2; ++n) {
    const int size = game.rng.RandInt(12, 50);
    const int x = w / 2 + game.rng.RandInt(-100, 100);
    const int y = h / 2 + game.rng.RandInt(-100, 100);
    SpawnDemoBlackHole(game, static_cast<float>(x), static_cast<float>(y), static_cast<float>(size));
  }
  game.gfx.SetViewport(0, 0, w, h);
  game.view.scrollX = game.view.scrollY = 0;
}

void CreditsFrame(Game& game, int i) {
  Graphics& gfx = game.gfx;
  const float k = static_cast<float>(game.view.viewWidth) / 1024.0f;
  gfx.SetLineWidth(2);
  gfx.SetBlend(kAddBlend);
  gfx.SetAlpha(1);
  game.state.gameTicks += 1;
  StepCyclingColour(game.cycling, game.rng, 10);

  // The fireworks and the swirl wait until the title has nearly built up.
  if (game.creditsTimer > 400) {
    if (game.rng.RandInt(0, 100) > 90 && i < 650) SpawnFirework(game, 0);
    UpdateParticles(game, 1);
    DrawParticles(game);
    SwirlAroundDemoHoles(game);
  }

  DrawTitle(game, i, k);

  DrawCreditRow(game, {32, 160, 32, 3.2f, 176, 280}, kCreditLine, k);
  DrawCreditRow(game, {32, 160, 32, 3.2f, 112, 240}, kAuthorLine, k);
  DrawCreditRow(game, {32, 160, 32, 3.0f, 180, 200}, game.versionText, k);
  DrawCreditRow(game, {240, 32, 200, 3.2f, 128, 160}, "Special Thanks To", k);
  DrawCreditRow(game, {200, 32, 240, 3.2f, 448, 120}, kThanksLine, k);
  if (i % 60 > 29) DrawCreditRow(game, {255, 255, 0, 4.0f, 260, 32}, "Press BOMB Button to Start", k);

  game.creditsTimer = std::min(game.creditsTimer + 1, kCreditsTimerFull);
}

int ShowCredits(Game& game) {
  StartCredits(game);
  const int result = RunAttractLoop(game, {kCreditsLastFrame, false}, [&](int i) { CreditsFrame(game, i); });
  // Whether it ran out or a game starts, the next visit shows the finished title at once.
  if (result == 0) game.creditsTimer = kCreditsTimerFull;
  return result;
}

}  // namespace qv
