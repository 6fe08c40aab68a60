#include "player/power_up.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "effects/grid.h"
#include "effects/particles.h"
#include "enemies/black_hole.h"
#include "enemies/enemy.h"
#include "enemies/generator.h"
#include "enemies/simple_kinds.h"
#include "platform/degmath.h"
#include "scoring/floating_text.h"
#include "scoring/score.h"
#include "shell/game.h"

namespace qv {

namespace {

struct KindInfo {
  const char* name;
  int frame;
};

constexpr std::array<KindInfo, kPowerUpKinds> kKinds = {{
    {"Reverse Shooter", 2},
    {"Side Shooters", 3},
    {"Extra Cannon", 0},
    {"Faster Shots", 5},
    {"Extra Player", 6},
    {"Extra Bomb", 8},
    {"Shield", 9},
    {"Super Shots", 7},
    {"Bouncy Shots", 10},
}};

constexpr float kCollect2 = 656;  // about 25.6 pixels

void Sparks(Game& game, const PowerUp& p, int count) {
  const Rgb& c = game.colours[kPowerUpColour];
  for (int i = 0; i < count; ++i) SpawnParticle(game, p.x, p.y, 0, c.red, c.green, c.blue, 1, 0);
}

int Sign(float v) { return (v > 0) - (v < 0); }

}  // namespace

std::string_view PowerUpName(int kind) { return kind >= 0 && kind < kPowerUpKinds ? kKinds[kind].name : ""; }
int PowerUpFrame(int kind) { return kind >= 0 && kind < kPowerUpKinds ? kKinds[kind].frame : 0; }

void SpawnPowerUp(Game& game, int requested) {
  Rng& rng = game.rng;
  const PlayerShip& ship = game.ship;
  const GameState& st = game.state;
  const int x = rng.RandInt(250, game.view.fieldWidth - 250);
  const int y = rng.RandInt(150, game.view.fieldHeight - 150);
  int k = rng.RandInt(0, 1);
  if (rng.RandInt(0, 100) > 80) {
    k = 6;
    if (rng.RandInt(0, 100) > 45) k = 7 + rng.RandInt(0, 1);
  }
  if (ship.shotSpeed < 5 && rng.RandInt(1, static_cast<int>(ship.shotSpeed)) == 1) k = 3;
  if (ship.cannons < 4 && rng.RandInt(1, ship.cannons) == 1) k = 2;
  if (k < 2 && rng.RandInt(0, 100) > 40) {
    if (st.lives < 2)
      k = 4;
    else if (st.bombs < 2)
      k = 5;
  }
  if (requested != -1) k = requested;

  auto p = std::make_shared<PowerUp>();
  p->x = static_cast<float>(x);
  p->y = static_cast<float>(y);
  p->kind = std::clamp(k, 0, kPowerUpKinds - 1);
  p->spawnDelay = 2;
  p->age = 0;
  p->spin = static_cast<float>(rng.RandInt(0, 359));
  const int direction = rng.RandInt(0, 359);
  const float speed = rng.RandReal(0.5f, 2.0f);
  p->vx = CosDeg(direction) * speed;
  p->vy = SinDeg(direction) * speed;
  game.powerUps.Append(std::move(p));
  PushGrid(game.grid, static_cast<float>(x), static_cast<float>(y), 6, 1.0f);
}

void CollectPowerUp(Game& game, PowerUp& p) {
  PlayerShip& ship = game.ship;
  GameState& st = game.state;
  const int timed = st.powerUpDuration * 20;
  bool payout = false;
  switch (p.kind) {
    case 0: ship.reverseTimer += timed; break;
    case 1: ship.sideTimer += timed; break;
    case 2:
      ship.cannons += 1;
      if (ship.cannons > 4) {
        ship.cannons = 4;
        payout = true;
      }
      break;
    case 3:
      ship.shotSpeed += 1;
      if (ship.shotSpeed > 5) {
        ship.shotSpeed = 5;
        payout = true;
      }
      break;
    case 4:
      if (st.lives < 10) st.lives += 1;
      else payout = true;
      break;
    case 5:
      if (st.bombs < 9) st.bombs += 1;
      else payout = true;
      break;
    case 6: ship.shieldTimer = std::min(ship.shieldTimer + timed, st.powerUpDuration * 40); break;
    case 7: ship.superTimer += timed; break;
    case 8: ship.bouncyTimer += timed; break;
    default: break;
  }
  std::string shown = payout ? "2000 Points!" : std::string(PowerUpName(p.kind));
  if (payout) AwardPoints(game, static_cast<int>(p.x), static_cast<int>(p.y), 2000, false);
  game.powerUpMessage = shown;
  const int n = static_cast<int>(shown.size());
  AddFloatingText(game, shown, static_cast<int>(p.x - 6 * n), static_cast<int>(p.y - 8), 1);
  PlayAt(game, Sound::Bonus1, 1, p.x, p.y);
}

void DestroyPowerUp(Game& game, PowerUp& p) {
  const Rgb& c = game.colours[kPowerUpColour];
  for (int i = 0; i < 15; ++i) SpawnParticle(game, p.x, p.y, 2, c.red, c.green, c.blue, 1, 24.0f * i + p.spin);
  game.powerUps.Remove(p);
}

void UpdatePowerUp(Game& game, PowerUp& p) {
  const PlayerShip& ship = game.ship;
  const float sdx = p.x - ship.x, sdy = p.y - ship.y;
  if (sdx * sdx + sdy * sdy < kCollect2) {
    CollectPowerUp(game, p);
    p.done = 1;
  }
  if (p.spawnDelay > 0) {
    p.spawnDelay -= 1;
    // a token collected while still appearing leaves at once
    if (p.done) game.powerUps.Remove(p);
    return;
  }
  p.age += 1;
  p.spin += 1;
  p.x += p.vx;
  p.y += p.vy;
  const float w = static_cast<float>(game.view.fieldWidth);
  BounceInside(p.x, p.y, p.vx, p.vy, 8, w, static_cast<float>(game.view.fieldHeight));

  if (!p.done) {
    BlackHole* swallower = nullptr;
    game.blackHoles.ForEach([&](BlackHole& hole) {
      if (swallower || !hole.active) return;
      const float dx = hole.x - p.x, dy = hole.y - p.y;
      const float d = Length(dx, dy) + 0.001f;
      if (d < 75 + 5 * hole.size) {
        p.vx += dx / d / 4096 * (400 - d);
        p.vy += dy / d / 4096 * (400 - d);
        if (d < 12 + hole.size) swallower = &hole;
      }
    });
    if (swallower) {
      DestroyPowerUp(game, p);
      Absorb(game, *swallower, 1);
      return;
    }
  }

  if (game.rng.RandInt(0, 100) > 96) {
    const float dx = ship.x - p.x, dy = ship.y - p.y;
    const float d = Length(dx, dy) + 0.001f;
    if (d < w) {
      p.vx += dx / d;
      p.vy += dy / d;
    }
  }

  if (p.age > 200) {
    if (p.kind <= 1) {
      if (p.age > 400) {
        p.done = 1;
        SpawnButterfly(game, p.x, p.y, 30, 0);
        Sparks(game, p, 8);
      }
    } else {
      game.powerUps.ForEach([&](PowerUp& q) {
        if (&q == &p || q.kind <= 1) return;
        const float dx = q.x - p.x, dy = q.y - p.y;
        if (p.age > 300) {
          p.vx += Sign(dx) / 64.0f;
          p.vy += Sign(dy) / 64.0f;
          q.vx -= Sign(dx) / 64.0f;
          q.vy -= Sign(dy) / 64.0f;
        }
        if (dx * dx + dy * dy < 512) {
          game.powerUps.Remove(q);
          p.done = 1;
          SpawnGenerator(game, p.x, p.y, 10, 20, 20, 20);
          Sparks(game, p, 8);
        }
      });
    }
  }

  const float len = Length(p.vx, p.vy) + 0.001f;
  if (len > 4) {
    p.vx *= 4 / len;
    p.vy *= 4 / len;
  }
  if (p.done) game.powerUps.Remove(p);
}

void DrawPowerUp(Game& game, const PowerUp& p) {
  Graphics& gfx = game.gfx;
  const float sx = p.x - game.view.scrollX, sy = p.y - game.view.scrollY;
  gfx.SetAlpha(1);
  gfx.SetScale(1, 1);
  gfx.SetRotation(0);
  gfx.SetBlend(kAddBlend);
  if (p.age > 360)
    gfx.SetColor(180, 80, 200);
  else
    gfx.SetColor(255, 255, 255);
  gfx.DrawImage(game.images.powerUps, sx, sy, PowerUpFrame(p.kind));
  if (p.age > 300)
    gfx.SetColor(180, 80, 200);
  else
    gfx.SetColor(game.cycling.red, game.cycling.green, game.cycling.blue);
  gfx.SetOrigin(0, 0);
  gfx.SetRotation(6.0f * p.age);
  gfx.DrawImage(game.images.whiteStar, sx, sy, 0);
  gfx.SetRotation(0);
  gfx.SetScale(1, 1);
  gfx.SetOrigin(0, 0);
}

}  // namespace qv
