// The game's sprites as neon vector drawings. Each function draws one image (or one frame of a
// strip) with the painter, in design pixels around the centre at the "high" set's size; "up" is
// -y. Colours are the default colours of the kinds' colour table entries, so an enemy looks right
// even though the game draws its image in white.
#pragma once

#include <vector>

#include "painter.h"

namespace qv::sprites {

// Enemies.
void DrawSquare(Painter& p);       // "greensquare.png"
void DrawPinwheel(Painter& p);     // "pinkpinwheel.png"
void DrawDiamond(Painter& p);      // "bluediamond.png"
void DrawCube(Painter& p);         // "purplesquare1.png"
void DrawCubeHalf(Painter& p);     // "purplesquare2.png"
void DrawSeeker(Painter& p);       // "bluecircle.png"
void DrawButterfly(Painter& p);    // "indigotriangle.png"
void DrawInterceptor(Painter& p);  // "redclone.png"
void DrawTriangle(Painter& p);     // "orangetriangle.png"
void DrawBlackHole(Painter& p);    // "redcircle.png"
void DrawSnakeHead(Painter& p);    // "snakehead.png"
// "snaketail.png": frame n is the tail segment with index n (0 the tip, 23 next to the head).
void DrawSnakeTail(Painter& p, int frame);
inline constexpr int kSnakeTailFrames = 24;

// The player's side, drawn in white for the game to tint.
void DrawPlayerShip(Painter& p);  // "whiteplayer.png", nose down
void DrawShot(Painter& p);        // "yellowshot.png", pointing up
void DrawStar(Painter& p);        // "whitestar.png"
void DrawParticle(Painter& p);    // "particle.png"

// "powerups.png": one token per frame; the frames the power-up kinds use are in powerup_shapes.cpp.
void DrawPowerUp(Painter& p, int frame);
inline constexpr int kPowerUpFrames = 11;

// "icons.png": frame 0 a spare ship, frame 1 a bomb, for the counters at the top of the screen.
void DrawIcon(Painter& p, int frame);
inline constexpr int kIconFrames = 2;

// Shared geometry helpers.
std::vector<Vec2> RegularPolygon(int corners, float radius, float firstAngleDegrees);
std::vector<Vec2> Rotated(std::vector<Vec2> points, float degrees);
std::vector<Vec2> Scaled(std::vector<Vec2> points, float factor);
std::vector<Vec2> Arc(Vec2 centre, float radius, float fromDegrees, float toDegrees, int steps);
void DrawBomb(Painter& p, float size);

}  // namespace qv::sprites
