// The spark pool: the ring of slots, the bursts, the per-frame step with its edge bounces and fading,
// the black-hole swirl, the four drawing styles, fireworks, and how the world update and the playfield
// clearing use the pool.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <span>
#include <vector>
#include <limits>
#include <numbers>

#include "effects/particles.h"
#include "platform/headless/headless_platform.h"
#include "shell/game.h"
#include "shell/game_flow.h"
#include "shell/world.h"

namespace qv {
namespace {

class ParticlesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hp.gfx.OpenDisplay({1024, 768, 32, 60, true}));
    RgbaImage sprite;
    sprite.width = sprite.height = 8;
    sprite.pixels.assign(8 * 8 * 4, 255);
    game.images.particle = hp.gfx.ImageFromPixels(sprite, 8, 8, 1);
    InitParticles(game);
  }

  Particle& Slot(int i) { return game.particles.slots[static_cast<std::size_t>(i)]; }

  // A live spark placed by hand in slot i.
  Particle& Place(int i, float x, float y, float vx, float vy, int life = 30, int r = 100, int g = 100,
                  int b = 100) {
    Particle& p = Slot(i);
    p = Particle{x, y, vx, vy, r, g, b, life};
    return p;
  }

  int LiveCount() {
    int n = 0;
    for (const Particle& p : game.particles.slots) n += p.life > 0;
    return n;
  }

  HeadlessPlatform hp{11};
  Game game{hp.platform};
  std::vector<DrawRecord> records;
};

TEST_F(ParticlesTest, RingWrapsAfterParticleCountSpawns) {
  game.settings.particleCount = 4;
  for (int i = 0; i < 4; ++i) SpawnParticle(game, 100, 100, 0, 10 + i, 0, 0, 0, 0);
  EXPECT_EQ(game.particles.nextSlot, 0);
  EXPECT_EQ(Slot(4).life, 0) << "slots beyond the count are never spawned into";
  ASSERT_GT(Slot(0).life, 0);

  // The fifth spawn overwrites slot 0 although that spark is still alive.
  SpawnParticle(game, 300, 200, 0, 99, 0, 0, 0, 0);
  EXPECT_EQ(Slot(0).red, 99);
  EXPECT_FLOAT_EQ(Slot(0).x, 300);
  EXPECT_EQ(Slot(1).red, 11);
  EXPECT_EQ(game.particles.nextSlot, 1);
}

TEST_F(ParticlesTest, RandomDrawsComeInReplayOrderLifeDirectionSpeed) {
  const std::uint32_t seed = 4242;
  hp.rng.Seed(seed);
  SpawnParticle(game, 200, 300, 0, 1, 2, 3, 1, 0);
  Rng replay(seed);
  const int life = replay.RandInt(20, 40);
  const int direction = replay.RandInt(0, 359);
  const float speed = replay.RandReal(3, 10);
  const Particle& p = Slot(0);
  EXPECT_EQ(p.life, life);
  EXPECT_NEAR(p.vx, std::cos(direction * std::numbers::pi / 180) * speed * 2, 1e-4);
  EXPECT_NEAR(p.vy, std::sin(direction * std::numbers::pi / 180) * speed * 2, 1e-4);
  // `advance` 1 moves the spark ahead by one velocity step.
  EXPECT_FLOAT_EQ(p.x, 200 + p.vx);
  EXPECT_FLOAT_EQ(p.y, 300 + p.vy);
  EXPECT_EQ(p.red, 1);
  EXPECT_EQ(p.blue, 3);
}

TEST_F(ParticlesTest, PatternsChooseDirectionAndSpeed) {
  struct Case {
    int pattern;
    float angle;
    float minSpeed, maxSpeed;  // after doubling; maxSpeed is excluded unless equal to minSpeed
    int directionStep;          // direction - trunc(angle) is a multiple of this (0: any)
    int life;                   // fixed life, or 0 for the setting's range
  };
  const Case cases[] = {
      {0, 0, 6, 20, 1, 0},        {1, 33.5f, 32, 32, 0, 24}, {2, 33.7f, 16, 16, 360, 0},
      {3, 10.9f, 6, 20, 90, 0},   {6, 10.9f, 6, 20, 45, 0},  {7, 33.5f, 1, 2, 0, 0},
      {8, 10.9f, 6, 20, 120, 0},  {9, 0, 2, 26, 1, 0},
  };
  game.settings.particleCount = 200;
  for (const Case& c : cases) {
    for (int n = 0; n < 200; ++n) {
      SpawnParticle(game, 500, 400, c.pattern, 255, 255, 255, 0, c.angle);
      const Particle& p = Slot(n);
      const float speed = std::sqrt(p.vx * p.vx + p.vy * p.vy);
      ASSERT_GE(speed, c.minSpeed - 1e-3f) << c.pattern;
      if (c.maxSpeed > c.minSpeed)
        ASSERT_LT(speed, c.maxSpeed + 1e-3f) << c.pattern;
      else
        ASSERT_NEAR(speed, c.maxSpeed, 1e-3f) << c.pattern;
      const double direction = std::atan2(p.vy, p.vx) * 180 / std::numbers::pi;
      if (c.directionStep == 0) {
        ASSERT_NEAR(std::remainder(direction - c.angle, 360.0), 0, 1e-3) << c.pattern;
      } else {
        const double steps = (direction - std::trunc(c.angle)) / c.directionStep;
        ASSERT_NEAR(steps, std::round(steps), 1e-3) << c.pattern << " direction " << direction;
      }
      if (c.life) {
        ASSERT_EQ(p.life, c.life);
      } else {
        ASSERT_GE(p.life, 20);
        ASSERT_LE(p.life, 40);
      }
      ASSERT_FLOAT_EQ(p.x, 500) << "advance 0 leaves the spark where it was spawned";
    }
  }
}

TEST_F(ParticlesTest, LifeSpansTheSettingsRangeAndShortLivesAreBornDead) {
  struct Case {
    int setting, lo, hi;
  };
  game.settings.particleCount = 2000;
  for (const Case& c : {Case{40, 20, 40}, Case{100, 80, 100}, Case{10, -10, 10}}) {
    game.settings.particleLife = c.setting;
    int lo = INT_MAX, hi = INT_MIN;
    for (int n = 0; n < 2000; ++n) {
      SpawnParticle(game, 10, 10, 0, 1, 1, 1, 0, 0);
      lo = std::min(lo, Slot(n).life);
      hi = std::max(hi, Slot(n).life);
    }
    EXPECT_EQ(lo, c.lo) << c.setting;
    EXPECT_EQ(hi, c.hi) << c.setting;
  }
  // Those born at 0 or below are never drawn.
  game.settings.particleStyle = 0;
  hp.gfx.SetRecorder(&records);
  DrawParticles(game);
  EXPECT_EQ(static_cast<int>(records.size()), LiveCount());
  EXPECT_LT(LiveCount(), 2000);
}

TEST_F(ParticlesTest, EdgesCompareThePositionWithTheVelocity) {
  const float decay = game.settings.particleDecay;
  const float w = 1024, h = 768;
  struct Case {
    float x, vx;        // the same for y with the height
    float size;
    float endX, endVx;  // before damping
  };
  const Case cases[] = {
      {0, 6, w, 18, 6},             // reaches x 6 <= vx 6: thrown forward to 18
      {w - 3, 6, w, w - 9, -6},     // past w - 1 - vx: bounced back
      {100, -6, w, 94, -6},         // clear of both edges
      {0, -6, w, 6, 6},             // reaches x -6 <= vx -6: bounced forward
      {h - 3, 6, h, h - 9, -6},     // the bottom edge, on y
  };
  for (const Case& c : cases) {
    const bool onY = c.size == h;
    Particle& p = onY ? Place(0, 500, c.x, 0, c.vx) : Place(0, c.x, 400, c.vx, 0);
    UpdateParticles(game, 0);
    EXPECT_FLOAT_EQ(onY ? p.y : p.x, c.endX) << c.x;
    EXPECT_FLOAT_EQ(onY ? p.vy : p.vx, c.endVx * decay) << c.x;
  }
}

TEST_F(ParticlesTest, ScreenModeBouncesInsideTheScreenInsteadOfThePlayfield) {
  game.view.fieldWidth = 2000;
  game.view.viewWidth = 1024;
  Particle& a = Place(0, 1021, 400, 6, 0);
  UpdateParticles(game, 0);
  EXPECT_FLOAT_EQ(a.x, 1027) << "the playfield is wider than the screen";
  Particle& b = Place(0, 1021, 400, 6, 0);
  UpdateParticles(game, 1);
  EXPECT_FLOAT_EQ(b.x, 1015);
}

TEST_F(ParticlesTest, SparksFadeInTheirLastTwentyFramesAndLifeIsCapped) {
  struct Case {
    int life, red, endLife, endRed;
  };
  for (const Case& c : {Case{15, 200, 14, 194}, Case{5, 200, 4, 160}, Case{25, 200, 24, 200},
                        Case{20, 200, 19, 194}, Case{300, 200, 200, 200}, Case{1, 200, 0, 160}}) {
    Particle& p = Place(0, 500, 400, 0, 0, c.life, c.red, c.red, 0);
    UpdateParticles(game, 0);
    EXPECT_EQ(p.life, c.endLife) << c.life;
    EXPECT_EQ(p.red, c.endRed) << c.life;
    EXPECT_EQ(p.green, c.endRed) << c.life;
  }
}

TEST_F(ParticlesTest, DeadSlotsAndSlotsBeyondTheCountStandStill) {
  game.settings.particleCount = 4;
  Particle& dead = Place(0, 500, 400, 5, 5, 0);
  Particle& beyond = Place(4, 500, 400, 5, 5, 30);
  UpdateParticles(game, 0);
  EXPECT_FLOAT_EQ(dead.x, 500);
  EXPECT_FLOAT_EQ(beyond.x, 500);
  EXPECT_EQ(beyond.life, 30);
}

// A hole of size 40 reaches 320 pixels; inside 10 pixels (size / 4) it pushes sparks back out.
class AttractTest : public ParticlesTest {
 protected:
  const ParticleAttractor hole{500, 400, 40};
  void Attract() { AttractParticles(game, std::span<const ParticleAttractor>(&hole, 1)); }
};

TEST_F(AttractTest, OnlySparksBetweenEightPixelsAndEightTimesTheSizeAreTouched) {
  struct Case {
    float distance;
    bool touched;
  };
  for (const Case& c : {Case{0, false}, Case{5, false}, Case{8, false}, Case{8.5f, true}, Case{100, true},
                        Case{319, true}, Case{320, false}, Case{500, false}}) {
    Particle& p = Place(0, 500 - c.distance, 400, 0, 0, 30);
    game.state.gameTicks = 0;
    Attract();
    EXPECT_EQ(p.vx != 0 || p.vy != 0, c.touched) << c.distance;
  }
}

TEST_F(AttractTest, OuterZonePullsAndSwirlsInnerZonePushesOut) {
  // Hole to the right of the spark: the pull is +x; even slots on even frames turn one way, odd slots
  // on odd frames the other.
  Particle& even = Place(0, 400, 400, 0, 0, 30);
  Particle& odd = Place(1, 400, 400, 0, 0, 30);
  game.state.gameTicks = 0;
  Attract();
  EXPECT_FLOAT_EQ(even.vx, 0.5f);
  EXPECT_FLOAT_EQ(even.vy, -1.0f / 3);
  EXPECT_EQ(even.life, 33) << "captured sparks live longer";
  EXPECT_EQ(odd.vx, 0) << "odd slots wait for odd frames";
  game.state.gameTicks = 7;
  Attract();
  EXPECT_FLOAT_EQ(odd.vx, 0.5f);
  EXPECT_FLOAT_EQ(odd.vy, 1.0f / 3);

  // Nine pixels left of the hole is inside size / 4: pushed away (-x), turning the other way round.
  Particle& inner = Place(2, 491, 400, 0, 0, 30);
  game.state.gameTicks = 2;
  Attract();
  EXPECT_FLOAT_EQ(inner.vx, -0.5f);
  EXPECT_FLOAT_EQ(inner.vy, -1.0f / 3);
  EXPECT_EQ(inner.life, 30);
}

TEST_F(AttractTest, SparksFasterThanTwelveAreCutToSpeedOne) {
  Particle& fast = Place(0, 400, 400, 12, 0, 30);
  Particle& slow = Place(2, 400, 420, 6, 0, 30);
  game.state.gameTicks = 0;
  Attract();
  EXPECT_NEAR(std::sqrt(fast.vx * fast.vx + fast.vy * fast.vy), 1, 1e-5);
  EXPECT_GT(slow.vx, 6) << "a spark at 12 or below keeps its speed";
}

// The swirl written as the rules read, hole by hole over the pool.
void PlainAttract(std::vector<Particle>& slots, int count, int ticks, std::span<const ParticleAttractor> holes) {
  const int t = ticks & 1;
  const float f = t == 0 ? -3.0f : 3.0f;
  for (const ParticleAttractor& hole : holes) {
    for (int i = t; i < count; i += 2) {
      Particle& p = slots[static_cast<std::size_t>(i)];
      if (p.life <= 0) continue;
      const float dx = hole.x - p.x, dy = hole.y - p.y;
      const float d = std::sqrt(dx * dx + dy * dy);
      if (!(d > 8 && d < hole.size * 8)) continue;
      if (d >= hole.size / 4) {
        p.life += 3;
        const float ux = dx / d, uy = dy / d;
        p.vx += ux / 2 - uy / f;
        p.vy += uy / 2 + ux / f;
      } else {
        const float ux = -dx / d, uy = -dy / d;
        p.vx += ux / 2 + uy / f;
        p.vy += uy / 2 - ux / f;
      }
      if (p.vx * p.vx + p.vy * p.vy > 144) {
        const float speed = std::sqrt(p.vx * p.vx + p.vy * p.vy);
        p.vx /= speed;
        p.vy /= speed;
      }
    }
  }
}

// Overlapping holes (more of them than the game ever has), sparks swarming around them for many
// frames, and sparks set on the edges of the reach, the core and the 8-pixel hole in the middle, on
// both sides by a float step: the pool must come out exactly as from the plain loop.
TEST_F(AttractTest, MatchesThePlainHoleByHoleLoopBitForBit) {
  game.settings.particleCount = 3001;  // an odd count: the last slot is even
  Rng rng(21);
  for (int i = 0; i < 3001; ++i)
    Place(i, rng.RandReal(0, 1024), rng.RandReal(0, 768), rng.RandReal(-14, 14), rng.RandReal(-14, 14),
          rng.RandInt(-2, 60));
  std::vector<ParticleAttractor> holes;
  for (int h = 0; h < 20; ++h)
    holes.push_back({static_cast<float>(rng.RandReal(100, 900)), static_cast<float>(rng.RandReal(100, 700)),
                     static_cast<float>(rng.RandReal(0.5, 70))});
  // A hole at the corner, where distances from it are held exactly: sparks on the edges of its 8
  // pixels, its core (size / 4) and its reach (8 x size), each also a float step either way.
  holes.push_back({0, 0, 33.3f});
  int slot = 0;
  for (float edge : {8.0f, 33.3f / 4, 33.3f * 8}) {
    for (float r : {std::nextafter(edge, 0.0f), edge, std::nextafter(edge, 1e9f)}) {
      Place(slot++, -r, 0, 0, 0, 30);
      Place(slot++, 0, r, 0, 0, 30);
    }
  }
  std::vector<Particle> plain = game.particles.slots;
  for (int frame = 0; frame < 40; ++frame) {
    game.state.gameTicks = frame;
    AttractParticles(game, holes);
    PlainAttract(plain, 3001, frame, holes);
    for (std::size_t i = 0; i < plain.size(); ++i) {
      const Particle& a = game.particles.slots[i];
      const Particle& b = plain[i];
      ASSERT_TRUE(std::memcmp(&a, &b, sizeof a) == 0) << "slot " << i << " frame " << frame;
    }
    // Let the sparks move between frames (the same step on both).
    for (std::size_t i = 0; i < plain.size(); ++i) {
      plain[i].x += plain[i].vx;
      plain[i].y += plain[i].vy;
      game.particles.slots[i] = plain[i];
    }
  }
}

TEST_F(ParticlesTest, BadSettingsNeverReachPastThePool) {
  struct Case {
    int count, life, style;
    float decay;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Case cases[] = {{0, 40, 0, 0.95f},        {-7, 40, 1, 0.95f},         {INT_MIN, 40, 2, 0.95f},
                        {60000, 40, 3, 0.95f},    {INT_MAX, INT_MAX, 0, nan}, {8, INT_MIN, 3, -5.0f},
                        {8, 40, 4, 2.0f},         {8, 40, -1, 0.95f},         {8, 40, INT_MAX, 0.95f}};
  for (const Case& c : cases) {
    InitParticles(game);
    game.settings.particleCount = c.count;
    game.settings.particleLife = c.life;
    game.settings.particleStyle = c.style;
    game.settings.particleDecay = c.decay;
    game.particles.nextSlot = 49999;  // left over from a larger pool
    for (int n = 0; n < 100; ++n) SpawnParticle(game, 500, 400, n % 10, 255, 255, 255, 1, 45);
    SpawnFirework(game, 1);
    for (int f = 0; f < 5; ++f) {
      game.state.gameTicks = f;
      ParticleAttractor hole{500, 400, 40};
      AttractParticles(game, std::span<const ParticleAttractor>(&hole, 1));
      UpdateParticles(game, f % 2);
    }
    records.clear();
    hp.gfx.SetRecorder(&records);
    DrawParticles(game);
    hp.gfx.SetRecorder(nullptr);
    hp.gfx.Flip(true);

    const int slots = std::clamp(c.count, 0, kParticleCapacity);
    EXPECT_EQ(game.particles.slots.size(), static_cast<std::size_t>(kParticleCapacity));
    if (slots == 0) {
      EXPECT_EQ(LiveCount(), 0) << c.count;
    } else {
      EXPECT_GE(game.particles.nextSlot, 0);
      EXPECT_LT(game.particles.nextSlot, slots) << c.count;
    }
    if (c.style < 0 || c.style > 3) {
      EXPECT_TRUE(records.empty()) << c.style;
    }
    for (const Particle& p : game.particles.slots) {
      ASSERT_LE(p.life, 200 + 3) << "life is capped by the step";
      if (p.life > 0) {
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.vx));
      }
    }
  }
  // The overflowing ring of a full pool wraps at 50000.
  InitParticles(game);
  game.settings.particleCount = 60000;
  game.settings.particleLife = 40;
  game.particles.nextSlot = kParticleCapacity - 1;
  SpawnParticle(game, 1, 1, 0, 1, 1, 1, 0, 0);
  EXPECT_GT(Slot(kParticleCapacity - 1).life, 0);
  EXPECT_EQ(game.particles.nextSlot, 0);
}

TEST_F(ParticlesTest, StreakStylesDrawLinesAlongTheVelocityInBoostedColour) {
  struct Case {
    int style;
    float alpha, lineWidth;
  };
  game.view.scrollX = 100;
  game.view.scrollY = 50;
  for (const Case& c : {Case{0, 1.0f, 1}, Case{1, 0.9f, 2}}) {
    InitParticles(game);
    game.settings.particleStyle = c.style;
    Place(0, 400, 300, 3, -2, 30, 100, 240, 0);
    Place(1, 10, 10, 1, 1, 0);  // dead
    Place(2, 600, 500, -1, 0, 30, 250, 4, 255);
    records.clear();
    hp.gfx.SetRecorder(&records);
    DrawParticles(game);
    hp.gfx.Rect(0, 0, 1, 1);  // shows the scale the style leaves
    hp.gfx.SetRecorder(nullptr);

    ASSERT_EQ(records.size(), 3u) << c.style;
    const DrawRecord& a = records[0];
    EXPECT_EQ(a.kind, DrawRecord::kLine);
    EXPECT_EQ(a.blend, kAddBlend);
    EXPECT_FLOAT_EQ(a.alpha, c.alpha);
    EXPECT_FLOAT_EQ(a.lineWidth, c.lineWidth);
    EXPECT_EQ(a.r, 125);
    EXPECT_EQ(a.g, 255) << "boosted 300, capped";
    EXPECT_EQ(a.b, 0);
    // From the screen position to twice the velocity ahead (scale 2).
    EXPECT_FLOAT_EQ(a.points[0], 300);
    EXPECT_FLOAT_EQ(a.points[1], 250);
    EXPECT_FLOAT_EQ(a.points[2], 306);
    EXPECT_FLOAT_EQ(a.points[3], 246);
    EXPECT_EQ(records[1].r, 255);
    EXPECT_EQ(records[1].g, 5);
    EXPECT_FLOAT_EQ(records[2].points[4] - records[2].points[0], 1) << "scale put back to 1";
    EXPECT_FLOAT_EQ(hp.gfx.Alpha(), 1);
    EXPECT_FLOAT_EQ(hp.gfx.LineWidth(), 2);
  }
}

TEST_F(ParticlesTest, ImageStyleCentresTheParticleImageOneStepAhead) {
  game.settings.particleStyle = 2;
  game.view.scrollX = -20;
  Place(0, 400, 300, 3, -2, 30, 100, 200, 10);
  hp.gfx.SetAlpha(0.3f);
  hp.gfx.SetRecorder(&records);
  DrawParticles(game);
  hp.gfx.Rect(0, 0, 1, 1);
  hp.gfx.SetRecorder(nullptr);
  ASSERT_EQ(records.size(), 2u);
  const DrawRecord& img = records[0];
  EXPECT_EQ(img.kind, DrawRecord::kImage);
  EXPECT_EQ(img.image, game.images.particle.get());
  EXPECT_EQ(img.blend, kAddBlend);
  EXPECT_FLOAT_EQ(img.alpha, 1);
  EXPECT_EQ(img.r, 150);
  EXPECT_EQ(img.g, 255);
  EXPECT_EQ(img.b, 15);
  EXPECT_FLOAT_EQ(img.points[0], 423);
  EXPECT_FLOAT_EQ(img.points[1], 298);
  EXPECT_FLOAT_EQ(records[1].points[4] - records[1].points[0], 1);
}

TEST_F(ParticlesTest, GlowStyleDrawsAllStreaksThenAllStretchedImages) {
  game.settings.particleStyle = 3;
  Place(0, 400, 300, 3, 4, 30, 100, 100, 100);
  Place(1, 200, 100, 0, 0, 30, 100, 100, 100);  // at rest: no heading, no length
  Place(2, 600, 500, -6, 0, 30, 100, 100, 100);
  hp.gfx.SetRotation(30);
  hp.gfx.SetRecorder(&records);
  DrawParticles(game);
  hp.gfx.SetRecorder(nullptr);
  ASSERT_EQ(records.size(), 6u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(records[i].kind, DrawRecord::kLine);
    EXPECT_FLOAT_EQ(records[i].alpha, 0.8f);
    EXPECT_FLOAT_EQ(records[i].lineWidth, 2);
    EXPECT_EQ(records[i].r, 125);
    EXPECT_EQ(records[i + 3].kind, DrawRecord::kImage);
    EXPECT_FLOAT_EQ(records[i + 3].alpha, 0.25f);
    EXPECT_EQ(records[i + 3].r, 125);
  }
  // The line starts unrotated although the rotation was 30 before.
  EXPECT_FLOAT_EQ(records[0].points[2], 406);
  EXPECT_FLOAT_EQ(records[0].points[3], 308);
  EXPECT_FLOAT_EQ(records[3].points[0], 403);
  EXPECT_FLOAT_EQ(records[3].points[1], 304);
  EXPECT_FLOAT_EQ(hp.gfx.Rotation(), 0);
  EXPECT_FLOAT_EQ(hp.gfx.Alpha(), 1);
  EXPECT_FLOAT_EQ(hp.gfx.LineWidth(), 2);
}

TEST_F(ParticlesTest, EveryStyleIsAHandfulOfDrawCalls) {
  game.settings.particleCount = 5000;
  for (int n = 0; n < 5000; ++n) SpawnParticle(game, 500, 400, 0, n % 256, 128, 64, 1, 0);
  for (int style = 0; style <= 3; ++style) {
    game.settings.particleStyle = style;
    hp.gfx.SetBlend(kAlphaBlend);
    DrawParticles(game);
    hp.gfx.Flip(true);
    EXPECT_LE(hp.gfx.DrawCallsLastFrame(), 2) << style;
    EXPECT_GE(hp.gfx.DrawCallsLastFrame(), 1) << style;
  }
}

TEST_F(ParticlesTest, FireworksAre64SparksOfOneColourAtTheirPlace) {
  const int w = game.view.viewWidth, h = game.view.viewHeight;
  for (int placement : {0, 1, 2, 5}) {
    for (int round = 0; round < 30; ++round) {
      InitParticles(game);
      game.settings.particleCount = 100;
      SpawnFirework(game, placement);
      EXPECT_EQ(LiveCount(), 64);
      const Particle& first = Slot(0);
      EXPECT_EQ(first.red % 64, 0);
      EXPECT_EQ(first.green % 64, 0);
      EXPECT_EQ(first.blue % 64, 0);
      EXPECT_LE(first.red, 192);
      const float x = first.x - first.vx, y = first.y - first.vy;  // spawned with advance 1
      for (int i = 0; i < 64; ++i) {
        ASSERT_EQ(Slot(i).red, first.red);
        ASSERT_NEAR(Slot(i).x - Slot(i).vx, x, 1e-3);
        ASSERT_NEAR(Slot(i).y - Slot(i).vy, y, 1e-3);
      }
      const float ix = std::round(x), iy = std::round(y);
      if (placement == 2) {
        EXPECT_EQ(ix, w / 2);
        EXPECT_EQ(iy, h / 2);
      } else if (placement == 1) {
        const bool alongTopOrBottom = (iy == 16 || iy == h - 16) && ix >= 100 && ix <= w - 100;
        const bool alongSides = (ix == 16 || ix == w - 16) && iy >= 50 && iy <= h - 50;
        EXPECT_TRUE(alongTopOrBottom || alongSides) << ix << ", " << iy;
      } else {
        EXPECT_TRUE(ix >= 100 && ix <= w - 100 && iy >= 50 && iy <= h - 50) << ix << ", " << iy;
      }
    }
  }
}

TEST_F(ParticlesTest, ClearingKillsEverySlotAndRestartsTheRing) {
  game.settings.particleCount = 50000;
  Place(49999, 5, 5, 1, 1, 30, 9, 9, 9);
  for (int n = 0; n < 10; ++n) SpawnParticle(game, 1, 1, 0, 1, 1, 1, 0, 0);
  ClearParticles(game);
  EXPECT_EQ(LiveCount(), 0);
  EXPECT_EQ(game.particles.nextSlot, 0);
  EXPECT_EQ(Slot(49999).red, 0);
  EXPECT_FLOAT_EQ(Slot(49999).vx, 0);
}

TEST_F(ParticlesTest, PlayfieldClearingKeepsTheSparksOfADeathAndTheWorldSlowsThem) {
  Particle& p = Place(0, 400, 300, 2, 0, 30);
  ClearWorld(game, false);
  EXPECT_EQ(p.life, 30) << "the ship's explosion outlives the partial clear";

  // The death sequence steps its sparks on frame 0 and even frames only.
  UpdateWorld(game, 0);
  EXPECT_EQ(p.life, 29);
  UpdateWorld(game, 1);
  EXPECT_EQ(p.life, 29);
  UpdateWorld(game, 2);
  EXPECT_EQ(p.life, 28);

  ClearWorld(game, true);
  EXPECT_EQ(p.life, 0);
}

}  // namespace
}  // namespace qv
