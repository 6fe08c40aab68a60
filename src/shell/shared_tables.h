// Small tables and helpers shared across the game: the drifting colour, the circle used by several
// drawings, the multiplier steps and the version text.
#pragma once

#include <array>
#include <string>

#include "platform/random.h"

namespace qv {

inline constexpr const char* kVersionNumber = "5.0";
std::string BuildVersionText();  // "Version 5.0 - Mar 13, 2006"

// One colour that drifts through the spectrum; the odd grid styles, black holes, power-ups, the ship's
// halo and the attract screens read it.
struct CyclingColour {
  int red = 250, green = 20, blue = 30;
  float redRate = -3, greenRate = 5, blueRate = 7;
};
// Moves each component by rate / 10 x speed (truncated); a component that leaves 0..255 is put back on
// the edge and bounces with a new random rate.
void StepCyclingColour(CyclingColour& colour, Rng& rng, float speed);

// 18 points of a circle of radius 8: x0, y0, x1, y1, ...
using CircleTable = std::array<float, 36>;
CircleTable BuildCircleTable();

// The kill counts at which the multiplier rises.
inline constexpr std::array<int, 10> kMultiplierSteps = {25, 50, 100, 200, 400, 800, 1600, 3200, 6400, 12800};

}  // namespace qv
