#include "settings/stick_axis.h"

namespace qv {

float ReadStickAxis(const AxisSlots& slots, int axis, float scale, int invert, float centre) {
  const int slot = AxisSlot(axis);
  if (slot < 0) return 0.0f;
  // The settings screens only offer the divisors 1, 180 and 255 and a zero read from the file becomes
  // 1, but a divisor of 0 must never turn a stick reading into infinity.
  const float divisor = scale != 0.0f ? scale : 1.0f;
  return slots[static_cast<std::size_t>(slot)] / divisor * static_cast<float>(invert) - centre;
}

}  // namespace qv
