#include "enemies/black_hole.h"

#include <algorithm>
#include <memory>

#include "effects/grid.h"
#include "effects/particles.h"
#include "enemies/simple_kinds.h"
#include "platform/degmath.h"
#include "scoring/score.h"
#include "shell/game.h"

namespace qv {

namespace {

PanVolume HolePanVolume(const Game& game, const BlackHole& h) {
  return PositionalPanVolume(h.x, h.y, game.ship.x, game.ship.y, static_cast<float>(game.view.fieldWidth),
                             static_cast<float>(game.view.fieldHeight));
}

// The first hit or swallow wakes the hole: it hums on its slot and bulges the grid.
void Activate(Game& game, BlackHole& h) {
  h.active = 1;
  const PanVolume pv = HolePanVolume(game, h);
  game.sounds.StartHum(h.humSlot, pv.pan, pv.volume, game.settings.sfxVolume);
  PushGrid(game.grid, h.x, h.y, 6, 1);
}

void Sparks(Game& game, float x, float y, int count) {
  const Rgb& c = game.colours[kBlackHoleColour];
  for (int i = 0; i < count; ++i) SpawnParticle(game, x, y, 0, c.red, c.green, c.blue, 1, 0);
}

void InteractBlackHoles(Game& game, BlackHole& self) {
  game.blackHoles.ForEach([&](BlackHole& h) {
    if (&h == &self) return;
    const float dx = h.x - self.x, dy = h.y - self.y;
    const float d = Length(dx, dy) + 0.001f;
    const float k = std::clamp((h.size - self.size) / 8, 1.0f, 8.0f);
    if (d >= 2 * h.size + 2 * self.size + 64) return;
    float ax = dx / d * k, ay = dy / d * k;
    if (d < h.size + self.size) {  // overlapping: repulsion with a quarter-turn swirl
      ax = -ax - ay * 0.25f;
      ay = -ay - ax * 0.25f;
    }
    self.vx += ax;
    self.vy += ay;
    CapSpeed(self, game.state.kindSpeed[kKindBlackHole]);
  });
}

}  // namespace

int BlackHoleBonus(int swallowed) { return 150 + 5 * (swallowed * (swallowed + 1) / 2); }

void SpawnBlackHole(Game& game, float x, float y, float size, int delay, int placement) {
  AdjustForSpawn(game, x, y, placement);
  if (game.blackHoles.Count() >= kMaxBlackHoles) return;
  auto h = std::make_shared<BlackHole>();
  h->humSlot = game.nextHumSlot;
  game.nextHumSlot = (game.nextHumSlot + 1) % kHumSlots;
  h->size = size;
  FinishSpawn(game, *h, x, y, -1, 0.05f, 0.5f, delay, Sound::Sun1);
  game.blackHoles.Append(std::move(h));
}

void SpawnDemoBlackHole(Game& game, float x, float y, float size) {
  if (game.blackHoles.Count() >= 16) return;
  auto h = std::make_shared<BlackHole>();
  h->size = size;
  h->active = 1;
  StartMoving(game, *h, x, y, -1, 1, 4, 0);
  game.blackHoles.Append(std::move(h));
}

void Update(Game& game, BlackHole& h) {
  if (h.spawnDelay > 0) {
    h.spawnDelay -= 1;
    return;
  }
  h.spin += 1;
  h.x += h.vx;
  h.y += h.vy;
  WallBounce(game, h, 16);
  if (h.active) PullGrid(game.grid, h.x, h.y, static_cast<int>(5 + h.size / 2), 4);
  InteractBlackHoles(game, h);
  const float reach = 12 + h.size / 2;
  if (TouchesShip(game, h, reach * reach + 144)) {
    game.blackHoles.Remove(h);
    return;
  }
  if (!h.active) return;
  const int spin = static_cast<int>(h.spin);
  if (spin % 60 == 0) {
    for (int i = 0; i < 8; ++i) {
      const double a = h.spin + 45.0 * i;
      SpawnParticle(game, h.x + SinDeg(h.spin) * h.size * 1.15f + SinDeg(a) * 3,
                    h.y + CosDeg(h.spin) * h.size * 1.15f + CosDeg(a) * 3, 7, game.cycling.red, game.cycling.green,
                    game.cycling.blue, 1, static_cast<float>(a));
    }
  }
  if (spin % 25 == 0) {
    const PanVolume pv = HolePanVolume(game, h);
    game.sounds.SetHumPanVolume(h.humSlot, pv.pan, pv.volume, game.settings.sfxVolume);
  }
}

void DemoUpdate(Game& game, BlackHole& h) {
  h.spin += 1;
  h.x += h.vx;
  h.y += h.vy;
  BounceInside(h.x, h.y, h.vx, h.vy, 32, static_cast<float>(game.view.viewWidth),
               static_cast<float>(game.view.viewHeight));
  if (h.active && static_cast<int>(h.spin) % 25 == 0) {
    for (int i = 0; i < 8; ++i)
      SpawnParticle(game, h.x + SinDeg(h.spin) * h.size * 1.25f + SinDeg(45.0 * i) * 8,
                    h.y + CosDeg(h.spin) * h.size * 1.25f + CosDeg(45.0 * i) * 8, 7, game.cycling.red,
                    game.cycling.green, game.cycling.blue, 0, 0);
  }
}

void Hit(Game& game, BlackHole& h, bool byPlayer) {
  if (!h.active) Activate(game, h);
  h.size -= 0.75f;
  game.sounds.SetHumRate(h.humSlot, h.size / 16);
  if (!byPlayer) h.size = 0;
  Sparks(game, h.x, h.y, 4);
  if (h.size < 4) {
    PushGrid(game.grid, h.x, h.y, 8, 2);
    game.sounds.StopHum(h.humSlot);
    game.blackHoles.Remove(h);
    Sparks(game, h.x, h.y, 32);
    if (byPlayer) AwardPoints(game, static_cast<int>(h.x), static_cast<int>(h.y), BlackHoleBonus(h.swallowed), true);
    PlayAt(game, Sound::Explo1Big, 1, h.x, h.y);
    return;
  }
  PlayAt(game, Sound::SunHit1, 1.1f + (64 - h.size) / 64, h.x, h.y);
}

void Absorb(Game& game, BlackHole& h, int amount) {
  h.swallowed += 1;
  const int growth = std::min(1 + game.state.gameTicks / 15000, 6);
  h.size += static_cast<float>(amount * growth);
  if (!h.active) Activate(game, h);
  game.sounds.SetHumRate(h.humSlot, h.size / 16);
  if (h.size <= 64) {
    PlayAt(game, Sound::Sizzle1, 1, h.x, h.y);
    return;
  }
  // Overfed: the hole bursts into a ring of seekers and butterflies, for no points.
  game.sounds.StopHum(h.humSlot);
  for (int i = 0; i < 16; ++i)
    SpawnSeeker(game, static_cast<float>(static_cast<int>(h.x + CosDeg(22.5 * i) * 20)),
                static_cast<float>(static_cast<int>(h.y + SinDeg(22.5 * i) * 20)), 4, 1, 1);
  for (int i = 0; i < 18; ++i)
    SpawnButterfly(game, static_cast<float>(static_cast<int>(h.x + CosDeg(20.0 * i) * 30)),
                   static_cast<float>(static_cast<int>(h.y + SinDeg(20.0 * i) * 30)), 4, 1);
  game.blackHoles.Remove(h);
  const Rgb& c = game.colours[kBlackHoleColour];
  for (int i = 0; i < 36; ++i)
    SpawnParticle(game, h.x + SinDeg(10.0 * i) * 20, h.y + CosDeg(10.0 * i) * 20, 0, c.red, c.green, c.blue, 1, 0);
  PlayAt(game, Sound::SunExp, 1, h.x, h.y);
}

void Draw(Game& game, const BlackHole& h) {
  Graphics& gfx = game.gfx;
  const float k = 0.25f + h.size / 64;
  const Rgb& c = game.colours[kBlackHoleColour];
  gfx.SetColor(c.red, c.green, c.blue);
  gfx.SetOrigin(h.x - game.view.scrollX, h.y - game.view.scrollY);
  gfx.SetBlend(kAlphaBlend);
  gfx.SetRotation(0);
  if (h.spawnDelay <= 0) {
    const float s = std::fmod(h.spin / 16, 8.0f) + 0.5f;
    gfx.SetAlpha(0.5f - s / 8);
    gfx.SetScale(s + h.size / 16, s + h.size / 16);
  } else {
    gfx.SetAlpha(h.spawnDelay / 40.0f);
    gfx.SetScale(h.spawnDelay / 5.0f, h.spawnDelay / 5.0f);
  }
  gfx.Poly(game.circle.data(), 18);
  gfx.SetColor(255, 255, 255);
  gfx.SetOrigin(0, 0);
  gfx.SetAlpha(1);
  gfx.SetScale(k, k);
  gfx.SetBlend(kAddBlend);
  gfx.DrawImage(game.images.redCircle, h.x - game.view.scrollX, h.y - game.view.scrollY, 0);
  gfx.SetScale(1, 1);
}

}  // namespace qv
