// The screen and playfield size tables, the choice between them, and opening the display with
// everything that depends on its size: the grid geometry, the images, the stars, the menu backdrop.
#pragma once

#include <array>
#include <string>

#include "platform/graphics.h"

namespace qv {

struct Game;
struct Settings;
struct ViewState;

struct DisplayMode {
  int width = 0, height = 0;
  std::string name;
  std::string label;  // width "X" height, e.g. 1024X768
};

struct PlayfieldSize {
  int width = 0, height = 0;
};

inline constexpr int kModeCount = 35;
inline constexpr int kLastModeIndex = kModeCount - 1;  // the video settings screen wraps on it

struct DisplayTables {
  std::array<DisplayMode, kModeCount> modeTable;
  std::array<PlayfieldSize, kModeCount> playfieldSizes;
  int modeIndex = 8;
  int playfieldIndex = 0;
  ImageHandle menuBackdrop;  // the frame behind the menus, copied from the screen
};

// The configured sizes a file may hold are kept within what the game can draw (a lattice point every
// 4 pixels over at most 8192 x 8192, a frame of at most 16384 x 16384); see SanitiseDisplaySettings.
inline constexpr int kMinSide = 64;
inline constexpr int kMaxPlayfieldSide = 8192;
inline constexpr int kMaxScreenSide = 16384;
void SanitiseDisplaySettings(Settings& settings);

// Fills the table from the built-in list; entry 0 ("USER") takes the configured screen size.
void BuildModeTable(DisplayTables& tables, const Settings& settings);
// Playfield entry 0 takes the configured playfield size and is selected; the screen entry is the
// highest index whose size equals the configured screen size (so a named entry wins over "USER").
void SelectModeFromSettings(DisplayTables& tables, const Settings& settings);
// The view sizes from the selected entries; the configured sizes are overwritten with them.
void ApplySelectedMode(const DisplayTables& tables, Settings& settings, ViewState& view);

// The display choices a player makes on the video screen. When start-up must fall back to a smaller
// mode, the choices are kept aside and saved instead of the fallback, so one start on a smaller or
// remote desktop never overwrites them; the next start tries them again.
struct DisplayChoice {
  int screenWidth = 0, screenHeight = 0;
  int playfieldWidth = 0, playfieldHeight = 0;
  bool windowed = false;
  int scroll = 0;
};
DisplayChoice TakeDisplayChoice(const Settings& settings);
void RestoreDisplayChoice(Settings& settings, const DisplayChoice& choice);

// Alt+Enter: between full screen and a window at the same size, at any moment, kept without a
// question and saved like any setting. A mode that cannot be opened leaves the display as it was.
// True when the display changed.
bool ToggleWindowed(Game& game);

// Opens the display for the selected entries and the window setting, then prepares the grid, the
// images, scrolling, the menu backdrop, the line width and the stars. On failure writes the reason to
// "errors.txt" and returns false with none of that done.
bool OpenDisplay(Game& game);

}  // namespace qv
