// Choosing the screen and playfield entries and opening the display with what depends on its size.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/headless/headless_platform.h"
#include "shell/game.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

std::string ReadAll(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class DisplayTest : public ::testing::Test {
 protected:
  void Select(int screenW, int screenH, int fieldW, int fieldH) {
    game.settings.screenWidth = screenW;
    game.settings.screenHeight = screenH;
    game.settings.playfieldWidth = fieldW;
    game.settings.playfieldHeight = fieldH;
    BuildModeTable(game.display, game.settings);
    SelectModeFromSettings(game.display, game.settings);
  }
  test::TempWorkDir dir;
  HeadlessPlatform hp;
  Game game{hp.platform};
};

TEST_F(DisplayTest, NamedEntryWinsOverUserEntry) {
  struct Case {
    int w, h, index;
    const char* name;
    const char* label;
  };
  const Case cases[] = {
      {1024, 768, 8, "XGA", "1024X768"},
      {1000, 700, 0, "USER", "1000X700"},
      {1440, 900, 17, "WSXGA", "1440X900"},
      {1600, 1024, 19, "WSXGA", "1600X1024"},
      {5120, 4096, 34, "HSXGA", "5120X4096"},
  };
  for (const Case& c : cases) {
    Select(c.w, c.h, 1024, 768);
    EXPECT_EQ(game.display.modeIndex, c.index) << c.label;
    EXPECT_EQ(game.display.modeTable[game.display.modeIndex].name, c.name);
    EXPECT_EQ(game.display.modeTable[game.display.modeIndex].label, c.label);
  }
  EXPECT_EQ(game.display.modeTable[3].name, "????");
  EXPECT_EQ(game.display.modeTable[23].name, "?????");
}

TEST_F(DisplayTest, SmallScreenOverLargePlayfieldForcesScrolling) {
  Select(1024, 768, 1280, 1024);
  game.settings.windowed = true;
  game.settings.scroll = 0;
  ASSERT_TRUE(OpenDisplay(game));
  EXPECT_EQ(game.settings.scroll, 1);
  EXPECT_EQ(game.view.fieldWidth, 1280);
  EXPECT_EQ(game.grid.cellsAcross, 80);
  EXPECT_EQ(game.grid.cellsDown, 64);
  EXPECT_TRUE(game.display.menuBackdrop);
}

TEST_F(DisplayTest, FullScreenTriesDepthsInOrder) {
  hp.backend.fullscreenModes = {{640, 480, 16}};
  Select(640, 480, 640, 480);
  game.settings.windowed = false;
  ASSERT_TRUE(OpenDisplay(game));
  EXPECT_EQ(hp.backend.opened().depth, 16);
  EXPECT_FALSE(hp.backend.opened().windowed);
}

TEST_F(DisplayTest, FailureWritesOneLineToErrorsFileAndKeepsThePreviousState) {
  Select(1024, 768, 1024, 768);
  game.settings.windowed = true;
  ASSERT_TRUE(OpenDisplay(game));
  const int cellsBefore = game.grid.cellsAcross;

  Select(5120, 4096, 5120, 4096);
  EXPECT_FALSE(OpenDisplay(game));
  EXPECT_EQ(ReadAll("errors.txt"), "Can not set graphics mode: Windowed - 5120X4096\r\n");
  EXPECT_EQ(game.grid.cellsAcross, cellsBefore);
  EXPECT_EQ(game.settings.screenWidth, 5120) << "the failed choice is what the settings now hold";

  game.settings.windowed = false;
  hp.backend.fullscreenModes.clear();
  EXPECT_FALSE(OpenDisplay(game));
  EXPECT_EQ(ReadAll("errors.txt"), "Could not set graphics mode: Fullscreen - 5120X4096\r\n");
}

TEST_F(DisplayTest, GridSpacingPicksCellSizeAndUnknownValuesKeepIt) {
  Select(1024, 768, 1024, 768);
  game.settings.windowed = true;
  struct Case {
    int spacing, cell;
  };
  for (const Case& c : {Case{0, 4}, Case{3, 32}, Case{7, 32}, Case{1, 8}, Case{-1, 8}}) {
    game.settings.gridSpacing = c.spacing;
    ASSERT_TRUE(OpenDisplay(game));
    EXPECT_EQ(game.grid.cellWidth, c.cell) << c.spacing;
    EXPECT_EQ(game.grid.cellsAcross, 1024 / c.cell);
    EXPECT_EQ(game.grid.x.size(), static_cast<std::size_t>((1024 / c.cell + 1) * (768 / c.cell + 1)));
  }
}

TEST_F(DisplayTest, SizesFromAFileAreBroughtWithinWhatCanBeDrawn) {
  game.settings.playfieldWidth = -5;
  game.settings.playfieldHeight = 100000;
  game.settings.screenWidth = 0;
  game.settings.screenHeight = 1 << 30;
  SanitiseDisplaySettings(game.settings);
  EXPECT_EQ(game.settings.playfieldWidth, kMinSide);
  EXPECT_EQ(game.settings.playfieldHeight, kMaxPlayfieldSide);
  EXPECT_EQ(game.settings.screenWidth, kMinSide);
  EXPECT_EQ(game.settings.screenHeight, kMaxScreenSide);
}

}  // namespace
}  // namespace qv
