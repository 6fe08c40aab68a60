#include "enemies/triangle.h"

#include <memory>

#include "effects/grid.h"
#include "effects/particles.h"
#include "enemies/black_hole.h"
#include "platform/degmath.h"
#include "scoring/score.h"
#include "shell/game.h"
#include "shell/game_flow.h"

namespace qv {

namespace {

constexpr float kTriangleHalo[6] = {0, -10, 8, 6, -8, 6};

void Bind(Game& game, Triangle& a, Triangle& b) {
  a.paired = 1;
  a.tether = 25;
  a.partner = game.triangles.Share(b);
  b.paired = 1;
  b.partner = game.triangles.Share(a);
  b.tether = 25;
}

void ClearBond(Triangle& t) {
  t.partner.reset();
  t.paired = 0;
  t.partnerHandlesHoles = 0;
}

// Keeps a pair between 64 and 150 pixels apart.
void KeepDistance(Triangle& t, float px, float py) {
  const float dx = px - t.x, dy = py - t.y;
  const float d = Length(dx, dy) + 0.001f;
  if (d > 150) {
    t.vx += dx / d * 32;
    t.vy += dy / d * 32;
  } else if (d < 64) {
    t.vx -= dx / d * 32;
    t.vy -= dy / d * 32;
  }
}

// The pair against every black hole: this member steers into the hole while the partner is flung
// about, until the tether snaps and the hole swallows this one. Returns false when it was swallowed.
bool TugOfWar(Game& game, Triangle& t) {
  bool swallowed = false;
  game.blackHoles.ForEach([&](BlackHole& h) {
    if (swallowed) return;
    std::shared_ptr<Triangle> partner = t.partner.lock();
    if (!partner) return;
    partner->partnerHandlesHoles = 1;
    SteerToward(t, h.x, h.y, static_cast<float>(static_cast<int>(100 + 10 * h.size)), 1);
    const float dx = h.x - t.x, dy = h.y - t.y;
    if (dx * dx + dy * dy < 144 + 4 * h.size * h.size &&
        Stretch(*partner, CosDeg(2 * h.spin) * 16, SinDeg(2 * h.spin) * 16)) {
      ClearBond(*partner);
      partner->tether = 0;
      ClearBond(t);
      t.tether = 0;
      game.triangles.Remove(t);
      Absorb(game, h, 1);
      swallowed = true;
    }
  });
  return !swallowed;
}

}  // namespace

void Unbind(Triangle& t) {
  if (std::shared_ptr<Triangle> partner = t.partner.lock()) {
    ClearBond(*partner);
    partner->tether = 0;
  }
  ClearBond(t);
}

bool Stretch(Triangle& t, float kickX, float kickY) {
  t.vx -= kickX / 2;
  t.vy -= kickY / 2;
  t.tether -= 0.25f;
  return t.tether <= 0;
}

Triangle* SpawnTriangle(Game& game, float x, float y, int delay, int placement) {
  AdjustForSpawn(game, x, y, placement);
  auto t = std::make_shared<Triangle>();
  FinishSpawn(game, *t, x, y, -1, 0.25f, 1, delay, Sound::Buzz1);
  return &game.triangles.Append(std::move(t));
}

void Update(Game& game, Triangle& t) {
  if (t.spawnDelay > 0) {
    t.spawnDelay -= 1;
    return;
  }
  t.tetherChecked = 0;
  t.spin += 2;
  game.triangles.ForEach([&](Triangle& other) {
    if (&other == &t || t.paired || other.paired) return;
    const float dx = other.x - t.x, dy = other.y - t.y;
    if (dx * dx + dy * dy < 1024) Bind(game, t, other);
  });
  if (t.paired) {
    if (std::shared_ptr<Triangle> partner = t.partner.lock()) KeepDistance(t, partner->x, partner->y);
    if (t.partnerHandlesHoles == 0 && !TugOfWar(game, t)) return;
  } else {
    SteerToward(t, game.ship.x, game.ship.y, 300, 1);
    if (BlackHole* hole = PullTowardHoles(game, t, kTrianglePull)) {
      Hit(game, t, 0, 0, false);
      Absorb(game, *hole, 1);
      return;
    }
  }
  CapSpeed(t, game.state.kindSpeed[kKindTriangle]);
  t.x += t.vx;
  t.y += t.vy;
  WallBounce(game, t, 8);
  const float dx = t.x - game.ship.x, dy = t.y - game.ship.y;
  if (dx * dx + dy * dy < 576) {
    t.killedShip = 1;
    if (!ShipHit(game)) {
      t.killedShip = 0;
      return;
    }
    Unbind(t);
    game.triangles.Remove(t);
  }
}

void Hit(Game& game, Triangle& t, float kickX, float kickY, bool byPlayer) {
  for (int i = 0; i < 4; ++i)
    SpawnParticle(game, t.x, t.y, 8, static_cast<int>(20 + 4 * t.tether), static_cast<int>(220 - 4 * t.tether), 0, 1,
                  t.spin);
  if (!byPlayer) t.paired = 0;
  if (t.paired) {
    t.vx -= kickX / 16;
    t.vy -= kickY / 16;
    t.tether -= 2.5f;
    if (t.tether <= 0) {
      t.tether = 0;
      Unbind(t);
    }
    PlayAt(game, Sound::Echo1, 1, t.x, t.y);
    return;
  }
  if (byPlayer) AwardPoints(game, static_cast<int>(t.x), static_cast<int>(t.y), 150, true);
  ShockGrid(game.grid, static_cast<int>(t.x), static_cast<int>(t.y));
  PlayAt(game, Sound::Elastic, 1, t.x, t.y);
  Burst(game, t, 8, 32, game.colours[kTriangleColour], 0);
  game.triangles.Remove(t);
}

void Draw(Game& game, const Triangle& t) {
  DrawHalo(game, t, game.colours[kTriangleColour], 2 * t.spin, kTriangleHalo, 3);
  Graphics& gfx = game.gfx;
  gfx.SetColor(255, 255, 255);
  gfx.SetOrigin(0, 0);
  gfx.SetAlpha(1);
  gfx.SetScale(1, 1);
  gfx.SetBlend(kAddBlend);
  gfx.SetRotation(2 * t.spin);
  const float sx = t.x - game.view.scrollX, sy = t.y - game.view.scrollY;
  gfx.DrawImage(game.images.orangeTriangle, sx, sy, 0);
  if (t.paired) {
    gfx.SetRotation(4 * t.spin + 180);
    gfx.DrawImage(game.images.orangeTriangle, sx, sy, 0);
  }
  gfx.SetRotation(0);
}

void DrawTether(Game& game, const Triangle& t) {
  if (!t.paired || t.killedShip != 0) return;
  std::shared_ptr<Triangle> partner = t.partner.lock();
  if (!partner) return;
  game.gfx.SetColor(static_cast<int>(20 + 8 * t.tether), static_cast<int>(220 - 8 * t.tether), 0);
  game.gfx.Line(t.x - game.view.scrollX, t.y - game.view.scrollY, partner->x - game.view.scrollX,
                partner->y - game.view.scrollY);
}

}  // namespace qv
