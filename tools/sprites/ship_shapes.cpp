// The player's ship, its shots, the power-up star, the particle and the counter icons. The ship,
// shot, star and particle are white: the game tints them with its own colours when it draws them.
#include "shapes.h"

namespace qv::sprites {
namespace {

const Rgb kWhite{1, 1, 1};
const Rgb kSpareShipCream = ColourFromBytes(255, 255, 200);
const Rgb kBombAmber = ColourFromBytes(255, 150, 60);

// The claw: a thick ring open at the front (up), its two prongs curving in toward each other.
std::vector<Vec2> ClawOutline() {
  // Outer rim: radius 14 about the centre, from the right tip round the back to the left tip.
  // Inner rim: about (0, -3), through both tips, so the prongs taper to sharp points.
  std::vector<Vec2> points = Arc({0, 0}, 14, -68, 248, 26);
  const std::vector<Vec2> inner = Arc({0, -3}, 11.27f, 242.28f, -62.28f, 22);
  points.insert(points.end(), inner.begin() + 1, inner.end() - 1);
  return points;
}

void DrawClaw(Painter& p, float size) {
  p.Polygon(Scaled(ClawOutline(), size));
  p.SetStrength(0.7f);
  p.SetLineWeight(0.8f);
  p.Polyline(Scaled({{-4, 4}, {0, -1}, {4, 4}}, size));
  p.SetLineWeight(1);
  p.SetStrength(1);
}

}  // namespace

void DrawPlayerShip(Painter& p) {
  // Drawn nose up; the catalogue mirrors it so the file's nose points down (+y), because the
  // game turns the image by the heading minus 90 degrees.
  p.SetColour(kWhite);
  DrawClaw(p, 1);
}

void DrawShot(Painter& p) {
  // A short dash, brightest at its head.
  p.SetColour(kWhite);
  p.SetLineWeight(2.5f);
  p.FadingLine({0, -4.5f}, {0, 4.5f}, 1.0f, 0.4f);
}

void DrawStar(Painter& p) {
  // Four points around the power-up token, with the token inside its hollow.
  std::vector<Vec2> star;
  for (int i = 0; i < 8; ++i) {
    const std::vector<Vec2> tip = RegularPolygon(1, i % 2 == 0 ? 28.0f : 16.0f, -90.0f + 45.0f * static_cast<float>(i));
    star.push_back(tip[0]);
  }
  // An outline in every set, never filled: it turns over the token, which must show through.
  star.push_back(star.front());
  p.SetColour(kWhite);
  p.SetLineWeight(0.9f);
  p.Polyline(star);
}

void DrawParticle(Painter& p) {
  p.SetColour(kWhite);
  p.SoftSpot(0.42f, 0.95f);
}

void DrawBomb(Painter& p, float size) {
  const float k = size / 12.0f;
  p.Circle({-1.5f * k, 2 * k}, 8.5f * k);
  p.Polygon(Scaled({{3, -5.5f}, {6.5f, -2}, {8.5f, -4}, {5, -7.5f}}, k));
  p.SetLineWeight(0.8f);
  p.Polyline(Scaled({{6.8f, -5.8f}, {8.5f, -9}, {11, -9.5f}}, k));
  p.SetLineWeight(1);
  p.Dot({11 * k, -9.5f * k}, 1.2f * k);
}

void DrawIcon(Painter& p, int frame) {
  if (frame == 0) {
    p.SetColour(kSpareShipCream);
    DrawClaw(p, 0.85f);
  } else {
    p.SetColour(kBombAmber);
    DrawBomb(p, 11);
  }
}

}  // namespace qv::sprites
