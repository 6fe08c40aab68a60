// Angles in this game are degrees, 0 along +x, positive turning clockwise on screen (y grows down).
#pragma once

#include <cmath>

namespace qv {

inline constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
inline constexpr double kRadToDeg = 180.0 / 3.14159265358979323846;

inline float SinDeg(double deg) { return static_cast<float>(std::sin(deg * kDegToRad)); }
inline float CosDeg(double deg) { return static_cast<float>(std::cos(deg * kDegToRad)); }
inline float AtanDeg(double v) { return static_cast<float>(std::atan(v) * kRadToDeg); }
inline float Atan2Deg(double y, double x) { return static_cast<float>(std::atan2(y, x) * kRadToDeg); }

}  // namespace qv
