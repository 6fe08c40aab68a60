#include "shell/shared_tables.h"

#include "platform/degmath.h"

namespace qv {

std::string BuildVersionText() { return std::string("Version ") + kVersionNumber + " - Mar 13, 2006"; }

namespace {
void StepComponent(int& component, float& rate, Rng& rng, float speed) {
  component = static_cast<int>(component + rate / 10 * speed);
  if (component < 0) {
    component = 0;
    rate = rng.RandReal(1, speed);
  } else if (component > 255) {
    component = 255;
    rate = -rng.RandReal(1, speed);
  }
}
}  // namespace

void StepCyclingColour(CyclingColour& colour, Rng& rng, float speed) {
  StepComponent(colour.red, colour.redRate, rng, speed);
  StepComponent(colour.green, colour.greenRate, rng, speed);
  StepComponent(colour.blue, colour.blueRate, rng, speed);
}

CircleTable BuildCircleTable() {
  CircleTable t{};
  for (int i = 0; i < 18; ++i) {
    t[2 * i] = 8 * CosDeg(20.0 * i);
    t[2 * i + 1] = 8 * SinDeg(20.0 * i);
  }
  return t;
}

}  // namespace qv
