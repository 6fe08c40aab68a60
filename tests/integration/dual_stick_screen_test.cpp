// The dual-stick configuration screen run through its own frame loop with scripted mouse, keys and
// joystick: the axis, stick, port, scale and capture boxes, the centre and dead-zone keys and their
// limits, the debug panel, saving and loading "Config.txt", the status line, the red dots, the wizard
// inside the screen, and the layout centred on the display.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "render/display.h"
#include "settings/config_file.h"
#include "settings/dual_stick.h"
#include "support/control_rig.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

using test::ControlRig;
using test::Rgb;

// At 1024 x 768 the 640 x 480 layout is drawn 192 pixels right and 144 down.
constexpr float kOx = 192, kOy = 144;

// Boxes of the layout (x, y) a click goes to: the mouse is read in layout coordinates.
struct At {
  int x, y;
};
constexpr At kAxisBox[4] = {{50, 400}, {50, 420}, {300, 400}, {300, 420}};  // move X, move Y, fire X, fire Y
constexpr At kStick1{60, 320}, kStick2{300, 320};
constexpr At kWizard{70, 237}, kOption{230, 237}, kBomb{370, 237};
constexpr At kDebug{540, 325}, kSave{540, 350}, kLoad{540, 375}, kExit{540, 400};
At PortBox(int p) { return {132 + 50 * p, 187}; }
At ScaleBox(int axis, int which) { return {(axis < 2 ? 32 : 272) + 50 * which, (axis % 2 == 0 ? 465 : 505)}; }

JoyPortConfig& Port(Game& game, int p) { return game.settings.joyPorts[static_cast<std::size_t>(p)]; }

// Runs the screen to the end of the script, then E leaves.
void RunScreen(ControlRig& rig) {
  rig.Tap('E');
  DualStickScreen(rig.game);
  EXPECT_EQ(rig.input.frame(), rig.last() + 1) << "E leaves after the rest of its frame";
}

ControlRig& ClickAt(ControlRig& rig, At at, int button = 1) { return rig.Click(at.x, at.y, button); }

TEST(DualStickScreenTest, AxisBoxesStepThroughSixteenAxesAndRightClicksInvert) {
  using J = JoyPortConfig;
  struct Box {
    int J::*axis;
    int J::*invert;
  };
  const Box boxes[4] = {{&J::moveXAxis, &J::moveXInvert}, {&J::moveYAxis, &J::moveYInvert},
                        {&J::fireXAxis, &J::fireXInvert}, {&J::fireYAxis, &J::fireYInvert}};
  for (int b = 0; b < 4; ++b) {
    ControlRig rig;
    JoyPortConfig expected = Port(rig.game, 0);
    expected.*boxes[b].invert = -1;
    for (int i = 0; i < 16; ++i) ClickAt(rig, kAxisBox[b]);
    ClickAt(rig, kAxisBox[b], 2);
    RunScreen(rig);
    EXPECT_EQ(Port(rig.game, 0), expected) << b << ": sixteen clicks come back to the same axis, nothing else changes";
  }

  // One click, and the wrap at both ends (a file may hold an axis below 0).
  ControlRig rig;
  Port(rig.game, 0).moveYAxis = 15;
  Port(rig.game, 0).fireXAxis = -3;
  ClickAt(rig, kAxisBox[0]);
  ClickAt(rig, kAxisBox[1]);
  ClickAt(rig, kAxisBox[2]);
  ClickAt(rig, kAxisBox[3], 2);
  ClickAt(rig, kAxisBox[3], 2);
  RunScreen(rig);
  EXPECT_EQ(Port(rig.game, 0).moveXAxis, 2);
  EXPECT_EQ(Port(rig.game, 0).moveYAxis, 0);
  EXPECT_EQ(Port(rig.game, 0).fireXAxis, 15);
  EXPECT_EQ(Port(rig.game, 0).fireYInvert, 1) << "inverted twice";
}

TEST(DualStickScreenTest, AnInvertedAxisBoxIsOrangeAndAHoveredOneRedEdged) {
  ControlRig rig;
  Port(rig.game, 0).fireXInvert = -1;
  rig.MouseTo(kAxisBox[1].x, kAxisBox[1].y);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  RunScreen(rig);
  EXPECT_EQ(test::RectColours(records, kOx + 250, kOy + 395, 175, 14).back(), (Rgb{255, 128, 0}));
  EXPECT_EQ(test::RectColours(records, kOx + 10, kOy + 395, 175, 14).back(), (Rgb{50, 65, 220}));
  // The hover edge around move Y: (x - 1, y - 1, 177, 16).
  int edges = 0;
  for (const DrawRecord& r : records)
    if (r.kind == DrawRecord::kLine && r.points[0] == kOx + 9 && r.points[1] == kOy + 414 && r.points[2] == kOx + 185 &&
        r.r == 255 && r.g == 0 && r.b == 0)
      ++edges;
  EXPECT_GE(edges, 1);
}

TEST(DualStickScreenTest, ScaleBoxesSetTheDivisorAndHighlightTheOneInUse) {
  using J = JoyPortConfig;
  float J::*const scales[4] = {&J::moveXScale, &J::moveYScale, &J::fireXScale, &J::fireYScale};
  const float values[3] = {1, 180, 255};
  for (int axis = 0; axis < 4; ++axis) {
    for (int which = 0; which < 3; ++which) {
      ControlRig rig;
      Port(rig.game, 0).*scales[axis] = 128;  // from a file: no box matches
      ClickAt(rig, ScaleBox(axis, which));
      RunScreen(rig);
      EXPECT_EQ(Port(rig.game, 0).*scales[axis], values[which]) << axis << "/" << which;
      for (int other = 0; other < 4; ++other) {
        if (other != axis) {
          EXPECT_EQ(Port(rig.game, 0).*scales[other], 1.0f);
        }
      }
    }
  }

  ControlRig rig;
  Port(rig.game, 0).moveYScale = 128;
  Port(rig.game, 0).fireYScale = 128;
  ClickAt(rig, ScaleBox(1, 1));
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  RunScreen(rig);
  const Rgb chosen{35, 65, 115};
  EXPECT_FALSE(test::RectColours(records, kOx + 60, kOy + 495, 45, 20).empty()) << "180 of move Y is lit";
  EXPECT_TRUE(test::RectColours(records, kOx + 10, kOy + 495, 45, 20).empty());
  for (int which = 0; which < 3; ++which)
    EXPECT_TRUE(test::RectColours(records, kOx + 250 + 50 * which, kOy + 495, 45, 20).empty()) << "128 lights none";
  EXPECT_EQ(test::RectColours(records, kOx + 10, kOy + 455, 45, 20).back(), chosen);
}

TEST(DualStickScreenTest, ArrowsMoveTheSelectedSticksCentreOrWithShiftItsDeadZoneWithinLimits) {
  using J = JoyPortConfig;
  struct Case {
    const char* name;
    At stick;  // clicked first; {0, 0} selects nothing
    int shiftKey;  // 0 for none
    int key;
    float J::*field;
    float expected;
  };
  const Case cases[] = {
      {"stick 1 up", kStick1, 0, kKeyUp, &J::moveYCentre, -0.9f},
      {"stick 1 down", kStick1, 0, kKeyDown, &J::moveYCentre, 0.9f},
      {"stick 1 left", kStick1, 0, kKeyLeft, &J::moveXCentre, -0.9f},
      {"stick 2 right", kStick2, 0, kKeyRight, &J::fireXCentre, 0.9f},
      {"stick 2 up", kStick2, 0, kKeyUp, &J::fireYCentre, -0.9f},
      {"stick 1 shift up", kStick1, kKeyLeftShift, kKeyUp, &J::moveYDeadZone, 0.0f},
      {"stick 1 shift down", kStick1, kKeyRightShift, kKeyDown, &J::moveYDeadZone, 0.5f},
      {"stick 1 shift right", kStick1, kKeyLeftShift, kKeyRight, &J::moveXDeadZone, 0.5f},
      {"stick 2 shift up", kStick2, kKeyLeftShift, kKeyUp, &J::fireYDeadZone, -0.9f},
      {"stick 2 shift down", kStick2, kKeyRightShift, kKeyDown, &J::fireYDeadZone, 0.9f},
      {"no stick", {0, 0}, 0, kKeyDown, &J::moveYCentre, 0.0f},
  };
  for (const Case& c : cases) {
    ControlRig rig;
    Port(rig.game, 0).moveYDeadZone = 0.2f;
    if (c.stick.x != 0) ClickAt(rig, c.stick);
    if (c.shiftKey != 0) rig.input.HoldKey(rig.next, c.shiftKey, rig.next + 121);
    rig.Hold(c.key, 120);
    RunScreen(rig);
    EXPECT_EQ(Port(rig.game, 0).*c.field, c.expected) << c.name;
    if (c.shiftKey != 0) {
      EXPECT_EQ(Port(rig.game, 0).moveYCentre, 0.0f) << c.name << ": not the centres";
    }
  }

  // Twenty frames of up: twenty steps of 0.01. Clicking the stick again deselects it.
  ControlRig rig;
  ClickAt(rig, kStick1).Hold(kKeyUp, 20);
  ClickAt(rig, kStick1).Hold(kKeyUp, 20);
  RunScreen(rig);
  EXPECT_NEAR(Port(rig.game, 0).moveYCentre, -0.2f, 1e-5);
  EXPECT_EQ(rig.game.dualStick.selectedStick, 0);
}

TEST(DualStickScreenTest, PortKeysAndBoxesChooseThePortWhoseRecordIsEdited) {
  struct Case {
    const char* name;
    std::function<void(ControlRig&)> choose;
    int port;
  };
  const Case cases[] = {
      {"key 1", [](ControlRig& r) { r.Tap('3').Tap('1'); }, 0},
      {"key 2", [](ControlRig& r) { r.Tap('2'); }, 1},
      {"key 3", [](ControlRig& r) { r.Tap('3'); }, 2},
      {"key 4", [](ControlRig& r) { r.Tap('4'); }, 3},
      {"key 5 is no port", [](ControlRig& r) { r.Tap('2').Tap('5'); }, 1},
      {"box 0", [](ControlRig& r) { r.Tap('4'); ClickAt(r, PortBox(0)); }, 0},
      {"box 3", [](ControlRig& r) { ClickAt(r, PortBox(3)); }, 3},
  };
  for (const Case& c : cases) {
    ControlRig rig;
    c.choose(rig);
    ClickAt(rig, kAxisBox[0], 2);
    RunScreen(rig);
    EXPECT_EQ(rig.game.settings.usedPort, c.port) << c.name;
    for (int p = 0; p < 4; ++p) EXPECT_EQ(Port(rig.game, p).moveXInvert, p == c.port ? -1 : 1) << c.name << " port " << p;
  }
}

TEST(DualStickScreenTest, OptionAndBombBoxesCaptureTheHighestHeldButton) {
  ControlRig rig;
  ClickAt(rig, kOption);
  rig.PressJoy({2, 5}, 3);
  rig.Tap(kKeyEnter);  // 5 + 1
  ClickAt(rig, kBomb);
  rig.PressJoy({3}, 2);
  rig.Tap(kKeyEnter, 13);  // 3 + 13 = 16 wraps to 0
  rig.PressJoy({9}, 1);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  RunScreen(rig);
  EXPECT_EQ(Port(rig.game, 0).optionButton, 6);
  EXPECT_EQ(Port(rig.game, 0).bombButton, 9);
  EXPECT_TRUE(rig.game.dualStick.bombCapture);
  EXPECT_FALSE(rig.game.dualStick.optionCapture) << "one capture at a time";
  EXPECT_GE(test::CountText(records, "OPTION = 6", kOx + 190, kOy + 230), 1);
  EXPECT_GE(test::CountText(records, "BOMB = 1", kOx + 330, kOy + 230), 1) << "after the wrap to 0";
  EXPECT_EQ(test::RectColours(records, kOx + 320, kOy + 225, 100, 25).back(), (Rgb{100, 100, 100}));
}

TEST(DualStickScreenTest, DebugKeyAndBoxToggleThePanelOfRawValues) {
  ControlRig rig;
  rig.Tap('D');
  ClickAt(rig, kDebug);
  ClickAt(rig, kDebug);
  rig.Tap('D');
  RunScreen(rig);
  EXPECT_EQ(rig.game.debugMode, 0) << "on, off, on, off";
  ControlRig once;
  once.Tap('D');
  RunScreen(once);
  EXPECT_EQ(once.game.debugMode, 1);

  // A frame with the panel: the backing, the rows' values and their bars.
  ControlRig on;
  on.game.debugMode = 1;
  on.input.SetJoyAxis(1, 0, 0, 0.5f);
  on.input.SetJoyAxis(1, 0, 6, 90.0f);
  on.Wait(2);
  std::vector<DrawRecord> panel;
  on.fx.hp.gfx.SetRecorder(&panel);
  RunScreen(on);
  EXPECT_EQ(test::RectColours(panel, kOx + 0, kOy + 25, 640, 297).back(), (Rgb{16, 16, 16}));
  EXPECT_GE(test::CountText(panel, "1.  JoyX()      : 0.500000000", kOx + 50, kOy + 50), 1);
  EXPECT_GE(test::CountText(panel, "9.  JoyYaw()    : 90.0000000", kOx + 50, kOy + 210), 1);
  EXPECT_FALSE(test::RectColours(panel, kOx + 180, kOy + 50, 112, 15).empty()) << "0.5 of -1..1 is 112 of 150";
  EXPECT_FALSE(test::RectColours(panel, kOx + 180, kOy + 210, 112, 15).empty()) << "90 of -180..180";
  EXPECT_FALSE(test::RectColours(panel, kOx + 180, kOy + 70, 75, 15).empty()) << "JoyY() at rest: half";
}

TEST(DualStickScreenTest, SaveAndLoadConfigByKeyAndByClick) {
  test::TempWorkDir dir;
  ControlRig rig;
  Game& g = rig.game;
  Port(g, 1).fireXAxis = 9;
  rig.Tap('S');
  rig.Tap('3');  // changes after the save
  ClickAt(rig, kAxisBox[0], 2);
  ClickAt(rig, kLoad);
  RunScreen(rig);
  ASSERT_TRUE(std::filesystem::exists(kConfigFileName));
  EXPECT_EQ(g.settings.usedPort, 0) << "the load brought back the saved port";
  EXPECT_EQ(Port(g, 2).moveXInvert, 1);
  EXPECT_EQ(Port(g, 1).fireXAxis, 9);
  EXPECT_EQ(g.status.statusMessage, "Config file loaded.");

  ControlRig again;
  again.game.settings.gridStyle = 7;
  ClickAt(again, kSave);
  RunScreen(again);
  std::ifstream in(std::string(kConfigFileName), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), FormatConfig(again.game.settings));
  EXPECT_EQ(again.game.status.statusMessage, "Config file saved.");
}

TEST(DualStickScreenTest, LoadWithoutAFileKeepsEverySetting) {
  test::TempWorkDir dir;
  ControlRig rig;
  rig.game.settings.usedPort = 3;
  const Settings before = rig.game.settings;
  rig.Tap('L');
  RunScreen(rig);
  EXPECT_EQ(rig.game.settings, before);
  EXPECT_EQ(rig.game.status.statusMessage, "Config load failed.");
}

// ---------------------------------------------------------------------------------------------------
// What a load or save on this screen does to the rest of the game.

TEST(ConfigCommandsTest, ASaveDuringAFallbackDisplayKeepsThePlayersDisplayChoices) {
  test::TempWorkDir dir;
  ControlRig rig;
  Game& g = rig.game;
  g.configuredDisplay = DisplayChoice{1920, 1200, 2048, 1536, false, 1};
  ASSERT_TRUE(SaveSettingsFile(g));
  Settings written;
  StatusMessage status;
  ASSERT_TRUE(LoadConfig(std::string(kConfigFileName), written, status));
  EXPECT_EQ(written.screenWidth, 1920);
  EXPECT_EQ(written.screenHeight, 1200);
  EXPECT_EQ(written.playfieldWidth, 2048);
  EXPECT_FALSE(written.windowed);
  EXPECT_EQ(written.scroll, 1);
  EXPECT_EQ(g.settings.screenWidth, 1024) << "this run's record is not touched";
}

TEST(ConfigCommandsTest, ALoadReplacesTheRecordButNotTheOpenDisplay) {
  test::TempWorkDir dir;
  ControlRig rig;
  Game& g = rig.game;
  Settings file;
  file.screenWidth = 800;
  file.screenHeight = 600;
  file.playfieldWidth = 99999;  // out of what the game can draw
  file.scroll = 0;
  file.difficulty = 2;
  file.joyPorts[0].moveXAxis = 11;
  StatusMessage status;
  ASSERT_TRUE(SaveConfig(std::string(kConfigFileName), file, status));

  g.configuredDisplay = DisplayChoice{1920, 1200, 2048, 1536, false, 1};
  const ViewState view = g.view;
  const int opens = rig.fx.hp.backend.opens();
  ASSERT_TRUE(ReloadSettingsFile(g));
  EXPECT_EQ(g.settings.difficulty, 2);
  EXPECT_EQ(g.settings.joyPorts[0].moveXAxis, 11);
  EXPECT_EQ(g.settings.screenWidth, 800) << "the next display set-up uses the loaded choice";
  EXPECT_EQ(g.settings.playfieldWidth, kMaxPlayfieldSide);
  EXPECT_FALSE(g.configuredDisplay) << "the exit saves the loaded choices, not the earlier ones";
  EXPECT_EQ(rig.fx.hp.backend.opens(), opens) << "the display is not reopened";
  EXPECT_EQ(g.view.viewWidth, view.viewWidth);
  EXPECT_EQ(g.settings.scroll, 0) << "1024 x 768 over a 1024 x 768 playfield needs no scrolling";

  // A view smaller than its playfield goes on scrolling whatever the file says.
  g.view.fieldWidth = 2048;
  ASSERT_TRUE(ReloadSettingsFile(g));
  EXPECT_EQ(g.settings.scroll, 1);
}

// ---------------------------------------------------------------------------------------------------
// Drawing.

TEST(DualStickScreenTest, TheLayoutIsCentredAndThePointerFollowsTheMouseInLayoutCoordinates) {
  struct Case {
    int width, height;
    float ox, oy;
  };
  for (const Case c : {Case{1024, 768, 192, 144}, Case{640, 480, 0, 0}, Case{800, 600, 80, 60}}) {
    ControlRig rig;
    rig.game.view.viewWidth = c.width;
    rig.game.view.viewHeight = c.height;
    rig.MouseTo(700, 600);  // beyond the layout: x at most 640, y at most 550
    std::vector<DrawRecord> records;
    rig.fx.hp.gfx.SetRecorder(&records);
    RunScreen(rig);
    EXPECT_GE(test::CountText(records, "Dual Stick Configuration", c.ox + 170, c.oy + 10), 1) << c.width;
    EXPECT_GE(test::CountText(records, "(E)xit", c.ox + 493, c.oy + 392), 1) << c.width;
    EXPECT_EQ(rig.game.dualStick.cursorX, 640);
    EXPECT_EQ(rig.game.dualStick.cursorY, 550);
    int spokes = 0;
    for (const DrawRecord& r : records)
      if (r.kind == DrawRecord::kLine && r.points[0] == c.ox + 636 && r.points[1] == c.oy + 546) ++spokes;
    EXPECT_EQ(spokes, 16) << "the marks of the two frames after the mouse moved, at the clamped pointer";

    // The origin is back at the corner afterwards.
    records.clear();
    rig.game.gfx.Plot(1, 2);
    EXPECT_EQ(records.back().points, (std::vector<float>{1, 2}));
  }
}

TEST(DualStickScreenTest, TheStatusLineShowsForItsFramesInThePointersColour) {
  ControlRig rig;
  rig.game.status.Show("Colour file loaded.", 3);
  rig.Wait(6);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  RunScreen(rig);
  const std::vector<test::DrawnText> texts = test::Texts(records);
  int shown = 0;
  for (const test::DrawnText& t : texts) {
    if (t.text != "Colour file loaded.") continue;
    ++shown;
    EXPECT_EQ(t.x, kOx + 320);
    EXPECT_EQ(t.y, kOy + 180);
    EXPECT_EQ((Rgb{t.r, t.g, t.b}), (Rgb{255, 32, 32})) << "the pointer mark is red for its first 15 frames";
  }
  EXPECT_EQ(shown, 3);
  EXPECT_EQ(rig.game.status.statusMessageFrames, 0);
}

TEST(DualStickScreenTest, RedDotsShowEachStickThroughItsRecordAndDeadZone) {
  struct Case {
    const char* name;
    float raw;
    int invert;
    float deadZone;
    float dotX;  // layout x of the move dot's top-left
  };
  const Case cases[] = {
      {"at rest", 0, 1, 0, 55},
      {"half right", 0.5f, 1, 0, 80},
      {"half right, inverted", 0.5f, -1, 0, 30},
      {"inside the dead zone", 0.5f, 1, 0.6f, 55},
  };
  for (const Case& c : cases) {
    ControlRig rig;
    Port(rig.game, 0).moveXInvert = c.invert;
    Port(rig.game, 0).moveXDeadZone = c.deadZone;
    rig.input.SetJoyAxis(1, 0, 0, c.raw);
    rig.Wait(2);
    std::vector<DrawRecord> records;
    rig.fx.hp.gfx.SetRecorder(&records);
    RunScreen(rig);
    std::vector<std::vector<float>> dots;
    for (const DrawRecord& r : records)
      if (r.kind == DrawRecord::kOval) {
        EXPECT_EQ((Rgb{r.r, r.g, r.b}), (Rgb{185, 0, 0}));
        dots.push_back(r.points);
      }
    ASSERT_GE(dots.size(), 2u) << c.name;
    const std::vector<float>& move = dots[dots.size() - 2];
    const std::vector<float>& fire = dots.back();
    EXPECT_EQ(move, (std::vector<float>{kOx + c.dotX, kOy + 320, 10, 10})) << c.name;
    EXPECT_EQ(fire, (std::vector<float>{kOx + 295, kOy + 320, 10, 10})) << c.name;
  }

  // A centre shifts the resting dot twice: once in the reading, once in the drawing.
  ControlRig rig;
  Port(rig.game, 0).fireYCentre = 0.5f;
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  RunScreen(rig);
  std::vector<float> fire;
  for (const DrawRecord& r : records)
    if (r.kind == DrawRecord::kOval) fire = r.points;
  EXPECT_EQ(fire, (std::vector<float>{kOx + 295, kOy + 270, 10, 10}));
}

// ---------------------------------------------------------------------------------------------------
// The wizard inside the screen.

TEST(DualStickScreenTest, TheWizardTakesOverTheScreenUntilItsEighthStep) {
  ControlRig rig;
  Port(rig.game, 0).moveXAxis = 5;
  ClickAt(rig, kWizard);
  rig.Tap('E');         // no exit while the wizard runs, nor afterwards
  ClickAt(rig, kExit);  // likewise
  rig.Tap('3');         // nor a port change
  rig.input.SetJoyAxis(rig.next, 0, 7, 0.7f);  // JoyPitch(): the first step
  rig.input.SetJoyAxis(rig.next + 1, 0, 7, 0.0f);
  rig.Wait(2);
  rig.Tap(kKeyEscape, 7);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  rig.Wait(4);
  RunScreen(rig);
  EXPECT_FALSE(rig.game.dualStick.wizard);
  EXPECT_EQ(rig.game.settings.usedPort, 0);
  EXPECT_EQ(Port(rig.game, 0).moveXAxis, 8);
  EXPECT_EQ(Port(rig.game, 0).moveYAxis, 2);
  EXPECT_EQ(rig.game.status.statusMessage, "Stick 2 Y axis assigned to JoyZ()");
  EXPECT_GE(test::CountText(records, "move stick 1 left or right (Escape to Cancel)", kOx + 180, kOy + 210), 1);
  EXPECT_GE(test::CountText(records, "move stick 2 up or down (Escape to Cancel)", kOx + 180, kOy + 210), 1);
  EXPECT_EQ(test::RectColours(records, kOx + 10, kOy + 225, 135, 25).front(), (Rgb{100, 100, 100}));
}

TEST(DualStickScreenTest, AnEscapeHitBeforeTheWizardStartsDoesNotSkipItsFirstStep) {
  ControlRig rig;
  rig.Tap(kKeyEscape);
  ClickAt(rig, kWizard);
  rig.Wait(3).Close();
  DualStickScreen(rig.game);
  EXPECT_TRUE(rig.game.dualStick.wizard);
  EXPECT_EQ(rig.game.dualStick.wizardStep, 0);
}

TEST(DualStickScreenTest, ClosingTheWindowEndsTheScreenAtOnceEvenInTheWizard) {
  for (const bool wizard : {false, true}) {
    ControlRig rig;
    rig.game.dualStick.wizard = wizard;
    rig.game.dualStick.wizardStep = 0;
    rig.Wait(3).Close();
    DualStickScreen(rig.game);
    EXPECT_LE(rig.input.frame(), rig.last() + 1) << wizard << ": at most the frame under way is finished";
  }
}

}  // namespace
}  // namespace qv
