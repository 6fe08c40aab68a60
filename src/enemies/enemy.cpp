#include "enemies/enemy.h"

#include "effects/particles.h"
#include "enemies/black_hole.h"
#include "platform/degmath.h"
#include "shell/game.h"
#include "shell/game_flow.h"
#include "scoring/score.h"
#include "shell/spawn_director.h"

namespace qv {

void AdjustForSpawn(Game& game, float& x, float& y, int placement) {
  const int sx = static_cast<int>(game.ship.x), sy = static_cast<int>(game.ship.y);
  if (placement == 0)
    AdjustSpawnPoint(game, x, y, sx, sy, 160, 0);
  else
    AdjustSpawnPoint(game, x, y, sx, sy, 40, 1);
}

void PlayAt(Game& game, Sound sound, float rate, float x, float y) {
  const PanVolume pv = PositionalPanVolume(x, y, game.ship.x, game.ship.y, static_cast<float>(game.view.fieldWidth),
                                           static_cast<float>(game.view.fieldHeight));
  game.PlaySound(rate, pv.pan, pv.volume, sound);
}

void FinishSpawn(Game& game, Enemy& e, float x, float y, float spinStart, float minSpeed, float maxSpeed, int delay,
                 Sound spawnSound) {
  PlayAt(game, spawnSound, 1, x, y);
  StartMoving(game, e, x, y, spinStart, minSpeed, maxSpeed, delay);
}

void StartMoving(Game& game, Enemy& e, float x, float y, float spinStart, float minSpeed, float maxSpeed, int delay) {
  e.x = x;
  e.y = y;
  e.spin = spinStart < 0 ? static_cast<float>(game.rng.RandInt(0, 359)) : spinStart;
  const int direction = game.rng.RandInt(0, 359);
  const float speed = game.rng.RandReal(minSpeed, maxSpeed);
  e.vx = CosDeg(direction) * speed;
  e.vy = SinDeg(direction) * speed;
  e.spawnDelay = delay;
}

void BounceInside(float& x, float& y, float& vx, float& vy, float margin, float w, float h) {
  if (x < margin) {
    vx = std::fabs(vx);
    x += vx;
  } else if (x > w - margin) {
    vx = -std::fabs(vx);
    x += vx;
  }
  if (y < margin) {
    vy = std::fabs(vy);
    y += vy;
  } else if (y > h - margin) {
    vy = -std::fabs(vy);
    y += vy;
  }
}

void WallBounce(Game& game, Enemy& e, float margin) {
  BounceInside(e.x, e.y, e.vx, e.vy, margin, static_cast<float>(game.view.fieldWidth),
               static_cast<float>(game.view.fieldHeight));
}

void CapSpeed(Enemy& e, float limit) {
  const float speed = Length(e.vx, e.vy);
  if (speed > limit) {
    e.vx = e.vx / speed * limit;
    e.vy = e.vy / speed * limit;
  }
}

bool TouchesShip(Game& game, Enemy& e, float contact2) {
  const float dx = e.x - game.ship.x, dy = e.y - game.ship.y;
  if (dx * dx + dy * dy >= contact2) return false;
  e.killedShip = 1;
  return ShipHit(game);
}

void SteerToward(Enemy& e, float tx, float ty, float range, float accel) {
  const float d = Length(tx - e.x, ty - e.y) + 0.001f;
  if (d < range) {
    e.vx += (tx - e.x) / d * accel;
    e.vy += (ty - e.y) / d * accel;
  }
}

BlackHole* PullTowardHoles(Game& game, Enemy& e, const HolePull& pull) {
  BlackHole* swallower = nullptr;
  game.blackHoles.ForEach([&](BlackHole& hole) {
    if (swallower || !hole.active) return;
    const float dx = hole.x - e.x, dy = hole.y - e.y;
    const float d = Length(dx, dy) + 0.001f;
    if (d >= pull.reachBase + pull.reachPerSize * hole.size) return;
    e.vx += dx / d / pull.divisor * (pull.strength - d);
    e.vy += dy / d / pull.divisor * (pull.strength - d);
    if (d < pull.swallowBase + pull.swallowPerSize * hole.size) swallower = &hole;
  });
  return swallower;
}

void AwardKill(Game& game, const Enemy& e, int points, Sound sound, float rate) {
  AwardPoints(game, static_cast<int>(e.x), static_cast<int>(e.y), points, true);
  PlayAt(game, sound, rate, e.x, e.y);
}

void Burst(Game& game, const Enemy& e, int pattern, int count, Rgb colour, float angle) {
  for (int i = 0; i < count; ++i) SpawnParticle(game, e.x, e.y, pattern, colour.red, colour.green, colour.blue, 1, angle);
}

void DrawHalo(Game& game, const Enemy& e, Rgb colour, float haloRotation, const float* poly, int points) {
  Graphics& gfx = game.gfx;
  gfx.SetColor(colour.red, colour.green, colour.blue);
  gfx.SetBlend(kAlphaBlend);
  gfx.SetOrigin(e.x - game.view.scrollX, e.y - game.view.scrollY);
  gfx.SetRotation(haloRotation);
  if (e.spawnDelay <= 0) {
    const float s = std::fmod(e.spin / 16, 8.0f) + 0.5f;
    gfx.SetAlpha(0.5f - s / 8);
    gfx.SetScale(s, s);
  } else {
    gfx.SetAlpha(e.spawnDelay / 40.0f);
    gfx.SetScale(e.spawnDelay / 5.0f, e.spawnDelay / 5.0f);
  }
  gfx.Poly(poly, points);
}

void DrawImageAt(Game& game, const Enemy& e, const ImageHandle& image, float rotation, int frame) {
  Graphics& gfx = game.gfx;
  gfx.SetColor(255, 255, 255);
  gfx.SetOrigin(0, 0);
  gfx.SetAlpha(1);
  gfx.SetScale(1, 1);
  gfx.SetBlend(kAddBlend);
  gfx.SetRotation(rotation);
  gfx.DrawImage(image, e.x - game.view.scrollX, e.y - game.view.scrollY, frame);
  gfx.SetRotation(0);
}

}  // namespace qv
