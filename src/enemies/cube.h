// The Cube chases the ship; a whole cube shot by the player splits into three halves that spiral as
// they chase. Halves are cubes with `shrink` 4: smaller, slower, worth half and unable to split.
#pragma once

#include "enemies/enemy.h"

namespace qv {

struct Cube : Enemy {
  int shrink = 0;  // 0 a whole cube, 4 a half
};

inline constexpr int kMaxCubes = 101;

Cube* SpawnCube(Game& game, float x, float y, int shrink, int delay, int placement);
void Update(Game& game, Cube& e);
void Kill(Game& game, Cube& e, bool byPlayer);
void Draw(Game& game, const Cube& e);

}  // namespace qv
