// Drawing the spring lattice in its twenty styles.
//
// Every style goes through the batched drawing layer in the additive blend mode (polylines as line
// strips, cells as quads or triangles, dots as rectangles, glow as images of the particle sprite), so
// a style costs a draw call or two, not one per primitive.
//
// A playfield can be far larger than the screen (5120 x 4096 at 4-pixel cells is 1.3 million points),
// so each drawing walks only the part of its window whose points can come near the screen. Only
// UpdateGrid and ResetGrid move points, and UpdateGrid notes for every column the farthest any of its
// points lies from rest (Grid::columnReach). A column whose rest position lies more than that, plus a
// margin for line widths and sprite sizes, beyond a screen edge has every point off that edge; among
// the columns left, a row whose rest position lies more than their largest reach beyond the top or
// bottom edge has every point there off that edge. The range kept reaches one index (four for the
// coarse lattice) past those columns and rows, so any segment or cell with a point near the screen is
// drawn whole, while one that is left out has all its points off the same edge and could not have
// touched the screen. Pattern phases (every fourth line, the counters of the stretch and shimmer
// styles, the colour phase of the spirals) still count from the window's own first column and row, so
// what shows is exactly what the whole window would show.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "effects/grid.h"
#include "platform/degmath.h"
#include "shell/game.h"

namespace qv {

namespace {

enum class Drawing {
  kDots,
  kGlow,
  kCoarseLattice,
  kLines,
  kMeshWithDiagonals,
  kTriangleMesh,
  kStretchLines,
  kStretchOutlines,
  kStretchCrosses,
  kSpirals,
  kCheckerboard,
  kStretchCheckerboard,
  kShimmerCheckerboard,
  kFoldedTriangles,
  kBands,
};

struct Style {
  bool cycling;  // colour from CyclingColour, else the grid colour of the settings
  Drawing drawing;
};

constexpr Style kStyles[20] = {
    {false, Drawing::kDots},
    {true, Drawing::kDots},
    {false, Drawing::kGlow},
    {true, Drawing::kGlow},
    {false, Drawing::kCoarseLattice},
    {true, Drawing::kCoarseLattice},
    {false, Drawing::kLines},
    {true, Drawing::kLines},
    {false, Drawing::kMeshWithDiagonals},
    {true, Drawing::kTriangleMesh},
    {false, Drawing::kStretchLines},
    {false, Drawing::kStretchOutlines},
    {false, Drawing::kStretchCrosses},
    {false, Drawing::kSpirals},
    {false, Drawing::kCheckerboard},
    {true, Drawing::kCheckerboard},
    {false, Drawing::kStretchCheckerboard},
    {false, Drawing::kShimmerCheckerboard},
    {false, Drawing::kFoldedTriangles},
    {false, Drawing::kBands},
};

// How far a primitive reaches beyond its points: half the widest line (16) with its caps, the 3-pixel
// dots, and some room to spare. The glow adds the sprite's own half size.
constexpr float kMargin = 32;

// Some styles measure against the default cell size whatever the configured one.
constexpr float kDefaultCell = 16;

std::uint8_t UnitToByte(float v) {
  const float scaled = v * 255.0f + 0.5f;
  return static_cast<std::uint8_t>(scaled <= 0 ? 0 : (scaled >= 255 ? 255 : scaled));
}

int FloorMod(int a, int m) {
  const int r = a % m;
  return r < 0 ? r + m : r;
}

// The smallest value >= lo of the sequence start, start + step, ... (start itself if that is >= lo).
int FirstOfStepAtLeast(int start, int step, int lo) {
  if (start >= lo) return start;
  return start + ((lo - start + step - 1) / step) * step;
}

// Indices i with i * pitch within [from, to] pixels, widened by `extend` and clamped to 0..last; a
// range that does not make sense (not a number) gives everything.
void IndexRange(double from, double to, double pitch, int extend, int last, int& lo, int& hi) {
  if (!(from <= to) || !std::isfinite(from) || !std::isfinite(to)) {
    lo = 0;
    hi = last;
    return;
  }
  lo = static_cast<int>(std::clamp(std::ceil(from / pitch) - extend, -1.0, last + 1.0));
  hi = static_cast<int>(std::clamp(std::floor(to / pitch) + extend, -1.0, last + 1.0));
  lo = std::max(lo, 0);
  hi = std::min(hi, last);
}

// The columns and rows whose points can come within `margin` pixels of the screen, each point lying
// within its column's reach (plus `extra`) of its rest position, widened by `extend` indices: empty
// (first > last) when nothing can. See the top of this file.
void NearScreen(const Grid& grid, const ViewState& view, double margin, double extra, int extend, int& c0, int& c1,
                int& r0, int& r1) {
  const double left = view.scrollX - margin - extra, right = view.scrollX + view.viewWidth + margin + extra;
  int first = -1, last = -1;
  for (int i = 0; i <= grid.cellsAcross; ++i) {
    const double x = static_cast<double>(i) * grid.cellWidth, reach = grid.columnReach[i];
    if (x + reach >= left && x - reach <= right) {
      if (first < 0) first = i;
      last = i;
    }
  }
  if (first < 0) {
    c0 = r0 = 0;
    c1 = r1 = -1;
    return;
  }
  c0 = std::max(first - extend, 0);
  c1 = std::min(last + extend, grid.cellsAcross);
  float reach = 0;
  for (int i = c0; i <= c1; ++i) reach = std::max(reach, grid.columnReach[i]);
  const double down = margin + extra + reach;
  IndexRange(view.scrollY - down, view.scrollY + view.viewHeight + down, grid.cellHeight, extend, grid.cellsDown, r0, r1);
}

// One polyline at a time, collected into the grid's scratch buffers and sent as one line strip.
class Strip {
 public:
  Strip(Grid& grid, Graphics& gfx, bool coloured) : points_(grid.stripPoints), colours_(grid.stripColours), gfx_(gfx), coloured_(coloured) {
    points_.clear();
    colours_.clear();
  }
  ~Strip() { Flush(); }
  Strip(const Strip&) = delete;
  Strip& operator=(const Strip&) = delete;

  void Add(float x, float y) {
    points_.push_back(x);
    points_.push_back(y);
  }
  void Add(float x, float y, const std::uint8_t* rgb) {
    Add(x, y);
    colours_.insert(colours_.end(), rgb, rgb + 3);
  }
  void Flush() {
    const int count = static_cast<int>(points_.size() / 2);
    if (count >= 2) gfx_.LineStrip(points_.data(), count, coloured_ ? colours_.data() : nullptr);
    points_.clear();
    colours_.clear();
  }

 private:
  std::vector<float>& points_;
  std::vector<std::uint8_t>& colours_;
  Graphics& gfx_;
  bool coloured_;
};

// Everything one DrawGrid call works with.
struct GridDraw {
  Grid& grid;
  Graphics& gfx;
  const Game& game;
  float scrollX, scrollY;
  float opacity;  // the setting with its sign
  // The window, and within the lattice the columns and rows that can reach the screen (one index
  // wider all round).
  int c0, c1, r0, r1;
  int nc0, nc1, nr0, nr1;

  int K(int i, int j) const { return grid.Index(i, j); }
  float Px(int i, int j) const { return grid.x[K(i, j)] - scrollX; }
  float Py(int i, int j) const { return grid.y[K(i, j)] - scrollY; }

  // Stretch of cell (i, j): 0 for a cell no wider or taller than 16 pixels across its diagonal, rising
  // along a sine to 1 at 90 pixels beyond.
  float Stretch(int i, int j) const {
    const int a = K(i, j), b = K(i + 1, j + 1);
    const float d = std::max(grid.x[b] - grid.x[a] - kDefaultCell, grid.y[b] - grid.y[a] - kDefaultCell);
    if (d < 0) return 0;
    return d <= 90 ? SinDeg(d) : 1;
  }

  void CellCorners(int i, int j, float* xy) const {
    xy[0] = Px(i, j);
    xy[1] = Py(i, j);
    xy[2] = Px(i + 1, j);
    xy[3] = Py(i + 1, j);
    xy[4] = Px(i + 1, j + 1);
    xy[5] = Py(i + 1, j + 1);
    xy[6] = Px(i, j + 1);
    xy[7] = Py(i, j + 1);
  }

  // Polylines along one column (rows from..to) and along one row (columns from..to), cut to the part
  // near the screen.
  void ColumnStrip(Strip& strip, int i, int from, int to) const {
    for (int j = std::max(from, nr0), last = std::min(to, nr1); j <= last; ++j) strip.Add(Px(i, j), Py(i, j));
    strip.Flush();
  }
  void RowStrip(Strip& strip, int j, int from, int to) const {
    for (int i = std::max(from, nc0), last = std::min(to, nc1); i <= last; ++i) strip.Add(Px(i, j), Py(i, j));
    strip.Flush();
  }

  // Cells (i, j) with i in [i0, i1] and j in [j0, j1], cut to those near the screen; `visit` is called
  // with the cell, column by column (or row by row when `rowsOuter`).
  template <typename Visit>
  void ForCells(int i0, int i1, int j0, int j1, bool rowsOuter, Visit visit) const {
    const int iLo = std::max(i0, nc0), iHi = std::min(i1, nc1 - 1);
    const int jLo = std::max(j0, nr0), jHi = std::min(j1, nr1 - 1);
    if (rowsOuter) {
      for (int j = jLo; j <= jHi; ++j)
        for (int i = iLo; i <= iHi; ++i) visit(i, j);
    } else {
      for (int i = iLo; i <= iHi; ++i)
        for (int j = jLo; j <= jHi; ++j) visit(i, j);
    }
  }

  // The checkerboard cells: columns c0' .. c1 - 1, and in column i the rows r0' + (i mod 2) .. r1 - 1 in
  // steps of 2. `visit(i, j, quadsBefore)` also learns how many checkerboard cells of the whole window
  // come before this one.
  template <typename Visit>
  void ForCheckerboardCells(Visit visit) const {
    const int ce = c0 - c0 % 2, re = r0 - r0 % 2;
    // Cells per column: columns of even index start on r0', odd ones a row lower.
    const int perEven = r1 - 1 >= re ? (r1 - 1 - re) / 2 + 1 : 0;
    const int perOdd = r1 - 1 >= re + 1 ? (r1 - 1 - re - 1) / 2 + 1 : 0;
    const int iLo = std::max(ce, nc0), iHi = std::min(c1 - 1, nc1 - 1);
    for (int i = iLo; i <= iHi; ++i) {
      const int n = i - ce;  // columns before this one; ce is even
      const long long before = static_cast<long long>((n + 1) / 2) * perEven + static_cast<long long>(n / 2) * perOdd;
      const int start = re + FloorMod(i, 2);
      const int jLo = FirstOfStepAtLeast(start, 2, nr0), jHi = std::min(r1 - 1, nr1 - 1);
      for (int j = jLo; j <= jHi; j += 2) visit(i, j, before + (j - start) / 2);
    }
  }

  void Dots() const {
    gfx.SetLineWidth(1);
    const int iLo = std::max(c0, nc0), iHi = std::min(c1 - 1, nc1);
    const int jLo = std::max(r0, nr0), jHi = std::min(r1 - 1, nr1);
    for (int i = iLo; i <= iHi; ++i)
      for (int j = jLo; j <= jHi; ++j) gfx.Rect(Px(i, j), Py(i, j), 2, 2);
    // The lines of every fourth column and row, strictly past the window's first, are emphasised.
    for (int i = FirstOfStepAtLeast(c0 + 4 - c0 % 4, 4, iLo); i <= iHi; i += 4)
      for (int j = jLo; j <= jHi; ++j) gfx.Rect(Px(i, j), Py(i, j), 3, 3);
    for (int j = FirstOfStepAtLeast(r0 + 4 - r0 % 4, 4, jLo); j <= jHi; j += 4)
      for (int i = iLo; i <= iHi; ++i) gfx.Rect(Px(i, j), Py(i, j), 3, 3);
  }

  void Glow() const {
    const ImageHandle& particle = game.images.particle;
    gfx.SetScale(1.5f, 1.5f);
    for (int i = std::max(c0 + 1, nc0), iHi = std::min(c1 - 1, nc1); i <= iHi; ++i) {
      const float column = (i - c0) % 4 == 0 ? 0.25f : 0.0f;
      for (int j = std::max(r0 + 1, nr0), jHi = std::min(r1 - 1, nr1); j <= jHi; ++j) {
        gfx.SetAlpha(opacity + ((j - r0) % 4 == 0 ? 0.25f : 0.0f) + column);
        gfx.DrawImage(particle, Px(i, j), Py(i, j));
      }
    }
    gfx.SetScale(1, 1);
  }

  // Straight lines between every fourth point, so this lattice bends only at its corners. It reaches
  // four indices between points, so its range near the screen is four wider (see DrawGrid).
  void CoarseLattice() const {
    gfx.SetLineWidth(2);
    gfx.SetAlpha(0.9f);
    const int a = 4 - c0 % 4, b = 4 - r0 % 4;
    Strip strip(grid, gfx, false);
    for (int i = FirstOfStepAtLeast(c0 + a, 4, nc0); i <= c1 - 4 && i <= nc1; i += 4) {
      const int first = r0 + b - 4;
      if (first > r1 - 4) break;
      const int last = first + ((r1 - 4 - first) / 4) * 4 + 4;
      for (int j = FirstOfStepAtLeast(first, 4, nr0); j <= last && j <= nr1; j += 4) strip.Add(Px(i, j), Py(i, j));
      strip.Flush();
    }
    for (int j = FirstOfStepAtLeast(r0 + b, 4, nr0); j <= r1 - 4 && j <= nr1; j += 4) {
      const int first = c0 + a - 4;
      if (first > c1 - 4) break;
      const int last = first + ((c1 - 4 - first) / 4) * 4 + 4;
      for (int i = FirstOfStepAtLeast(first, 4, nc0); i <= last && i <= nc1; i += 4) strip.Add(Px(i, j), Py(i, j));
      strip.Flush();
    }
  }

  void Lines() const {
    gfx.SetLineWidth(1);
    Strip strip(grid, gfx, false);
    for (int i = std::max(c0, nc0), iHi = std::min(c1 - 1, nc1); i <= iHi; ++i) {
      gfx.SetAlpha((i - c0) % 4 == 0 ? opacity + 0.25f : opacity);
      ColumnStrip(strip, i, r0, r1);
    }
    for (int j = std::max(r0, nr0), jHi = std::min(r1 - 1, nr1); j <= jHi; ++j) {
      gfx.SetAlpha((j - r0) % 4 == 0 ? opacity + 0.25f : opacity);
      RowStrip(strip, j, c0, c1);
    }
  }

  void MeshWithDiagonals() const {
    const int ce = c0 - c0 % 2, re = r0 - r0 % 2;
    gfx.SetLineWidth(2);
    Strip strip(grid, gfx, false);
    for (int j = std::max(re, nr0), jHi = std::min(r1 - 1, nr1); j <= jHi; ++j) RowStrip(strip, j, ce, c1);
    for (int i = std::max(ce, nc0), iHi = std::min(c1 - 1, nc1); i <= iHi; ++i) ColumnStrip(strip, i, re, r1);
    // Every diagonal of the block of columns 0..c1 and rows 0..r1, border to border.
    gfx.SetLineWidth(1.5f);
    auto downRight = [&](int a, int b) {
      const int tLo = std::max({0, nc0 - a, nr0 - b}), tHi = std::min({c1 - a, r1 - b, nc1 - a, nr1 - b});
      for (int t = tLo; t <= tHi; ++t) strip.Add(Px(a + t, b + t), Py(a + t, b + t));
      strip.Flush();
    };
    auto downLeft = [&](int a, int b) {
      const int tLo = std::max({0, a - nc1, nr0 - b}), tHi = std::min({a, r1 - b, a - nc0, nr1 - b});
      for (int t = tLo; t <= tHi; ++t) strip.Add(Px(a - t, b + t), Py(a - t, b + t));
      strip.Flush();
    };
    for (int b = r1; b >= 0; --b) downRight(0, b);
    for (int a = 1; a <= c1 - 1; ++a) downRight(a, 0);
    for (int a = 0; a <= c1; ++a) downLeft(a, 0);
    for (int b = 1; b <= r1 - 1; ++b) downLeft(c1, b);
  }

  void TriangleMesh() const {
    const std::uint8_t blue[3] = {UnitToByte(0.005f), UnitToByte(0.05f), UnitToByte(0.3f)};
    const std::uint8_t colours[12] = {blue[0], blue[1], blue[2], blue[0], blue[1], blue[2],
                                      blue[0], blue[1], blue[2], blue[0], blue[1], blue[2]};
    ForCells(c0 - c0 % 2, c1 - 1, r0 - r0 % 2, r1 - 1, true, [&](int i, int j) {
      gfx.SetLineWidth(1 + Stretch(i, j));
      const float closed[8] = {Px(i + 1, j), Py(i + 1, j), Px(i + 1, j + 1), Py(i + 1, j + 1),
                               Px(i, j + 1), Py(i, j + 1), Px(i + 1, j), Py(i + 1, j)};
      gfx.LineStrip(closed, 4, colours);
      const float diagonal[4] = {Px(i, j), Py(i, j), Px(i + 1, j + 1), Py(i + 1, j + 1)};
      gfx.LineStrip(diagonal, 2, colours);
    });
  }

  // Cold blue for a square cell, warming to orange as the cell stretches.
  void SetStretchColour(float s) const {
    gfx.SetColor(static_cast<int>(20 + 235 * s), static_cast<int>(20 + 100 * s), static_cast<int>(180 - 140 * s));
  }

  void StretchLines() const {
    const int ce = c0 - c0 % 2, re = r0 - r0 % 2;
    ForCells(ce, c1 - 1, re, r1 - 1, true, [&](int i, int j) {
      const int rowCount = j - re + 1, columnCount = i - ce + 1;
      const float s = Stretch(i, j);
      SetStretchColour(s);
      gfx.SetLineWidth(1 + 1.5f * s);
      if (i < c1 - 1) {
        gfx.SetAlpha(columnCount % 4 == 0 ? 1.0f : 0.5f);
        const float right[4] = {Px(i + 1, j), Py(i + 1, j), Px(i + 1, j + 1), Py(i + 1, j + 1)};
        gfx.LineStrip(right, 2);
      }
      if (j < r1 - 1) {
        gfx.SetAlpha(rowCount % 4 == 0 ? 1.0f : 0.5f);
        const float bottom[4] = {Px(i + 1, j + 1), Py(i + 1, j + 1), Px(i, j + 1), Py(i, j + 1)};
        gfx.LineStrip(bottom, 2);
      }
    });
  }

  void StretchOutlines() const {
    ForCheckerboardCells([&](int i, int j, long long) {
      const float s = Stretch(i, j);
      SetStretchColour(s);
      gfx.SetAlpha((1 - s) * 0.3f + 0.7f);
      gfx.SetLineWidth(1 + 2 * s);
      float outline[10];
      CellCorners(i, j, outline);
      outline[8] = outline[0];
      outline[9] = outline[1];
      gfx.LineStrip(outline, 5);
    });
  }

  void StretchCrosses() const {
    ForCheckerboardCells([&](int i, int j, long long) {
      const float s = Stretch(i, j);
      gfx.SetColor(static_cast<int>(128 + 127 * s), static_cast<int>(15 + 105 * s), static_cast<int>(63 - 23 * s));
      gfx.SetAlpha(0.6f + 0.2f * s);
      gfx.SetLineWidth(1 + 1.5f * s);
      const float down[4] = {Px(i, j), Py(i, j), Px(i + 1, j + 1), Py(i + 1, j + 1)};
      const float up[4] = {Px(i, j + 1), Py(i, j + 1), Px(i + 1, j), Py(i + 1, j)};
      gfx.LineStrip(down, 2);
      gfx.LineStrip(up, 2);
    });
  }

  void Spirals() const;

  void Checkerboard(bool stretchColour, bool shimmer) const {
    gfx.SetLineWidth(1);
    float quad[8];  // one buffer for every cell of the call
    const int green = game.cycling.green;
    const int ce = c0 - c0 % 2;
    ForCheckerboardCells([&](int i, int j, long long before) {
      if (stretchColour) SetStretchColour(Stretch(i, j));
      if (shimmer) {
        // The quad counter grows by 2 before each cell, the column counter by 1 at each column.
        const double quadCounter = 2.0 * static_cast<double>(before + 1);
        const int columnCounter = i - ce + 1;
        gfx.SetAlpha(opacity - 0.25f * (SinDeg(green + quadCounter) + CosDeg(columnCounter)));
      }
      CellCorners(i, j, quad);
      gfx.Quad(quad);
    });
  }

  void FoldedTriangles() const {
    grid.gridPhaseFold += 0.05f;
    if (grid.gridPhaseFold >= 360) grid.gridPhaseFold -= 360;
    const float w = 36 * SinDeg(grid.gridPhaseFold);
    const std::uint8_t grey = UnitToByte(0.3f);
    const std::uint8_t colours[9] = {grey, grey, grey, grey, grey, 0, grey, 0, 0};
    ForCells(c0 - c0 % 2, c1 - 1, r0 - r0 % 2, r1 - 1, true, [&](int i, int j) {
      const float k = 0.5f + 0.25f * SinDeg(static_cast<double>(w) * i * j);
      const float corner[3][2] = {{Px(i + 1, j), Py(i + 1, j)}, {Px(i + 1, j + 1), Py(i + 1, j + 1)}, {Px(i, j + 1), Py(i, j + 1)}};
      const float xy[6] = {corner[0][0], corner[1][1] + (corner[0][1] - corner[1][1]) * k,
                           corner[1][0], corner[1][1],
                           corner[1][0] + (corner[2][0] - corner[1][0]) * k, corner[2][1]};
      gfx.Triangle(xy, colours);
    });
  }

  void Bands() const {
    gfx.SetLineWidth(16);
    Strip strip(grid, gfx, false);
    for (int j = std::max(r0 + 1, nr0), jHi = std::min(r1 - 1, nr1); j <= jHi; ++j) RowStrip(strip, j, c0, c1);
  }
};

// One pass of the spiral: a polyline that winds inward along the lattice, its vertex colour cycling
// with a phase that grows by 6 degrees before every vertex. Vertices outside `clip` are not drawn, but
// still advance the phase, and the polyline breaks there.
class SpiralPass {
 public:
  // The colour wave at each whole degree, worked out once per drawing: the phase starts on a whole
  // number of degrees and moves in steps of 6, so every vertex looks its wave up instead of taking a
  // sine (a phase set to a fraction by hand still takes its sine).
  using WaveTable = std::array<std::uint8_t, 360>;
  static std::uint8_t Wave(float phase) { return UnitToByte(0.3f + 0.2f * SinDeg(phase)); }
  static void FillWaves(WaveTable& table) {
    for (int degree = 0; degree < 360; ++degree) table[degree] = Wave(static_cast<float>(degree));
  }

  SpiralPass(const GridDraw& d, const WaveTable& waves, int pass, int cLo, int cHi, int rLo, int rHi)
      : d_(d), waves_(waves), pass_(pass), cLo_(cLo), cHi_(cHi), rLo_(rLo), rHi_(rHi), phase_(d.grid.gridPhaseSpiral),
        strip_(d.grid, d.gfx, true) {}

  // A run of vertices along row `fixed` (horizontal) or column `fixed`, from `from` to `to` in steps of
  // `dir` (+1 or -1); a run that would go the other way is empty.
  void Run(bool horizontal, int fixed, int from, int to, int dir) {
    const long long count = static_cast<long long>(to - from) * dir + 1;
    if (count <= 0) return;
    const int fixedLo = horizontal ? rLo_ : cLo_, fixedHi = horizontal ? rHi_ : cHi_;
    const int lo = horizontal ? cLo_ : rLo_, hi = horizontal ? cHi_ : rHi_;
    // Steps m = 0 .. count - 1 at from + dir m; those within lo..hi are drawn.
    long long mLo = dir > 0 ? static_cast<long long>(lo) - from : static_cast<long long>(from) - hi;
    long long mHi = dir > 0 ? static_cast<long long>(hi) - from : static_cast<long long>(from) - lo;
    mLo = std::max(mLo, 0LL);
    mHi = std::min(mHi, count - 1);
    if (fixed < fixedLo || fixed > fixedHi || mLo > mHi) {
      Skip(count);
      return;
    }
    Skip(mLo);
    for (long long m = mLo; m <= mHi; ++m) {
      const int moving = from + dir * static_cast<int>(m);
      Vertex(horizontal ? moving : fixed, horizontal ? fixed : moving, horizontal);
    }
    Skip(count - 1 - mHi);
  }

 private:
  void Skip(long long count) {
    if (count <= 0) return;
    strip_.Flush();
    phase_ = static_cast<float>(std::fmod(static_cast<double>(phase_) + 6.0 * static_cast<double>(count), 360.0));
  }

  void Vertex(int i, int j, bool horizontal) {
    phase_ += 6;
    if (phase_ >= 360) phase_ -= 360;
    const int whole = static_cast<int>(phase_);
    const std::uint8_t wave = whole >= 0 && whole < 360 && static_cast<float>(whole) == phase_ ? waves_[whole] : Wave(phase_);
    const std::uint8_t dim = UnitToByte(0.05f);
    const std::uint8_t rgb[3][3] = {{wave, dim, dim}, {dim, wave, dim}, {dim, dim, wave}};
    float x, y;
    if (pass_ == 3) {  // the lattice at rest, at the default pitch
      x = kDefaultCell * i - d_.scrollX;
      y = kDefaultCell * j - d_.scrollY;
    } else {
      x = d_.Px(i, j);
      y = d_.Py(i, j);
      if (pass_ == 1) {
        const int k = d_.K(i, j);
        const bool away = horizontal ? std::fabs(d_.grid.x[k] - kDefaultCell * i) > 1
                                     : std::fabs(d_.grid.y[k] - kDefaultCell * j) > 1;
        if (away) {
          x -= 4;
          y -= 4;
        }
      }
    }
    strip_.Add(x, y, rgb[pass_ - 1]);
  }

  const GridDraw& d_;
  const WaveTable& waves_;
  int pass_;
  int cLo_, cHi_, rLo_, rHi_;
  float phase_;
  Strip strip_;
};

void GridDraw::Spirals() const {
  gfx.SetRotation(0);
  gfx.SetScale(1, 1);
  grid.gridPhaseSpiral += 3;
  if (grid.gridPhaseSpiral >= 360) grid.gridPhaseSpiral -= 360;
  gfx.SetLineWidth(2);
  const ViewState& view = game.view;
  SpiralPass::WaveTable waves;
  SpiralPass::FillWaves(waves);
  for (int pass = 1; pass <= 3; ++pass) {
    // Passes 1 and 2 follow the points (pass 1 moves some 4 pixels up and left); pass 3 lies on the
    // lattice at rest at a 16-pixel pitch, whatever the cell size.
    int cLo = nc0, cHi = nc1, rLo = nr0, rHi = nr1;
    if (pass == 1) {
      NearScreen(grid, view, kMargin, 4, 1, cLo, cHi, rLo, rHi);
    } else if (pass == 3) {
      IndexRange(scrollX - kMargin, scrollX + view.viewWidth + kMargin, kDefaultCell, 1, grid.cellsAcross, cLo, cHi);
      IndexRange(scrollY - kMargin, scrollY + view.viewHeight + kMargin, kDefaultCell, 1, grid.cellsDown, rLo, rHi);
    }
    SpiralPass spiral(*this, waves, pass, std::max(cLo, c0), std::min(cHi, c1), std::max(rLo, r0), std::min(rHi, r1));
    int left = c0 + 1, right = c1 - 1, top = r0 + 1, bottom = r1 - 1;
    const int rings = static_cast<int>((r1 - 1) * 0.5 - 1);
    for (int ring = 0; ring <= rings; ++ring) {
      spiral.Run(true, top, left, right, 1);
      ++top;
      spiral.Run(false, right, top, bottom, 1);
      spiral.Run(true, bottom, right, left, -1);
      --right;
      --bottom;
      spiral.Run(false, left, bottom, top, -1);
      ++left;
    }
    spiral.Run(true, top, left, right, 1);
  }
}

}  // namespace

GridWindow ComputeGridWindow(const Grid& grid, int fullGrid, int scrollX, int scrollY, int screenWidth,
                             int screenHeight, bool panelMode) {
  GridWindow w;
  const int cw = std::max(grid.cellWidth, 1), ch = std::max(grid.cellHeight, 1);
  const int across = std::max(grid.cellsAcross, 0), down = std::max(grid.cellsDown, 0);
  if (panelMode) {
    w.lastColumn = screenWidth / 8 / cw * 6;
    w.lastRow = screenHeight / 8 / ch * 6;
  } else if (fullGrid != 0) {
    w.lastColumn = across;
    w.lastRow = down;
  } else {
    w.firstColumn = std::max(scrollX / cw, 0);
    w.firstRow = std::max(scrollY / ch, 0);
    w.lastColumn = w.firstColumn + std::max(screenWidth, 0) / cw + 4;
    w.lastRow = w.firstRow + std::max(screenHeight, 0) / ch + 4;
  }
  // Clamped to the lattice (a panel on a small playfield, a view scrolled beyond the playfield).
  w.firstColumn = std::min(w.firstColumn, across);
  w.firstRow = std::min(w.firstRow, down);
  w.lastColumn = std::clamp(w.lastColumn, w.firstColumn, across);
  w.lastRow = std::clamp(w.lastRow, w.firstRow, down);
  return w;
}

void DrawGrid(Game& game, int style, bool panelMode) {
  Graphics& gfx = game.gfx;
  Grid& grid = game.grid;
  ViewState& view = game.view;
  const Settings& settings = game.settings;

  if (panelMode) {
    view.scrollX = -(view.viewWidth / 8);
    view.scrollY = -(view.viewHeight / 8);
  }
  grid.window = ComputeGridWindow(grid, settings.fullGrid, view.scrollX, view.scrollY, view.viewWidth,
                                  view.viewHeight, panelMode);

  const bool sized = grid.cellsAcross >= 0 && grid.cellsDown >= 0 &&
                     grid.x.size() == static_cast<std::size_t>(grid.cellsAcross + 1) * (grid.cellsDown + 1) &&
                     grid.y.size() == grid.x.size() &&
                     grid.columnReach.size() == static_cast<std::size_t>(grid.cellsAcross + 1);
  if (style >= 0 && style < 20 && sized) {
    const Style& s = kStyles[style];
    gfx.SetAlpha(std::fabs(settings.gridOpacity));
    if (s.cycling) {
      gfx.SetColor(game.cycling.red, game.cycling.green, game.cycling.blue);
    } else {
      gfx.SetColor(settings.gridRed, settings.gridGreen, settings.gridBlue);
    }
    gfx.SetBlend(kAddBlend);

    const GridWindow& w = grid.window;
    GridDraw d{grid, gfx, game, static_cast<float>(view.scrollX), static_cast<float>(view.scrollY),
               settings.gridOpacity, w.firstColumn, w.lastColumn, w.firstRow, w.lastRow, 0, 0, 0, 0};
    // The part of the lattice near the screen (see the top of this file).
    float margin = kMargin;
    if (s.drawing == Drawing::kGlow && game.images.particle) {
      margin = std::max(margin, 0.75f * std::max(game.images.particle->cellWidth, game.images.particle->cellHeight) + 2);
    }
    const int extend = s.drawing == Drawing::kCoarseLattice ? 4 : 1;
    NearScreen(grid, view, margin, 0, extend, d.nc0, d.nc1, d.nr0, d.nr1);

    switch (s.drawing) {
      case Drawing::kDots: d.Dots(); break;
      case Drawing::kGlow: d.Glow(); break;
      case Drawing::kCoarseLattice: d.CoarseLattice(); break;
      case Drawing::kLines: d.Lines(); break;
      case Drawing::kMeshWithDiagonals: d.MeshWithDiagonals(); break;
      case Drawing::kTriangleMesh: d.TriangleMesh(); break;
      case Drawing::kStretchLines: d.StretchLines(); break;
      case Drawing::kStretchOutlines: d.StretchOutlines(); break;
      case Drawing::kStretchCrosses: d.StretchCrosses(); break;
      case Drawing::kSpirals: d.Spirals(); break;
      case Drawing::kCheckerboard: d.Checkerboard(false, false); break;
      case Drawing::kStretchCheckerboard: d.Checkerboard(true, false); break;
      case Drawing::kShimmerCheckerboard: d.Checkerboard(false, true); break;
      case Drawing::kFoldedTriangles: d.FoldedTriangles(); break;
      case Drawing::kBands: d.Bands(); break;
    }
  }

  gfx.SetScale(1, 1);
  gfx.SetAlpha(1);
  gfx.SetLineWidth(2);
}

}  // namespace qv
