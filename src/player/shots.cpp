#include "player/shots.h"

#include <cmath>
#include <memory>

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
#include "shell/game.h"

namespace qv {

namespace {

int Sign(float v) { return (v > 0) - (v < 0); }

// The colour every shot shares, from the timers at this moment: super wins over bouncy.
const Rgb& ShotColour(const Game& game) {
  if (game.ship.superTimer != 0) return game.colours[kSuperShotColour];
  if (game.ship.bouncyTimer != 0) return game.colours[kBouncyShotColour];
  return game.colours[kShotColour];
}

float Dist2(const Shot& s, float x, float y) {
  const float dx = s.x - x, dy = s.y - y;
  return dx * dx + dy * dy;
}

// Calls `hit` on the first object of `list` within reach; returns true when there was one.
template <class T, class Reach, class Hit>
bool FirstInReach(EntityList<T>& list, Reach reach, Hit hit) {
  T* found = list.Find(reach);
  if (!found) return false;
  hit(*found);
  return true;
}

// One half-step; returns true when the shot died in it.
bool HalfStep(Game& game, Shot& s) {
  const PlayerShip& ship = game.ship;
  bool dead = false;
  s.x += s.vx / 2;
  s.y += s.vy / 2;
  if (s.x < 0 || s.x > game.view.fieldWidth - 1) {
    s.x -= s.vx;
    if (ship.bouncyTimer == 0) dead = true;
    else s.vx = -s.vx;
  }
  if (s.y < 0 || s.y > game.view.fieldHeight - 1) {
    s.y -= s.vy;
    if (ship.bouncyTimer == 0) dead = true;
    else s.vy = -s.vy;
  }
  if (!dead) {
    const bool hit = HitTestShot(game, s);
    if (hit && game.ship.superTimer <= 0) dead = true;
  }
  if (!dead) {
    game.blackHoles.ForEach([&](BlackHole& hole) {
      if (hole.active)
        DeflectShot(s, hole.x, hole.y, static_cast<int>(75 + 5 * hole.size), static_cast<int>(hole.size / 4));
    });
  }
  const float len = std::sqrt(s.vx * s.vx + s.vy * s.vy);
  if (len > 0 && len < s.nominalSpeed / 2) {
    s.vx *= (s.nominalSpeed / 2) / len;
    s.vy *= (s.nominalSpeed / 2) / len;
  }
  if (dead) {
    const Rgb& c = ShotColour(game);
    for (int i = 0; i < 4; ++i) SpawnParticle(game, s.x, s.y, 0, c.red, c.green, c.blue, 1, 0);
    game.shots.Remove(s);
    PlayAt(game, Sound::ShotWall, 1, s.x, s.y);
    return true;
  }
  PushGrid(game.grid, s.x + 2 * s.vx, s.y + 2 * s.vy, 3, 0.025f);
  return false;
}

}  // namespace

void CreateShot(Game& game, float x, float y, float vx, float vy, float speed) {
  if (game.shots.Count() >= kMaxShots) return;
  auto s = std::make_shared<Shot>();
  s->x = x;
  s->y = y;
  s->vx = vx;
  s->vy = vy;
  s->nominalSpeed = speed;
  game.shots.Append(std::move(s));
}

void UpdateShot(Game& game, Shot& shot) {
  if (HalfStep(game, shot)) return;
  HalfStep(game, shot);
}

void DeflectShot(Shot& s, float bx, float by, int range, int damping) {
  const float dx = bx - s.x, dy = by - s.y;
  const float q = dx * dx + dy * dy;
  const float r = static_cast<float>(range);
  if (q < r * r && q > 1024) {
    // 26 - damping is never 0 for a hole that can pull (its size stays at most 64 + growth)
    const float k = static_cast<float>(26 - damping);
    if (k == 0) return;
    s.vx -= Sign(dx) / k;
    s.vy -= Sign(dy) / k;
  }
}

bool WedgeTest(float px, float py, float ax, float ay, float bx, float by, float cx, float cy) {
  bool inside = true;
  auto crosses = [&](float x1, float y1, float x2, float y2) {
    if (y1 == y2) return false;
    if (!((y1 <= py && py < y2) || (y2 <= py && py < y1))) return false;
    const float xAt = x1 + (py - y1) * (x2 - x1) / (y2 - y1);
    return px < xAt;
  };
  if (crosses(ax, ay, bx, by)) inside = !inside;
  if (crosses(ax, ay, cx, cy)) inside = !inside;
  return inside;
}

void BeginShotTargets(Game& game) {
  ShotTargets& t = game.shotTargets;
  const int w = game.view.fieldWidth, h = game.view.fieldHeight;
  game.squares.Hold();
  game.pinwheels.Hold();
  game.diamonds.Hold();
  game.cubes.Hold();
  game.seekers.Hold();
  game.triangles.Hold();
  game.snakes.Hold();
  game.butterflies.Hold();
  t.squares.Build(game.squares, w, h);
  t.pinwheels.Build(game.pinwheels, w, h);
  t.diamonds.Build(game.diamonds, w, h);
  t.cubes.Build(game.cubes, w, h);
  t.seekers.Build(game.seekers, w, h);
  t.triangles.Build(game.triangles, w, h);
  t.snakes.Build(game.snakes, w, h);
  t.butterflies.Build(game.butterflies, w, h);
  t.active = true;
}

void EndShotTargets(Game& game) {
  game.shotTargets.active = false;
  game.squares.Release();
  game.pinwheels.Release();
  game.diamonds.Release();
  game.cubes.Release();
  game.seekers.Release();
  game.triangles.Release();
  game.snakes.Release();
  game.butterflies.Release();
}

namespace {

// The first enemy of a list within reach: through the index while the shots' walk holds the lists,
// else by walking the list. `radius` bounds the reach.
template <class T, class Reach>
T* FirstTarget(EntityList<T>& list, const TargetIndex<T>& index, bool indexed, const Shot& s, float radius,
               Reach reach) {
  return indexed ? index.First(s.x, s.y, radius, reach) : list.Find(reach);
}

template <class T, class Reach, class Hit>
bool HitFirst(EntityList<T>& list, const TargetIndex<T>& index, bool indexed, const Shot& s, float radius,
              Reach reach, Hit hit) {
  T* found = FirstTarget(list, index, indexed, s, radius, reach);
  if (!found) return false;
  hit(*found);
  return true;
}

// Squares within reach die; every square before it in the list is told about the passing shot.
bool HitSquares(Game& game, Shot& s) {
  const auto reach = [&](const Square& q) { return Dist2(s, q.x, q.y) < 260; };
  const ShotTargets& t = game.shotTargets;
  Square* hit = FirstTarget(game.squares, t.squares, t.active, s, 17, reach);
  const std::size_t hitSlot = hit ? hit->slot : SIZE_MAX;
  const auto dodge = [&](Square& q) { Dodge(game, q, s.x, s.y, s.x + s.vx, s.y + s.vy); };
  if (t.active) {
    // Only squares within 100 pixels of where the shot will be in four frames can swerve.
    t.squares.Near(s.x + 4 * s.vx, s.y + 4 * s.vy, 101, hitSlot, dodge);
  } else {
    game.squares.ForEach([&](Square& q) {
      if (q.slot < hitSlot) dodge(q);
    });
  }
  if (!hit) return false;
  Kill(game, *hit, true);
  return true;
}

}  // namespace

bool HitTestShot(Game& game, Shot& s) {
  if (FirstInReach(
          game.blackHoles,
          [&](const BlackHole& h) {
            const float r = 12 + h.size / 2;
            return Dist2(s, h.x, h.y) < r * r;
          },
          [&](BlackHole& h) { Hit(game, h, true); }))
    return true;

  const ShotTargets& t = game.shotTargets;
  const bool on = t.active;
  if (HitSquares(game, s)) return true;
  if (HitFirst(
          game.pinwheels, t.pinwheels, on, s, 17, [&](const Pinwheel& e) { return Dist2(s, e.x, e.y) < 260; },
          [&](Pinwheel& e) { Kill(game, e, true); }))
    return true;
  if (HitFirst(
          game.diamonds, t.diamonds, on, s, 19, [&](const Diamond& e) { return Dist2(s, e.x, e.y) < 333; },
          [&](Diamond& e) { Kill(game, e, true); }))
    return true;
  if (HitFirst(
          game.cubes, t.cubes, on, s, 17, [&](const Cube& e) { return Dist2(s, e.x, e.y) < 265 - 3 * e.shrink; },
          [&](Cube& e) { Kill(game, e, true); }))
    return true;
  if (HitFirst(
          game.seekers, t.seekers, on, s, 13, [&](const Seeker& e) { return Dist2(s, e.x, e.y) < 148; },
          [&](Seeker& e) { Kill(game, e, true); }))
    return true;
  if (HitFirst(
          game.triangles, t.triangles, on, s, 13, [&](const Triangle& e) { return Dist2(s, e.x, e.y) < 148; },
          [&](Triangle& e) { Hit(game, e, -5 * s.vx, -5 * s.vy, true); }))
    return true;
  if (FirstInReach(
          game.generators, [&](const Generator& g) { return Dist2(s, g.x, g.y) < 144 + g.size; },
          [&](Generator& g) { Hit(game, g, true); }))
    return true;
  if (HitFirst(
          game.snakes, t.snakes, on, s, 11, [&](const Snake& e) { return Dist2(s, e.x, e.y) < 81 + e.index; },
          [&](Snake& e) { Kill(game, e, true); }))
    return true;

  // Interceptors within 64 pixels: a turning one dies within 12 pixels; one flying straight absorbs
  // shots that meet its shield wedge first.
  bool stopped = false;
  Interceptor* killed = nullptr;
  game.interceptors.ForEach([&](Interceptor& e) {
    if (stopped) return;
    const float q = Dist2(s, e.x, e.y);
    if (q >= 4096) return;
    if (std::abs(e.turnLeft) <= 4 &&
        WedgeTest(s.x, s.y, e.x - s.vx, e.y - s.vy, e.shieldAx, e.shieldAy, e.shieldBx, e.shieldBy)) {
      stopped = true;
      return;
    }
    if (q < 144) {
      killed = &e;
      stopped = true;
    }
  });
  if (killed) Kill(game, *killed, true);
  if (stopped) return true;

  return HitFirst(
      game.butterflies, t.butterflies, on, s, 11, [&](const Butterfly& e) { return Dist2(s, e.x, e.y) < 104; },
      [&](Butterfly& e) { Kill(game, e, true); });
}

void DrawShots(Game& game) {
  Graphics& gfx = game.gfx;
  const Rgb& c = ShotColour(game);
  gfx.SetColor(c.red, c.green, c.blue);
  gfx.SetOrigin(0, 0);
  gfx.SetAlpha(1);
  gfx.SetScale(1, 1);
  gfx.SetBlend(kAddBlend);
  game.shots.ForEach([&](const Shot& s) {
    gfx.SetRotation(static_cast<float>(static_cast<int>(Atan2Deg(s.vy, s.vx) + 90)));
    gfx.DrawImage(game.images.yellowShot, s.x - game.view.scrollX, s.y - game.view.scrollY, 0);
  });
  gfx.SetRotation(0);
}

}  // namespace qv

