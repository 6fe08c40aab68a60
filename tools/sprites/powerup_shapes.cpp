// Power-up tokens: a rounded yellow token with a symbol of its own. The game picks the frame by
// kind: 0 extra cannon, 2 reverse shooter, 3 side shooters, 5 faster shots, 6 extra player,
// 7 super shots, 8 extra bomb, 9 shield, 10 bouncy shots. Frames 1 and 4 belong to no kind; they
// get symbols of their own so that a player editing the set can tell every cell apart.
#include <cmath>

#include "shapes.h"

namespace qv::sprites {
namespace {

const Rgb kTokenYellow = ColourFromBytes(255, 255, 32);

std::vector<Vec2> RoundedSquare(float half, float corner) {
  std::vector<Vec2> points;
  const float inner = half - corner;
  const Vec2 centres[] = {{inner, inner}, {-inner, inner}, {-inner, -inner}, {inner, -inner}};
  for (int i = 0; i < 4; ++i) {
    const std::vector<Vec2> arc = Arc(centres[i], corner, 90.0f * static_cast<float>(i), 90.0f * static_cast<float>(i + 1), 6);
    points.insert(points.end(), arc.begin(), arc.end());
  }
  return points;
}

void DoubleArrow(Painter& p, bool vertical) {
  auto place = [vertical](std::vector<Vec2> points) {
    if (!vertical) return Rotated(std::move(points), 90);
    return points;
  };
  const std::vector<Vec2> shaft = place({{0, -7}, {0, 7}});
  p.Line(shaft[0], shaft[1]);
  p.Polyline(place({{-3.5f, -3.5f}, {0, -7}, {3.5f, -3.5f}}));
  p.Polyline(place({{-3.5f, 3.5f}, {0, 7}, {3.5f, 3.5f}}));
}

std::vector<Vec2> Heart(float size) {
  std::vector<Vec2> points;
  for (int i = 0; i < 40; ++i) {
    const float t = 2 * 3.14159265f * static_cast<float>(i) / 40;
    const float s = std::sin(t);
    const float x = 16 * s * s * s;
    const float y = -(13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t));
    points.push_back({x * size / 16, (y + 2) * size / 16});
  }
  return points;
}

void DrawSymbol(Painter& p, int frame) {
  switch (frame) {
    case 0:  // extra cannon
      p.SetColour({1, 1, 1});
      p.Line({-7, 0}, {7, 0});
      p.Line({0, -7}, {0, 7});
      break;
    case 1:  // (no kind) a fan of three shots
      p.SetColour(ColourFromBytes(96, 200, 255));
      p.Line({0, 6}, {-6, -5});
      p.Line({0, 6}, {0, -7});
      p.Line({0, 6}, {6, -5});
      break;
    case 2:  // reverse shooter: shots forward and back
      p.SetColour(ColourFromBytes(255, 160, 48));
      DoubleArrow(p, true);
      break;
    case 3:  // side shooters
      p.SetColour(ColourFromBytes(255, 160, 48));
      DoubleArrow(p, false);
      break;
    case 4:  // (no kind) a gem
      p.SetColour(ColourFromBytes(255, 96, 200));
      p.Polygon({{0, -7}, {6, -1}, {0, 7}, {-6, -1}});
      p.Line({-6, -1}, {6, -1});
      break;
    case 5:  // faster shots
      p.SetColour(ColourFromBytes(32, 255, 255));
      p.Polyline({{-6, 0}, {0, -6}, {6, 0}});
      p.Polyline({{-6, 6}, {0, 0}, {6, 6}});
      break;
    case 6:  // extra player
      p.SetColour(ColourFromBytes(255, 64, 112));
      p.Polygon(Heart(8));
      break;
    case 7:  // super shots
      p.SetColour(ColourFromBytes(255, 48, 48));
      p.Polygon({{2, -8}, {-5, 1}, {0, 1}, {-2, 8}, {5, -1}, {0, -1}});
      break;
    case 8:  // extra bomb
      p.SetColour(ColourFromBytes(255, 150, 60));
      DrawBomb(p, 7.5f);
      break;
    case 9:  // shield
      p.SetColour(ColourFromBytes(64, 160, 255));
      p.Polygon({{0, -8}, {7, -5}, {6, 2}, {0, 8}, {-6, 2}, {-7, -5}});
      break;
    default:  // bouncy shots: a shot zigzagging off walls
      p.SetColour(ColourFromBytes(32, 230, 32));
      p.Polyline({{-7, 5}, {-3.5f, -5}, {0, 5}, {3.5f, -5}, {7, 5}});
      break;
  }
}

}  // namespace

void DrawPowerUp(Painter& p, int frame) {
  p.SetColour(kTokenYellow);
  p.SetStrength(0.9f);
  p.SetFillWeight(0.35f);  // a dim token behind the symbol, so the symbol's colour reads clearly
  p.Polygon(RoundedSquare(13, 4));
  p.SetFillWeight(1);
  p.SetStrength(1);
  p.SetLineWeight(0.9f);
  DrawSymbol(p, frame);
  p.SetLineWeight(1);
}

}  // namespace qv::sprites
