// A generator: a stationary nest that emits enemies of one kind at a steady period, flashing white
// for the eight frames before each emission. Shots wear it down one size unit each.
#pragma once

#include "enemies/enemy.h"

namespace qv {

struct Generator : Enemy {
  // `spin` serves as the generator's timer.
  int kind = 1;  // what it emits: 1 Square, 2 Pinwheel, 3 Diamond, 4 Cube, 5 Seeker, 6 BlackHole,
                 // 7 Triangle, 8 Snake, 9 Interceptor, 10 Butterfly
  int period = 100;
  float size = 20;
};

Generator* SpawnGenerator(Game& game, float x, float y, int kind, int period, int size, int delay);
void Update(Game& game, Generator& g);
void EmitEnemy(Game& game, Generator& g);
void Hit(Game& game, Generator& g, bool byPlayer);
void Draw(Game& game, const Generator& g);
// Frames between emissions: a bigger generator emits faster.
int EmissionInterval(const Generator& g);

}  // namespace qv
