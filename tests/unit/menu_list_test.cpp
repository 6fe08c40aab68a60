// The menu frame every menu shares: overlap of the hover boxes, up and down with wrap-around and the
// pointer following the keyboard, hover selection, the latched stick, the left and right steps of
// value rows and the joystick-button guard.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "settings/menu_list.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

TEST(RectsOverlapTest, TouchingCountsAndOnePixelApartDoesNot) {
  struct Case {
    const char* name;
    int x1, y1, w1, h1, x2, y2, w2, h2;
    bool overlap;
  };
  const Case cases[] = {
      {"inside", 10, 10, 5, 5, 0, 0, 100, 100, true},
      {"crossing", 0, 0, 10, 10, 5, 5, 10, 10, true},
      {"touching on the right", 0, 0, 10, 10, 10, 0, 10, 10, true},
      {"touching on the left", 10, 0, 10, 10, 0, 0, 10, 10, true},
      {"touching below", 0, 0, 10, 10, 0, 10, 10, 10, true},
      {"touching above", 0, 10, 10, 10, 0, 0, 10, 10, true},
      {"touching corners", 0, 0, 10, 10, 10, 10, 5, 5, true},
      {"one pixel to the right", 0, 0, 10, 10, 11, 0, 10, 10, false},
      {"one pixel to the left", 11, 0, 10, 10, 0, 0, 10, 10, false},
      {"one pixel below", 0, 0, 10, 10, 0, 11, 10, 10, false},
      {"one pixel above", 0, 11, 10, 10, 0, 0, 10, 10, false},
      {"beside but level", 0, 0, 10, 10, 50, 0, 10, 10, false},
      {"level but below", 0, 0, 10, 10, 0, 50, 10, 10, false},
      {"a point on an edge", 5, 10, 0, 0, 0, 0, 10, 10, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RectsOverlap(c.x1, c.y1, c.w1, c.h1, c.x2, c.y2, c.w2, c.h2), c.overlap) << c.name;
}

class MenuListTest : public ::testing::Test {
 protected:
  MenuListTest() {
    menu.title = "Test";
    menu.titleY = 20;
    menu.rows = {{"One", 100}, {"Two", 140}, {"Three", 180}};
  }
  int cx() const { return game.view.viewWidth / 2; }
  void MouseTo(int frame, int x, int y) { input.At({HeadlessInput::Event::kMouseMove, frame, x, y, 0}); }

  test::GameFixture fx;
  Game& game = fx.game;
  HeadlessInput& input = fx.hp.input;
  MenuList menu;
};

TEST_F(MenuListTest, UpAndDownWrapAtBothEndsAndTakeThePointerAlong) {
  struct Step {
    int key;
    int row;
  };
  const Step steps[] = {{kKeyUp, 2}, {kKeyDown, 0}, {kKeyDown, 1}, {kKeyDown, 2}, {kKeyDown, 0}, {kKeyUp, 2}, {kKeyUp, 1}};
  for (int i = 0; i < static_cast<int>(std::size(steps)); ++i) input.TapKey(2 * i + 2, steps[i].key);

  EnterMenu(game, menu, 0);
  EXPECT_EQ(input.MouseX(), cx() - 300);
  EXPECT_EQ(input.MouseY(), 120);
  RunMenuFrame(game, menu);  // frame 1: nothing pressed
  for (const Step& s : steps) {
    const int moves = input.mouseMoves();
    RunMenuFrame(game, menu);  // the key arrives and is acted on
    EXPECT_EQ(menu.selected, s.row) << "after key " << s.key << " at frame " << input.frame();
    EXPECT_EQ(input.mouseMoves(), moves + 1);
    EXPECT_EQ(input.MouseX(), cx() - 300);
    EXPECT_EQ(input.MouseY(), menu.rows[s.row].y + 20);
    RunMenuFrame(game, menu);  // the pointer now rests over the new row: hovering keeps it
    EXPECT_EQ(menu.selected, s.row);
  }
}

TEST_F(MenuListTest, TheLastRowUnderTheMouseWinsAndEarlierRowsKeepTheirColourForTheFrame) {
  menu.rows = {{"One", 100}, {"Two", 124}, {"Three", 200}};  // the first two strips lie 4 pixels apart
  struct Drawn {
    int frame, row;
    MenuColour colour;
  };
  std::vector<Drawn> drawn;
  menu.drawHook = [&](Game&, const MenuList& m, int row, MenuColour c) { drawn.push_back({m.frame, row, c}); };
  MouseTo(1, 40, 122);  // a 16-pixel box around (40, 122) touches both strips
  MouseTo(2, 40, 300);  // and then none

  EnterMenu(game, menu, 2);
  RunMenuFrame(game, menu);  // frame 0: the pointer put beside "Three" on entry
  EXPECT_EQ(menu.selected, 2);
  RunMenuFrame(game, menu);  // frame 1: the mouse over "One" and "Two"
  EXPECT_EQ(menu.selected, 1);
  RunMenuFrame(game, menu);  // frame 2: the mouse away, the selection stays
  EXPECT_EQ(menu.selected, 1);
  for (int f = 3; f <= 32; ++f) RunMenuFrame(game, menu);

  auto colour = [&](int frame, int row) {
    for (const Drawn& d : drawn)
      if (d.frame == frame && d.row == row) return d.colour;
    ADD_FAILURE() << "row " << row << " not drawn in frame " << frame;
    return MenuColour{};
  };
  const MenuColour green{0, 200, 0};
  EXPECT_EQ(colour(0, -1), (MenuColour{255, 0, 0})) << "the title";
  EXPECT_EQ(colour(0, 2), (MenuColour{255, 255, 0}));
  EXPECT_EQ(colour(1, 0), (MenuColour{255, 255, 8})) << "selected while it was drawn";
  EXPECT_EQ(colour(1, 1), (MenuColour{255, 255, 8}));
  EXPECT_EQ(colour(1, 2), green);
  EXPECT_EQ(colour(2, 0), green);
  EXPECT_EQ(colour(2, 1), (MenuColour{255, 255, 16}));
  EXPECT_EQ(colour(32, 1), (MenuColour{255, 255, 1})) << "blue is 8 f mod 255";
}

TEST_F(MenuListTest, HoverIsOffWhileAScreenSaysSo) {
  MouseTo(1, 40, 105);
  menu.hover = false;
  EnterMenu(game, menu, 2);
  RunMenuFrame(game, menu);
  RunMenuFrame(game, menu);
  EXPECT_EQ(menu.selected, 2);
}

TEST_F(MenuListTest, OneStickDeflectionIsOneStepUntilTheStickComesBackInside) {
  struct Frame {
    float y;
    int row;  // selected after the frame
  };
  const Frame frames[] = {
      {0.0f, 0},  {0.59f, 0}, {0.7f, 1},   {1.0f, 1},  {0.8f, 1},  {0.3f, 1},  {0.65f, 2},
      {-0.9f, 2},  // still held: the latch opens only inside 0.6, whatever the direction
      {0.0f, 2},  {-0.6f, 1}, {-0.6f, 1}, {-0.2f, 1}, {-1.0f, 0}, {0.0f, 0},  {-0.7f, 2},
  };
  // Each frame's reading arrives with that frame's poll, before its step.
  for (int i = 0; i < static_cast<int>(std::size(frames)); ++i) input.SetJoyAxis(i + 1, 0, 1, frames[i].y);

  EnterMenu(game, menu, 0);
  for (const Frame& f : frames) {
    RunMenuFrame(game, menu);
    EXPECT_EQ(menu.selected, f.row) << "stick at " << f.y << ", frame " << input.frame();
    EXPECT_FLOAT_EQ(game.input.moveY, f.y) << "the raw reading is kept";
  }
}

TEST_F(MenuListTest, HeldControlsStepOnceDebounceIsSpentAndHitsStepAtOnce) {
  enum Control { kLeftArrow, kLeftButton, kRightArrow, kRightButton, kEnter };
  struct Case {
    const char* name;
    SideControls controls;
    bool enterStepsRight;
    std::vector<Control> pressed;  // pressed in the frame, so both down and hit
    float stickX;
    int debounce;
    int dx, debounceAfter;
  };
  using enum SideControls;
  const Case cases[] = {
      {"a held arrow", Held, false, {kLeftArrow}, 0, 0, -1, 20},
      {"a held right button", Held, false, {kRightButton}, 0, 0, 1, 20},
      {"held while debounce runs", Held, false, {kLeftArrow}, 0, 3, 0, 3},
      {"both sides held: the left", Held, false, {kRightButton, kLeftArrow}, 0, 0, -1, 20},
      {"the stick alone", Held, false, {}, 0.8f, 0, 1, 0},
      {"the stick while debounce runs", Held, false, {}, -0.8f, 5, -1, 5},
      {"a held control over the stick", Held, false, {kLeftButton}, 0.8f, 0, -1, 20},
      {"Enter is no side control", Held, false, {kEnter}, 0, 0, 0, 0},
      {"Enter held where it steps right", Held, true, {kEnter}, 0, 0, 1, 20},
      {"a click while debounce runs", Hit, false, {kLeftButton}, 0, 7, -1, 7},
      {"both sides hit: the right", Hit, false, {kRightArrow, kLeftArrow}, 0, 0, 1, 0},
      {"a hit over the stick", Hit, false, {kLeftArrow}, 0.8f, 0, -1, 0},
      {"Enter where it steps right", Hit, true, {kEnter}, 0, 0, 1, 0},
      {"Enter where it does not", Hit, false, {kEnter}, 0, 0, 0, 0},
      {"every control hit at once", Hit, true, {kLeftArrow, kLeftButton, kRightArrow, kRightButton, kEnter}, 0, 0, 1, 0},
  };
  for (const Case& c : cases) {
    test::GameFixture f;
    HeadlessInput& in = f.hp.input;
    for (const Control control : c.pressed) {
      if (control == kLeftButton || control == kRightButton)
        in.ClickMouse(1, control == kLeftButton ? 1 : 2);
      else
        in.TapKey(1, control == kLeftArrow ? kKeyLeft : control == kRightArrow ? kKeyRight : kKeyEnter);
    }
    in.SetJoyAxis(1, 0, 0, c.stickX);
    in.Poll();
    MenuList m = menu;
    f.game.input.debounce = c.debounce;
    EXPECT_EQ(MenuHorizontalStep(f.game, m, c.controls, c.enterStepsRight), c.dx) << c.name;
    EXPECT_EQ(f.game.input.debounce, c.debounceAfter) << c.name;
    if (c.controls == Hit) {
      EXPECT_EQ(in.KeyHit(kKeyLeft) + in.KeyHit(kKeyRight) + in.MouseHit(1) + in.MouseHit(2), 0)
          << c.name << ": every side hit is read";
      const bool enterHit = std::find(c.pressed.begin(), c.pressed.end(), kEnter) != c.pressed.end();
      EXPECT_EQ(in.KeyHit(kKeyEnter) > 0, enterHit && !c.enterStepsRight)
          << c.name << ": Enter is left for the choose keys unless it steps";
    }
  }
}

TEST_F(MenuListTest, JoystickButtonsChooseOnlyWhenDebounceIsSpentAndTheMenuIsOldEnough) {
  struct Case {
    const char* name;
    int debounce, age, port, button, joyButtons, joyDebounce;
    bool chosen;
    int debounceAfter;
  };
  const Case cases[] = {
      {"ready", 0, 128, 0, 0, 16, -1, true, 0},
      {"the last frame of debounce", 1, 128, 0, 15, 16, -1, true, 0},
      {"debounce left", 2, 128, 0, 0, 16, -1, false, 1},
      {"15 frames old", 0, 120, 0, 0, 16, -1, false, 0},
      {"another port", 0, 128, 1, 0, 16, -1, false, 0},
      {"a button the screen does not count", 0, 128, 0, 8, 8, -1, false, 0},
      {"the last button it counts", 0, 128, 0, 7, 8, -1, true, 0},
      {"a choice that sets debounce", 0, 128, 0, 3, 16, 10, true, 10},
      {"a debounce below zero", -5, 128, 0, 0, 16, -1, true, 0},
  };
  for (const Case& c : cases) {
    test::GameFixture f;
    MenuList m = menu;
    m.age = c.age;
    m.joyButtons = c.joyButtons;
    m.joyDebounce = c.joyDebounce;
    f.hp.input.PressJoy(1, c.port, c.button, 100);
    f.hp.input.Poll();
    f.game.input.debounce = c.debounce;
    EXPECT_EQ(MenuJoystickChoice(f.game, m), c.chosen) << c.name;
    EXPECT_EQ(f.game.input.debounce, c.debounceAfter) << c.name;
  }
}

TEST_F(MenuListTest, JoystickButtonsOfThePortInUse) {
  game.settings.usedPort = 2;
  input.PressJoy(1, 2, 5, 100);
  input.Poll();
  menu.age = 128;
  game.input.debounce = 0;
  EXPECT_TRUE(MenuJoystickChoice(game, menu));
}

TEST_F(MenuListTest, LeaveKeysSelectTheLeaveRowAndChoose) {
  menu.chooseKeys = {kKeyEnter};
  menu.leaveKeys = {kKeyEscape};
  menu.leaveRow = 2;
  menu.leaveDebounce = 20;
  EnterMenu(game, menu, 0);
  input.TapKey(1, kKeyEnter);
  input.Poll();
  EXPECT_TRUE(MenuChooseKeys(game, menu));
  EXPECT_EQ(menu.selected, 0);
  game.input.debounce = 0;
  input.TapKey(3, kKeyEscape);
  input.Poll();
  input.Poll();
  EXPECT_TRUE(MenuChooseKeys(game, menu));
  EXPECT_EQ(menu.selected, 2);
  EXPECT_EQ(game.input.debounce, 20);
  EXPECT_FALSE(MenuChooseKeys(game, menu)) << "a hit is read once";
}

}  // namespace
}  // namespace qv
