// The spring lattice under the playfield: one mass point at every corner of a square cell grid that
// covers the whole playfield. Points are stored column-major in parallel arrays (index = column x
// rows + row), sized to the configured playfield and cell size, so any size the settings allow fits.
#pragma once

#include <vector>

namespace qv {

struct Grid {
  int cellWidth = 16, cellHeight = 16;
  int cellsAcross = 64, cellsDown = 48;  // points run 0..cellsAcross by 0..cellsDown
  std::vector<float> homeX, homeY, x, y, vx, vy;

  int Rows() const { return cellsDown + 1; }
  int Index(int column, int row) const { return column * (cellsDown + 1) + row; }
};

// Cell size from the grid-spacing setting (0..3 give 4, 8, 16, 32 pixels; anything else keeps the
// current size), point counts from the playfield size, then every point back to rest.
void ConfigureGrid(Grid& grid, int gridSpacing, int fieldWidth, int fieldHeight);

// Every point to its rest position with no velocity.
void ResetGrid(Grid& grid);

}  // namespace qv
