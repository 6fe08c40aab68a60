// The spring lattice under the playfield: one mass point at every corner of a square cell grid that
// covers the whole playfield. Points are stored column-major in parallel arrays (index = column x
// rows + row), sized to the configured playfield and cell size, so any size the settings allow fits.
//
// Every interior point is pulled one pixel a frame back toward its rest position and, when it strays
// more than 2 pixels from the mean of its four neighbours, toward that mean; velocities decay by
// 0.899 a frame. Gameplay kicks the lattice with PullGrid (gravity wells, bombs, the player's death
// and arrival), PushGrid (shots, power-ups, generators) and ShockGrid (every enemy death). Border
// points never move: only UpdateGrid moves points and it visits interior points only.
#pragma once

#include <cstdint>
#include <vector>

namespace qv {

struct Game;

// The index range of points one DrawGrid call covers.
struct GridWindow {
  int firstColumn = 0, lastColumn = 0, firstRow = 0, lastRow = 0;
  bool operator==(const GridWindow&) const = default;
};

struct Grid {
  int cellWidth = 16, cellHeight = 16;
  int cellsAcross = 64, cellsDown = 48;  // points run 0..cellsAcross by 0..cellsDown
  std::vector<float> homeX, homeY, x, y, vx, vy;
  float gridPhaseSpiral = 0, gridPhaseFold = 0;  // degrees, advanced by the spiral and folded styles
  GridWindow window;                             // what the last DrawGrid covered
  // How far points lie from their rest positions, as of the last UpdateGrid (0 after ResetGrid): per
  // column the farthest any of its points is on either axis, and the farthest of all. Only those two
  // move points, so drawing can tell from these which part of a lattice far larger than the screen
  // cannot reach the screen.
  std::vector<float> columnReach;
  float maxOffset = 0;
  // Drawing scratch, kept so a frame allocates nothing: one polyline's points and vertex colours.
  std::vector<float> stripPoints;
  std::vector<std::uint8_t> stripColours;

  int Rows() const { return cellsDown + 1; }
  int Index(int column, int row) const { return column * (cellsDown + 1) + row; }
};

// Cell size from the grid-spacing setting (0..3 give 4, 8, 16, 32 pixels; anything else keeps the
// current size), point counts from the playfield size, then every point back to rest.
void ConfigureGrid(Grid& grid, int gridSpacing, int fieldWidth, int fieldHeight);

// Every point to its rest position with no velocity.
void ResetGrid(Grid& grid);

// One relaxation step of every interior point, swept in place: columns 1..cellsAcross-1 in the outer
// loop, rows 1..cellsDown-1 in the inner one, each point reading its left and upper neighbours as
// already moved in this pass and its right and lower ones as not yet moved.
void UpdateGrid(Grid& grid);

// Adds (dx, dy) to the velocity of point `index`: a component above 8 in size counts only a
// sixteenth, and a squared speed s above 160 is divided by s and multiplied by 128 (so a point never
// flies off faster than about 10 pixels a frame). An index outside the lattice is ignored.
void KickPoint(Grid& grid, int index, float dx, float dy);

// The impulses. Each takes the centre cell (x / cellWidth, y / cellHeight, truncated) and looks at
// the square of offsets -n..n around it, touching only points with 0 < column <= cellsAcross and
// 0 < row <= cellsDown; a centre that is not a finite number touches nothing.
//
// Every point within a disc of `radiusCells` cells (di^2 + dj^2 < n^2) gets a velocity change of
// `strength` toward (x, y), whatever its distance (away for a negative strength); a point exactly
// at (x, y) is left alone.
void PullGrid(Grid& grid, float x, float y, int radiusCells, float strength);
// Points whose rest position lies 1 to 50 pixels from (x, y), and that are less than 20 pixels out of
// place, are pushed away in proportion to the distance of their rest position.
void PushGrid(Grid& grid, float x, float y, int radiusCells, float strength);
// A small explosion: the 29 points within offsets -3..3 with di^2 + dj^2 < 10 are kicked outward by
// four times their offset from (x, y) (a sixteenth of that beyond 8, see KickPoint).
void ShockGrid(Grid& grid, int x, int y);

// Draws the lattice in one of the styles 0..20 (20, or any other number, draws nothing) with additive
// blending, and leaves scale (1, 1), alpha 1 and line width 2 behind. `panelMode` shows the top-left
// part of the lattice as a panel in the middle of the screen (the video settings preview); it moves
// the view's scroll offsets to (-screenWidth / 8, -screenHeight / 8) and leaves them there.
void DrawGrid(Game& game, int style, bool panelMode);

// The window DrawGrid covers: the whole lattice with the full-grid setting, else the visible part
// plus 4 cells; in panel mode the panel's part. Clamped to the lattice. Panel mode needs the scroll
// offsets it sets, so DrawGrid applies those before it asks.
GridWindow ComputeGridWindow(const Grid& grid, int fullGrid, int scrollX, int scrollY, int screenWidth,
                             int screenHeight, bool panelMode);

}  // namespace qv
