#include <cmath>
#include <numbers>

#include "shapes.h"

namespace qv::sprites {
namespace {

float Radians(float degrees) { return degrees * std::numbers::pi_v<float> / 180.0f; }

}  // namespace

std::vector<Vec2> RegularPolygon(int corners, float radius, float firstAngleDegrees) {
  std::vector<Vec2> points;
  for (int i = 0; i < corners; ++i) {
    const float a = Radians(firstAngleDegrees + 360.0f * static_cast<float>(i) / static_cast<float>(corners));
    points.push_back({radius * std::cos(a), radius * std::sin(a)});
  }
  return points;
}

std::vector<Vec2> Rotated(std::vector<Vec2> points, float degrees) {
  const float c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  for (Vec2& v : points) v = {v.x * c - v.y * s, v.x * s + v.y * c};
  return points;
}

std::vector<Vec2> Scaled(std::vector<Vec2> points, float factor) {
  for (Vec2& v : points) v = {v.x * factor, v.y * factor};
  return points;
}

std::vector<Vec2> Arc(Vec2 centre, float radius, float fromDegrees, float toDegrees, int steps) {
  std::vector<Vec2> points;
  for (int i = 0; i <= steps; ++i) {
    const float a = Radians(fromDegrees + (toDegrees - fromDegrees) * static_cast<float>(i) / static_cast<float>(steps));
    points.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
  }
  return points;
}

}  // namespace qv::sprites
