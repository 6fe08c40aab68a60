// Reading one analogue stick axis through a joystick record: raw value / scale x invert - centre.
#pragma once

#include <array>

namespace qv {

// A joystick port delivers 16 axis slots, reals of about -1..1.
inline constexpr int kAxisSlotCount = 16;
using AxisSlots = std::array<float, kAxisSlotCount>;

// Axis numbers 1..15 (as a joystick record stores them) become 0-based axes 0..14; "no axis" (0) and
// numbers no joystick has become -1, which reads as a stick at rest.
inline int ZeroBasedAxis(int axisNumber) {
  return axisNumber >= 1 && axisNumber <= 15 ? axisNumber - 1 : -1;
}

// The platform slot a 0-based axis reads: axes 0..10 are the joystick's eleven named axes in slots
// 0..10, axes 11..14 the extra axes in slots 12..15 (slot 11 is never read); -1 for any other axis.
inline int AxisSlot(int axis) {
  if (axis < 0 || axis > 14) return -1;
  return axis <= 10 ? axis : axis + 1;
}

// The value of a 0-based axis: its slot divided by scale, times invert, minus centre. An axis outside
// 0..14, "no axis" included, reads 0 with no centre subtracted.
float ReadStickAxis(const AxisSlots& slots, int axis, float scale, int invert, float centre);

}  // namespace qv
