// The five kinds that follow the common frame almost unchanged: the Pinwheel drifts and never chases,
// the Diamond chases gently, the Seeker and the Butterfly chase hard, and the Square chases and
// swerves away from shots flying toward it. Each dies to one shot.
#pragma once

#include "enemies/enemy.h"

namespace qv {

struct Pinwheel : Enemy {};
struct Diamond : Enemy {};
struct Seeker : Enemy {
  int extraSpeed = 0;  // added to the speed limit: 1 for the seekers a bursting black hole throws out
};
struct Butterfly : Enemy {};
struct Square : Enemy {};

Pinwheel* SpawnPinwheel(Game& game, float x, float y, int delay, int placement);
Diamond* SpawnDiamond(Game& game, float x, float y, int delay, int placement);
Seeker* SpawnSeeker(Game& game, float x, float y, int delay, int extraSpeed, int placement);
Butterfly* SpawnButterfly(Game& game, float x, float y, int delay, int placement);
Square* SpawnSquare(Game& game, float x, float y, int delay, int placement);

void Update(Game& game, Pinwheel& e);
void Update(Game& game, Diamond& e);
void Update(Game& game, Seeker& e);
void Update(Game& game, Butterfly& e);
void Update(Game& game, Square& e);

void Kill(Game& game, Pinwheel& e, bool byPlayer);
void Kill(Game& game, Diamond& e, bool byPlayer);
void Kill(Game& game, Seeker& e, bool byPlayer);
void Kill(Game& game, Butterfly& e, bool byPlayer);
void Kill(Game& game, Square& e, bool byPlayer);

void Draw(Game& game, const Pinwheel& e);
void Draw(Game& game, const Diamond& e);
void Draw(Game& game, const Seeker& e);
void Draw(Game& game, const Butterfly& e);
void Draw(Game& game, const Square& e);

// A shot at (sx, sy) that will be at (nx, ny) next frame flies past the square: it swerves.
void Dodge(Game& game, Square& square, float sx, float sy, float nx, float ny);

// The diamond's breathing: a grows and shrinks during the first half of a 256-frame cycle, b during
// the second.
void DiamondBreath(float spin, int& a, int& b);

}  // namespace qv
