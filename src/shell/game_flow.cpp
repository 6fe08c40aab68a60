#include "shell/game_flow.h"

#include <cmath>

#include "effects/grid.h"
#include "effects/particles.h"
#include "enemies/black_hole.h"
#include "enemies/cube.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/simple_kinds.h"
#include "enemies/snake.h"
#include "enemies/triangle.h"
#include "platform/degmath.h"
#include "player/power_up.h"
#include "player/ship.h"
#include "player/shots.h"
#include "scoring/score.h"
#include "settings/menus.h"
#include "shell/frame.h"
#include "shell/game.h"
#include "shell/world.h"

namespace qv {

namespace {

template <class T>
void ClearKeepingKillers(EntityList<T>& list, bool full) {
  if (full) {
    list.Clear();
    return;
  }
  list.ForEach([&](T& e) {
    if (e.killedShip == 0) list.Remove(e);
  });
}

bool BombPressed(Game& game) {
  // Both presses are read (and so cleared) every frame.
  const bool key = game.in.KeyHit(game.settings.keyBomb) > 0;
  const bool mouse = game.in.MouseHit(game.settings.mouseBombButton) > 0;
  return key || mouse;
}

// The get-ready sequence goes on until its frames are done, unless Escape is held, the program is
// leaving, or the player ended the game from the menu.
bool GetReadyGoesOn(Game& game) {
  return !game.in.KeyDown(kKeyEscape) && !game.ShouldQuit() && !EndedFromMenu(game.state);
}

// A player who switches away during the get-ready finds the game paused in its menu, as in play.
// Leaving the program goes through the orderly exit; "End Game" ends the game before its first frame.
void MenuOnFocusLoss(Game& game) {
  if (!game.in.FocusLost()) return;
  const int answer = OptionsMenu(game, 1);
  game.input.debounce = 20;
  if (answer == 1) game.quitting = true;
  if (answer == 2) {
    game.sounds.StopMusic();
    game.state.gameOver = 1;
    game.state.startRequested = 0;
  }
}

}  // namespace

bool EndedFromMenu(const GameState& st) { return st.gameOver && !st.startRequested; }

void DrawSwellingTitle(Game& game, const char* text, float a) {
  game.gfx.SetColor(0, static_cast<int>(55 + 200 * a), 0);
  game.DrawText(text, static_cast<int>(game.view.viewWidth / 2 - 427.5f * a),
                static_cast<int>(game.view.viewHeight / 2 - 100 * a), 20 * a);
}

void NewGameReset(Game& game) {
  GameState& st = game.state;
  PlayerShip& ship = game.ship;
  st.gameDifficulty = game.settings.difficulty;
  st.gameOver = 0;
  if (st.gameDifficulty >= 0 && st.gameDifficulty <= 2) {
    const DifficultyRow& d = kDifficulties[st.gameDifficulty];
    for (int k = 0; k < kKindCount; ++k) st.kindSpeed[k] = kBaseSpeeds[k] * d.speedFactor;
    st.powerUpDuration = d.powerUpDuration;
    st.lives = d.lives;
    st.bombs = d.bombs;
    ship.cannons = d.cannons;
    ship.shotSpeed = d.shotSpeed;
    st.gameTicks = d.startTicks;
    st.extraBombInterval = game.extraBombScores[st.gameDifficulty];
    st.extraLifeInterval = game.extraLifeScores[st.gameDifficulty];
  }
  st.extraLifeCount = 1;
  ship.reverseTimer = ship.sideTimer = ship.superTimer = ship.bouncyTimer = 0;
  game.input.fireX = game.input.fireY = 0;
  st.nextPowerUpScore = st.powerUpScoreStep;
  game.input.debounce = 20;
  st.extraBombCount = 1;
  for (SpawnStream& s : game.streams) s.remaining = 0;
  PrepareScoreTable(game);
  ResetMultiplier(game);
}

void CentreShip(Game& game) {
  game.ship.x = static_cast<float>(game.view.fieldWidth / 2);
  game.ship.y = static_cast<float>(game.view.fieldHeight / 2);
  game.view.scrollX = (game.view.fieldWidth - game.view.viewWidth) / 2;
  game.view.scrollY = (game.view.fieldHeight - game.view.viewHeight) / 2;
}

void DrawPointCircle(Game& game, int cx, int cy, int r) {
  Graphics& gfx = game.gfx;
  auto eight = [&](int x, int y) {
    gfx.Plot(static_cast<float>(cx + x), static_cast<float>(cy + y));
    gfx.Plot(static_cast<float>(cx - x), static_cast<float>(cy + y));
    gfx.Plot(static_cast<float>(cx + x), static_cast<float>(cy - y));
    gfx.Plot(static_cast<float>(cx - x), static_cast<float>(cy - y));
    gfx.Plot(static_cast<float>(cx + y), static_cast<float>(cy + x));
    gfx.Plot(static_cast<float>(cx - y), static_cast<float>(cy + x));
    gfx.Plot(static_cast<float>(cx + y), static_cast<float>(cy - x));
    gfx.Plot(static_cast<float>(cx - y), static_cast<float>(cy - x));
  };
  int x = 0, y = r, e = -r;
  eight(x, y);
  while (x < y) {
    int step;
    if (e + 1 >= 0) {
      y -= 1;
      step = x + 1 - y;
    } else {
      step = x + 1;
    }
    x += 1;
    e += 1 + 2 * step;
    eight(x, y);
  }
}

void GetReadySequence(Game& game) {
  CentreShip(game);
  game.PlaySound(1, 0, 1, Sound::Startup);
  for (int i = 0; i < 60 && GetReadyGoesOn(game); ++i) {
    game.gfx.Cls();
    const std::int64_t t0 = game.clock.Millisecs();
    UpdateGrid(game.grid);
    UpdateWorld(game, 0);
    DrawWorld(game);
    DrawSwellingTitle(game, "GET READY", std::fabs(SinDeg(i)));
    PresentFrame(game);
    CapFrame(game, t0);
    if (BombPressed(game)) i = 60;
    MenuOnFocusLoss(game);
  }
  PullGrid(game.grid, game.ship.x, game.ship.y, 20, 20);
  for (int i = 0; i < 40 && GetReadyGoesOn(game); ++i) {
    game.gfx.Cls();
    const std::int64_t t0 = game.clock.Millisecs();
    UpdateGrid(game.grid);
    UpdateWorld(game, 0);
    DrawWorld(game);
    const Rgb& player = game.colours[kPlayerColour];
    game.gfx.SetColor(player.red, player.green, player.blue);
    if (i > 10) DrawShip(game, static_cast<int>(game.ship.x), static_cast<int>(game.ship.y), game.ship.angle);
    const int cx = game.view.viewWidth / 2, cy = game.view.viewHeight / 2;
    DrawPointCircle(game, cx, cy, 300 - 6 * i);
    DrawPointCircle(game, cx, cy, 300 - 8 * i);
    DrawPointCircle(game, cx, cy, 300 - 12 * i);
    PresentFrame(game);
    CapFrame(game, t0);
    if (BombPressed(game)) i = 40;
    MenuOnFocusLoss(game);
  }
  game.ship.shieldTimer = 80;
  game.powerUpMessageTimer = 0;
  game.sounds.SelectMusicTheme(1);
  ResetMultiplier(game);
  game.ship.lastMoveX = game.ship.lastMoveY = 0;
  game.in.MoveMouse(game.view.viewWidth / 2, game.view.viewHeight / 2);
}

bool ShipHit(Game& game) {
  GameState& st = game.state;
  PlayerShip& ship = game.ship;
  if (st.godMode == 1 || ship.shieldTimer > 0 || st.shipInactive == 1) return false;
  st.shipInactive = 1;
  game.sounds.StopMusic();
  game.PlaySound(1, 0, 1, Sound::Die1);
  const Rgb& c = game.colours[kPlayerColour];
  for (int i = 0; i < 256; ++i) SpawnParticle(game, ship.x, ship.y, 0, c.red, c.green, c.blue, 1, 0);
  PullGrid(game.grid, ship.x, ship.y, 32, 64);
  game.shots.Clear();
  ClearWorld(game, false);
  for (int i = 0; i < 100 && !game.in.KeyDown(kKeyEscape) && !game.ShouldQuit(); ++i) {
    game.gfx.Cls();
    const std::int64_t t0 = game.clock.Millisecs();
    UpdateWorld(game, i);
    DrawWorld(game);
    PresentFrame(game);
    CapFrame(game, t0);
  }
  ClearWorld(game, true);
  st.lives -= 1;
  CentreShip(game);
  ResetGrid(game.grid);
  if (st.lives <= 0) {
    st.gameOver = 1;
    game.PlaySound(1, 0, 1, Sound::GameOver);
  } else {
    if (ship.cannons > 2) ship.cannons -= 1;
    if (ship.shotSpeed > 3.0f) ship.shotSpeed -= 1.0f;
    ship.reverseTimer = ship.sideTimer = ship.superTimer = ship.bouncyTimer = 0;
    game.input.fireX = game.input.fireY = 0;
    ResetMultiplier(game);
    GetReadySequence(game);
  }
  st.shipInactive = 0;
  game.gfx.Cls();
  return true;
}

void ClearWorld(Game& game, bool full) {
  game.trailSparks.Clear();
  game.shots.Clear();
  game.floatingTexts.Clear();
  if (full) ClearParticles(game);
  game.sounds.StopHums();
  ClearKeepingKillers(game.squares, full);
  ClearKeepingKillers(game.pinwheels, full);
  ClearKeepingKillers(game.diamonds, full);
  ClearKeepingKillers(game.cubes, full);
  ClearKeepingKillers(game.seekers, full);
  ClearKeepingKillers(game.blackHoles, full);
  ClearKeepingKillers(game.triangles, full);
  ClearKeepingKillers(game.generators, full);
  game.powerUps.Clear();
  ClearKeepingKillers(game.snakes, full);
  ClearKeepingKillers(game.interceptors, full);
  ClearKeepingKillers(game.butterflies, full);
  if (full) ResetGrid(game.grid);
  for (SpawnStream& s : game.streams) s.remaining = 0;
}

void KillAllEnemies(Game& game) {
  game.squares.ForEach([&](Square& e) { Kill(game, e, false); });
  game.pinwheels.ForEach([&](Pinwheel& e) { Kill(game, e, false); });
  game.diamonds.ForEach([&](Diamond& e) { Kill(game, e, false); });
  game.cubes.ForEach([&](Cube& e) { Kill(game, e, false); });
  game.seekers.ForEach([&](Seeker& e) { Kill(game, e, false); });
  game.blackHoles.ForEach([&](BlackHole& e) { Hit(game, e, false); });
  game.snakes.ForEach([&](Snake& e) {
    if (e.isHead) Kill(game, e, false);
  });
  game.interceptors.ForEach([&](Interceptor& e) { Kill(game, e, false); });
  game.butterflies.ForEach([&](Butterfly& e) { Kill(game, e, false); });
  game.triangles.ForEach([&](Triangle& e) { Hit(game, e, 0, 0, false); });
  game.generators.ForEach([&](Generator& e) { Hit(game, e, false); });
}

int GameOverSequence(Game& game) {
  int i = 2;
  game.in.FlushKeys();
  while (i < 360) {
    if (game.ShouldQuit()) return 1;
    game.state.shipInactive = 1;
    UpdateWorld(game, 0);
    game.gfx.Cls();
    const std::int64_t t0 = game.clock.Millisecs();
    DrawWorld(game);
    DrawSwellingTitle(game, "GAME OVER", std::fabs(SinDeg(i / 2)));
    PresentFrame(game);
    CapFrame(game, t0);
    if (OptionsRequested(game)) {
      const int answer = OptionsMenu(game, 1);
      game.input.debounce = 20;
      if (answer == 1) return 1;
      if (answer == 2) return 0;
    }
    if (BombPressed(game)) i = 360;
    i += 2;
  }
  return 0;
}

}  // namespace qv
