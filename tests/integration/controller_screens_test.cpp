// The controller selection screen and the set-up screens of the mouse, hybrid, keyboard and joypad
// schemes, run through their real frame loops with scripted keys, clicks, joystick buttons and stick
// movements; and the whole way from the options menu through the settings hub.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/controller_screens.h"
#include "settings/menus.h"
#include "settings/settings_screens.h"
#include "support/control_rig.h"

namespace qv {
namespace {

using test::ControlRig;
using test::Rgb;

// The stick pushed along its X axis (slot 0 of port 0) and let go: one step per push.
ControlRig& Push(ControlRig& rig, float x, int times = 1) {
  for (int i = 0; i < times; ++i) {
    rig.input.SetJoyAxis(rig.next, 0, 0, x);
    rig.input.SetJoyAxis(rig.next + 1, 0, 0, 0);
    rig.next += 2;
  }
  return rig;
}

// Two keys pressed in the same frame.
ControlRig& TapTogether(ControlRig& rig, std::vector<int> keys) {
  for (const int key : keys) rig.input.TapKey(rig.next, key);
  rig.next += 2;
  return rig;
}

using Script = std::function<void(ControlRig&)>;

// ---------------------------------------------------------------------------------------------------
// Controller selection.

TEST(ControllerSelectionTest, TheTypeRowStepsBothWaysAndAChoiceStepsItBackwards) {
  struct Case {
    const char* name;
    ControlType start;
    Script script;
    ControlType expected;
  };
  const Case cases[] = {
      {"Enter on Keyboard gives Mouse", ControlType::Keyboard, [](ControlRig& r) { r.Tap(kKeyUp, 2).Tap(kKeyEnter); },
       ControlType::Mouse},
      {"the bomb key chooses too", ControlType::Joypad, [](ControlRig& r) { r.Tap(kKeyUp, 2).Tap(kKeySpace); },
       ControlType::Keyboard},
      {"left wraps", ControlType::DualAnalog, [](ControlRig& r) { r.Tap(kKeyUp, 2).Tap(kKeyLeft); }, ControlType::Hybrid},
      {"right wraps", ControlType::Hybrid, [](ControlRig& r) { r.Tap(kKeyUp, 2).Tap(kKeyRight); },
       ControlType::DualAnalog},
      {"right twice", ControlType::Mouse, [](ControlRig& r) { r.Tap(kKeyUp, 2).Tap(kKeyRight, 2); }, ControlType::Joypad},
      {"a left click on the row", ControlType::Mouse, [](ControlRig& r) { r.Click(200, r.cy + 5, 1); },
       ControlType::DualAnalog},
      {"a right click on the row", ControlType::Mouse, [](ControlRig& r) { r.Click(200, r.cy + 5, 2); },
       ControlType::Keyboard},
      {"the stick, one step per push", ControlType::DualAnalog, [](ControlRig& r) { Push(r.Tap(kKeyUp, 2), 1.0f, 3); },
       ControlType::Joypad},
      {"a choice and a step right together", ControlType::Keyboard,
       [](ControlRig& r) { TapTogether(r.Tap(kKeyUp, 2), {kKeyEnter, kKeyRight}); }, ControlType::Keyboard},
      {"a joystick button", ControlType::Joypad, [](ControlRig& r) { r.Tap(kKeyUp, 2).Wait(20).PressJoy({0}, 1); },
       ControlType::Keyboard},
  };
  for (const Case& c : cases) {
    ControlRig rig;
    rig.game.settings.controlType = c.start;
    c.script(rig);
    rig.Tap(kKeyEscape);
    EXPECT_EQ(ControllerSelection(rig.game, false), 0) << c.name;
    EXPECT_EQ(rig.game.settings.controlType, c.expected) << c.name;
    EXPECT_EQ(rig.input.frame(), rig.last()) << c.name << ": only Escape left";
  }
}

// Scripts that end with the control that leaves, and give the frame it leaves in.
using LeavingScript = std::function<int(ControlRig&)>;

TEST(ControllerSelectionTest, DoneLeavesByEveryControl) {
  struct Case {
    const char* name;
    LeavingScript script;
    int debounce;  // -1: not looked at
  };
  const Case cases[] = {
      // Escape sets debounce to 20, and the frame lowers it as every frame does.
      {"Escape from the type row", [](ControlRig& r) { return r.Tap(kKeyUp, 2).Tap(kKeyEscape).last(); }, 19},
      {"Enter", [](ControlRig& r) { return r.Tap(kKeyEnter).last(); }, -1},
      {"the bomb key", [](ControlRig& r) { return r.Tap(kKeySpace).last(); }, -1},
      {"left", [](ControlRig& r) { return r.Tap(kKeyLeft).last(); }, -1},
      {"a right click", [](ControlRig& r) { return r.Click(200, r.cy + 85, 2).last(); }, -1},
      // Joystick buttons choose once debounce, 20 on entry, has run out: from frame 20 on.
      {"a joystick button", [](ControlRig& r) { r.PressJoy({15}, 30); return 20; }, 20},
  };
  for (const Case& c : cases) {
    ControlRig rig;
    const int leaves = c.script(rig);
    EXPECT_EQ(ControllerSelection(rig.game, false), 0) << c.name;
    EXPECT_EQ(rig.input.frame(), leaves) << c.name;
    if (c.debounce >= 0) {
      EXPECT_EQ(rig.game.input.debounce, c.debounce) << c.name;
    }
    EXPECT_EQ(rig.game.settings.controlType, ControlType::DualAnalog) << c.name;
  }
}

TEST(ControllerSelectionTest, ConfigureOpensTheScreenOfTheTypeThenAppliesThePort) {
  struct Case {
    ControlType type;
    Script inside;  // leaves the set-up screen
    std::string title;
    int titleY;  // from cy; the stroke font at size 6
  };
  const Case cases[] = {
      {ControlType::Mouse, [](ControlRig& r) { r.Tap(kKeyEscape); }, "Mouse Control", -120},
      {ControlType::Hybrid, [](ControlRig& r) { r.Tap(kKeyEscape); }, "Hybrid Control", -120},
      {ControlType::Keyboard, [](ControlRig& r) { r.Tap(kKeyEnter); }, "Keyboard Control", -240},
      {ControlType::Joypad, [](ControlRig& r) { r.Tap(kKeyEscape); }, "Joypad Control", -160},
      {ControlType::DualAnalog, [](ControlRig& r) { r.Tap('3').Tap('E'); }, "", 0},
  };
  for (const Case& c : cases) {
    for (const int openKey : {kKeyEnter, kKeyRight}) {
      ControlRig rig;
      Game& g = rig.game;
      g.settings.controlType = c.type;
      g.settings.joyPorts[2].bombButton = 11;
      g.settings.usedPort = 2;  // the port record in use differs from the working copy until applied
      rig.Tap(kKeyUp).Tap(openKey);
      c.inside(rig);
      rig.Tap(kKeyEscape);
      std::vector<DrawRecord> records;
      rig.fx.hp.gfx.SetRecorder(&records);
      ControllerSelection(g, false);
      const std::string name(ControlTypeName(c.type));
      EXPECT_EQ(rig.input.frame(), rig.last()) << name;
      if (c.title.empty()) {
        EXPECT_GE(test::CountText(records, "Dual Stick Configuration", 192 + 170, 144 + 10), 1) << name;
      } else {
        EXPECT_FALSE(test::VectorTextColours(records, c.title, rig.cx - 280, rig.cy + c.titleY, 6).empty()) << name;
      }
      EXPECT_EQ(g.activeJoy, ApplyUsedPort(g.settings)) << name;
      EXPECT_EQ(g.activeJoy.bombButton, 11) << name;
      EXPECT_EQ(rig.input.MouseX(), rig.cx - 300) << name << ": the pointer back on \"Configure Controls\"";
      EXPECT_EQ(rig.input.MouseY(), rig.cy + 60) << name;
      EXPECT_EQ(g.settings.controlType, c.type) << name;
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Mouse and hybrid.

TEST(MouseControlTest, HeldControlsStepTheButtonsEveryTwentyFrames) {
  ControlRig rig;
  rig.Tap(kKeyUp, 3);                           // "Fire"
  rig.input.HoldKey(rig.next, kKeyRight, 53);   // steps at frames 21 and 41: Left, Right, Middle
  rig.next = 54;
  rig.Tap(kKeyDown);                            // "Bomb"
  rig.input.At({HeadlessInput::Event::kMouseDown, 56, 1, 0, 0});  // a held left button steps at 61
  rig.input.At({HeadlessInput::Event::kMouseUp, 75, 1, 0, 0});
  rig.next = 76;
  rig.Tap(kKeyEscape);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  EXPECT_EQ(MouseControl(rig.game, false), 0);
  EXPECT_EQ(rig.input.frame(), rig.last());
  EXPECT_EQ(rig.game.settings.mouseFireButton, 3);
  EXPECT_EQ(rig.game.settings.mouseBombButton, 3) << "any step goes forward";
  EXPECT_FALSE(test::VectorTextColours(records, "Fire: Middle Mouse Button", rig.cx - 280, rig.cy - 40, 4).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "Bomb: Middle Mouse Button", rig.cx - 280, rig.cy, 4).empty());
}

TEST(MouseControlTest, ButtonsCycleLeftRightMiddleAndNoneComesOnlyFromTheFile) {
  ControlRig rig;
  rig.game.settings.mouseFireButton = 0;
  rig.Tap(kKeyUp, 3);
  Push(rig, 1.0f, 5);  // None, Left, Right, Middle, Left, Right
  rig.Tap(kKeyEscape);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  MouseControl(rig.game, false);
  EXPECT_EQ(rig.game.settings.mouseFireButton, 2);
  EXPECT_FALSE(test::VectorTextColours(records, "Fire: None Mouse Button", rig.cx - 280, rig.cy - 40, 4).empty());
}

TEST(MouseControlTest, SensitivityStepsByAHundredthTimesFiveWithinZeroAndOne) {
  ControlRig rig;
  rig.Tap(kKeyUp);      // "Mouse Sensitivity:"
  Push(rig, -1.0f, 12);  // 0.5 down past 0
  Push(rig, 1.0f, 3);
  rig.Tap(kKeyEscape);
  MouseControl(rig.game, false);
  EXPECT_NEAR(rig.game.settings.mouseSensitivity, 0.15f, 1e-6) << "from exactly 0";

  ControlRig top;
  top.Tap(kKeyUp);
  Push(top, 1.0f, 12);
  top.Tap(kKeyEscape);
  std::vector<DrawRecord> full;
  top.fx.hp.gfx.SetRecorder(&full);
  MouseControl(top.game, false);
  EXPECT_EQ(top.game.settings.mouseSensitivity, 1.0f);
  // The bar is 200 pixels at 1, in the row's colour, inside a yellow frame 202 x 24.
  EXPECT_FALSE(test::RectColours(full, top.cx + 101, top.cy + 41, 200, 22).empty());
  int frameLines = 0;
  for (const DrawRecord& r : full)
    if (r.kind == DrawRecord::kLine && r.points[0] == top.cx + 100 && r.points[1] == top.cy + 40 &&
        r.points[2] == top.cx + 301 && r.r == 255 && r.g == 255 && r.b == 0)
      ++frameLines;
  EXPECT_GT(frameLines, 0);
}

TEST(MouseControlTest, OnlyDoneTakesAChoiceAndOnlyButtonsZeroToSevenCount) {
  struct Case {
    const char* name;
    LeavingScript script;
  };
  const Case cases[] = {
      {"Enter on a value row stays; Escape leaves",
       [](ControlRig& r) { return r.Tap(kKeyUp).Tap(kKeyEnter).Tap(kKeyEscape).last(); }},
      {"the bomb key on Fire stays; Enter on Done leaves",
       [](ControlRig& r) { return r.Tap(kKeyUp, 3).Tap(kKeySpace).Tap(kKeyDown, 3).Tap(kKeyEnter).last(); }},
      {"the bomb key on Done", [](ControlRig& r) { return r.Tap(kKeySpace).last(); }},
      {"Escape from Fire", [](ControlRig& r) { return r.Tap(kKeyUp, 3).Tap(kKeyEscape).last(); }},
      {"a right arrow held on Done, once debounce is 0", [](ControlRig& r) { r.Hold(kKeyRight, 30); return 21; }},
      {"a left mouse button held on Done", [](ControlRig& r) { r.HoldMouse(1, 30); return 21; }},
      {"button 8 does not count, 7 does",
       [](ControlRig& r) {
         r.Wait(20).PressJoy({8}, 4);
         const int leaves = r.next;
         r.PressJoy({7}, 1);
         return leaves;
       }},
      {"a button on Fire stays", [](ControlRig& r) { return r.Tap(kKeyUp, 3).Wait(20).PressJoy({3}, 4).Tap(kKeyEscape).last(); }},
  };
  for (const Case& c : cases) {
    ControlRig rig;
    const int leaves = c.script(rig);
    MouseControl(rig.game, false);
    EXPECT_EQ(rig.input.frame(), leaves) << c.name;
    EXPECT_EQ(rig.game.settings.mouseFireButton, 1) << c.name;
  }
}

TEST(HybridControlTest, TheModeRowCyclesItsThreeSchemesAboveTheMouseRows) {
  ControlRig rig;
  rig.Tap(kKeyUp, 4);  // the mode row, above "Fire"
  Push(rig, -1.0f, 2);  // any step goes forward
  rig.Tap(kKeyEscape);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  EXPECT_EQ(HybridControl(rig.game, false), 0);
  EXPECT_EQ(rig.input.frame(), rig.last());
  EXPECT_EQ(rig.game.settings.hybridMode, 2);
  const int cx = rig.cx, cy = rig.cy;
  EXPECT_FALSE(test::VectorTextColours(records, "Hybrid Control", cx - 280, cy - 120, 6).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "Move: Keys* - Aim: Mouse Relative", cx - 280, cy - 40, 4).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "Move: Mouse - Fire: Keys*", cx - 280, cy - 40, 4).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "Move: Keys* - Aim: Mouse Centered", cx - 280, cy - 40, 4).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "Fire: Left Mouse Button", cx - 280, cy, 4).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "Mouse Sensitivity:", cx - 280, cy + 80, 4).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "Done", cx - 280, cy + 120, 4).empty());
  const std::vector<Rgb> note = test::VectorTextColours(records, "* configure in Keys Control", cx - 280, cy + 160, 4);
  ASSERT_FALSE(note.empty());
  EXPECT_EQ(note.front(), (Rgb{0, 200, 0}));
  EXPECT_EQ(rig.game.settings.mouseFireButton, 1);
}

// ---------------------------------------------------------------------------------------------------
// Keyboard.

TEST(KeyboardControlTest, ChoosingARowBindsTheNextKeyPressed) {
  using S = Settings;
  struct Case {
    const char* name;
    Script script;
    int S::*binding;
    int expected;
  };
  const Case cases[] = {
      {"Escape can be bound", [](ControlRig& r) { r.Tap(kKeyUp).Tap(kKeyEnter).Tap(kKeyEscape); }, &S::keyBomb, 27},
      {"codes below 8 never", [](ControlRig& r) { r.Tap(kKeyUp).Tap(kKeyEnter).Tap(1).Tap(4).Tap(7).Tap('Q'); },
       &S::keyBomb, 'Q'},
      {"the lowest code down wins", [](ControlRig& r) { TapTogether(r.Tap(kKeyUp).Tap(kKeyEnter), {'Z', 'A'}); },
       &S::keyBomb, 'A'},
      {"Backspace, code 8, is the first", [](ControlRig& r) { TapTogether(r.Tap(kKeyUp).Tap(kKeyEnter), {'Z', 8, 7}); },
       &S::keyBomb, 8},
      {"the Enter that chose, still held, is not bound",
       [](ControlRig& r) { r.Tap(kKeyUp).Hold(kKeyEnter, 6).Tap('K'); }, &S::keyBomb, 'K'},
      {"an arrow chooses and, pressed again, is bound", [](ControlRig& r) { r.Tap(kKeyUp, 3).Tap(kKeyRight).Tap(kKeyRight); },
       &S::keyFireUp, kKeyRight},
      {"left chooses", [](ControlRig& r) { r.Tap(kKeyDown).Tap(kKeyLeft).Tap(112); }, &S::keyMoveLeft, 112},
      {"a left click on a row", [](ControlRig& r) { r.Click(200, r.cy - 120 + 5).Tap('J'); }, &S::keyMoveRight, 'J'},
      {"Escape while idle does nothing", [](ControlRig& r) { r.Tap(kKeyUp).Tap(kKeyEscape); }, &S::keyBomb, 32},
      {"the same key for two actions", [](ControlRig& r) { r.Tap(kKeyUp, 9).Tap(kKeyEnter).Tap('E'); }, &S::keyMoveLeft,
       'E'},
  };
  for (const Case& c : cases) {
    ControlRig rig;
    c.script(rig);
    rig.Click(200, rig.cy + 200 + 5);  // "Done"
    EXPECT_EQ(KeyboardControl(rig.game, false), 0) << c.name;
    EXPECT_EQ(rig.input.frame(), rig.last()) << c.name;
    EXPECT_EQ(rig.game.settings.*c.binding, c.expected) << c.name;
  }
}

TEST(KeyboardControlTest, TheKeyNameBlinksWhileWaiting) {
  ControlRig rig;
  rig.Tap(kKeyUp);
  const int asked = rig.next;
  rig.Tap(kKeyEnter).Wait(30);
  const int pressed = rig.next;
  rig.Tap('Q');
  rig.Click(200, rig.cy + 205);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  KeyboardControl(rig.game, false);
  const int x = rig.cx - 280, y = rig.cy + 160;
  const auto count = [&](const char* text) { return test::VectorTextColours(records, text, x, y, 4).size(); };
  // The name is blank in the frames after the choice whose age (8 a frame, from 0) mod 30 is below 15;
  // the frame that captures still shows the waiting state.
  std::size_t blank = 0;
  for (int frame = asked + 1; frame <= pressed; ++frame) blank += (8 * (frame - 1)) % 30 < 15;
  EXPECT_GT(blank, 0u);
  EXPECT_EQ(count("Bomb : ") - count("Bomb : Space") - count("Bomb : Q"), blank);
  EXPECT_GT(count("Bomb : Q"), 0u);
  EXPECT_EQ(rig.game.settings.keyBomb, 'Q');
}

TEST(KeyboardControlTest, RowsCloseUpOnALowScreenAndNamesComeFromTheKeyTable) {
  ControlRig rig;
  rig.game.view.viewHeight = 480;
  rig.game.settings.keyMoveDown = 189;
  rig.game.settings.keyFireLeft = 299;
  rig.game.settings.keyFireRight = 3;
  const int cy = 240;
  rig.Tap(kKeyEnter);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  KeyboardControl(rig.game, false);
  const int x = rig.cx - 280;
  EXPECT_FALSE(test::VectorTextColours(records, "Keyboard Control", x, cy - 192, 6).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "Move Left : S", x, cy - 128, 4).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "Move Down : Minus", x, cy - 32, 4).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "Fire Left : Hit A Key", x, cy, 4).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "Fire Up   : Cursor (Up)", x, cy + 64, 4).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "Bomb : Space", x, cy + 128, 4).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "Done", x, cy + 160, 4).empty());
}

TEST(KeyboardControlTest, JoystickButtonsZeroToSevenLeaveEvenWhileWaiting) {
  ControlRig rig;
  rig.Tap(kKeyUp).Tap(kKeyEnter).Wait(20).PressJoy({8}, 4);
  const int leaves = rig.next;
  rig.PressJoy({0, 7}, 1);
  EXPECT_EQ(KeyboardControl(rig.game, false), 0);
  EXPECT_EQ(rig.input.frame(), leaves);
  EXPECT_EQ(rig.game.settings.keyBomb, 32);
}

// ---------------------------------------------------------------------------------------------------
// Joypad.

TEST(JoypadControlTest, AHeldButtonIsBoundAndTheHighestHeldWins) {
  ControlRig rig;
  rig.Tap(kKeyUp, 6);  // "Bomb"
  rig.Wait(20).PressJoy({2, 5}, 4);
  rig.Tap(kKeyEscape);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  EXPECT_EQ(JoypadControl(rig.game, false), 0);
  EXPECT_EQ(rig.input.frame(), rig.last()) << "a button held on an item binds it and does not leave";
  EXPECT_EQ(rig.game.settings.joypadBombButton, 5);
  EXPECT_FALSE(test::VectorTextColours(records, "Bomb: Button  [6]", rig.cx - 280, rig.cy - 40, 4).empty());
}

TEST(JoypadControlTest, EachItemStepsItsOwnButtonWithinZeroToFifteen) {
  using S = Settings;
  int S::*const buttons[6] = {&S::joypadBombButton,  &S::joypadOptionButton, &S::joypadDownButton,
                              &S::joypadLeftButton, &S::joypadRightButton,  &S::joypadUpButton};
  for (int item = 1; item <= 6; ++item) {
    ControlRig rig;
    Settings& s = rig.game.settings;
    for (int i = 0; i < 6; ++i) s.*buttons[i] = 7;
    s.*buttons[item - 1] = 1;
    rig.Tap(kKeyUp, 7 - item);
    rig.Tap(kKeyLeft, 2);    // 0, and no lower
    rig.Tap(kKeyEnter);      // Enter steps right here: 1
    rig.Tap(kKeyRight, 16);  // 15, and no higher
    rig.Tap(kKeyEscape);
    JoypadControl(rig.game, false);
    EXPECT_EQ(rig.input.frame(), rig.last()) << item;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(s.*buttons[i], i == item - 1 ? 15 : 7) << item << "/" << i;
  }
}

TEST(JoypadControlTest, TheFourBoxesFormADiamondAndTheTopOneHoldsTheDownButton) {
  ControlRig rig;
  Settings& s = rig.game.settings;
  const int cx = rig.cx, cy = rig.cy;
  rig.Tap(kKeyUp);  // the bottom box: the pointer goes beside it
  rig.Click(cx + 80, cy + 50);  // the top box, clicked: a left click steps down
  rig.Click(cx + 150, cy + 90, 2);  // the right box, right-clicked: up
  rig.Tap(kKeyEscape);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  JoypadControl(rig.game, false);
  EXPECT_EQ(s.joypadDownButton, 2);
  EXPECT_EQ(s.joypadRightButton, 3);
  EXPECT_EQ(s.joypadUpButton, 1);
  EXPECT_EQ(s.joypadLeftButton, 0);
  // The numbers, counted from 1, in the boxes: top, left, right, bottom.
  EXPECT_FALSE(test::VectorTextColours(records, "3", cx + 72, cy + 48, 3).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "1", cx + 8, cy + 88, 3).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "4", cx + 136, cy + 88, 3).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "2", cx + 72, cy + 128, 3).empty());
  // The pointer mark is drawn at the mouse itself: after the step, beside the bottom box.
  int spokes = 0;
  for (const DrawRecord& r : records)
    if (r.kind == DrawRecord::kLine && r.points[0] == cx + 40 && r.points[1] == cy + 136) ++spokes;
  EXPECT_GE(spokes, 8);
}

TEST(JoypadControlTest, EnterTogglesTheModeAndLeavesOnlyFromDone) {
  ControlRig rig;
  rig.Tap(kKeyUp, 7).Tap(kKeyEnter);  // "Move: 4-Buttons  Fire: D Pad"
  rig.Wait(20).PressJoy({1}, 3);      // a button on the mode row does not leave
  rig.Tap(kKeyUp).Tap(kKeyEnter);     // up wraps to "Done"; Enter steps right, which leaves
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  JoypadControl(rig.game, false);
  EXPECT_EQ(rig.input.frame(), rig.last());
  EXPECT_EQ(rig.game.settings.joypadMode, 1);
  EXPECT_FALSE(test::VectorTextColours(records, "Move: D Pad  Fire: 4-Buttons", rig.cx - 280, rig.cy - 80, 4).empty());
  EXPECT_FALSE(test::VectorTextColours(records, "Move: 4-Buttons  Fire: D Pad", rig.cx - 280, rig.cy - 80, 4).empty());

  ControlRig button;
  button.PressJoy({9}, 30);
  JoypadControl(button.game, false);
  EXPECT_EQ(button.input.frame(), 20) << "a button on \"Done\" leaves once debounce has run out";
  EXPECT_EQ(button.game.input.debounce, 20);
}

// ---------------------------------------------------------------------------------------------------
// Every screen ends at once when the window is closed.

TEST(ControllerScreensTest, ClosingTheWindowEndsEachScreenAtOnce) {
  struct Case {
    const char* name;
    Script script;
    std::function<int(Game&)> run;
  };
  const Case cases[] = {
      {"selection", [](ControlRig&) {}, [](Game& g) { return ControllerSelection(g, true); }},
      {"selection, in a set-up screen", [](ControlRig& r) { r.game.settings.controlType = ControlType::Mouse; r.Tap(kKeyUp).Tap(kKeyEnter); },
       [](Game& g) { return ControllerSelection(g, false); }},
      {"mouse", [](ControlRig&) {}, [](Game& g) { return MouseControl(g, true); }},
      {"hybrid", [](ControlRig&) {}, [](Game& g) { return HybridControl(g, false); }},
      {"keyboard, waiting for a key", [](ControlRig& r) { r.Tap(kKeyUp).Tap(kKeyEnter); },
       [](Game& g) { return KeyboardControl(g, false); }},
      {"joypad", [](ControlRig&) {}, [](Game& g) { return JoypadControl(g, true); }},
  };
  for (const Case& c : cases) {
    ControlRig rig;
    c.script(rig);
    rig.Close();
    EXPECT_EQ(c.run(rig.game), 0) << c.name;
    EXPECT_EQ(rig.input.frame(), rig.last()) << c.name;
  }
}

// ---------------------------------------------------------------------------------------------------
// The whole way: options menu, settings hub, controller selection, each set-up screen.

TEST(ControllerScreensTest, FromTheOptionsMenuEverySchemeIsSetUpAndThePortFollows) {
  ControlRig rig;
  Game& g = rig.game;
  g.settings.joyPorts[2].optionButton = 9;
  rig.Tap(kKeyUp).Tap(kKeyEnter);                          // options: "Settings"
  rig.Tap(kKeyUp, 2).Tap(kKeyEnter);                       // hub: "Controls"
  rig.Tap(kKeyUp, 2).Tap(kKeyRight, 2);                    // type: Keyboard
  rig.Tap(kKeyDown).Tap(kKeyEnter);                        // "Configure Controls"
  rig.Tap(kKeyUp).Tap(kKeyEnter).Tap('B');                 // bomb key: B
  rig.Tap(kKeyDown).Tap(kKeyEnter);                        // "Done"
  rig.Tap(kKeyUp).Tap(kKeyEnter);                          // Enter on the type row: back to Mouse
  rig.Tap(kKeyDown).Tap(kKeyRight);                        // configure the mouse
  const int mouseOpened = rig.last();
  rig.Tap(kKeyUp, 3);                                      // "Fire"
  rig.input.HoldKey(mouseOpened + 19, kKeyRight, mouseOpened + 24);  // one step, once debounce is 0
  rig.next = mouseOpened + 26;
  rig.Tap(kKeyEscape);
  rig.Tap(kKeyUp).Tap(kKeyRight, 2).Tap(kKeyDown).Tap(kKeyEnter);  // Joypad, configure
  rig.Tap(kKeyUp, 6).PressJoy({2, 5}, 2).Tap(kKeyEscape);           // bomb: button 5
  rig.Tap(kKeyUp).Tap(kKeyLeft, 3).Tap(kKeyDown).Tap(kKeyEnter);    // Dual Analog, configure
  rig.Tap('3').Tap('E');                                            // port 2
  rig.Tap(kKeyEscape, 3);                                           // selection, hub, options
  EXPECT_EQ(OptionsMenu(g, 0), 0);
  EXPECT_EQ(rig.input.frame(), rig.last());
  EXPECT_EQ(g.settings.controlType, ControlType::DualAnalog);
  EXPECT_EQ(g.settings.keyBomb, 'B');
  EXPECT_EQ(g.settings.mouseFireButton, 2);
  EXPECT_EQ(g.settings.joypadBombButton, 5);
  EXPECT_EQ(g.settings.usedPort, 2);
  EXPECT_EQ(g.activeJoy, ApplyUsedPort(g.settings));
  EXPECT_EQ(g.activeJoy.optionButton, 9);
}

}  // namespace
}  // namespace qv
