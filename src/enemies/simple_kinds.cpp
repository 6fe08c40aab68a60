#include "enemies/simple_kinds.h"

#include <cmath>
#include <memory>

#include "effects/grid.h"
#include "effects/particles.h"
#include "enemies/black_hole.h"
#include "shell/game.h"

namespace qv {

namespace {

// The common shape of these kinds' updates: delay, spin, move, bounce, kind behaviour, separation,
// speed cap, ship contact.
template <class T, class Behaviour>
void CommonUpdate(Game& game, EntityList<T>& list, T& e, float margin, Behaviour behaviour, float separation2,
                  float separationStep, float speedLimit, float contact2) {
  if (e.spawnDelay > 0) {
    e.spawnDelay -= 1;
    return;
  }
  e.spin += 1;
  e.x += e.vx;
  e.y += e.vy;
  WallBounce(game, e, margin);
  if (!behaviour()) return;  // swallowed by a black hole: already gone
  Separate(list, e, separation2, separationStep);
  CapSpeed(e, speedLimit);
  if (TouchesShip(game, e, contact2)) list.Remove(e);
}

// The black-hole step of a kind: pulled, and perhaps swallowed (ended without points, then the hole
// absorbs it). Returns false when the enemy is gone.
template <class T>
bool HoleStep(Game& game, T& e, const HolePull& pull) {
  BlackHole* hole = PullTowardHoles(game, e, pull);
  if (!hole) return true;
  Kill(game, e, false);
  Absorb(game, *hole, 1);
  return false;
}

template <class T>
T* Append(EntityList<T>& list, std::shared_ptr<T> e) {
  return &list.Append(std::move(e));
}

void SteerToShip(Game& game, Enemy& e, float accel) {
  SteerToward(e, game.ship.x, game.ship.y, static_cast<float>(game.view.fieldWidth), accel);
}

const float* CircleHalo(const Game& game) { return game.circle.data(); }

constexpr float kButterflyHalo[6] = {0, -10, 8, 6, -8, 6};

float KindSpeed(const Game& game, EnemyKind kind) { return game.state.kindSpeed[kind]; }

}  // namespace

// ---- Spawning ----

Pinwheel* SpawnPinwheel(Game& game, float x, float y, int delay, int placement) {
  AdjustForSpawn(game, x, y, placement);
  auto e = std::make_shared<Pinwheel>();
  FinishSpawn(game, *e, x, y, 90, 0.5f, 2, delay, Sound::Pop2);
  return Append(game.pinwheels, std::move(e));
}

Diamond* SpawnDiamond(Game& game, float x, float y, int delay, int placement) {
  AdjustForSpawn(game, x, y, placement);
  auto e = std::make_shared<Diamond>();
  FinishSpawn(game, *e, x, y, -1, 0.25f, 1, delay, Sound::Pop3);
  return Append(game.diamonds, std::move(e));
}

Seeker* SpawnSeeker(Game& game, float x, float y, int delay, int extraSpeed, int placement) {
  AdjustForSpawn(game, x, y, placement);
  auto e = std::make_shared<Seeker>();
  FinishSpawn(game, *e, x, y, -1, 3, 6, delay, Sound::GruntBorn);
  e->extraSpeed = extraSpeed;
  return Append(game.seekers, std::move(e));
}

Butterfly* SpawnButterfly(Game& game, float x, float y, int delay, int placement) {
  AdjustForSpawn(game, x, y, placement);
  auto e = std::make_shared<Butterfly>();
  FinishSpawn(game, *e, x, y, -1, 3, 6, delay, Sound::Butterfly);
  return Append(game.butterflies, std::move(e));
}

Square* SpawnSquare(Game& game, float x, float y, int delay, int placement) {
  AdjustForSpawn(game, x, y, placement);
  auto e = std::make_shared<Square>();
  FinishSpawn(game, *e, x, y, 90, 2, 4, delay, Sound::Buzz3);
  return Append(game.squares, std::move(e));
}

// ---- Updates ----

void Update(Game& game, Pinwheel& e) {
  CommonUpdate(
      game, game.pinwheels, e, 8, [&] { return HoleStep(game, e, kStandardPull); }, 800, 1,
      KindSpeed(game, kKindPinwheel), 576);
}

void Update(Game& game, Diamond& e) {
  CommonUpdate(
      game, game.diamonds, e, 8,
      [&] {
        if (!HoleStep(game, e, kStandardPull)) return false;
        SteerToShip(game, e, 0.5f);
        return true;
      },
      1300, 1, KindSpeed(game, kKindDiamond), 576);
}

void Update(Game& game, Seeker& e) {
  CommonUpdate(
      game, game.seekers, e, 8,
      [&] {
        SteerToShip(game, e, 4);
        return HoleStep(game, e, kSeekerPull);
      },
      976, 1, KindSpeed(game, kKindSeeker) + e.extraSpeed, 288);
}

void Update(Game& game, Butterfly& e) {
  CommonUpdate(
      game, game.butterflies, e, 8,
      [&] {
        SteerToShip(game, e, 2);
        return HoleStep(game, e, kButterflyPull);
      },
      512, 1.0f / 8, KindSpeed(game, kKindButterfly), 288);
}

void Update(Game& game, Square& e) {
  CommonUpdate(
      game, game.squares, e, 12,
      [&] {
        SteerToShip(game, e, 1);
        return HoleStep(game, e, kStandardPull);
      },
      1476, 1, KindSpeed(game, kKindSquare), 576);
}

void Dodge(Game& game, Square& square, float sx, float sy, float nx, float ny) {
  const float svx = nx - sx, svy = ny - sy;
  const float px = sx + 4 * svx, py = sy + 4 * svy;
  const float ox = square.x - px, oy = square.y - py;
  if (ox * ox + oy * oy > 10000) return;  // surely 100 pixels or more away: no swerve
  const float d1 = Length(ox, oy) + 0.001f;
  const float d2 = Length(svx, svy) + 0.001f;
  if (d1 >= 100) return;
  square.vx += 30 * (square.x - px) / d1 + 30 * (sx - nx) / d2;
  square.vy += 30 * (square.y - py) / d1 + 30 * (sy - ny) / d2;
  const float limit = 1.1f * game.state.kindSpeed[kKindSquare];
  CapSpeed(square, limit);
}

// ---- Kills ----

namespace {

template <class T>
void FinishKill(Game& game, EntityList<T>& list, T& e) {
  ShockGrid(game.grid, static_cast<int>(e.x), static_cast<int>(e.y));
  list.Remove(e);
}

}  // namespace

void Kill(Game& game, Pinwheel& e, bool byPlayer) {
  if (byPlayer) AwardKill(game, e, 25, Sound::QuarkHit, 1.0f);
  Burst(game, e, 6, 16, game.colours[kPinwheelColour], e.spin);
  FinishKill(game, game.pinwheels, e);
}

void Kill(Game& game, Diamond& e, bool byPlayer) {
  if (byPlayer) AwardKill(game, e, 50, Sound::QuarkHit, 0.98f);
  const Rgb& c = game.colours[kDiamondColour];
  for (int i = 0; i < 16; ++i) {
    const int r1 = game.rng.RandInt(-8, 8), r2 = game.rng.RandInt(-8, 8);
    SpawnParticle(game, e.x + r1, e.y + r2, 3, c.red, c.green, c.blue, 1, 0);
  }
  FinishKill(game, game.diamonds, e);
}

void Kill(Game& game, Seeker& e, bool byPlayer) {
  if (byPlayer) AwardKill(game, e, 10, Sound::QuarkHit, 1.0f);
  const Rgb& c = game.colours[kSeekerColour];
  for (int i = 0; i < 16; ++i) SpawnParticle(game, e.x, e.y, 2, c.red, c.green, c.blue, 1, 24.0f * i + e.spin);
  FinishKill(game, game.seekers, e);
}

void Kill(Game& game, Butterfly& e, bool byPlayer) {
  if (byPlayer) AwardKill(game, e, 10, Sound::QuarkHit, 1.0f);
  const Rgb& c = game.colours[kButterflyColour];
  for (int i = 0; i < 9; ++i) SpawnParticle(game, e.x, e.y, 8, c.red, c.green, c.blue, 1, 120.0f * i + e.spin);
  FinishKill(game, game.butterflies, e);
}

void Kill(Game& game, Square& e, bool byPlayer) {
  if (byPlayer) AwardKill(game, e, 100, Sound::QuarkHit, 1.1f);
  Burst(game, e, 6, 16, game.colours[kSquareColour], 0);
  FinishKill(game, game.squares, e);
}

// ---- Drawing ----

void Draw(Game& game, const Pinwheel& e) {
  DrawHalo(game, e, game.colours[kPinwheelColour], 4 * e.spin + 45, kDiamondHalo, 4);
  DrawImageAt(game, e, game.images.pinkPinwheel, 4 * e.spin);
}

void Draw(Game& game, const Seeker& e) {
  DrawHalo(game, e, game.colours[kSeekerColour], 0, CircleHalo(game), 18);
  DrawImageAt(game, e, game.images.blueCircle, 0);
}

void Draw(Game& game, const Butterfly& e) {
  DrawHalo(game, e, game.colours[kButterflyColour], 8 * e.spin, kButterflyHalo, 3);
  DrawImageAt(game, e, game.images.indigoTriangle, 8 * e.spin);
}

void Draw(Game& game, const Square& e) {
  DrawHalo(game, e, game.colours[kSquareColour], e.spin + 45, kDiamondHalo, 4);
  DrawImageAt(game, e, game.images.greenSquare, e.spin);
}

void DiamondBreath(float spin, int& a, int& b) {
  const int t = static_cast<int>(std::fmod(spin, 256.0f));
  a = b = 0;
  if (t < 128)
    a = t < 64 ? t : 127 - t;
  else
    b = t <= 190 ? t - 127 : 255 - t;
}

void Draw(Game& game, const Diamond& e) {
  Graphics& gfx = game.gfx;
  int a = 0, b = 0;
  DiamondBreath(e.spin, a, b);
  const Rgb& c = game.colours[kDiamondColour];
  gfx.SetColor(c.red, c.green, c.blue);
  gfx.SetOrigin(e.x - game.view.scrollX, e.y - game.view.scrollY);
  gfx.SetBlend(kAlphaBlend);
  gfx.SetRotation(0);
  if (e.spawnDelay <= 0) {
    const float s = std::fmod(e.spin / 16, 8.0f);
    gfx.SetAlpha(0.5f - (s + 0.5f) / 8);
    gfx.SetScale(1.5f + a / 16.0f, 1.5f + b / 16.0f);
  } else {
    gfx.SetAlpha(e.spawnDelay / 40.0f);
    gfx.SetScale(1 + e.spawnDelay / 5.0f, 1 + e.spawnDelay / 5.0f);
  }
  const float halo[8] = {0, 12 + b / 32.0f, 12 + a / 32.0f, 0, 0, -12 - b / 32.0f, -12 - a / 32.0f, 0};
  gfx.Poly(halo, 4);
  gfx.SetColor(255, 255, 255);
  gfx.SetOrigin(0, 0);
  gfx.SetAlpha(1);
  gfx.SetBlend(kAddBlend);
  gfx.SetScale(1 + a / 80.0f, 1 + b / 80.0f);
  gfx.DrawImage(game.images.blueDiamond, e.x - game.view.scrollX, e.y - game.view.scrollY, 0);
  gfx.SetScale(1, 1);
}

}  // namespace qv
