// The interceptor: a spinning craft that banks toward the ship and lunges; flying straight it raises
// a shield that absorbs shots coming at it head-on.
#pragma once

#include "enemies/enemy.h"

namespace qv {

struct Interceptor : Enemy {
  int heading = 0;          // the direction it thrusts toward and faces
  int turnLeft = 0;         // turn still to make, in 4-degree steps; the sign is the direction
  int shieldSoundTimer = 0;
  float shieldAx = 0, shieldAy = 0, shieldBx = 0, shieldBy = 0;  // the shield line's ends
};

inline constexpr int kMaxInterceptors = 8;

void SpawnInterceptor(Game& game, float x, float y, int delay, int placement);
void Update(Game& game, Interceptor& e);
void Kill(Game& game, Interceptor& e, bool byPlayer);
// Draws the craft and its shield bars, and refreshes the shield line's ends that shots test.
void Draw(Game& game, Interceptor& e);
void RefreshShield(Interceptor& e);
// The signed turn from the direction of (vx, vy) to the direction of (tx, ty) seen from (x, y): whole
// degrees in -179..180, 0 when less than 6 degrees off.
int TurnAngle(float x, float y, float vx, float vy, float tx, float ty);

}  // namespace qv
