// The spawn director: the pool of kinds that widens with the clock, the schedule of singles,
// generators and the four streams, the spawn areas, and the debounce brake.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "enemies/black_hole.h"
#include "enemies/cube.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/simple_kinds.h"
#include "enemies/snake.h"
#include "enemies/triangle.h"
#include "shell/game_flow.h"
#include "shell/spawn_director.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

class DirectorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.sounds.Load();
    NewGameReset(game);
    game.input.debounce = 0;
  }
  // Empties the enemy lists (and only them: the streams keep running).
  void ClearEnemies() {
    game.squares.Clear();
    game.pinwheels.Clear();
    game.diamonds.Clear();
    game.cubes.Clear();
    game.seekers.Clear();
    game.blackHoles.Clear();
    game.snakes.Clear();
    game.interceptors.Clear();
    game.butterflies.Clear();
    game.generators.Clear();
    game.triangles.Clear();
  }

  test::GameFixture fx{41};
  Game& game = fx.game;
};

struct PoolCase {
  int n;
  int highest;  // PickKind(n) covers 0..highest
};

TEST_F(DirectorTest, ANewKindJoinsThePoolEvery1100Frames) {
  const PoolCase cases[] = {{0, 0},    {1099, 0},  {1100, 1},  {2200, 2},  {5500, 5},
                            {7700, 7}, {8799, 7},  {8800, 9},  {12000, 9}, {1000000, 9}};
  for (const PoolCase& c : cases) {
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) seen.insert(PickKind(game, c.n));
    std::set<int> want;
    for (int k = 0; k <= c.highest; ++k) want.insert(k);
    EXPECT_EQ(seen, want) << "n = " << c.n;
  }
}

TEST_F(DirectorTest, SinglesComeEvery33FramesExceptInOddSpansOf350) {
  std::vector<int> singles, generators;
  for (int t = 1; t < 777; ++t) {
    ClearEnemies();
    SpawnTick(game, t);
    if (!game.pinwheels.Empty()) singles.push_back(t);
    if (!game.generators.Empty()) generators.push_back(t);
  }
  std::vector<int> want;
  for (int t = 33; t < 350; t += 33) want.push_back(t);
  want.push_back(726);  // 350..699 is an odd span
  want.push_back(759);
  EXPECT_EQ(singles, want);
  EXPECT_EQ(generators, std::vector<int>{444});
}

TEST_F(DirectorTest, TheFirstGeneratorEmitsSquaresFromTheNarrowPool) {
  SpawnTick(game, 444);
  ASSERT_EQ(game.generators.Count(), 1);
  const Generator& g = *game.generators.Front();
  EXPECT_EQ(g.kind, 1) << "Pinwheel in the director's numbering plus 1: the generator numbering's Square";
  EXPECT_GE(g.period, 81);
  EXPECT_LE(g.period, 140);
  EXPECT_GE(g.size, 1);
  EXPECT_LE(g.size, 16);
  EXPECT_EQ(g.spawnDelay, 20);
}

TEST_F(DirectorTest, LateGeneratorsNeverEmitBlackHolesOrInterceptors) {
  std::set<int> kinds;
  const int t = 444 * 100;
  for (int i = 0; i < 400; ++i) {
    game.generators.Clear();
    SpawnTick(game, t);
    ASSERT_EQ(game.generators.Count(), 1);
    const Generator& g = *game.generators.Front();
    kinds.insert(g.kind);
    EXPECT_LE(g.size, 32);
    EXPECT_GE(g.period, 60) << "80 + 1..60 - 44, at least 60";
    EXPECT_LE(g.period, 96);
  }
  EXPECT_EQ(kinds, (std::set<int>{1, 2, 3, 4, 5, 7, 8, 10}));
}

struct StreamStartCase {
  int t;
  int stream;
  bool starts;
};

TEST_F(DirectorTest, StreamsStartOnTheirOwnClocks) {
  const StreamStartCase cases[] = {
      {776, 0, false}, {777, 0, true},  {1554, 0, true}, {1849, 1, false}, {1850, 1, true},
      {2900, 2, true}, {3333, 3, false},  // 3333 / 4000 is even
      {6666, 3, true},
  };
  for (const StreamStartCase& c : cases) {
    for (SpawnStream& s : game.streams) s = {};
    SpawnTick(game, c.t);
    EXPECT_EQ(game.streams[c.stream].remaining > 0, c.starts) << "stream " << c.stream << " at " << c.t;
  }
  for (SpawnStream& s : game.streams) s = {};
  SpawnTick(game, 777);
  const SpawnStream& a = game.streams[0];
  EXPECT_EQ(a.kind, kSpawnPinwheel);
  EXPECT_GE(a.remaining, 2 * 15 - 1) << "twice 15..25, less this frame's entry";
  EXPECT_LE(a.remaining, 2 * 25 - 1);
  EXPECT_EQ(a.remaining % 2, 1);
  SpawnTick(game, 2900);
  EXPECT_EQ(game.streams[2].area, 5) << "stream C draws a corner for each enemy";
}

TEST_F(DirectorTest, StreamLengthsAreCapped) {
  struct Case {
    int t, stream, cap;
  };
  for (const Case& c : {Case{777 * 100, 0, 100}, Case{1850 * 40, 1, 175}, Case{2900 * 30, 2, 300}}) {
    int longest = 0;
    for (int i = 0; i < 100; ++i) {
      for (SpawnStream& s : game.streams) s = {};
      SpawnTick(game, c.t);
      const SpawnStream& s = game.streams[c.stream];
      if (s.kind == kSpawnBlackHole) continue;
      EXPECT_LE(s.remaining, c.cap - 1);
      longest = std::max(longest, s.remaining);
    }
    EXPECT_EQ(longest, c.cap - 1) << c.t;
  }
}

TEST_F(DirectorTest, ABlackHoleStreamHas16Or24Entries) {
  struct Case {
    int t, stream, entries;
  };
  for (const Case& c : {Case{777 * 34, 0, 16}, Case{1850 * 10, 1, 16}, Case{2900 * 6, 2, 24}}) {
    bool found = false;
    for (std::uint32_t seed = 1; seed < 400 && !found; ++seed) {
      game.rng.Seed(seed);
      for (SpawnStream& s : game.streams) s = {};
      SpawnTick(game, c.t);
      if (game.streams[c.stream].kind != kSpawnBlackHole) continue;
      found = true;
      EXPECT_EQ(game.streams[c.stream].remaining, c.entries - 1) << c.t;
    }
    EXPECT_TRUE(found) << "no black-hole stream drawn at " << c.t;
  }
}

TEST_F(DirectorTest, StreamsAAndBPlaceEverySecondFrameCAndDEveryThird) {
  struct Case {
    int stream, kind, entries;
    int placed;  // enemies placed while the stream runs out
  };
  const Case cases[] = {
      {0, kSpawnDiamond, 10, 5},
      {1, kSpawnDiamond, 7, 4},
      {2, kSpawnDiamond, 6, 2},
      {3, kSpawnButterfly, 6, 4},  // butterflies come two at a time
  };
  for (const Case& c : cases) {
    ClearEnemies();
    for (SpawnStream& s : game.streams) s = {};
    game.streams[c.stream] = {c.kind, 0, c.entries};
    for (int i = 0; i < c.entries + 3; ++i) SpawnTick(game, 1);  // no other rule fires at t = 1
    EXPECT_EQ(game.streams[c.stream].remaining, 0);
    EXPECT_EQ(game.diamonds.Count() + game.butterflies.Count(), c.placed) << "stream " << c.stream;
  }
}

TEST_F(DirectorTest, DuringTheDebounceNothingIsPlacedAndStreamsLoseTheirEntries) {
  game.input.debounce = 10;
  game.streams[0] = {kSpawnDiamond, 0, 6};
  for (int t : {33, 444, 1, 1, 1, 1, 1}) SpawnTick(game, t);
  EXPECT_TRUE(game.pinwheels.Empty());
  EXPECT_TRUE(game.generators.Empty());
  EXPECT_TRUE(game.diamonds.Empty());
  EXPECT_EQ(game.streams[0].remaining, 0) << "the stream ran out all the same";
}

// ---- Spawn areas ----

int CornerOf(int x, int y) {
  const bool left = x <= 80, top = y <= 80;
  if (left && top) return 1;
  if (!left && top) return 2;
  if (!left && !top) return 3;
  return 4;
}

TEST_F(DirectorTest, SpawnAreasResolveToTheirCornersAndRanges) {
  const std::set<int> cornersOf[] = {{}, {1}, {2}, {3}, {4}, {1, 2, 3, 4}, {2, 1}, {3, 2}, {4, 3}, {3, 1}, {4, 1}, {4, 2}};
  for (int area = 1; area <= 11; ++area) {
    std::set<int> seen;
    for (int i = 0; i < 300; ++i) {
      int x = 0, y = 0;
      SpawnAreaPosition(game, area, x, y);
      const bool left = x >= 30 && x <= 80, right = x >= 944 && x <= 994;
      const bool top = y >= 30 && y <= 80, bottom = y >= 688 && y <= 738;
      ASSERT_TRUE((left || right) && (top || bottom)) << "area " << area << ": " << x << ", " << y;
      seen.insert(CornerOf(x, y));
    }
    EXPECT_EQ(seen, cornersOf[area]) << "area " << area;
  }
  int minX = 9999, maxX = 0, minY = 9999, maxY = 0;
  for (int i = 0; i < 3000; ++i) {
    int x = 0, y = 0;
    SpawnAreaPosition(game, 0, x, y);
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  EXPECT_GE(minX, 30);
  EXPECT_LT(minX, 40);
  EXPECT_LE(maxX, 994);
  EXPECT_GT(maxX, 984);
  EXPECT_GE(minY, 30);
  EXPECT_LT(minY, 40);
  EXPECT_LE(maxY, 738);
  EXPECT_GT(maxY, 728);
  game.ship.x = 500;
  game.ship.y = 400;
  for (int i = 0; i < 100; ++i) {
    int x = 0, y = 0;
    SpawnAreaPosition(game, 12, x, y);
    EXPECT_NEAR(std::hypot(x - 500, y - 400), 240, 1.5) << "on the circle around the ship, truncated";
  }
}

}  // namespace
}  // namespace qv
