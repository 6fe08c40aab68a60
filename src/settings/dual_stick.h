// The dual-stick configuration screen: the joystick records of the four ports, edited with the mouse
// and keys, the axis wizard that assigns the four stick axes by asking the player to move each stick,
// and the on-demand save and load of "Config.txt".
//
// The screen is a fixed 640 x 480 layout in the small bitmap font, centred on any display through the
// drawing origin. The mouse position is taken as a position in that layout (x at most 640, y at most
// 550), and the pointer mark is drawn there.
//
// Mouse: a left click on an axis box steps its axis through the sixteen axis names, a right click
// inverts it (orange box); a click on "Stick 1" or "Stick 2" selects that stick (again: deselects);
// the port boxes and the keys 1..4 choose the port; the scale boxes set the divisor 1, 180 or 255; the
// OPTION and BOMB boxes capture a joystick button (the highest held wins; Enter steps it by one).
// Keys: with a stick selected the arrows move its centre by 0.01 a frame, with shift its dead zone; D
// toggles the debug panel of raw axis values, S saves, L loads, E leaves.
//
// The wizard runs eight steps, two per axis (move stick 1 across, then up and down, then stick 2 the
// same): a step ends when an axis passes between 0.5 and 0.9 of its range, once on the way out and
// once on the way back, or when Escape skips it. While it runs the rest of the screen is inert.
#pragma once

#include <string_view>

namespace qv {

struct Game;

// What the screen remembers between visits within a run (never saved).
struct DualStickState {
  int cursorX = 0, cursorY = 0;  // the mouse in layout coordinates
  int selectedStick = 0;         // 0 none, 1 "Stick 1", 2 "Stick 2"
  bool optionCapture = false;    // at most one capture is on
  bool bombCapture = false;
  bool wizard = false;
  int wizardStep = 0;  // 0..7 while the wizard runs; stage = step / 2
};

inline constexpr int kAxisNameCount = 16;

// The name of a joystick axis number as the screen shows it: 0 "null", 1 "JoyX()" ... 15; empty text
// for any other number.
std::string_view AxisName(int axisNumber);

// Watches the axes of `port` for one moving through the middle of its travel: up to 30 looks, 2 ms
// apart, each taking in fresh device readings, at axes 1 to 15 in turn. Returns the first axis number
// whose value v has 0.5 x scale < |v| < 0.9 x scale, 0 when Escape was hit, -1 when nothing moved (or
// the program is leaving). A stick held at full deflection is not seen: it is caught while passing.
int DetectMovedAxis(Game& game, int port, float scale);

// One frame of the wizard: the prompt of the current stage, one detection, and on an axis (or Escape)
// the next step and a status message naming the axis now assigned. Turns the wizard off after step 7.
void AxisWizardStep(Game& game);

// The screen's save and load commands. Saving writes the player's display choices even while this run
// uses a fallback display. Loading replaces every setting but keeps the open display: the loaded
// display choices take effect when the display is next set up, and a view smaller than its playfield
// keeps scrolling. Both leave their message in the status line.
bool SaveSettingsFile(Game& game);
bool ReloadSettingsFile(Game& game);

// The modal screen; returns when E is hit or "(E)xit" clicked, or when the program is leaving.
void DualStickScreen(Game& game);

}  // namespace qv
