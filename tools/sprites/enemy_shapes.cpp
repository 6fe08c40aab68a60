// The enemies. Most are about 26-30 pixels across (the ship dies within 24 pixels of their
// centre). Rotations follow the game: the square, pinwheel, cube and triangles spin their image,
// the interceptor and the snake turn theirs so that -y faces where they go.
#include "shapes.h"

namespace qv::sprites {
namespace {

const Rgb kSquareGreen = ColourFromBytes(32, 255, 32);
const Rgb kPinwheelViolet = ColourFromBytes(200, 64, 255);
const Rgb kDiamondCyan = ColourFromBytes(32, 255, 255);
const Rgb kCubeMagenta = ColourFromBytes(255, 32, 255);
const Rgb kSeekerBlue = ColourFromBytes(32, 64, 255);
const Rgb kButterflyIndigo = ColourFromBytes(128, 32, 255);
const Rgb kBlackHoleRed = ColourFromBytes(255, 32, 32);
const Rgb kInterceptorRed = ColourFromBytes(255, 32, 32);
const Rgb kTriangleOrange = ColourFromBytes(255, 128, 32);

// A square box with a smaller one inside and the corners joined: the cube seen from the front.
void DrawBox(Painter& p, float half) {
  const float inner = half * 0.5f;
  p.Polygon({{-half, -half}, {half, -half}, {half, half}, {-half, half}});
  p.SetStrength(0.8f);
  p.Polygon({{-inner, -inner}, {inner, -inner}, {inner, inner}, {-inner, inner}});
  p.SetStrength(0.55f);
  p.SetLineWeight(0.7f);
  for (const Vec2 corner : {Vec2{-1, -1}, Vec2{1, -1}, Vec2{1, 1}, Vec2{-1, 1}}) {
    p.Line({corner.x * half, corner.y * half}, {corner.x * inner, corner.y * inner});
  }
  p.SetLineWeight(1);
  p.SetStrength(1);
}

}  // namespace

void DrawSquare(Painter& p) {
  p.SetColour(kSquareGreen);
  p.Polygon({{-13, -13}, {13, -13}, {13, 13}, {-13, 13}});
  p.SetStrength(0.85f);
  p.Polygon({{0, -10}, {10, 0}, {0, 10}, {-10, 0}});
}

void DrawPinwheel(Painter& p) {
  p.SetColour(kPinwheelViolet);
  // Four blades, each a triangle from the hub to the rim sweeping a quarter turn's first half.
  for (int blade = 0; blade < 4; ++blade) {
    p.Polygon(Rotated({{0, 0}, {0, -14}, {11, -9}}, 90.0f * static_cast<float>(blade)));
  }
  p.Dot({0, 0}, 1.4f);
}

void DrawDiamond(Painter& p) {
  p.SetColour(kDiamondCyan);
  p.Polygon({{0, -15}, {10, 0}, {0, 15}, {-10, 0}});
  p.SetStrength(0.6f);
  p.SetLineWeight(0.8f);
  p.Polygon({{0, -7}, {4.5f, 0}, {0, 7}, {-4.5f, 0}});
}

void DrawCube(Painter& p) {
  p.SetColour(kCubeMagenta);
  DrawBox(p, 13);
}

void DrawCubeHalf(Painter& p) {
  p.SetColour(kCubeMagenta);
  DrawBox(p, 8.5f);
}

void DrawSeeker(Painter& p) {
  p.SetColour(kSeekerBlue);
  p.Circle({0, 0}, 11);
  p.SetStrength(0.9f);
  p.Circle({0, 0}, 5, false);
  p.Dot({0, 0}, 1.2f);
}

void DrawButterfly(Painter& p) {
  p.SetColour(kButterflyIndigo);
  // A bow tie: two triangles meeting tip to tip at the centre.
  p.Polygon({{0, 0}, {-13, -10}, {-13, 10}});
  p.Polygon({{0, 0}, {13, -10}, {13, 10}});
}

void DrawInterceptor(Painter& p) {
  p.SetColour(kInterceptorRed);
  p.Polygon({{0, -15}, {11, 11}, {0, 5}, {-11, 11}});
  p.SetStrength(0.7f);
  p.SetLineWeight(0.8f);
  p.Line({0, -7}, {0, 1});
  p.Line({-6, 6}, {-3.5f, 0});
  p.Line({6, 6}, {3.5f, 0});
}

void DrawTriangle(Painter& p) {
  p.SetColour(kTriangleOrange);
  p.Polygon({{0, -14}, {12.5f, 8}, {-12.5f, 8}});
  p.SetStrength(0.5f);
  p.SetLineWeight(0.8f);
  p.Polygon({{0, -4.5f}, {4.5f, 3.5f}, {-4.5f, 3.5f}});
}

void DrawBlackHole(Painter& p) {
  // Drawn large: the game scales it from about half size (a new hole) to beyond full size.
  p.SetColour(kBlackHoleRed);
  const float radii[] = {34, 27, 20, 13};
  const float strengths[] = {1.0f, 0.75f, 0.55f, 0.4f};
  for (int i = 0; i < 4; ++i) {
    p.SetStrength(strengths[i]);
    p.SetLineWeight(i == 0 ? 1.4f : 1.0f);
    p.Circle({0, 0}, radii[i], false);
  }
  p.SetLineWeight(1);
  p.SetStrength(1);
}

}  // namespace qv::sprites
