// The spring grid's relaxation written as the rules read: one record per point, swept column by
// column. The game's faster sweep must match it bit for bit (tests) and beat it (benchmark).
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

#include "effects/grid.h"

namespace qv::test {

struct PlainPoint {
  float homeX, homeY, x, y, vx, vy;
};

struct PlainGrid {
  int across = 0, down = 0;
  std::vector<PlainPoint> points;
  PlainPoint& At(int i, int j) { return points[static_cast<std::size_t>(i) * (down + 1) + j]; }
};

inline float PlainSign(float v) { return v > 0 ? 1.0f : (v < 0 ? -1.0f : 0.0f); }

inline void PlainRelaxPoint(PlainPoint& p, float targetX, float targetY) {
  if (std::fabs(targetX - p.x) > 2) p.vx += PlainSign(targetX - p.x);
  if (std::fabs(targetY - p.y) > 2) p.vy += PlainSign(targetY - p.y);
  if (std::fabs(p.homeX - p.x) <= 1) {
    p.x = p.homeX;
  } else {
    p.x += PlainSign(p.homeX - p.x);
    p.vx += PlainSign(p.homeX - p.x) / 2;
  }
  if (std::fabs(p.homeY - p.y) <= 1) {
    p.y = p.homeY;
  } else {
    p.y += PlainSign(p.homeY - p.y);
    p.vy += PlainSign(p.homeY - p.y) / 2;
  }
  p.vx *= 0.899f;
  p.vy *= 0.899f;
  p.x += p.vx;
  p.y += p.vy;
}

inline void PlainUpdateGrid(PlainGrid& g) {
  for (int i = 1; i <= g.across - 1; ++i) {
    for (int j = 1; j <= g.down - 1; ++j) {
      const float tx = (g.At(i - 1, j).x + g.At(i, j - 1).x + g.At(i, j + 1).x + g.At(i + 1, j).x) / 4;
      const float ty = (g.At(i - 1, j).y + g.At(i, j - 1).y + g.At(i, j + 1).y + g.At(i + 1, j).y) / 4;
      PlainRelaxPoint(g.At(i, j), tx, ty);
    }
  }
}

inline PlainGrid PlainCopy(const Grid& grid) {
  PlainGrid g;
  g.across = grid.cellsAcross;
  g.down = grid.cellsDown;
  g.points.resize(grid.x.size());
  for (std::size_t k = 0; k < grid.x.size(); ++k)
    g.points[k] = {grid.homeX[k], grid.homeY[k], grid.x[k], grid.y[k], grid.vx[k], grid.vy[k]};
  return g;
}

}  // namespace qv::test
