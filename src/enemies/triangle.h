// Triangles hunt in pairs bound by a deadly tether; a paired triangle cannot be killed, only its
// tether weakened.
#pragma once

#include <memory>

#include "enemies/enemy.h"

namespace qv {

struct Triangle : Enemy {
  int paired = 0;
  std::weak_ptr<Triangle> partner;  // the other triangle of the pair
  float tether = 0;                 // this side of the bond: 25 when the pair forms
  int tetherChecked = 0;            // the ship has tested this pair's line this frame
  int partnerHandlesHoles = 0;      // the partner runs the pair's tug of war with black holes
};

}  // namespace qv

namespace qv {

Triangle* SpawnTriangle(Game& game, float x, float y, int delay, int placement);
void Update(Game& game, Triangle& t);
// A shot passes the kick -5 x its velocity and true; the bomb and a black hole (0, 0) and false.
void Hit(Game& game, Triangle& t, float kickX, float kickY, bool byPlayer);
void Draw(Game& game, const Triangle& t);
void DrawTether(Game& game, const Triangle& t);
// Unbinds the pair `t` belongs to (both members become lone).
void Unbind(Triangle& t);
// Caught by a black hole's tug of war: thrown about; true when the tether snapped.
bool Stretch(Triangle& t, float kickX, float kickY);

}  // namespace qv
