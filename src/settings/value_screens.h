// What the video, game and audio settings screens share. They are value lists: up and down choose a
// row, left and right change the row's value in place, and the last row, "Done", leaves.
//
// Each frame of a value screen runs the menu frame (draw, then the vertical step) and then the
// horizontal step of held controls (MenuHorizontalStep):
//   1. the stick's move-X reading, cut below 0.6 and latched: one step per deflection;
//   2. the left arrow or the left mouse button held, once `debounce` is 0: a step left, `debounce` 20;
//      the right arrow or the right mouse button likewise to the right. A held key therefore repeats
//      every 20 frames, or faster on rows that lower `debounce` after their step (8 or 2);
//   3. the selected row applies the step; on "Done" any step ends the screen;
//   4. the screen's choose keys, Escape (selects "Done" and leaves, `debounce` 20), and the joystick
//      buttons as in every menu. The mouse buttons step values here; they never choose.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "effects/stars.h"
#include "render/display.h"
#include "render/image_set.h"
#include "settings/menu_list.h"
#include "settings/settings.h"

namespace qv {

struct Game;

// Past its ends a stepped value either wraps round to the other end or stops at the end it passed.
enum class StepEnd { Wrap, Stop };

struct IntStep {
  int step, low, high;
  StepEnd end;
};

// Reals stop at their ends. A real with a grain lands on whole 1/grain parts after every step (the
// settings file keeps hundredths), so steps of 0.05 never drift: 0.85 stays 0.85 and is saved as 85,
// and stepping down to 0 is really 0 (silence, not a volume a hair above it).
struct RealStep {
  float step, low, high;
  int grain = 0;  // 100: whole hundredths; 0: no rounding
};

// value + dx x step, then wrapped or stopped at the ends. A value already outside the range (a
// hand-edited file) comes back inside it at the end it passed.
int StepValue(int value, int dx, const IntStep& rule);
float StepValue(float value, int dx, const RealStep& rule);

// Every stepped value of the three screens.
inline constexpr int kLastGridStyle = 20;
inline constexpr int kLastParticleStyle = 3;
inline constexpr int kPickerLast = 119;  // the last marker position on a picker strip

inline constexpr IntStep kToggleStep{1, 0, 1, StepEnd::Wrap};  // Off / On either way
inline constexpr IntStep kScreenSizeStep{1, 0, kLastModeIndex, StepEnd::Wrap};
inline constexpr IntStep kPlayfieldSizeStep{1, 0, kLastModeIndex, StepEnd::Wrap};
inline constexpr IntStep kGfxSetStep{1, 0, kImageSetCount - 1, StepEnd::Wrap};
inline constexpr IntStep kGridStyleStep{1, 0, kLastGridStyle, StepEnd::Wrap};
inline constexpr IntStep kStarCountStep{100, 0, kMaxStars, StepEnd::Wrap};
inline constexpr IntStep kParticleStyleStep{1, 0, kLastParticleStyle, StepEnd::Wrap};
inline constexpr IntStep kColourStripStep{1, 0, kPickerLast, StepEnd::Stop};
inline constexpr RealStep kBrightnessStep{1.0f, 0.0f, static_cast<float>(kPickerLast)};
inline constexpr IntStep kDifficultyStep{1, 0, kDifficultyCount - 1, StepEnd::Stop};
inline constexpr IntStep kThresholdStep{25000, 25000, 300000, StepEnd::Stop};
inline constexpr RealStep kInertiaStep{0.05f, 0.0f, 1.0f, 100};
inline constexpr RealStep kVolumeStep{0.05f, 0.0f, 1.0f, 100};

// "Off" / "On".
const char* OffOn(bool on);

// A value screen. Its menu is set up by MakeValueScreen; the screen fills in the rest.
struct ValueScreen {
  MenuList menu;
  // The text of each row, read before every frame (the values change while the screen is open).
  std::function<std::string(int row)> rowText;
  // Applies a step (-1 or +1) to the selected row, which is never "Done".
  std::function<void(int row, int dx)> step;
  // Whether a choice (a choose key or a joystick button) on this row ends the screen; on the other
  // rows it is cancelled in the same frame.
  std::function<bool(int row)> choiceEnds;
};

// The menu of a value screen: rows at the given heights, "Done" last and selected on entry, the
// backdrop at 0.7 when opened over a running game, Escape leaving from any row. `chooseKeys` and
// `joyDebounce` (-1 leaves `debounce` alone) are the screen's own.
ValueScreen MakeValueScreen(std::string title, int titleY, const std::vector<int>& rowY,
                            bool withBackdrop, std::vector<int> chooseKeys, int joyDebounce);

// Runs the screen until "Done" is chosen or stepped, Escape is hit or the program is asked to end.
void RunValueScreen(Game& game, ValueScreen& screen);

// A one-pixel rectangle outline inside (x, y, w, h), in the current colour.
void DrawOutline(Game& game, float x, float y, float w, float h);

}  // namespace qv
