#include "effects/grid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace qv {

namespace {

// Centre cells and offsets are worked out in 64 bits from a clamped centre, so no position or radius
// can overflow them; anything this far out lies off every lattice anyway.
constexpr double kFarCell = 1 << 30;

std::size_t PointCount(const Grid& grid) {
  if (grid.cellsAcross < 0 || grid.cellsDown < 0) return 0;
  return static_cast<std::size_t>(grid.cellsAcross + 1) * static_cast<std::size_t>(grid.cellsDown + 1);
}

// The arrays hold exactly the points the counts name (a lattice whose counts were changed without
// ConfigureGrid is left alone rather than read out of bounds).
bool Sized(const Grid& grid) {
  const std::size_t n = PointCount(grid);
  return n > 0 && grid.x.size() == n && grid.y.size() == n && grid.vx.size() == n && grid.vy.size() == n &&
         grid.homeX.size() == n && grid.homeY.size() == n &&
         grid.columnReach.size() == static_cast<std::size_t>(grid.cellsAcross + 1);
}

void AssignSize(Grid& grid) {
  const std::size_t n = PointCount(grid);
  for (std::vector<float>* v : {&grid.homeX, &grid.homeY, &grid.x, &grid.y, &grid.vx, &grid.vy}) v->assign(n, 0.0f);
  grid.columnReach.assign(n ? static_cast<std::size_t>(grid.cellsAcross + 1) : 0, 0.0f);
}

// Four floats and four lane masks. The relaxation runs on four points at once; comparisons give
// all-ones or all-zeros lanes, so every rule becomes a select instead of a branch.
using F4 = float __attribute__((vector_size(16)));
using I4 = std::int32_t __attribute__((vector_size(16)));

inline I4 Bits(F4 v) { return reinterpret_cast<I4>(v); }
inline F4 Floats(I4 v) { return reinterpret_cast<F4>(v); }
inline F4 Splat(float v) { return F4{v, v, v, v}; }
inline I4 SplatBits(float v) { return Bits(Splat(v)); }
inline F4 Abs(F4 v) { return Floats(Bits(v) & I4{0x7fffffff, 0x7fffffff, 0x7fffffff, 0x7fffffff}); }
inline F4 Select(I4 mask, F4 a, F4 b) { return Floats((mask & Bits(a)) | (~mask & Bits(b))); }
// +1 or -1 with the sign of v.
inline F4 UnitWithSign(F4 v) {
  const I4 sign = Bits(v) & I4{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN};
  return Floats(sign | SplatBits(1.0f));
}

// RelaxPoint on one axis of four points: the neighbour pull, the return step and the damping of the
// game's rule, in its order, without a branch (with the lattice in motion each of those tests goes
// either way at random, and a mispredicted branch costs more than doing both sides). Where there is no
// pull, -0.0 is added, which leaves every value exactly as it was, so the results match the branching
// form bit for bit. Returns the new position and updates `vel`.
inline F4 RelaxAxis(F4 pos, F4& vel, F4 home, F4 target) {
  const F4 toTarget = target - pos;
  F4 v = vel + Select(Abs(toTarget) > 2.0f, UnitWithSign(toTarget), Splat(-0.0f));
  const F4 toHome = home - pos;
  const F4 stepped = pos + UnitWithSign(toHome);
  const F4 left = home - stepped;  // sign(left) / 2 is the half pixel of velocity back toward rest
  const F4 back = Floats(((left > 0.0f) & SplatBits(0.5f)) | ((left < 0.0f) & SplatBits(-0.5f)));
  const I4 snap = Abs(toHome) <= 1.0f;
  v = Select(snap, v, v + back);
  vel = v * 0.899f;
  return Select(snap, home, stepped) + vel;
}

struct Lattice {
  float* x;
  float* y;
  float* vx;
  float* vy;
  const float* homeX;
  const float* homeY;
  int rows;
};

inline F4 Load(const float* a) {
  F4 v;
  std::memcpy(&v, a, sizeof v);
  return v;
}
inline F4 Gather(const float* a, const int* k) { return F4{a[k[0]], a[k[1]], a[k[2]], a[k[3]]}; }
inline void Scatter(float* a, const int* k, F4 v) {
  a[k[0]] = v[0];
  a[k[1]] = v[1];
  a[k[2]] = v[2];
  a[k[3]] = v[3];
}

inline F4 Widest(F4 reach, F4 pos, F4 home) {
  const F4 d = Abs(pos - home);
  return Select(reach < d, d, reach);
}

// RelaxPoint on one point, with the mean of its four neighbours (left, up, down, right, summed in that
// order) as the target, computed in lane 0 of the four-point form.
inline void RelaxOne(const Lattice& l, int k, float& reach) {
  const int r = l.rows;
  const float tx = (((l.x[k - r] + l.x[k - 1]) + l.x[k + 1]) + l.x[k + r]) * 0.25f;
  const float ty = (((l.y[k - r] + l.y[k - 1]) + l.y[k + 1]) + l.y[k + r]) * 0.25f;
  F4 vx = Splat(l.vx[k]), vy = Splat(l.vy[k]);
  const F4 hx = Splat(l.homeX[k]), hy = Splat(l.homeY[k]);
  const F4 nx = RelaxAxis(Splat(l.x[k]), vx, hx, Splat(tx));
  const F4 ny = RelaxAxis(Splat(l.y[k]), vy, hy, Splat(ty));
  l.x[k] = nx[0];
  l.y[k] = ny[0];
  l.vx[k] = vx[0];
  l.vy[k] = vy[0];
  reach = std::max({reach, std::fabs(nx[0] - hx[0]), std::fabs(ny[0] - hy[0])});
}

// A point reads the moved value of the point above it, so a column is one long chain of dependent
// arithmetic that no processor can hurry. The sweep takes four columns at once, each one row behind
// the column to its left: lane n works on point (i + n, t - n) at step t. A point's left neighbour
// moved one step earlier and its right neighbour moves one step later, so every point reads exactly
// what it reads in the plain column-by-column sweep, while the four points of a step are independent
// and go through the arithmetic side by side.
//
// Most neighbours are already at hand: a lane's upper neighbour is what the lane wrote a step before,
// its left one what the lane to its left wrote a step before, its lower one the point it takes next,
// and its right one the point the lane to its right takes next; only the outer lanes read a column
// beyond the four. Rest positions depend on the column (x) and the row (y) alone, so a lane's homeX
// is read once and the homeY of a step are four neighbouring rows of the first column. The corners
// where some lanes are above the first or below the last interior row go point by point.
void SweepFourColumns(const Lattice& l, int firstColumn, float* columnReach) {
  const int rows = l.rows, lastRow = rows - 2;
  const int base = firstColumn * rows;
  const int stride = rows - 1;  // from one lane's point to the next lane's at the same step
  F4 reach = Splat(0.0f);
  float cornerReach[4] = {0, 0, 0, 0};
  auto relaxCorner = [&](int t) {
    for (int lane = 0; lane < 4; ++lane) {
      const int row = t - lane;
      if (row >= 1 && row <= lastRow) RelaxOne(l, base + lane * rows + row, cornerReach[lane]);
    }
  };
  for (int t = 1; t <= 3; ++t) relaxCorner(t);
  if (lastRow >= 4) {
    int k[4] = {base + 4, base + stride + 4, base + 2 * stride + 4, base + 3 * stride + 4};
    const int up[4] = {k[0] - 1, k[1] - 1, k[2] - 1, k[3] - 1};
    F4 upX = Gather(l.x, up), upY = Gather(l.y, up);
    F4 ownX = Gather(l.x, k), ownY = Gather(l.y, k);
    const F4 hx = Gather(l.homeX, k);
    for (int t = 4; t <= lastRow; ++t) {
      const int down[4] = {k[0] + 1, k[1] + 1, k[2] + 1, k[3] + 1};
      const F4 downX = Gather(l.x, down), downY = Gather(l.y, down);
      const int outLeft = k[0] - rows, outRight = k[3] + rows;
      const F4 leftX = __builtin_shufflevector(upX, Splat(l.x[outLeft]), 4, 0, 1, 2);
      const F4 leftY = __builtin_shufflevector(upY, Splat(l.y[outLeft]), 4, 0, 1, 2);
      const F4 rightX = __builtin_shufflevector(downX, Splat(l.x[outRight]), 1, 2, 3, 4);
      const F4 rightY = __builtin_shufflevector(downY, Splat(l.y[outRight]), 1, 2, 3, 4);
      const F4 tx = (((leftX + upX) + downX) + rightX) * 0.25f;
      const F4 ty = (((leftY + upY) + downY) + rightY) * 0.25f;
      const F4 hyRows = Load(l.homeY + base + t - 3);  // rows t - 3 .. t
      const F4 hy = __builtin_shufflevector(hyRows, hyRows, 3, 2, 1, 0);
      F4 vx = Gather(l.vx, k), vy = Gather(l.vy, k);
      upX = RelaxAxis(ownX, vx, hx, tx);
      upY = RelaxAxis(ownY, vy, hy, ty);
      Scatter(l.x, k, upX);
      Scatter(l.y, k, upY);
      Scatter(l.vx, k, vx);
      Scatter(l.vy, k, vy);
      reach = Widest(Widest(reach, upX, hx), upY, hy);
      ownX = downX;
      ownY = downY;
      for (int& index : k) ++index;
    }
  }
  for (int t = std::max(4, lastRow + 1); t <= lastRow + 3; ++t) relaxCorner(t);
  for (int lane = 0; lane < 4; ++lane) columnReach[firstColumn + lane] = std::max(reach[lane], cornerReach[lane]);
}

void SweepColumn(const Lattice& l, int column, float* columnReach) {
  float reach = 0;
  for (int row = 1; row <= l.rows - 2; ++row) RelaxOne(l, column * l.rows + row, reach);
  columnReach[column] = reach;
}

// The centre cell of an impulse, clamped far outside any lattice; false for a centre that is not a
// number.
bool CentreCell(const Grid& grid, float x, float y, std::int64_t& ci, std::int64_t& cj) {
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  ci = static_cast<std::int64_t>(std::clamp(std::trunc(static_cast<double>(x) / grid.cellWidth), -kFarCell, kFarCell));
  cj = static_cast<std::int64_t>(std::clamp(std::trunc(static_cast<double>(y) / grid.cellHeight), -kFarCell, kFarCell));
  return true;
}

// Calls visit(index, di, dj) for the offsets -n..n (di outer, dj inner) whose point lies in the part
// an impulse may touch: 0 < ci + di <= cellsAcross, 0 < cj + dj <= cellsDown.
template <typename Visit>
void ForEachOffset(const Grid& grid, std::int64_t ci, std::int64_t cj, int n, Visit visit) {
  if (n < 0 || !Sized(grid)) return;
  const std::int64_t diLo = std::max<std::int64_t>(-n, 1 - ci), diHi = std::min<std::int64_t>(n, grid.cellsAcross - ci);
  const std::int64_t djLo = std::max<std::int64_t>(-n, 1 - cj), djHi = std::min<std::int64_t>(n, grid.cellsDown - cj);
  for (std::int64_t di = diLo; di <= diHi; ++di) {
    for (std::int64_t dj = djLo; dj <= djHi; ++dj) {
      visit(grid.Index(static_cast<int>(ci + di), static_cast<int>(cj + dj)), di, dj);
    }
  }
}

}  // namespace

void ConfigureGrid(Grid& grid, int gridSpacing, int fieldWidth, int fieldHeight) {
  static constexpr int kCellSizes[] = {4, 8, 16, 32};
  if (gridSpacing >= 0 && gridSpacing <= 3) grid.cellWidth = grid.cellHeight = kCellSizes[gridSpacing];
  grid.cellsAcross = std::max(fieldWidth, 0) / grid.cellWidth;
  grid.cellsDown = std::max(fieldHeight, 0) / grid.cellHeight;
  AssignSize(grid);
  ResetGrid(grid);
}

void ResetGrid(Grid& grid) {
  if (!Sized(grid)) AssignSize(grid);
  for (int i = 0; i <= grid.cellsAcross; ++i) {
    for (int j = 0; j <= grid.cellsDown; ++j) {
      const int k = grid.Index(i, j);
      grid.homeX[k] = grid.x[k] = static_cast<float>(i * grid.cellWidth);
      grid.homeY[k] = grid.y[k] = static_cast<float>(j * grid.cellHeight);
      grid.vx[k] = grid.vy[k] = 0;
    }
  }
  std::fill(grid.columnReach.begin(), grid.columnReach.end(), 0.0f);
  grid.maxOffset = 0;
}

void UpdateGrid(Grid& grid) {
  const int rows = grid.Rows();
  if (grid.cellsAcross < 2 || grid.cellsDown < 2 || !Sized(grid)) return;
  const Lattice l{grid.x.data(), grid.y.data(), grid.vx.data(), grid.vy.data(), grid.homeX.data(), grid.homeY.data(), rows};
  float* columnReach = grid.columnReach.data();
  int i = 1;
  for (; i + 3 <= grid.cellsAcross - 1; i += 4) SweepFourColumns(l, i, columnReach);
  for (; i <= grid.cellsAcross - 1; ++i) SweepColumn(l, i, columnReach);
  grid.maxOffset = *std::max_element(grid.columnReach.begin(), grid.columnReach.end());
}

void KickPoint(Grid& grid, int index, float dx, float dy) {
  if (index < 0 || static_cast<std::size_t>(index) >= grid.vx.size() || grid.vy.size() != grid.vx.size()) return;
  if (std::fabs(dx) > 8) dx = dx / 16;
  if (std::fabs(dy) > 8) dy = dy / 16;
  float& vx = grid.vx[index];
  float& vy = grid.vy[index];
  vx += dx;
  vy += dy;
  const float s = vx * vx + vy * vy;
  if (s > 160) {
    vx = vx / s * 128;
    vy = vy / s * 128;
  }
}

void PullGrid(Grid& grid, float x, float y, int radiusCells, float strength) {
  std::int64_t ci, cj;
  if (!CentreCell(grid, x, y, ci, cj)) return;
  const std::int64_t n2 = static_cast<std::int64_t>(radiusCells) * radiusCells;
  ForEachOffset(grid, ci, cj, radiusCells, [&](int k, std::int64_t di, std::int64_t dj) {
    if (di * di + dj * dj >= n2) return;
    const float dx = grid.x[k] - x, dy = grid.y[k] - y;
    const float d = std::sqrt(dx * dx + dy * dy);
    if (d > 0) {
      grid.vx[k] -= dx / d * strength;
      grid.vy[k] -= dy / d * strength;
    }
  });
}

void PushGrid(Grid& grid, float x, float y, int radiusCells, float strength) {
  std::int64_t ci, cj;
  if (!CentreCell(grid, x, y, ci, cj)) return;
  ForEachOffset(grid, ci, cj, radiusCells, [&](int k, std::int64_t, std::int64_t) {
    const float hx = grid.homeX[k] - x, hy = grid.homeY[k] - y;
    const float ex = grid.homeX[k] - grid.x[k], ey = grid.homeY[k] - grid.y[k];
    const float h2 = hx * hx + hy * hy;
    if (h2 > 1 && ex * ex + ey * ey < 400 && h2 < 2500) {
      grid.vx[k] += hx * strength;
      grid.vy[k] += hy * strength;
    }
  });
}

void ShockGrid(Grid& grid, int x, int y) {
  if (grid.cellWidth <= 0 || grid.cellHeight <= 0) return;
  const std::int64_t ci = x / grid.cellWidth, cj = y / grid.cellHeight;
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  ForEachOffset(grid, ci, cj, 3, [&](int k, std::int64_t di, std::int64_t dj) {
    if (di * di + dj * dj < 10) KickPoint(grid, k, 4 * (grid.x[k] - fx), 4 * (grid.y[k] - fy));
  });
}

}  // namespace qv
