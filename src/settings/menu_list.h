// The frame every menu and settings screen of the game is built on: a full-screen list of text rows
// worked with the keyboard, the mouse and the joystick at once.
//
// One frame of a menu, in order:
//   1. (on entry) `debounce` = 20, pending keys and clicks dropped, the mouse pointer put beside the
//      row selected on entry;
//   2. clear the screen, read the mouse, note the clock, lines 2 pixels wide, the darkened backdrop;
//   3. the title in red, size 6, at (cx - 280, title y);
//   4. each row in turn: the mouse over its 20-pixel strip selects it (the last such row wins), then
//      its text at (cx - 280, y), size 4, pulsing yellow when selected, green otherwise;
//   5. the spinning pointer mark at (cx - 300, mouse y); present; frame += 1; sleep out the 20 ms;
//   6. the stick's vertical reading, cut below 0.6 and latched: one step per deflection;
//   7. up and down (arrow keys or the stick) with wrap-around, moving the mouse pointer along, so a
//      pointer resting over a row does not undo the keyboard's choice;
//   8. the menu's own choose keys, and its leave keys that select the leave row and choose it;
//   9. `debounce` lowered by one, not below 0;
//  10. any joystick button chooses once `debounce` is 0 and the menu is more than 15 frames old;
//  11. (by the menu) act on the choice, age += 8; flush keys and clicks when the menu ends.
//
// `RunMenuFrame` does steps 2 to 10 for the common case. Screens with their own rules (a key
// capture, horizontal value steps) call the single steps themselves; `MenuHorizontalStep` is the
// left and right step of the screens whose rows hold values.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/frame.h"

namespace qv {

struct Game;
struct MenuList;

struct MenuColour {
  int r = 0, g = 0, b = 0;
  bool operator==(const MenuColour&) const = default;
};

struct MenuRect {
  int x = 0, y = 0, w = 0, h = 0;
};

struct MenuPoint {
  int x = 0, y = 0;
};

struct MenuRow {
  std::string text;
  int y = 0;  // top of the text, and of the row's 20-pixel hover strip
  // Where the mouse hovers over the row: the strip (0, y, screen width, 20) unless set.
  std::optional<MenuRect> hoverArea = std::nullopt;
  // Where a keyboard step puts the mouse pointer: (cx - 300, y + 20) unless set.
  std::optional<MenuPoint> pointerAt = std::nullopt;
};

// Called after the title (row -1) and after each row is drawn, with the colour the row was drawn
// in; screens draw their bars, strips and boxes from here.
using MenuDrawHook = std::function<void(Game& game, const MenuList& menu, int row, MenuColour colour)>;

struct MenuList {
  // Layout.
  std::string title;
  int titleY = 0;
  std::vector<MenuRow> rows;
  float backdropScale = 0;  // the darkened picture of the game behind the menu; 0 shows none
  MenuDrawHook drawHook;
  bool hover = true;               // false while a screen waits for a key
  bool pointerMarkAtMouse = false; // the mark at the mouse itself instead of at cx - 300

  // Controls.
  std::vector<int> chooseKeys;   // key hits that choose the selected row
  bool chooseLeftClick = false;  // a left click chooses too
  std::vector<int> leaveKeys;    // key hits that select `leaveRow` and choose it
  int leaveRow = -1;
  int leaveDebounce = 20;        // `debounce` after a leave key
  int joyButtons = 16;           // joystick buttons 0..joyButtons-1 are counted
  int joyDebounce = -1;          // `debounce` after a joystick choice; -1 leaves it

  // State of one run.
  int selected = 0;
  int frame = 0;  // frames drawn: the pointer spins and the selected row pulses with it
  int age = 0;    // +8 a frame, back to 0 when a screen opened from the menu returns
  bool stickHeldX = false, stickHeldY = false;
  int mouseX = 0, mouseY = 0;
  std::int64_t frameStartMs = 0;
};

// The drawing colour from here on: `c`.
void SetMenuColour(Game& game, MenuColour c);

// True unless one rectangle lies wholly beside, above or below the other; rectangles that only
// touch overlap.
bool RectsOverlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2);

// The pointer mark: an eight-spoke star with its hub at (x - s, y - s), spinning 8 degrees a frame
// and blinking red and yellow every 15 frames.
void DrawMenuPointer(Game& game, int x, int y, int frame, int size);

// Where a keyboard step on `row` (one of the menu's rows) puts the mouse pointer; moving it there
// does nothing for a row the menu does not have.
MenuPoint RowPointer(const Game& game, const MenuList& menu, int row);
void MovePointerToRow(Game& game, const MenuList& menu, int row);

// Step 1: opens the menu with `initialRow` selected and the mouse pointer beside it, or at
// `pointer` for a menu that puts it elsewhere.
void EnterMenu(Game& game, MenuList& menu, int initialRow, std::optional<MenuPoint> pointer = std::nullopt);
// Steps 2 to 5: draws and presents one frame.
void DrawMenuFrame(Game& game, MenuList& menu);
// Step 6 for one stick axis: the reading is kept in `InputState` (moveX or moveY), cut below 0.6
// and latched until the stick comes back inside 0.6. Returns -1, 0 or +1.
int LatchedStickStep(Game& game, StickAxis axis, bool& held);
// Steps 6 and 7: the vertical step of the stick and the arrow keys.
void MenuVerticalStep(Game& game, MenuList& menu);

// How the left and right controls (the arrow keys and the left and right mouse buttons) step a value.
enum class SideControls {
  // Held down while `debounce` is 0: a step, and `debounce` 20. A held control therefore steps
  // every 20 frames (sooner where a row lowers `debounce` after its step); with both sides held the
  // left one steps.
  Held,
  // Hit: one step for each press. Every hit is read, so none is left over for a later frame; with
  // both sides hit the right one steps.
  Hit,
};

// The horizontal step of a value row: the stick's move-X reading, cut below 0.6 and latched, then the
// left controls -1 and the right controls +1, read as `controls` says. With `enterStepsRight`, Enter
// is one of the right controls. Returns -1, 0 or +1.
int MenuHorizontalStep(Game& game, MenuList& menu, SideControls controls, bool enterStepsRight = false);

// Step 8: true when a choose key or a leave key was hit (a leave key selects the leave row).
bool MenuChooseKeys(Game& game, MenuList& menu);
// Steps 9 and 10: lowers `debounce`, then true when a joystick button chooses.
bool MenuJoystickChoice(Game& game, MenuList& menu);
// Steps 8 to 10, each run whatever the one before found; true when a key or a joystick button chose.
bool MenuChoice(Game& game, MenuList& menu);
// Steps 2 to 10; true when the selected row was chosen.
bool RunMenuFrame(Game& game, MenuList& menu);
// Drops pending key hits and clicks, as every menu does when it ends.
void LeaveMenu(Game& game);

}  // namespace qv
