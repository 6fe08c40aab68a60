// The ship's engine trail: sparks that hang still for a moment, then drift backwards, cool from
// yellow-white toward red and vanish after 40 frames.
#pragma once

#include "shell/entity_list.h"

namespace qv {

struct Game;

struct TrailSpark : Listed {
  float x = 0, y = 0;
  int red = 0, green = 0, blue = 0;
  float vx = 0, vy = 0;
  int life = 40;
};

void AddTrailSpark(Game& game, float x, float y, float vx, float vy, int red, int green, int blue);
void UpdateTrail(Game& game);
void DrawTrail(Game& game);

}  // namespace qv
