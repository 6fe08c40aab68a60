// The edge of a rectangle, as the settings screens draw their boxes and bars: one line per side over
// the pixels x..x+w-1 and y..y+h-1, in the current colour and line width.
#pragma once

#include "platform/graphics.h"

namespace qv {

inline void DrawOutline(Graphics& gfx, int x, int y, int w, int h) {
  const auto x0 = static_cast<float>(x), y0 = static_cast<float>(y);
  const auto x1 = static_cast<float>(x + w - 1), y1 = static_cast<float>(y + h - 1);
  gfx.Line(x0, y0, x1, y0);
  gfx.Line(x1, y0, x1, y1);
  gfx.Line(x1, y1, x0, y1);
  gfx.Line(x0, y1, x0, y0);
}

}  // namespace qv
