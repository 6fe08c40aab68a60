#include "enemies/interceptor.h"

#include <cstdlib>
#include <memory>

#include "effects/grid.h"
#include "enemies/black_hole.h"
#include "platform/degmath.h"
#include "shell/game.h"

namespace qv {

namespace {
int Sign(int v) { return (v > 0) - (v < 0); }
}  // namespace

int TurnAngle(float x, float y, float vx, float vy, float tx, float ty) {
  int a = static_cast<int>(Atan2Deg(ty - y, tx - x) - Atan2Deg(vy, vx));
  if (a >= 180)
    a -= 360;
  else if (a <= -180)
    a += 360;
  return std::abs(a) < 6 ? 0 : a;
}

void SpawnInterceptor(Game& game, float x, float y, int delay, int placement) {
  AdjustForSpawn(game, x, y, placement);
  // Beyond three, half of the requests are refused; at eight, all of them.
  if (game.interceptors.Count() > 3 && game.rng.RandInt(0, 100) > 50) return;
  if (game.interceptors.Count() >= kMaxInterceptors) return;
  PlayAt(game, Sound::Warn1, 1, x, y);
  auto e = std::make_shared<Interceptor>();
  e->spawnDelay = delay;
  e->x = x;
  e->y = y;
  const int direction = game.rng.RandInt(0, 359);
  const float speed = game.rng.RandReal(0.5f, 2);
  e->vx = CosDeg(direction) * speed;
  e->vy = SinDeg(direction) * speed;
  e->spin = static_cast<float>(game.rng.RandInt(0, 359));
  e->heading = static_cast<int>(e->spin);
  e->turnLeft = TurnAngle(x, y, e->vx, e->vy, static_cast<float>(game.view.fieldWidth / 2),
                          static_cast<float>(game.view.fieldHeight / 2));
  if (std::abs(e->turnLeft) < 16) e->turnLeft = 16;
  game.interceptors.Append(std::move(e));
}

void Update(Game& game, Interceptor& e) {
  if (e.spawnDelay > 0) {
    e.spawnDelay -= 1;
    return;
  }
  const float speedLimit = game.state.kindSpeed[kKindInterceptor];
  e.spin = static_cast<float>((static_cast<int>(e.spin) + 16) % 360);
  const int r = game.rng.RandInt(1, 100);
  if (r > 95 - 8 * speedLimit) e.turnLeft = TurnAngle(e.x, e.y, e.vx, e.vy, game.ship.x, game.ship.y);
  if (e.turnLeft != 0) {
    e.heading += 4 * Sign(e.turnLeft);
    e.turnLeft -= Sign(e.turnLeft);
  }
  if (e.turnLeft == 0 && e.shieldSoundTimer == 0) {
    e.shieldSoundTimer = 60;
    PlayAt(game, Sound::Shield1, 1, e.x, e.y);
  }
  if (e.shieldSoundTimer > 0) e.shieldSoundTimer -= 1;
  if (std::abs(e.turnLeft) < 20) {
    e.vx += CosDeg(e.heading) * 2;
    e.vy += SinDeg(e.heading) * 2;
    PushGrid(game.grid, e.x + 8 * e.vx, e.y + 8 * e.vy, 4, 0.1f);
  } else {  // a hard turn: brake
    const float k = 0.265f + speedLimit / 20;
    e.vx = (e.vx + CosDeg(e.heading)) * k;
    e.vy = (e.vy + SinDeg(e.heading)) * k;
  }
  // Walls undo the whole move: the craft slides along or sticks to a wall until it turns away.
  e.x += e.vx;
  e.y += e.vy;
  const float w = static_cast<float>(game.view.fieldWidth), h = static_cast<float>(game.view.fieldHeight);
  if (e.x < 16 || e.x > w - 16) {
    e.x -= e.vx;
    e.y -= e.vy;
  }
  if (e.y < 16 || e.y > h - 16) {
    e.x -= e.vx;
    e.y -= e.vy;
  }
  if (BlackHole* hole = PullTowardHoles(game, e, kInterceptorPull)) {
    Kill(game, e, false);
    Absorb(game, *hole, 1);
    return;
  }
  Separate(game.interceptors, e, 800, 1);
  CapSpeed(e, speedLimit);
  if (TouchesShip(game, e, 576)) game.interceptors.Remove(e);
}

void Kill(Game& game, Interceptor& e, bool byPlayer) {
  if (byPlayer) AwardKill(game, e, 100, Sound::QuarkHit2, 1);
  Burst(game, e, 6, 16, game.colours[kInterceptorColour], 0);
  ShockGrid(game.grid, static_cast<int>(e.x), static_cast<int>(e.y));
  game.interceptors.Remove(e);
}

void Draw(Game& game, Interceptor& e) {
  Graphics& gfx = game.gfx;
  const float sx = e.x - game.view.scrollX, sy = e.y - game.view.scrollY;
  gfx.SetColor(255, 255, 255);
  gfx.SetBlend(kAddBlend);
  gfx.SetAlpha(1);
  gfx.SetScale(1, 1);
  gfx.SetOrigin(0, 0);
  gfx.SetRotation(static_cast<float>(e.heading + 90));
  gfx.DrawImage(game.images.redClone, sx, sy, 0);
  const Rgb& c = game.colours[kInterceptorColour];
  gfx.SetColor(c.red, c.green, c.blue);
  gfx.SetRotation(0);
  const float fx = CosDeg(e.heading), fy = SinDeg(e.heading);
  const float sideX = SinDeg(e.heading), sideY = -CosDeg(e.heading);
  if (std::abs(e.turnLeft) < 5) {
    const float g = e.spin / 360;
    for (float t : {1.5f + g, 2.5f + g, 3.5f + g}) {
      const float ahead = 12 + 12 * t, half = 12 - 9 * t;
      gfx.Line(sx + ahead * fx + half * sideX, sy + ahead * fy + half * sideY, sx + ahead * fx - half * sideX,
               sy + ahead * fy - half * sideY);
    }
  }
  RefreshShield(e);
}

// The shield line's ends: 64 pixels ahead along the velocity and 36 to either side.
void RefreshShield(Interceptor& e) {
  const float speed = Length(e.vx, e.vy);
  float ux = 1, nx = 1;
  if (speed != 0) {
    ux = e.vx / speed;
    nx = -e.vy / speed;
  }
  e.shieldAx = e.x + 64 * ux + 36 * nx;
  e.shieldAy = e.y - 64 * nx + 36 * ux;
  e.shieldBx = e.x + 64 * ux - 36 * nx;
  e.shieldBy = e.y - 64 * nx - 36 * ux;
}

}  // namespace qv
