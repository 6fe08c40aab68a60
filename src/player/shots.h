// The ship's shots: they fly in two half-steps per frame, die at the walls (or bounce while the bouncy
// power-up runs), bend around active black holes, ripple the grid, and hit the first enemy in reach
// in a fixed order of kinds.
#pragma once

#include "shell/entity_list.h"

namespace qv {

struct Game;

struct Shot : Listed {
  float x = 0, y = 0, vx = 0, vy = 0;
  float nominalSpeed = 0;  // the speed it was fired with; it never flies slower than half of it
};

inline constexpr int kMaxShots = 500;

void CreateShot(Game& game, float x, float y, float vx, float vy, float speed);
void UpdateShot(Game& game, Shot& shot);
// Tests the enemy lists in their fixed order; true when the shot hit something that stops it.
bool HitTestShot(Game& game, Shot& shot);
// An active black hole at (bx, by) pushes the shot aside, one axis step at a time.
void DeflectShot(Shot& shot, float bx, float by, int range, int damping);
// The shield test: a horizontal ray from p toward +x crossing both edges a-b and a-c, or neither.
bool WedgeTest(float px, float py, float ax, float ay, float bx, float by, float cx, float cy);
void DrawShots(Game& game);

}  // namespace qv
