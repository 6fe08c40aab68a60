// The black hole: a gravity well that wakes when first shot or fed, then hums, swallows, pulls the
// grid, bends shots, and grows until it dies to shots or bursts into a swarm.
#pragma once

#include "enemies/enemy.h"

namespace qv {

struct BlackHole : Enemy {
  float size = 20;    // drawn size, contact radii, reach of the pull, pitch of the hum
  int active = 0;     // woken by a hit or a swallow
  int swallowed = 0;  // objects absorbed: raises the kill bonus
  int humSlot = 0;    // slot of its hum in the sound bank's hum channels
};

}  // namespace qv

namespace qv {

inline constexpr int kMaxBlackHoles = 4;

// Refused silently while four holes exist.
void SpawnBlackHole(Game& game, float x, float y, float size, int delay, int placement);
// An already active hole for the attract screens (no placement, no sound, no delay).
void SpawnDemoBlackHole(Game& game, float x, float y, float size);
void Update(Game& game, BlackHole& hole);
void DemoUpdate(Game& game, BlackHole& hole);
// A shot (byPlayer) or the bomb struck the hole.
void Hit(Game& game, BlackHole& hole, bool byPlayer);
// Something was swallowed: the hole grows (more so late in a game) and may burst.
void Absorb(Game& game, BlackHole& hole, int amount);
void Draw(Game& game, const BlackHole& hole);
// The kill bonus before the multiplier: 150 + 5 x n(n+1)/2 for n swallowed.
int BlackHoleBonus(int swallowed);

}  // namespace qv
