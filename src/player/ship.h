// The player's ship: the five control schemes, inertia, walls, heading, the engine trail, view
// scrolling, the function keys, the volley beat, bombs, the triangle beams and black-hole pull, and
// its drawing with the shield halo.
#pragma once

namespace qv {

struct Game;

void UpdateShip(Game& game);
// Fires one bomb if any are left.
void Bomb(Game& game);
void DrawShip(Game& game, int x, int y, int angle);

// Rotates (vx, vy) in place by a whole number of degrees (positive turns clockwise on screen).
void RotateVector(int angle, float& vx, float& vy);
// True when p lies within r of the segment a-b (a distance of exactly r counts).
bool NearSegment(float ax, float ay, float bx, float by, float px, float py, float r);

// The controls of one frame, per scheme: fills the move and fire vectors and returns whether the
// scheme's bomb input is held.
bool ReadControls(Game& game);

}  // namespace qv
