#include "effects/particles.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/degmath.h"
#include "shell/game.h"

namespace qv {

namespace {

// Any life beyond this is cut to 200 by the first step anyway; the bound keeps the counting (and the
// black holes' life bonus) far from overflow whatever the settings say.
constexpr int kLifeBound = 1 << 20;

// The slots in play: 0..particleCount - 1 of the pool, none when the setting is 0 or less.
int SlotsInUse(const Game& game) {
  const int pool = static_cast<int>(std::min<std::size_t>(game.particles.slots.size(), kParticleCapacity));
  return std::clamp(game.settings.particleCount, 0, pool);
}

// The damping factor, kept where the settings file keeps it, so a bad value can neither freeze nor
// explode the sparks (NaN falls to the low end).
float Decay(const Game& game) {
  const float d = game.settings.particleDecay;
  if (!(d >= 0.01f)) return 0.01f;
  return std::min(d, 0.9999f);
}

int Boost(int component, float k) { return std::min(static_cast<int>(static_cast<float>(component) * k), 255); }

void SetBoostedColour(Graphics& gfx, const Particle& p, float k) {
  gfx.SetColor(Boost(p.red, k), Boost(p.green, k), Boost(p.blue, k));
}

// The streak of styles 0, 1 and 3: a line along the velocity, stretched by the current scale.
void DrawStreaks(Game& game, int count) {
  Graphics& gfx = game.gfx;
  const float sx = static_cast<float>(game.view.scrollX), sy = static_cast<float>(game.view.scrollY);
  const Particle* slots = game.particles.slots.data();
  for (int i = 0; i < count; ++i) {
    const Particle& p = slots[i];
    if (p.life <= 0) continue;
    SetBoostedColour(gfx, p, 1.25f);
    const float x = p.x - sx, y = p.y - sy;
    gfx.Line(x, y, x + p.vx, y + p.vy);
  }
}

// Moves one coordinate and bounces it off [0, size - 1]. The low edge compares the position with the
// velocity rather than with 0, which throws a spark arriving at the edge well back into the field.
inline void StepAxis(float& pos, float& vel, float size) {
  pos += vel;
  if (pos <= vel) {
    vel = std::fabs(vel);
    pos += 2 * vel;
  }
  if (pos > (size - 1) - vel) {
    vel = -std::fabs(vel);
    pos += 2 * vel;
  }
}

}  // namespace

void InitParticles(Game& game) {
  game.particles.slots.assign(kParticleCapacity, Particle{});
  game.particles.nextSlot = 0;
}

void ClearParticles(Game& game) {
  // The pool is made at start-up; only a pool that was never made is sized here.
  if (game.particles.slots.size() != static_cast<std::size_t>(kParticleCapacity))
    game.particles.slots.resize(kParticleCapacity);
  std::fill(game.particles.slots.begin(), game.particles.slots.end(), Particle{});
  game.particles.nextSlot = 0;
}

void SpawnParticle(Game& game, float x, float y, int pattern, int red, int green, int blue, int advance,
                   float angle) {
  const int count = SlotsInUse(game);
  if (count <= 0) return;
  ParticlePool& pool = game.particles;
  if (pool.nextSlot < 0 || pool.nextSlot >= count) pool.nextSlot = 0;
  Particle& p = pool.slots[static_cast<std::size_t>(pool.nextSlot)];
  Rng& rng = game.rng;

  p.x = x;
  p.y = y;
  p.red = red;
  p.green = green;
  p.blue = blue;
  const int longest = std::clamp(game.settings.particleLife, -kLifeBound, kLifeBound);
  p.life = rng.RandInt(longest - 20, longest);

  // The random draws come in a fixed order (life, then direction, then speed) so a seed replays.
  // Directions built from a random multiple plus the given angle are whole degrees.
  double direction = 0;
  float speed = 0;
  switch (pattern) {
    case 0:
      direction = rng.RandInt(0, 359);
      speed = rng.RandReal(3, 10);
      break;
    case 1:  // the bomb's ring: a fixed fast spark
      direction = angle;
      speed = 16;
      p.life = 24;
      break;
    case 2:
      direction = std::trunc(angle);
      speed = 8;
      break;
    case 3:
      direction = std::trunc(rng.RandInt(0, 3) * 90.0 + angle);
      speed = rng.RandReal(3, 10);
      break;
    case 6:
      direction = std::trunc(rng.RandInt(0, 7) * 45.0 + angle);
      speed = rng.RandReal(3, 10);
      break;
    case 7:  // the black hole's slow drift
      direction = angle;
      speed = rng.RandReal(0.5f, 1);
      break;
    case 8:
      direction = std::trunc(rng.RandInt(0, 2) * 120.0 + angle);
      speed = rng.RandReal(3, 10);
      break;
    case 9:
      direction = rng.RandInt(0, 359);
      speed = rng.RandReal(1, 13);
      break;
    default:  // no such burst: the spark sits still
      break;
  }
  p.vx = CosDeg(direction) * speed * 2;
  p.vy = SinDeg(direction) * speed * 2;
  p.x += p.vx * static_cast<float>(advance);
  p.y += p.vy * static_cast<float>(advance);

  pool.nextSlot += 1;
  if (pool.nextSlot > count - 1) pool.nextSlot = 0;
}

void UpdateParticles(Game& game, int screenMode) {
  const int count = SlotsInUse(game);
  const ViewState& v = game.view;
  const float w = static_cast<float>(screenMode == 0 ? v.fieldWidth : v.viewWidth);
  const float h = static_cast<float>(screenMode == 0 ? v.fieldHeight : v.viewHeight);
  const float decay = Decay(game);
  Particle* slots = game.particles.slots.data();
  for (int i = 0; i < count; ++i) {
    Particle& p = slots[i];
    if (p.life <= 0) continue;
    StepAxis(p.x, p.vx, w);
    StepAxis(p.y, p.vy, h);
    p.vx *= decay;
    p.vy *= decay;
    p.life -= 1;
    // The last 20 frames fade, the last 10 quickly.
    if (p.life < 10) {
      p.red = static_cast<int>(static_cast<float>(p.red) * 0.8f);
      p.green = static_cast<int>(static_cast<float>(p.green) * 0.8f);
      p.blue = static_cast<int>(static_cast<float>(p.blue) * 0.8f);
    } else if (p.life < 20) {
      p.red = static_cast<int>(static_cast<float>(p.red) * 0.97f);
      p.green = static_cast<int>(static_cast<float>(p.green) * 0.97f);
      p.blue = static_cast<int>(static_cast<float>(p.blue) * 0.97f);
    } else if (p.life > 200) {
      p.life = 200;
    }
  }
}

void AttractParticles(Game& game, std::span<const ParticleAttractor> holes) {
  const int count = SlotsInUse(game);
  if (holes.empty()) return;
  // Even slots are visited on even frames and swirl one way, odd slots on odd frames the other way.
  const int parity = game.state.gameTicks & 1;
  const float f = parity == 0 ? -3.0f : 3.0f;
  // Per hole, a bound on the squared distance beyond which the distance is at least the hole's reach
  // whatever the rounding of the square root: most sparks lie outside every hole's reach (or inside
  // 8 pixels), and this turns them away before the square root and the divisions. Sparks within the
  // bounds go through the exact tests, so the result is the same to the bit.
  constexpr int kMaxHoles = 16;
  struct Reach {
    float reach, core, farSquared;
  };
  Reach reaches[kMaxHoles];
  Particle* slots = game.particles.slots.data();
  for (std::size_t first = 0; first < holes.size(); first += kMaxHoles) {
    const std::span<const ParticleAttractor> group = holes.subspan(first, std::min<std::size_t>(kMaxHoles, holes.size() - first));
    for (std::size_t h = 0; h < group.size(); ++h) {
      const float reach = group[h].size * 8;
      const double far = static_cast<double>(reach) * reach * (1 + 0x1p-20);
      reaches[h] = {reach, group[h].size / 4, std::nextafter(static_cast<float>(far), INFINITY)};
    }
    // Each spark feels the holes one after another in list order, as if hole by hole over the pool;
    // taking spark by spark walks the pool once.
    for (int i = parity; i < count; i += 2) {
      Particle& p = slots[i];
      if (p.life <= 0) continue;
      for (std::size_t h = 0; h < group.size(); ++h) {
        const ParticleAttractor& hole = group[h];
        const float dx = hole.x - p.x, dy = hole.y - p.y;
        const float d2 = dx * dx + dy * dy;
        if (d2 <= 64 || d2 >= reaches[h].farSquared) continue;  // d <= 8 or d >= reach for sure
        const float d = std::sqrt(d2);
        if (!(d > 8 && d < reaches[h].reach)) continue;
        if (d >= reaches[h].core) {
          // Outer zone: pulled in and around, and kept alive while captured.
          p.life += 3;
          const float ux = dx / d, uy = dy / d;
          p.vx += ux / 2 - uy / f;
          p.vy += uy / 2 + ux / f;
        } else {
          // Inner zone: pushed back out, still turning.
          const float ux = -dx / d, uy = -dy / d;
          p.vx += ux / 2 + uy / f;
          p.vy += uy / 2 - ux / f;
        }
        const float speed2 = p.vx * p.vx + p.vy * p.vy;
        if (speed2 > 144) {
          const float speed = std::sqrt(speed2);
          p.vx /= speed;
          p.vy /= speed;
        }
      }
    }
  }
}

void DrawParticles(Game& game) {
  const int style = game.settings.particleStyle;
  if (style < 0 || style > 3) return;
  Graphics& gfx = game.gfx;
  const int count = SlotsInUse(game);
  gfx.SetBlend(kAddBlend);

  if (style == 0 || style == 1) {
    gfx.SetScale(2, 2);
    gfx.SetAlpha(style == 0 ? 1.0f : 0.9f);
    gfx.SetLineWidth(style == 0 ? 1.0f : 2.0f);
    DrawStreaks(game, count);
    gfx.SetAlpha(1);
    gfx.SetLineWidth(2);
    gfx.SetScale(1, 1);
    return;
  }

  const ImageHandle& image = game.images.particle;
  const float sx = static_cast<float>(game.view.scrollX), sy = static_cast<float>(game.view.scrollY);
  const Particle* slots = game.particles.slots.data();

  if (style == 2) {
    gfx.SetScale(0.5f, 0.5f);
    gfx.SetAlpha(1);
    for (int i = 0; i < count; ++i) {
      const Particle& p = slots[i];
      if (p.life <= 0) continue;
      SetBoostedColour(gfx, p, 1.5f);
      gfx.DrawImage(image, p.x - sx + p.vx, p.y - sy + p.vy);
    }
    gfx.SetAlpha(1);
    gfx.SetScale(1, 1);
    return;
  }

  // Style 3: the streaks, then a glow stretched along each spark's flight.
  gfx.SetRotation(0);
  gfx.SetScale(2, 2);
  gfx.SetAlpha(0.8f);
  gfx.SetLineWidth(2);
  DrawStreaks(game, count);
  gfx.SetAlpha(0.25f);
  for (int i = 0; i < count; ++i) {
    const Particle& p = slots[i];
    if (p.life <= 0) continue;
    SetBoostedColour(gfx, p, 1.25f);
    // A spark at rest has no heading (0 / 0); it draws unrotated, at zero length.
    gfx.SetRotation(p.vx == 0 && p.vy == 0 ? 0.0f : AtanDeg(static_cast<double>(p.vy) / p.vx));
    gfx.SetScale(0.4f * std::sqrt(p.vx * p.vx + p.vy * p.vy), 1.2f);
    gfx.DrawImage(image, p.x - sx + p.vx, p.y - sy + p.vy);
  }
  gfx.SetAlpha(1);
  gfx.SetRotation(0);
  gfx.SetScale(1, 1);
  gfx.SetLineWidth(2);
}

void SpawnFirework(Game& game, int placement) {
  Rng& rng = game.rng;
  const int w = game.view.viewWidth, h = game.view.viewHeight;
  const int red = rng.RandInt(0, 3) * 64;
  const int green = rng.RandInt(0, 3) * 64;
  const int blue = rng.RandInt(0, 3) * 64;
  int x, y;
  if (placement == 1) {
    // Near a random edge: along the top or bottom, or along the left or right.
    if (rng.RandInt(0, 1) == 0) {
      x = rng.RandInt(100, w - 100);
      y = rng.RandInt(0, 1) == 0 ? 16 : h - 16;
    } else {
      y = rng.RandInt(50, h - 50);
      x = rng.RandInt(0, 1) == 0 ? 16 : w - 16;
    }
  } else if (placement == 2) {
    x = w / 2;
    y = h / 2;
  } else {
    x = rng.RandInt(100, w - 100);
    y = rng.RandInt(50, h - 50);
  }
  for (int i = 0; i < 64; ++i)
    SpawnParticle(game, static_cast<float>(x), static_cast<float>(y), 0, red, green, blue, 1, 0);
}

}  // namespace qv
