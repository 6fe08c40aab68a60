// The spring lattice under the playfield: one mass point at every corner of a square cell grid that
// covers the whole playfield. Points are stored column-major in parallel arrays (index = column x
// rows + row), sized to the configured playfield and cell size, so any size the settings allow fits.
#pragma once

#include <vector>

namespace qv {

struct Game;

struct Grid {
  int cellWidth = 16, cellHeight = 16;
  int cellsAcross = 64, cellsDown = 48;  // points run 0..cellsAcross by 0..cellsDown
  std::vector<float> homeX, homeY, x, y, vx, vy;
  float gridPhaseSpiral = 0, gridPhaseFold = 0;  // degrees, advanced by the spiral and folded styles

  int Rows() const { return cellsDown + 1; }
  int Index(int column, int row) const { return column * (cellsDown + 1) + row; }
};

// Cell size from the grid-spacing setting (0..3 give 4, 8, 16, 32 pixels; anything else keeps the
// current size), point counts from the playfield size, then every point back to rest.
void ConfigureGrid(Grid& grid, int gridSpacing, int fieldWidth, int fieldHeight);

// Every point to its rest position with no velocity.
void ResetGrid(Grid& grid);

// One relaxation step of every interior point, swept in place column by column.
void UpdateGrid(Grid& grid);
// Every point within a disc of `radiusCells` cells around (x, y) gets a velocity change of `strength`
// toward (x, y) (away for a negative strength).
void PullGrid(Grid& grid, float x, float y, int radiusCells, float strength);
// Points whose rest position lies 1 to 50 pixels from (x, y), and that are less than 20 pixels out of
// place, are pushed away in proportion to that distance.
void PushGrid(Grid& grid, float x, float y, int radiusCells, float strength);
// A small explosion kick on the 29 points nearest (x, y).
void ShockGrid(Grid& grid, int x, int y);
// Draws the lattice in one of the styles 0..20 (20 draws nothing); `panelMode` shows its top-left
// part as a panel in the middle of the screen (the video settings preview).
void DrawGrid(Game& game, int style, bool panelMode);

}  // namespace qv
