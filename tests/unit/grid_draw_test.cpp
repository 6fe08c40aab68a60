// Drawing the spring lattice: the window, panel mode, the drawing state left behind, the opacity
// rules, what a few styles put where, the cost in draw calls of every style, and the parts of a
// large lattice that are left out because they cannot reach the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>
#include <vector>

#include "effects/grid.h"
#include "platform/headless/headless_platform.h"
#include "shell/game.h"

namespace qv {
namespace {

RgbaImage Sprite(int size) {
  RgbaImage img;
  img.width = img.height = size;
  img.pixels.assign(static_cast<std::size_t>(size) * size * 4, 255);
  return img;
}

class GridDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hp.gfx.OpenDisplay({1024, 768, 32, 60, true}));
    game.images.particle = hp.gfx.ImageFromPixels(Sprite(16), 16, 16, 1);
  }

  // A new playfield and screen, as the display set-up makes them.
  void Field(int spacing, int fieldWidth, int fieldHeight, int viewWidth = 1024, int viewHeight = 768) {
    game.view.fieldWidth = fieldWidth;
    game.view.fieldHeight = fieldHeight;
    game.view.viewWidth = viewWidth;
    game.view.viewHeight = viewHeight;
    ConfigureGrid(game.grid, spacing, fieldWidth, fieldHeight);
  }

  // Kicks all over the lattice and a few frames for it to ripple.
  void Bend(int frames = 6) {
    const float w = static_cast<float>(game.view.fieldWidth), h = static_cast<float>(game.view.fieldHeight);
    for (int n = 0; n < 12; ++n) {
      PullGrid(game.grid, w * (n % 4 + 0.5f) / 4, h * (n / 4 + 0.5f) / 3, 6, 6);
      ShockGrid(game.grid, static_cast<int>(w * n / 12), static_cast<int>(h / 2));
    }
    for (int f = 0; f < frames; ++f) UpdateGrid(game.grid);
  }

  std::vector<DrawRecord> Record(int style, bool panelMode = false) {
    std::vector<DrawRecord> records;
    hp.gfx.SetRecorder(&records);
    DrawGrid(game, style, panelMode);
    hp.gfx.SetRecorder(nullptr);
    return records;
  }

  HeadlessPlatform hp;
  Game game{hp.platform};
};

TEST_F(GridDrawTest, WindowCoversTheFullGridOrTheVisiblePartPlusFourCells) {
  struct Case {
    int fullGrid, fieldWidth, fieldHeight, scrollX, scrollY;
    GridWindow want;
  };
  const Case cases[] = {
      {1, 1024, 768, 0, 0, {0, 64, 0, 48}},
      {1, 2048, 1536, 300, 200, {0, 128, 0, 96}},
      {0, 1024, 768, 0, 0, {0, 64, 0, 48}},      // 0..68 and 0..52, clamped
      {0, 2048, 1536, 0, 0, {0, 68, 0, 52}},
      {0, 2048, 1536, 160, 100, {10, 78, 6, 58}},
      {0, 2048, 1536, -80, -40, {0, 68, 0, 52}},  // pushed past the top-left edge
      {0, 2048, 1536, 1900, 1500, {118, 128, 93, 96}},
      {0, 2048, 1536, 5000, 9000, {128, 128, 96, 96}},  // scrolled off the far side
  };
  for (const Case& c : cases) {
    Field(2, c.fieldWidth, c.fieldHeight);
    game.settings.fullGrid = c.fullGrid;
    game.view.scrollX = c.scrollX;
    game.view.scrollY = c.scrollY;
    DrawGrid(game, 6, false);
    const GridWindow& w = game.grid.window;
    EXPECT_EQ(w, c.want) << c.fullGrid << " " << c.fieldWidth << " scroll " << c.scrollX << "," << c.scrollY << ": "
                         << w.firstColumn << ".." << w.lastColumn << " / " << w.firstRow << ".." << w.lastRow;
    EXPECT_EQ(game.view.scrollX, c.scrollX);
  }
}

TEST_F(GridDrawTest, PanelModeShowsTheTopLeftOfTheLatticeInTheMiddleOfTheScreen) {
  struct Case {
    int spacing, fieldWidth, fieldHeight, viewWidth, viewHeight;
    int scrollX, scrollY;
    GridWindow want;
  };
  const Case cases[] = {
      {2, 1024, 768, 1024, 768, -128, -96, {0, 48, 0, 36}},
      {0, 1024, 768, 1024, 768, -128, -96, {0, 192, 0, 144}},
      {3, 1920, 1200, 1920, 1200, -240, -150, {0, 42, 0, 24}},  // 240 / 32 = 7 cells, times 6
      {2, 512, 384, 1024, 768, -128, -96, {0, 32, 0, 24}},      // a small playfield: clamped
  };
  for (const Case& c : cases) {
    Field(c.spacing, c.fieldWidth, c.fieldHeight, c.viewWidth, c.viewHeight);
    game.settings.fullGrid = 1;
    game.view.scrollX = 500;
    game.view.scrollY = 300;
    const auto records = Record(4, true);
    EXPECT_EQ(game.view.scrollX, c.scrollX);
    EXPECT_EQ(game.view.scrollY, c.scrollY);
    EXPECT_EQ(game.grid.window, c.want) << c.spacing << " " << c.fieldWidth;
    // The lattice's corner point sits a panel margin into the screen.
    ASSERT_FALSE(records.empty());
    float minX = 1e9f, minY = 1e9f;
    for (const DrawRecord& r : records)
      for (std::size_t p = 0; p + 1 < r.points.size(); p += 2) {
        minX = std::min(minX, r.points[p]);
        minY = std::min(minY, r.points[p + 1]);
      }
    EXPECT_FLOAT_EQ(minX, static_cast<float>(-c.scrollX));
    EXPECT_FLOAT_EQ(minY, static_cast<float>(-c.scrollY));
  }
}

TEST_F(GridDrawTest, EveryStyleLeavesScaleOneAlphaOneAndLineWidthTwo) {
  Bend();
  for (int style : {-1, 0, 2, 3, 8, 9, 13, 17, 18, 19, 20, 21, 1000}) {
    hp.gfx.SetScale(3, 3);
    hp.gfx.SetAlpha(0.3f);
    hp.gfx.SetLineWidth(7);
    const auto records = Record(style);
    EXPECT_FLOAT_EQ(hp.gfx.Alpha(), 1) << style;
    EXPECT_FLOAT_EQ(hp.gfx.LineWidth(), 2) << style;
    // Scale 1: a rectangle one pixel wide comes out one pixel wide.
    std::vector<DrawRecord> after;
    hp.gfx.SetRecorder(&after);
    hp.gfx.Rect(0, 0, 1, 1);
    hp.gfx.SetRecorder(nullptr);
    EXPECT_FLOAT_EQ(after[0].points[2] - after[0].points[0], 1) << style;
    if (style < 0 || style >= 20) {
      EXPECT_TRUE(records.empty()) << style;
    } else {
      EXPECT_FALSE(records.empty()) << style;
      EXPECT_EQ(records.back().blend, kAddBlend) << style;
    }
  }
}

TEST_F(GridDrawTest, ColourComesFromTheSettingsOrTheCyclingColour) {
  game.settings.gridRed = 11;
  game.settings.gridGreen = 22;
  game.settings.gridBlue = 33;
  game.cycling.red = 200;
  game.cycling.green = 100;
  game.cycling.blue = 50;
  game.settings.gridOpacity = 0.6f;
  struct Case {
    int style;
    int r, g, b;
  };
  for (const Case& c : {Case{0, 11, 22, 33}, Case{1, 200, 100, 50}, Case{4, 11, 22, 33}, Case{5, 200, 100, 50},
                        Case{14, 11, 22, 33}, Case{15, 200, 100, 50}, Case{19, 11, 22, 33}}) {
    const auto records = Record(c.style);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(std::tie(records[0].r, records[0].g, records[0].b), std::tie(c.r, c.g, c.b)) << c.style;
  }
  EXPECT_FLOAT_EQ(Record(0)[0].alpha, 0.6f);
  EXPECT_FLOAT_EQ(Record(4)[0].alpha, 0.9f);  // the coarse lattice whatever the opacity
}

TEST_F(GridDrawTest, NegativeOpacityDrawsAtItsSizeExceptWhereTheSignedValueIsUsed) {
  Bend();
  game.settings.gridOpacity = -0.5f;
  for (int style : {0, 8, 14, 19}) {
    const auto records = Record(style);
    ASSERT_FALSE(records.empty()) << style;
    for (const DrawRecord& r : records) EXPECT_FLOAT_EQ(r.alpha, 0.5f) << style;
  }
  // Lines, glow and shimmer use the signed value: -0.5 + 0.25 (+ 0.25) never rises above 0, and the
  // shimmer's sine and cosine lower it by at most 0.5.
  EXPECT_TRUE(Record(6).empty());
  EXPECT_TRUE(Record(2).empty());
  EXPECT_TRUE(Record(17).empty());

  game.settings.gridOpacity = -0.2f;
  // Only the emphasised lines show, at 0.05: every fourth column from the first, every fourth row.
  const auto lines = Record(6);
  EXPECT_EQ(lines.size(), 16u + 12u);
  for (const DrawRecord& r : lines) EXPECT_NEAR(r.alpha, 0.05f, 1e-6);
  // The glow shows along those lines, brighter where two cross.
  const auto glow = Record(2);
  ASSERT_FALSE(glow.empty());
  for (const DrawRecord& r : glow) EXPECT_TRUE(std::fabs(r.alpha - 0.05f) < 1e-6 || std::fabs(r.alpha - 0.3f) < 1e-6);
}

TEST_F(GridDrawTest, LinesDrawEveryColumnAndRowButTheLastWithEveryFourthBrighter) {
  Bend();
  game.settings.gridOpacity = 0.4f;
  const auto records = Record(6);
  ASSERT_EQ(records.size(), 64u + 48u);
  for (int i = 0; i < 64; ++i) {
    const DrawRecord& r = records[i];
    ASSERT_EQ(r.kind, DrawRecord::kStrip);
    ASSERT_EQ(r.points.size(), 2u * 49);
    EXPECT_FLOAT_EQ(r.alpha, i % 4 == 0 ? 0.65f : 0.4f) << i;
    EXPECT_FLOAT_EQ(r.lineWidth, 1);
    for (int j = 0; j <= 48; ++j) {
      ASSERT_EQ(r.points[2 * j], game.grid.x[game.grid.Index(i, j)]);
      ASSERT_EQ(r.points[2 * j + 1], game.grid.y[game.grid.Index(i, j)]);
    }
  }
  for (int j = 0; j < 48; ++j) {
    const DrawRecord& r = records[64 + j];
    ASSERT_EQ(r.points.size(), 2u * 65);
    EXPECT_EQ(r.points[2 * 64], game.grid.x[game.grid.Index(64, j)]);
    EXPECT_FLOAT_EQ(r.alpha, j % 4 == 0 ? 0.65f : 0.4f) << j;
  }
}

TEST_F(GridDrawTest, DotsEmphasiseEveryFourthLineStrictlyPastTheWindowStart) {
  const auto records = Record(0);
  int small = 0, large = 0;
  for (const DrawRecord& r : records) {
    ASSERT_EQ(r.kind, DrawRecord::kRect);
    const float size = r.points[2] - r.points[0];
    if (size == 2) ++small;
    if (size == 3) {
      ++large;
      const int i = static_cast<int>(r.points[0]) / 16, j = static_cast<int>(r.points[1]) / 16;
      EXPECT_TRUE((i % 4 == 0 && i > 0) || (j % 4 == 0 && j > 0)) << i << "," << j;
    }
  }
  EXPECT_EQ(small, 64 * 48);
  EXPECT_EQ(large, 15 * 48 + 11 * 64);  // columns 4..60, rows 4..44
}

TEST_F(GridDrawTest, CheckerboardsFillHalfTheCellsCornerByCorner) {
  Bend();
  const auto records = Record(14);
  ASSERT_EQ(records.size(), 32u * 48u);
  const Grid& g = game.grid;
  const DrawRecord& second = records[1];  // column 0, row 2
  const int corners[4][2] = {{0, 2}, {1, 2}, {1, 3}, {0, 3}};
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(second.points[2 * c], g.x[g.Index(corners[c][0], corners[c][1])]);
    EXPECT_EQ(second.points[2 * c + 1], g.y[g.Index(corners[c][0], corners[c][1])]);
  }
  // Shimmer: the first cell has quad counter 2 and column counter 1.
  game.settings.gridOpacity = 0.5f;
  game.cycling.green = 40;
  const auto shimmer = Record(17);
  ASSERT_EQ(shimmer.size(), 32u * 48u);
  const double rad = 3.14159265358979323846 / 180;
  EXPECT_NEAR(shimmer[0].alpha, 0.5 - 0.25 * (std::sin(42 * rad) + std::cos(1 * rad)), 1e-5);
  EXPECT_NEAR(shimmer[1].alpha, 0.5 - 0.25 * (std::sin(44 * rad) + std::cos(1 * rad)), 1e-5);
  EXPECT_NEAR(shimmer[24].alpha, 0.5 - 0.25 * (std::sin(90 * rad) + std::cos(2 * rad)), 1e-5);
}

TEST_F(GridDrawTest, SpiralsWindOverEveryInteriorPointAndAdvanceTheirPhases) {
  game.grid.gridPhaseSpiral = 357;
  game.grid.gridPhaseFold = 359.98f;
  const auto records = Record(13);
  EXPECT_FLOAT_EQ(game.grid.gridPhaseSpiral, 0);
  // At rest at 16 pixels the three passes coincide: three unbroken polylines over the interior.
  ASSERT_EQ(records.size(), 3u);
  for (const DrawRecord& r : records) {
    std::set<std::pair<float, float>> seen;
    for (std::size_t p = 0; p + 1 < r.points.size(); p += 2) seen.insert({r.points[p], r.points[p + 1]});
    EXPECT_EQ(seen.size(), 63u * 47u);
    EXPECT_EQ(*seen.begin(), std::make_pair(16.0f, 16.0f));
    EXPECT_EQ(*seen.rbegin(), std::make_pair(1008.0f, 752.0f));
  }
  Record(18);
  EXPECT_NEAR(game.grid.gridPhaseFold, 0.03f, 1e-3);
}

// A style's submission, counted in draw calls, after the lattice was bent.
TEST_F(GridDrawTest, EveryStyleCostsAtMostFourDrawCalls) {
  struct Case {
    int style;
    bool draws;
  };
  Bend();
  for (int style = 0; style <= 20; ++style) {
    hp.gfx.Cls();
    hp.gfx.Flip(true);
    const long long before = hp.backend.verticesSent();
    DrawGrid(game, style, false);
    hp.gfx.Flush();
    EXPECT_LE(hp.gfx.DrawCallsThisFrame(), 4) << "style " << style;
    if (style < 20) {
      EXPECT_GE(hp.gfx.DrawCallsThisFrame(), 1) << "style " << style;
      EXPECT_GT(hp.backend.verticesSent(), before) << "style " << style;
    } else {
      EXPECT_EQ(hp.gfx.DrawCallsThisFrame(), 0);
    }
  }
}

// Segments as drawn: (x1, y1, x2, y2) from every recorded strip.
using Segment = std::tuple<float, float, float, float>;

std::set<Segment> DrawnSegments(const std::vector<DrawRecord>& records) {
  std::set<Segment> out;
  for (const DrawRecord& r : records)
    for (std::size_t p = 0; p + 3 < r.points.size(); p += 2)
      out.insert({r.points[p], r.points[p + 1], r.points[p + 2], r.points[p + 3]});
  return out;
}

// Whether a segment, thickened by `pad`, touches the screen (Liang-Barsky clipping).
bool TouchesScreen(const Segment& s, float width, float height, float pad) {
  const auto [x1, y1, x2, y2] = s;
  double t0 = 0, t1 = 1;
  const double dx = x2 - x1, dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 + pad, width + pad - x1, y1 + pad, height + pad - y1};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) return false;
    } else {
      const double t = q[k] / p[k];
      if (p[k] < 0) t0 = std::max(t0, t);
      else t1 = std::min(t1, t);
    }
  }
  return t0 <= t1;
}

TEST_F(GridDrawTest, ALargeLatticeDrawsOnlyWhatCanReachTheScreenAndAllOfIt) {
  Field(1, 4096, 3072);  // 512 x 384 cells of 8 pixels, full grid, the screen in the middle
  game.settings.fullGrid = 1;
  const int sx = 1536, sy = 1152;
  game.view.scrollX = sx;
  game.view.scrollY = sy;
  // Violent pulls on the screen's edges throw points far across them.
  for (int n = 0; n < 6; ++n) {
    PullGrid(game.grid, static_cast<float>(sx + 200 * n), sy, 32, 64);
    PullGrid(game.grid, sx, static_cast<float>(sy + 150 * n), 32, 64);
    PullGrid(game.grid, sx + 1024, static_cast<float>(sy + 768 - 100 * n), 20, 40);
  }
  for (int f = 0; f < 5; ++f) UpdateGrid(game.grid);
  ASSERT_GT(game.grid.maxOffset, 100);

  const Grid& g = game.grid;
  auto segment = [&](int i1, int j1, int i2, int j2) {
    const int a = g.Index(i1, j1), b = g.Index(i2, j2);
    return Segment{g.x[a] - sx, g.y[a] - sy, g.x[b] - sx, g.y[b] - sy};
  };
  struct Case {
    int style;
    std::vector<Segment> all;  // every segment the whole window holds
  };
  std::vector<Case> cases(2);
  cases[0].style = 6;  // every column and row but the last
  for (int i = 0; i < 512; ++i)
    for (int j = 0; j < 384; ++j) cases[0].all.push_back(segment(i, j, i, j + 1));
  for (int j = 0; j < 384; ++j)
    for (int i = 0; i < 512; ++i) cases[0].all.push_back(segment(i, j, i + 1, j));
  cases[1].style = 8;  // the same, and the diagonals both ways
  cases[1].all = cases[0].all;
  for (int i = 0; i < 512; ++i)
    for (int j = 0; j < 384; ++j) {
      cases[1].all.push_back(segment(i, j, i + 1, j + 1));
      cases[1].all.push_back(segment(i + 1, j, i, j + 1));
    }

  for (const Case& c : cases) {
    const std::set<Segment> drawn = DrawnSegments(Record(c.style));
    std::size_t visible = 0;
    for (const Segment& s : c.all) {
      if (!TouchesScreen(s, 1024, 768, 2)) continue;
      ++visible;
      const Segment reversed{std::get<2>(s), std::get<3>(s), std::get<0>(s), std::get<1>(s)};
      ASSERT_TRUE(drawn.count(s) || drawn.count(reversed))
          << "style " << c.style << ": a segment on screen is missing at " << std::get<0>(s) << "," << std::get<1>(s);
    }
    EXPECT_GT(visible, 20000u);
    EXPECT_LT(drawn.size(), c.all.size() / 2) << "style " << c.style << " drew the whole lattice";
  }
}

TEST_F(GridDrawTest, StylesNeverReadOutsideTheLatticeWhateverTheWindow) {
  struct Case {
    int spacing, fieldWidth, fieldHeight, viewWidth, viewHeight, fullGrid, scrollX, scrollY;
    bool panel;
  };
  const Case cases[] = {
      {2, 256, 1024, 1024, 768, 1, 0, 0, false},     // taller than wide
      {2, 2048, 1536, 1024, 768, 0, 900, 700, false},  // scrolled partial window
      {0, 2048, 1536, 640, 480, 0, -300, 5000, false},
      {3, 64, 64, 1024, 768, 1, 0, 0, true},         // tiny playfield under a large panel
      {3, 64, 64, 64, 64, 1, 0, 0, false},
      {0, 128, 4096, 640, 480, 1, 0, 3000, false},
  };
  for (const Case& c : cases) {
    Field(c.spacing, c.fieldWidth, c.fieldHeight, c.viewWidth, c.viewHeight);
    Bend(3);
    game.settings.fullGrid = c.fullGrid;
    for (int style = 0; style <= 20; ++style) {
      game.view.scrollX = c.scrollX;
      game.view.scrollY = c.scrollY;
      DrawGrid(game, style, c.panel);  // the sanitizer build catches any read outside the arrays
      const GridWindow& w = game.grid.window;
      ASSERT_LE(w.lastColumn, game.grid.cellsAcross);
      ASSERT_LE(w.lastRow, game.grid.cellsDown);
      ASSERT_LE(w.firstColumn, w.lastColumn);
      ASSERT_LE(w.firstRow, w.lastRow);
    }
  }
}

}  // namespace
}  // namespace qv
