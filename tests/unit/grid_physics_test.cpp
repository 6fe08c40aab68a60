// The spring lattice's motion: rest, the relaxation sweep against a plain loop of the same rules, and
// the impulses with their clipping to the lattice.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "effects/grid.h"
#include "support/plain_grid.h"
#include "platform/random.h"

namespace qv {
namespace {

using test::PlainCopy;
using test::PlainGrid;
using test::PlainPoint;
using test::PlainUpdateGrid;

std::uint32_t BitsOf(float v) {
  std::uint32_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

// The first field that differs, or an empty text.
std::string FirstDifference(const Grid& grid, const PlainGrid& plain) {
  for (std::size_t k = 0; k < grid.x.size(); ++k) {
    const PlainPoint& p = plain.points[k];
    const float mine[6] = {grid.homeX[k], grid.homeY[k], grid.x[k], grid.y[k], grid.vx[k], grid.vy[k]};
    const float theirs[6] = {p.homeX, p.homeY, p.x, p.y, p.vx, p.vy};
    for (int f = 0; f < 6; ++f) {
      if (BitsOf(mine[f]) != BitsOf(theirs[f]))
        return "point " + std::to_string(k) + " field " + std::to_string(f) + ": " + std::to_string(mine[f]) +
               " vs " + std::to_string(theirs[f]);
    }
  }
  return "";
}

// The same random impulses on both: pulls, pushes, shocks and kicks, some of them strong enough to
// throw points far out of place.
void ShakeBoth(Grid& grid, PlainGrid& plain, Rng& rng) {
  const float w = static_cast<float>(grid.cellsAcross * grid.cellWidth);
  const float h = static_cast<float>(grid.cellsDown * grid.cellHeight);
  for (int n = 0; n < 6; ++n) {
    const float x = rng.RandReal(-20, w + 20), y = rng.RandReal(-20, h + 20);
    switch (rng.RandInt(0, 3)) {
      case 0: PullGrid(grid, x, y, rng.RandInt(1, 32), rng.RandReal(-8, 64)); break;
      case 1: PushGrid(grid, x, y, rng.RandInt(1, 8), rng.RandReal(0, 2)); break;
      case 2: ShockGrid(grid, static_cast<int>(x), static_cast<int>(y)); break;
      default:
        for (int k = 0; k < 50; ++k)
          KickPoint(grid, rng.RandInt(0, static_cast<int>(grid.x.size()) - 1), rng.RandReal(-12, 12),
                    rng.RandReal(-12, 12));
    }
  }
  // The impulses only change velocities; hand them to the plain copy.
  for (std::size_t k = 0; k < grid.x.size(); ++k) {
    plain.points[k].vx = grid.vx[k];
    plain.points[k].vy = grid.vy[k];
  }
}

TEST(GridUpdateTest, MatchesThePlainSweepBitForBit) {
  struct Case {
    int spacing, width, height;
  };
  // Lattices whose interior is not a whole number of four-column runs, narrow and tiny ones too.
  for (const Case& c : {Case{2, 1024, 768}, Case{3, 1024, 768}, Case{1, 640, 480}, Case{3, 160, 96},
                        Case{3, 96, 64}, Case{3, 64, 200}, Case{0, 260, 36}, Case{2, 112, 1000}}) {
    Grid grid;
    ConfigureGrid(grid, c.spacing, c.width, c.height);
    PlainGrid plain = PlainCopy(grid);
    Rng rng(static_cast<std::uint32_t>(c.width * 7 + c.height));
    for (int frame = 0; frame < 300; ++frame) {
      if (frame % 10 == 0 && frame < 200) ShakeBoth(grid, plain, rng);
      UpdateGrid(grid);
      PlainUpdateGrid(plain);
      const std::string diff = FirstDifference(grid, plain);
      ASSERT_EQ(diff, "") << "cells " << c.spacing << " field " << c.width << "x" << c.height << " frame " << frame;
    }
  }
}

// A large lattice disturbed in a few small patches, left to settle for long enough that velocities
// decay into the smallest float steps (where damping no longer changes some of them), with hand-set
// velocities and positions just off rest among still neighbours: the sweep must match the plain loop
// exactly there too, on the edges of its four-column runs and in the last, partial run.
TEST(GridUpdateTest, MatchesThePlainSweepWhereMostOfTheLatticeIsStill) {
  Grid grid;
  ConfigureGrid(grid, 0, 640, 400);  // 160 x 100 cells
  PlainGrid plain = PlainCopy(grid);
  const float tiny = std::numeric_limits<float>::denorm_min();
  struct Nudge {
    int column, row;
    float vx, vy, dx;  // velocity, and a shift of x off its rest position
  };
  // Velocities of a few subnormal steps (damping keeps up to 4, not 5), a negative zero, and points
  // a hair off rest; on the edges of four-column runs and in the last, partial run.
  const Nudge nudges[] = {{1, 50, 4 * tiny, 0, 0},  {4, 10, 0, 5 * tiny, 0}, {5, 90, -3 * tiny, -4 * tiny, 0},
                          {40, 1, -0.0f, 0, 0},     {77, 98, 0, 0, 1e-3f},   {81, 20, 0, 0, -0.5f},
                          {120, 60, 6 * tiny, 0, 0}, {158, 30, 0, -tiny, 0},  {159, 99, 0, 0, 2.5f}};
  auto setBoth = [&](int column, int row, float vx, float vy, float dx) {
    const int k = grid.Index(column, row);
    grid.vx[k] = plain.points[k].vx = vx;
    grid.vy[k] = plain.points[k].vy = vy;
    grid.x[k] = plain.points[k].x = grid.x[k] + dx;
  };
  Rng rng(11);
  for (int frame = 0; frame < 1400; ++frame) {
    if (frame % 300 == 0) {
      // A shock and a push somewhere, and a pull in one corner.
      ShockGrid(grid, rng.RandInt(0, 640), rng.RandInt(0, 400));
      PushGrid(grid, rng.RandReal(0, 640), rng.RandReal(0, 400), 3, 0.5f);
      PullGrid(grid, 20, 20, 4, 6);
      for (std::size_t k = 0; k < grid.x.size(); ++k) {
        plain.points[k].vx = grid.vx[k];
        plain.points[k].vy = grid.vy[k];
      }
    }
    if (frame % 300 == 150)
      for (const Nudge& n : nudges) setBoth(n.column, n.row, n.vx, n.vy, n.dx);
    UpdateGrid(grid);
    PlainUpdateGrid(plain);
    const std::string diff = FirstDifference(grid, plain);
    ASSERT_EQ(diff, "") << "frame " << frame;
  }
  // The patches did settle into subnormal velocities that damping leaves as they are.
  int stuck = 0;
  for (float v : grid.vx) stuck += v != 0 && std::fabs(v) <= 4 * tiny;
  EXPECT_GT(stuck, 0);
}

TEST(GridUpdateTest, ARestingGridStaysExactlyAtRest) {
  Grid grid;
  ConfigureGrid(grid, 2, 1024, 768);
  const Grid before = grid;
  for (int frame = 0; frame < 500; ++frame) UpdateGrid(grid);
  EXPECT_EQ(grid.x, before.x);
  EXPECT_EQ(grid.y, before.y);
  for (std::size_t k = 0; k < grid.x.size(); ++k) {
    ASSERT_EQ(BitsOf(grid.vx[k]), 0u) << k;
    ASSERT_EQ(BitsOf(grid.vy[k]), 0u) << k;
  }
  EXPECT_EQ(grid.maxOffset, 0);
}

TEST(GridUpdateTest, BorderPointsNeverMoveAndTheReachOfEveryColumnIsKept) {
  Grid grid;
  ConfigureGrid(grid, 2, 1024, 768);
  Rng rng(5);
  float reach = 0;
  for (int frame = 0; frame < 120; ++frame) {
    PullGrid(grid, rng.RandReal(0, 1024), rng.RandReal(0, 768), 32, 64);
    ShockGrid(grid, 0, rng.RandInt(0, 768));
    PushGrid(grid, 1024, rng.RandReal(0, 768), 6, 2);
    UpdateGrid(grid);
    reach = 0;
    for (int i = 0; i <= grid.cellsAcross; ++i) {
      float columnReach = 0;
      for (int j = 0; j <= grid.cellsDown; ++j) {
        const int k = grid.Index(i, j);
        columnReach = std::max({columnReach, std::fabs(grid.x[k] - grid.homeX[k]), std::fabs(grid.y[k] - grid.homeY[k])});
        if (i == 0 || j == 0 || i == grid.cellsAcross || j == grid.cellsDown) {
          ASSERT_EQ(grid.x[k], grid.homeX[k]) << i << "," << j;
          ASSERT_EQ(grid.y[k], grid.homeY[k]) << i << "," << j;
        }
      }
      ASSERT_EQ(grid.columnReach[i], columnReach) << "column " << i << " frame " << frame;
      reach = std::max(reach, columnReach);
    }
    ASSERT_EQ(grid.maxOffset, reach) << frame;
  }
  EXPECT_GT(reach, 20);  // the lattice really was thrown about
  ResetGrid(grid);
  EXPECT_EQ(grid.maxOffset, 0);
  EXPECT_EQ(grid.columnReach, std::vector<float>(65, 0.0f));
  EXPECT_EQ(grid.vx, std::vector<float>(grid.vx.size(), 0.0f));
}

TEST(GridConfigureTest, EverySizeTheSettingsOfferGetsItsLattice) {
  struct Case {
    int spacing, width, height, cell, across, down;
  };
  for (const Case& c : {Case{0, 5120, 4096, 4, 1280, 1024}, Case{1, 1920, 1200, 8, 240, 150},
                        Case{2, 1024, 768, 16, 64, 48}, Case{3, 1000, 700, 32, 31, 21}, Case{3, 64, 64, 32, 2, 2},
                        Case{0, 8192, 8192, 4, 2048, 2048}}) {
    Grid grid;
    ConfigureGrid(grid, c.spacing, c.width, c.height);
    EXPECT_EQ(grid.cellWidth, c.cell);
    EXPECT_EQ(grid.cellHeight, c.cell);
    ASSERT_EQ(grid.cellsAcross, c.across);
    ASSERT_EQ(grid.cellsDown, c.down);
    ASSERT_EQ(grid.x.size(), static_cast<std::size_t>(c.across + 1) * (c.down + 1));
    const int last = grid.Index(c.across, c.down);
    EXPECT_EQ(grid.homeX[last], static_cast<float>(c.across * c.cell));
    EXPECT_EQ(grid.homeY[last], static_cast<float>(c.down * c.cell));
    PullGrid(grid, c.width / 2.0f + 5, c.height / 2.0f + 3, 8, 10);
    UpdateGrid(grid);
    EXPECT_GT(grid.maxOffset, 0);
  }
  // A spacing outside 0..3 keeps the cell size it had.
  Grid grid;
  ConfigureGrid(grid, 1, 640, 480);
  ConfigureGrid(grid, 7, 640, 480);
  EXPECT_EQ(grid.cellWidth, 8);
  EXPECT_EQ(grid.cellsAcross, 80);
}

TEST(GridKickTest, BigComponentsCountASixteenthAndFastPointsAreSlowed) {
  struct Case {
    float vx0, vy0, dx, dy, vx, vy;
  };
  const Case cases[] = {
      {0, 0, 8, 0, 8, 0},              // 8 is not above 8: added in full
      {0, 0, 8.5f, 0, 0.53125f, 0},    // above 8: a sixteenth
      {0, 0, -8.5f, 8, -0.53125f, 8},  // each component on its own
      {0, 0, 4, -64, 4, -4},
      {2, 2, 8, 8, 6.4f, 6.4f},        // s = 200 > 160: v / s * 128
      {4, 8, 4, 0, 8, 8},              // s = 128: kept
      {0, 0, 400, 0, 25.0f / 625 * 128, 0},  // 25 pixels a frame becomes 5.12
  };
  for (const Case& c : cases) {
    Grid grid;
    ConfigureGrid(grid, 2, 1024, 768);
    const int k = grid.Index(3, 3);
    grid.vx[k] = c.vx0;
    grid.vy[k] = c.vy0;
    KickPoint(grid, k, c.dx, c.dy);
    EXPECT_FLOAT_EQ(grid.vx[k], c.vx) << c.dx << "," << c.dy;
    EXPECT_FLOAT_EQ(grid.vy[k], c.vy) << c.dx << "," << c.dy;
  }
  Grid grid;
  ConfigureGrid(grid, 2, 1024, 768);
  for (int k : {-1, static_cast<int>(grid.x.size()), std::numeric_limits<int>::max()}) KickPoint(grid, k, 5, 5);
  EXPECT_EQ(grid.vx, std::vector<float>(grid.vx.size(), 0.0f));
}

// Velocity changes after an impulse: index -> (vx, vy), points left at rest omitted.
std::vector<std::pair<int, std::pair<float, float>>> Changes(const Grid& grid) {
  std::vector<std::pair<int, std::pair<float, float>>> out;
  for (std::size_t k = 0; k < grid.vx.size(); ++k)
    if (grid.vx[k] != 0 || grid.vy[k] != 0) out.push_back({static_cast<int>(k), {grid.vx[k], grid.vy[k]}});
  return out;
}

class GridImpulseTest : public ::testing::Test {
 protected:
  void SetUp() override { ConfigureGrid(grid, 2, 1024, 768); }
  Grid grid;
};

TEST_F(GridImpulseTest, PullRadiusZeroDoesNothingAndRadiusOneOnlyTheCentrePoint) {
  PullGrid(grid, 100, 100, 0, 50);
  EXPECT_TRUE(Changes(grid).empty());

  // Radius 1: only the centre cell's point [5][5] is considered, at (80, 80), up and left of (92, 92).
  PullGrid(grid, 92, 92, 1, 10);
  const auto changes = Changes(grid);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].first, grid.Index(5, 5));
  EXPECT_FLOAT_EQ(changes[0].second.first, 10 * 12 / std::sqrt(12.0f * 12 + 12 * 12));
  EXPECT_FLOAT_EQ(changes[0].second.second, changes[0].second.first);

  // A point exactly at the centre is left alone.
  ResetGrid(grid);
  PullGrid(grid, 96, 96, 1, 10);
  EXPECT_TRUE(Changes(grid).empty());
}

TEST_F(GridImpulseTest, PullGivesTheSameSpeedToEveryPointOfTheDisc) {
  PullGrid(grid, 512, 384, 3, 2);  // centre cell (32, 24), disc di^2 + dj^2 < 9
  const auto changes = Changes(grid);
  EXPECT_EQ(changes.size(), 24u);  // 25 offsets, minus the centre point itself
  for (const auto& [k, v] : changes) {
    EXPECT_NEAR(std::hypot(v.first, v.second), 2, 1e-5);
    // toward the centre
    EXPECT_LT(v.first * (grid.x[k] - 512) + v.second * (grid.y[k] - 384), 0);
  }
  // A negative strength pushes outward.
  ResetGrid(grid);
  PullGrid(grid, 500, 380, 2, -3);
  for (const auto& [k, v] : Changes(grid)) EXPECT_GT(v.first * (grid.x[k] - 500) + v.second * (grid.y[k] - 380), 0);
}

TEST_F(GridImpulseTest, PushReachesRestPositionsOneToFiftyPixelsOutAndSparesDisplacedPoints) {
  PushGrid(grid, 512, 384, 6, 0.5f);
  const auto changes = Changes(grid);
  ASSERT_FALSE(changes.empty());
  for (const auto& [k, v] : changes) {
    const float hx = grid.homeX[k] - 512, hy = grid.homeY[k] - 384;
    const float h2 = hx * hx + hy * hy;
    EXPECT_GT(h2, 1);
    EXPECT_LT(h2, 2500);
    EXPECT_FLOAT_EQ(v.first, hx * 0.5f);
    EXPECT_FLOAT_EQ(v.second, hy * 0.5f);
  }
  // Rest positions 16 to 48 pixels out (cell offsets with 1 <= a^2 + b^2 <= 9).
  EXPECT_EQ(changes.size(), 28u);
  EXPECT_EQ(grid.vx[grid.Index(32, 24)], 0);  // the rest-centre point itself

  // A point 20 pixels or more out of place is not pushed further; one just under 20 is.
  ResetGrid(grid);
  const int far = grid.Index(33, 24), near = grid.Index(31, 24);
  grid.x[far] += 20;
  grid.x[near] -= 19.9f;
  PushGrid(grid, 512, 384, 6, 0.5f);
  EXPECT_EQ(grid.vx[far], 0);
  EXPECT_FLOAT_EQ(grid.vx[near], -8);
}

TEST_F(GridImpulseTest, ShockKicksTwentyNinePointsOutward) {
  ShockGrid(grid, 512, 384);
  const auto changes = Changes(grid);
  EXPECT_EQ(changes.size(), 28u);  // the centre point itself is kicked by (0, 0)
  // Nearest neighbours: 4 x 16 = 64, a sixteenth of it: 4 pixels a frame outward.
  EXPECT_FLOAT_EQ(grid.vx[grid.Index(33, 24)], 4);
  EXPECT_FLOAT_EQ(grid.vy[grid.Index(32, 23)], -4);
  EXPECT_FLOAT_EQ(grid.vx[grid.Index(35, 24)], 12);  // 4 x 48 / 16
  EXPECT_EQ(grid.vx[grid.Index(35, 25)], 0);         // 9 + 1 is not below 10
  // Within 2 pixels on an axis the full four times the offset counts.
  ResetGrid(grid);
  ShockGrid(grid, 513, 383);
  EXPECT_FLOAT_EQ(grid.vx[grid.Index(32, 25)], -4);
  EXPECT_FLOAT_EQ(grid.vy[grid.Index(32, 25)], 17.0f / 16 * 4);
}

TEST_F(GridImpulseTest, ImpulsesOnTheTopAndLeftEdgesTouchOnlyColumnsAndRowsFromOne) {
  for (int x : {0, 5, 200}) {
    for (int y : {0, 7, 300}) {
      if (x > 16 && y > 16) continue;
      ResetGrid(grid);
      ShockGrid(grid, x, y);
      PullGrid(grid, static_cast<float>(x), static_cast<float>(y), 5, 3);
      PushGrid(grid, static_cast<float>(x) + 3, static_cast<float>(y) + 3, 5, 1);
      const auto changes = Changes(grid);
      EXPECT_FALSE(changes.empty());
      for (const auto& change : changes) {
        const int k = change.first;
        EXPECT_GE(k / grid.Rows(), 1) << x << "," << y;
        EXPECT_GE(k % grid.Rows(), 1) << x << "," << y;
      }
    }
  }
}

TEST_F(GridImpulseTest, FarBorderPointsTakeVelocityButNeverMove) {
  ShockGrid(grid, 1024, 768);
  PullGrid(grid, 1020, 760, 6, 8);
  EXPECT_NE(grid.vx[grid.Index(64, 48)], 0);
  for (int frame = 0; frame < 50; ++frame) UpdateGrid(grid);
  EXPECT_EQ(grid.x[grid.Index(64, 48)], 1024);
  EXPECT_EQ(grid.y[grid.Index(64, 40)], 640);
  EXPECT_EQ(grid.x[grid.Index(60, 48)], 960);
}

TEST_F(GridImpulseTest, AnyArgumentsStayInsideTheLattice) {
  const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
  const float big = std::numeric_limits<float>::max();
  const float positions[] = {nan, inf, -inf, big, -big, -1e9f, 1e9f, -17, 1040, 2e9f};
  const int radii[] = {-5, 0, 3, 100000, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()};
  for (float x : positions) {
    for (float y : {nan, 384.0f, -1e12f, 3e9f}) {
      for (int n : radii) {
        PullGrid(grid, x, y, n, 1);
        PushGrid(grid, x, y, n, 1);
      }
    }
  }
  const int ints[] = {std::numeric_limits<int>::min(), -100000, -50, 0, 1030, 1 << 30, std::numeric_limits<int>::max()};
  for (int x : ints)
    for (int y : ints) ShockGrid(grid, x, y);
  // Radii that cover the whole lattice reach it and nothing beyond (the arrays are exactly the lattice).
  PullGrid(grid, 512, 384, std::numeric_limits<int>::max(), 1);
  EXPECT_NE(grid.vx[grid.Index(1, 1)], 0);
  EXPECT_EQ(grid.x.size(), 65u * 49u);
  // A lattice whose counts were changed behind its back is left alone.
  grid.cellsAcross = 500;
  PullGrid(grid, 512, 384, 50, 1);
  ShockGrid(grid, 512, 384);
  UpdateGrid(grid);
  ResetGrid(grid);  // puts it right again
  EXPECT_EQ(grid.x.size(), 501u * 49u);
}

}  // namespace
}  // namespace qv
