// Every playfield size the settings offer, at every grid spacing, opens and plays: the display set-up
// sizes the lattice, the stars and the scrolling for it, and frames of play with the ship and the view
// pushed into each corner, and beyond the edges where scrolling lets the view go, stay in bounds.
#include <gtest/gtest.h>

#include <vector>

#include "effects/grid.h"
#include "player/ship.h"
#include "render/display.h"
#include "shell/game_flow.h"
#include "shell/spawn_director.h"
#include "shell/world.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

constexpr int kCellSizes[] = {4, 8, 16, 32};

// A few frames of play, as the game loop runs them.
void PlayFrames(Game& game, int frames) {
  for (int f = 0; f < frames; ++f) {
    SpawnTick(game, game.state.gameTicks);
    UpdateShip(game);
    UpdateWorld(game, 0);
    DrawWorld(game);
    game.gfx.Flip(true);
    game.state.gameTicks += 1;
  }
}

struct Corner {
  float shipX, shipY;  // as fractions of the playfield
  int scrollX, scrollY;  // -1 as far left or up as scrolling goes, +1 as far right or down
};

constexpr Corner kCorners[] = {{0, 0, -1, -1}, {1, 0, 1, -1}, {0, 1, -1, 1}, {1, 1, 1, 1}, {0.5f, 0.5f, 0, 0}};

void PlayInEachCorner(Game& game) {
  const ViewState& v = game.view;
  for (const Corner& c : kCorners) {
    game.ship.x = c.shipX * static_cast<float>(v.fieldWidth);
    game.ship.y = c.shipY * static_cast<float>(v.fieldHeight);
    // The view may go 80 pixels past the playfield's edges.
    game.view.scrollX = c.scrollX < 0 ? -80 : c.scrollX > 0 ? v.fieldWidth - v.viewWidth + 80 : 0;
    game.view.scrollY = c.scrollY < 0 ? -80 : c.scrollY > 0 ? v.fieldHeight - v.viewHeight + 80 : 0;
    // Kicks at and beyond the corner: an explosion, a gravity well, a blast.
    ShockGrid(game.grid, static_cast<int>(game.ship.x), static_cast<int>(game.ship.y));
    PullGrid(game.grid, game.ship.x + 20, game.ship.y + 20, 12, 3.0f);
    PushGrid(game.grid, game.ship.x - 20, game.ship.y - 20, 6, 5.0f);
    PlayFrames(game, 3);
  }
}

class DisplaySizes : public testing::TestWithParam<int> {};

TEST_P(DisplaySizes, EveryPlayfieldOpensAndPlaysAtThisGridSpacing) {
  const int spacing = GetParam();
  const int cell = kCellSizes[spacing];
  // Entries 1..34 of the table, and entry 0, the configured size, at the smallest and the largest size
  // the settings keep.
  struct Choice {
    int index;
    PlayfieldSize configured;
  };
  std::vector<Choice> choices = {{0, {kMinSide, kMinSide}}, {0, {kMaxPlayfieldSide, kMaxPlayfieldSide}}};
  for (int index = 1; index < kModeCount; ++index) choices.push_back({index, {1024, 768}});

  for (const Choice& choice : choices) {
    test::GameFixture fx;
    Game& game = fx.game;
    game.settings.gridSpacing = spacing;
    game.settings.playfieldWidth = choice.configured.width;
    game.settings.playfieldHeight = choice.configured.height;
    SelectModeFromSettings(game.display, game.settings);
    game.display.playfieldIndex = choice.index;
    ASSERT_TRUE(OpenDisplay(game));
    const PlayfieldSize expected = game.display.playfieldSizes[choice.index];
    SCOPED_TRACE(testing::Message() << "playfield " << choice.index << ": " << expected.width << " x "
                                    << expected.height << ", cells of " << cell);
    ASSERT_EQ(game.view.fieldWidth, expected.width);
    ASSERT_EQ(game.view.fieldHeight, expected.height);
    EXPECT_EQ(game.grid.cellWidth, cell);
    EXPECT_EQ(game.grid.cellsAcross, expected.width / cell);
    EXPECT_EQ(game.grid.cellsDown, expected.height / cell);
    EXPECT_EQ(game.settings.scroll,
              expected.width > game.view.viewWidth || expected.height > game.view.viewHeight ? 1 : 0);

    NewGameReset(game);
    PlayInEachCorner(game);
  }
}

INSTANTIATE_TEST_SUITE_P(EachSpacing, DisplaySizes, testing::Range(0, 4),
                         [](const testing::TestParamInfo<int>& info) {
                           return "CellsOf" + std::to_string(kCellSizes[info.param]);
                         });

}  // namespace
}  // namespace qv
