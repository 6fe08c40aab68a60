#include "effects/grid.h"

#include <algorithm>

namespace qv {

void ConfigureGrid(Grid& grid, int gridSpacing, int fieldWidth, int fieldHeight) {
  static constexpr int kCellSizes[] = {4, 8, 16, 32};
  if (gridSpacing >= 0 && gridSpacing <= 3) grid.cellWidth = grid.cellHeight = kCellSizes[gridSpacing];
  grid.cellsAcross = std::max(fieldWidth, 0) / grid.cellWidth;
  grid.cellsDown = std::max(fieldHeight, 0) / grid.cellHeight;
  const std::size_t n = static_cast<std::size_t>(grid.cellsAcross + 1) * static_cast<std::size_t>(grid.cellsDown + 1);
  for (std::vector<float>* v : {&grid.homeX, &grid.homeY, &grid.x, &grid.y, &grid.vx, &grid.vy}) v->assign(n, 0.0f);
  ResetGrid(grid);
}

void ResetGrid(Grid& grid) {
  for (int i = 0; i <= grid.cellsAcross; ++i) {
    for (int j = 0; j <= grid.cellsDown; ++j) {
      const int k = grid.Index(i, j);
      if (static_cast<std::size_t>(k) >= grid.x.size()) return;
      grid.homeX[k] = grid.x[k] = static_cast<float>(i * grid.cellWidth);
      grid.homeY[k] = grid.y[k] = static_cast<float>(j * grid.cellHeight);
      grid.vx[k] = grid.vy[k] = 0;
    }
  }
}

}  // namespace qv
