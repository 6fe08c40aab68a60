// The video settings screen run through its own frame loop with scripted input: "Keep Changes?" on
// the display values, a display that cannot be opened, how fast held controls repeat on each row,
// which rows a choice ends the screen from, what a frame draws and in what order, and the live panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/settings_screens.h"
#include "support/settings_rig.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

using test::FindText;
using test::SettingsRig;

// The rows, top to bottom; the screen opens on "Done" and each up arrow moves one row up.
enum Row { kScroll, kScreenSize, kPlayfield, kGfxSet, kWindowed, kGridStyle, kStars, kParticles, kColour, kBright, kDone };
int UpsTo(int row) { return kDone - row; }

// A working folder of its own ("errors.txt" is written there) that still finds the game's images.
struct ImagesHere {
  ImagesHere() { std::filesystem::create_directory_symlink(std::filesystem::path(QV_BUILD_DIR) / "gfx", "gfx"); }
  test::TempWorkDir dir;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Picks {
  int scroll, modeIndex, playfieldIndex, gfxSet;
  bool windowed;
  bool operator==(const Picks&) const = default;
};
Picks TakePicks(const Game& g) {
  return {g.settings.scroll, g.display.modeIndex, g.display.playfieldIndex, g.settings.gfxSet, g.settings.windowed};
}

bool Asked(const std::vector<DrawRecord>& records, const SettingsRig& rig) {
  return !FindText(records, "Keep Changes?", rig.cx - 280, rig.cy - 80, 6).empty();
}

TEST(VideoSettingsTest, KeptDisplayChangesOpenTheNewDisplayAndEndARunningGame) {
  ImagesHere images;
  SettingsRig rig;
  Game& game = rig.game;
  game.configuredDisplay = TakeDisplayChoice(game.settings);  // start-up had fallen back
  const ImageHandle oldBackdrop = game.display.menuBackdrop;
  rig.Tap(kKeyUp, UpsTo(kScreenSize)).Step(kKeyRight);   // 1152 x 864
  rig.Tap(kKeyDown).Step(kKeyRight);                     // playfield 512 x 384
  rig.Tap(kKeyDown).Step(kKeyRight);                     // "Low"
  rig.Tap(kKeyEscape).Tap(kKeyUp).Tap(kKeyEnter);        // "Keep Changes?" "Yes"

  EXPECT_EQ(VideoSettings(game, true), 2);
  EXPECT_EQ(rig.input.frame(), rig.last());
  EXPECT_EQ(rig.backend.opened().width, 1152);
  EXPECT_EQ(rig.backend.opened().height, 864);
  EXPECT_TRUE(rig.backend.opened().windowed);
  EXPECT_EQ(game.view.viewWidth, 1152);
  EXPECT_EQ(game.view.fieldWidth, 512);
  EXPECT_EQ(game.view.fieldHeight, 384);
  EXPECT_EQ(game.settings.screenWidth, 1152);
  EXPECT_EQ(game.settings.playfieldWidth, 512);
  EXPECT_EQ(game.grid.cellsAcross, 32) << "the lattice covers the new playfield";
  EXPECT_EQ(game.grid.cellsDown, 24);
  ASSERT_TRUE(game.images.icons);
  EXPECT_EQ(game.images.icons->cellWidth, 24) << "the \"Low\" set was loaded";
  ASSERT_TRUE(game.images.colourPick);
  ASSERT_TRUE(game.display.menuBackdrop);
  EXPECT_NE(game.display.menuBackdrop, oldBackdrop);
  EXPECT_EQ(game.display.menuBackdrop->cellWidth, 1152);
  EXPECT_FALSE(game.configuredDisplay) << "the display chosen here is the one saved";
}

TEST(VideoSettingsTest, KeepChangesNoPutsTheFiveDisplayValuesBackAndKeepsTheRest) {
  SettingsRig rig;
  Game& game = rig.game;
  const Picks before = TakePicks(game);
  const int opens = rig.backend.opens();
  rig.Tap(kKeyUp, UpsTo(kScroll)).Step(kKeyRight);
  for (int row = kScreenSize; row <= kWindowed; ++row) rig.Tap(kKeyDown).Step(kKeyLeft);
  rig.Tap(kKeyDown).Step(kKeyRight);  // grid style 1
  rig.Tap(kKeyDown).Step(kKeyRight);  // 400 stars
  rig.Tap(kKeyEscape).Tap(kKeyEscape);  // "Keep Changes?" answered with "No", selected on entry

  EXPECT_EQ(VideoSettings(game, false), 0);
  EXPECT_EQ(rig.input.frame(), rig.last());
  EXPECT_EQ(TakePicks(game), before);
  EXPECT_EQ(rig.backend.opens(), opens) << "the display was not touched";
  EXPECT_EQ(game.settings.gridStyle, 1);
  EXPECT_EQ(game.settings.starCount, 400);
}

TEST(VideoSettingsTest, NothingIsAskedWhenTheDisplayValuesEndAsTheyBegan) {
  struct Case {
    const char* name;
    std::function<void(SettingsRig&)> script;
  };
  const Case cases[] = {
      {"only the grid colour", [](SettingsRig& r) { r.Tap(kKeyUp, UpsTo(kColour)).Step(kKeyRight, 3); }},
      {"window mode toggled twice", [](SettingsRig& r) { r.Tap(kKeyUp, UpsTo(kWindowed)).Step(kKeyRight, 2); }},
      {"screen size round the table",
       [](SettingsRig& r) { r.Tap(kKeyUp, UpsTo(kScreenSize)).Step(kKeyRight).Step(kKeyLeft); }},
  };
  for (const Case& c : cases) {
    SettingsRig rig;
    Game& game = rig.game;
    game.view.scrollX = -112;  // a running game's view of a small playfield
    game.view.scrollY = -84;
    c.script(rig);
    rig.Tap(kKeyEscape);
    std::vector<DrawRecord> records;
    rig.fx.hp.gfx.SetRecorder(&records);
    EXPECT_EQ(VideoSettings(game, true), 0) << c.name;
    EXPECT_EQ(rig.input.frame(), rig.last()) << c.name;
    EXPECT_FALSE(Asked(records, rig)) << c.name;
    EXPECT_EQ(game.view.scrollX, -112) << c.name << ": the game's view is put back";
    EXPECT_EQ(game.view.scrollY, -84) << c.name;
  }
}

TEST(VideoSettingsTest, ADisplayThatCannotBeOpenedIsReportedAndThePreviousOneComesBack) {
  struct Case {
    const char* name;
    std::function<void(SettingsRig&)> script;
    std::string error;
  };
  const Case cases[] = {
      {"a window larger than the desktop",
       // Nine steps left from "XGA", one every 8 frames, wrap round to 5120 x 4096.
       [](SettingsRig& r) { r.Tap(kKeyUp, UpsTo(kScreenSize)).Wait().Hold(kKeyLeft, 65); },
       "Can not set graphics mode: Windowed - 5120X4096\r\n"},
      {"a full-screen size the desktop lacks",
       [](SettingsRig& r) {
         r.Tap(kKeyUp, UpsTo(kScreenSize)).Step(kKeyRight);  // 1152 x 864
         r.Tap(kKeyDown, 3).Step(kKeyRight);                 // full screen
       },
       "Could not set graphics mode: Fullscreen - 1152X864\r\n"},
  };
  for (const Case& c : cases) {
    ImagesHere images;
    SettingsRig rig;
    Game& game = rig.game;
    game.configuredDisplay = TakeDisplayChoice(game.settings);
    const Picks before = TakePicks(game);
    const ImageHandle backdrop = game.display.menuBackdrop;
    c.script(rig);
    rig.Tap(kKeyEscape).Tap(kKeyUp).Tap(kKeyEnter);
    std::vector<DrawRecord> records;
    rig.fx.hp.gfx.SetRecorder(&records);

    EXPECT_EQ(VideoSettings(game, true), 0) << c.name;
    EXPECT_EQ(ReadAll("errors.txt"), c.error) << c.name;
    EXPECT_EQ(TakePicks(game), before) << c.name;
    // A working display as before: the same window, the sizes, the images, the grid.
    EXPECT_TRUE(rig.backend.IsOpen()) << c.name;
    EXPECT_EQ(rig.backend.opened().width, 1024) << c.name;
    EXPECT_EQ(rig.backend.opened().height, 768) << c.name;
    EXPECT_TRUE(rig.backend.opened().windowed) << c.name;
    EXPECT_EQ(rig.fx.hp.gfx.Width(), 1024) << c.name;
    EXPECT_EQ(game.view.viewWidth, 1024) << c.name;
    EXPECT_EQ(game.view.viewHeight, 768) << c.name;
    EXPECT_EQ(game.settings.screenWidth, 1024) << c.name;
    EXPECT_EQ(game.settings.screenHeight, 768) << c.name;
    EXPECT_TRUE(game.images.greenSquare) << c.name;
    EXPECT_EQ(game.grid.cellsAcross, 64) << c.name;
    EXPECT_EQ(game.display.menuBackdrop, backdrop) << c.name << ": the game's picture stays behind the menus";
    EXPECT_TRUE(game.configuredDisplay) << c.name << ": the settings file's display is still the one saved";
    // The message, shown for 2 seconds.
    const std::vector<std::size_t> first = FindText(records, "Unable to set Gfx Mode", 20, 64, 3);
    const std::vector<std::size_t> second = FindText(records, "Reverting to old settings: 1024X768", 20, 94, 3);
    ASSERT_EQ(first.size(), 1u) << c.name;
    ASSERT_EQ(second.size(), 1u) << c.name;
    EXPECT_EQ((std::vector<int>{records[first[0]].r, records[first[0]].g, records[first[0]].b}),
              (std::vector<int>{0, 255, 255}));
    const std::vector<int>& delays = rig.fx.hp.clock.delays();
    EXPECT_NE(std::find(delays.begin(), delays.end(), 2000), delays.end()) << c.name;
  }
}

TEST(VideoSettingsTest, HeldControlsRepeatAtTheRowsPace) {
  struct Case {
    const char* name;
    int row;
    std::function<void(SettingsRig&)> hold;
    std::function<int(const Game&)> steps;
    int expected;
  };
  const auto brightSteps = [](const Game& g) {
    return static_cast<int>(g.settings.gridOpacity * 119 + 0.5f) - 102;
  };
  const auto starSteps = [](const Game& g) { return (g.settings.starCount - 300) / 100; };
  const auto styleSteps = [](const Game& g) { return g.settings.gridStyle; };
  const Case cases[] = {
      {"brightness: every 2 frames", kBright, [](SettingsRig& r) { r.Hold(kKeyRight, 10); }, brightSteps, 5},
      {"brightness leftwards", kBright, [](SettingsRig& r) { r.Hold(kKeyLeft, 3); }, brightSteps, -2},
      {"stars: every 8 frames", kStars, [](SettingsRig& r) { r.Hold(kKeyRight, 17); }, starSteps, 3},
      {"grid style: every 20 frames", kGridStyle, [](SettingsRig& r) { r.Hold(kKeyRight, 41); }, styleSteps, 3},
      {"right mouse button", kStars, [](SettingsRig& r) { r.HoldMouse(2, 9); }, starSteps, 2},
      {"left mouse button", kStars, [](SettingsRig& r) { r.HoldMouse(1, 1); }, starSteps, -1},
      {"stick held: one step", kGridStyle, [](SettingsRig& r) { r.PushStickX(1.0f, 45); }, styleSteps, 1},
      {"stick pushed twice", kGridStyle,
       [](SettingsRig& r) { r.PushStickX(0.9f, 5).PushStickX(0.7f, 5); }, styleSteps, 2},
      {"stick inside 0.6", kGridStyle, [](SettingsRig& r) { r.PushStickX(0.55f, 5); }, styleSteps, 0},
      {"stick left", kStars, [](SettingsRig& r) { r.PushStickX(-1.0f, 30); }, starSteps, -1},
  };
  for (const Case& c : cases) {
    SettingsRig rig;
    rig.Tap(kKeyUp, UpsTo(c.row)).Wait();
    c.hold(rig);
    rig.Wait().Tap(kKeyEscape);
    EXPECT_EQ(VideoSettings(rig.game, false), 0) << c.name;
    EXPECT_EQ(rig.input.frame(), rig.last()) << c.name;
    EXPECT_EQ(c.steps(rig.game), c.expected) << c.name;
  }
}

TEST(VideoSettingsTest, AChoiceEndsTheScreenOnlyFromTheStyleAndStarRowsAndDone) {
  for (int row = 0; row <= kDone; ++row) {
    for (const bool joystick : {false, true}) {
      SettingsRig rig;
      rig.Tap(kKeyUp, UpsTo(row)).Wait();
      const int choice = rig.Choose(joystick, 3);
      rig.Wait(4).Tap(kKeyEscape);
      EXPECT_EQ(VideoSettings(rig.game, false), 0);
      const bool ends = row == kGridStyle || row == kStars || row == kParticles || row == kDone;
      EXPECT_EQ(rig.input.frame(), ends ? choice : rig.last()) << "row " << row << (joystick ? ", joystick" : ", Enter");
      if (joystick && ends) {
        EXPECT_EQ(rig.game.input.debounce, 20) << "row " << row;
      }
    }
  }
}

// One frame of the screen, in order: the title and rows 0 to 5, the grid panel, rows 6 and 7, the
// sparks, the two picker strips and their markers, row 8 with its highlight, row 9, "Done", the pointer.
TEST(VideoSettingsTest, AFrameDrawsItsPartsInOrder) {
  ImagesHere images;
  SettingsRig rig;
  Game& game = rig.game;
  game.settings.gridStyle = 6;  // lines: one strip per column and per row
  const int cx = rig.cx, cy = rig.cy;
  rig.Tap(kKeyUp, UpsTo(kColour)).Wait(4).Tap(kKeyEscape);
  std::vector<DrawRecord> all;
  rig.fx.hp.gfx.SetRecorder(&all);
  VideoSettings(game, false);

  // The last frame: from the last title on.
  const std::vector<std::size_t> titles = FindText(all, "Video Settings", cx - 280, cy - 240, 6);
  ASSERT_FALSE(titles.empty());
  const std::vector<DrawRecord> frame(all.begin() + static_cast<long>(titles.back()), all.end());
  const char* texts[] = {"Scroll: Off", "Screen Size: 9/34 XGA (1024X768)", "Playfield Size: 1/34 1024X768",
                         "Gfx Set: Solid", "Windowed: On", "Grid Style: 6", "Number of Stars: 300",
                         "Particle Style: 0", "Grid Colour:", "Grid Bright:", "Done"};
  std::vector<std::size_t> rowAt;
  for (int k = 0; k <= kDone; ++k) {
    const std::vector<std::size_t> at = FindText(frame, texts[k], cx - 280, cy + (k - 4) * 40, 4);
    ASSERT_EQ(at.size(), 1u) << texts[k];
    rowAt.push_back(at[0]);
    if (k > 0) {
      EXPECT_LT(rowAt[k - 1], rowAt[k]) << texts[k];
    }
  }

  std::vector<std::size_t> strips, colourStrip, brightnessStrip, highlight, markers;
  for (std::size_t i = 0; i < frame.size(); ++i) {
    const DrawRecord& r = frame[i];
    if (r.kind == DrawRecord::kStrip) strips.push_back(i);
    if (r.kind == DrawRecord::kImage && r.image == game.images.colourPick.get()) {
      const std::vector<float> at = r.points;
      if (r.frame == 1 && at == std::vector<float>{cx + 74.0f, cy + 174.0f}) colourStrip.push_back(i);
      if (r.frame == 0 && at == std::vector<float>{cx + 74.0f, cy + 214.0f}) brightnessStrip.push_back(i);
      if (r.frame == 2 && at == std::vector<float>{cx + 74.0f, cy + 174.0f}) highlight.push_back(i);
    }
    if (r.kind == DrawRecord::kRect && r.r == 100 && r.g == 255 && r.b == 100) markers.push_back(i);
  }
  ASSERT_FALSE(strips.empty());
  EXPECT_GT(strips.front(), rowAt[kGridStyle]);
  EXPECT_LT(strips.back(), rowAt[kStars]);
  // The panel shows the lattice's top-left corner an eighth of the screen in from its corner.
  EXPECT_EQ(frame[strips.front()].points[0], 1024 / 8);
  EXPECT_EQ(frame[strips.front()].points[1], 768 / 8);
  ASSERT_EQ(colourStrip.size(), 1u);
  ASSERT_EQ(brightnessStrip.size(), 1u);
  EXPECT_GT(colourStrip[0], rowAt[kParticles]);
  EXPECT_LT(colourStrip[0], brightnessStrip[0]);
  ASSERT_EQ(markers.size(), 2u);
  EXPECT_GT(markers[0], brightnessStrip[0]);
  EXPECT_LT(markers[1], rowAt[kColour]);
  // Marker i over strip pixel i + 1: the colour marker at 0, the brightness marker at 0.85 x 120.
  EXPECT_EQ(frame[markers[0]].points, (std::vector<float>{466, 564, 468, 564, 468, 572, 466, 572}));
  EXPECT_EQ(frame[markers[1]].points[0], cx - 46 + 2 * 102.0f);
  EXPECT_EQ(frame[markers[1]].points[1], cy + 5 * 40 + 20.0f);
  ASSERT_EQ(highlight.size(), 1u) << "only the selected strip is highlighted";
  EXPECT_GT(highlight[0], rowAt[kColour]);
  EXPECT_LT(highlight[0], rowAt[kBright]);
  // The pointer after "Done".
  bool pointerAfterDone = false;
  for (std::size_t i = rowAt[kDone]; i < frame.size(); ++i)
    if (frame[i].kind == DrawRecord::kLine && frame[i].r == 255 && frame[i].points[0] == cx - 304) pointerAfterDone = true;
  EXPECT_TRUE(pointerAfterDone);
}

TEST(VideoSettingsTest, TheRowsFollowThePitchOfTheScreenHeight) {
  struct Case {
    int modeIndex;
    int pitch;
  };
  for (const Case c : {Case{2, 32}, Case{1, 32}, Case{6, 40}, Case{8, 40}}) {
    SettingsRig rig;
    Game& game = rig.game;
    game.display.modeIndex = c.modeIndex;
    ASSERT_TRUE(OpenDisplay(game));
    const int cx = game.view.viewWidth / 2, cy = game.view.viewHeight / 2;
    rig.Tap(kKeyUp).Tap(kKeyEscape);
    std::vector<DrawRecord> records;
    rig.fx.hp.gfx.SetRecorder(&records);
    VideoSettings(game, false);
    EXPECT_FALSE(FindText(records, "Video Settings", cx - 280, cy - 6 * c.pitch, 6).empty()) << c.modeIndex;
    EXPECT_FALSE(FindText(records, "Done", cx - 280, cy + 6 * c.pitch, 4).empty()) << c.modeIndex;
    EXPECT_FALSE(FindText(records, "Grid Bright:", cx - 280, cy + 5 * c.pitch, 4).empty()) << c.modeIndex;
    EXPECT_EQ(rig.input.MouseY(), cy + 5 * c.pitch + 20) << c.modeIndex << ": the up arrow's pointer on row 9";
  }
}

TEST(VideoSettingsTest, ThePanelComesAliveWhileAGridOrSparkRowIsSelected) {
  struct Case {
    int row;
    bool pulled;
    int fireworks;  // -1: the up arrows pass the spark row on the way, so either
  };
  for (const Case c : {Case{kDone, false, 0}, Case{kStars, false, -1}, Case{kGridStyle, true, -1},
                       Case{kParticles, true, 1}, Case{kColour, true, 0}, Case{kBright, true, 0}}) {
    SettingsRig rig;
    Game& game = rig.game;
    rig.Tap(kKeyUp, UpsTo(c.row)).Wait(200).Tap(kKeyEscape);
    VideoSettings(game, false);
    const Grid& grid = game.grid;
    bool moved = false;
    for (std::size_t i = 0; i < grid.x.size(); ++i) moved = moved || grid.x[i] != grid.homeX[i] || grid.y[i] != grid.homeY[i];
    EXPECT_EQ(moved, c.pulled) << "row " << c.row;
    if (c.fireworks >= 0) {
      EXPECT_EQ(game.particles.nextSlot != 0, c.fireworks == 1) << "row " << c.row;
    }
  }
}

}  // namespace
}  // namespace qv
