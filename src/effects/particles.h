// The spark pool: every explosion, hit, bomb, death and firework is a burst of short-lived sparks in
// one fixed ring of slots. Spawning takes the next slot in turn, overwriting whatever lived there, so
// the sparks on screen never exceed the pool and spawning never allocates.
#pragma once

#include <span>
#include <vector>

namespace qv {

struct Game;

inline constexpr int kParticleCapacity = 50000;

struct Particle {
  float x = 0, y = 0, vx = 0, vy = 0;
  int red = 0, green = 0, blue = 0;
  int life = 0;  // frames left; 0 or less is dead
};

struct ParticlePool {
  std::vector<Particle> slots = std::vector<Particle>(kParticleCapacity);
  int nextSlot = 0;
};

// A black hole as the sparks feel it.
struct ParticleAttractor {
  float x, y, size;
};

void InitParticles(Game& game);
void ClearParticles(Game& game);
// One spark in the next slot. Patterns 0, 1, 2, 3, 6, 7, 8, 9 choose direction and speed.
void SpawnParticle(Game& game, float x, float y, int pattern, int red, int green, int blue, int advance,
                   float angle);
// One frame of every live spark; `screenMode` 0 bounces them inside the playfield, any other value
// inside the screen.
void UpdateParticles(Game& game, int screenMode);
// The swirl of sparks around active black holes, half the slots per frame.
void AttractParticles(Game& game, std::span<const ParticleAttractor> holes);
void DrawParticles(Game& game);
// 64 sparks of one random colour: 1 near a screen edge, 2 at the screen centre, else anywhere.
void SpawnFirework(Game& game, int placement);

}  // namespace qv
