// The snake: a head that looks where it goes and 24 tail segments that shrink toward the tip.
#include <algorithm>

#include "shapes.h"

namespace qv::sprites {
namespace {

const Rgb kSnakeHeadViolet = ColourFromBytes(190, 32, 255);
const Rgb kSnakeTailAmber = ColourFromBytes(255, 180, 96);

}  // namespace

void DrawSnakeHead(Painter& p) {
  p.SetColour(kSnakeHeadViolet);
  p.Polygon({{0, -13}, {9, -3}, {7, 8}, {0, 11}, {-7, 8}, {-9, -3}});
  p.SetStrength(0.9f);
  p.Dot({-3.5f, -2}, 1.3f);
  p.Dot({3.5f, -2}, 1.3f);
}

void DrawSnakeTail(Painter& p, int frame) {
  const float t = static_cast<float>(std::clamp(frame, 0, kSnakeTailFrames - 1)) / (kSnakeTailFrames - 1);
  const float half = 2.5f + 4.5f * t;  // the tip is small, the neck nearly head-sized
  p.SetColour(kSnakeTailAmber);
  p.SetStrength(0.55f + 0.45f * t);
  // A diamond stretched along the body, which the game turns to face the direction of motion.
  p.Polygon({{0, -half * 1.3f}, {half, 0}, {0, half * 1.3f}, {-half, 0}});
  if (frame >= kSnakeTailFrames / 2) p.Dot({0, 0}, 0.8f + 0.6f * t);
}

}  // namespace qv::sprites
