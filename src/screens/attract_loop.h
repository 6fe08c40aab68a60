// What the four attract screens share: the frame loop, the blinking start prompt, the row layout of
// the friends and enemies screens, the colour trail and the sparks that swirl around the demo black
// holes.
#pragma once

#include <array>
#include <cstddef>
#include <functional>

#include "settings/colours.h"
#include "shell/shared_tables.h"

namespace qv {

struct Game;

struct AttractLoopRules {
  int lastFrame = 0;  // frames 0..lastFrame are shown
  // The top-scores screen gives joystick buttons a fresh 20 frames of rest after the options menu
  // and after the start control, so a button held there cannot leak into what follows.
  bool restAfterControls = false;
};

// Runs one attract screen. On entry pending key presses are dropped and the joysticks rest for 20
// frames. Each frame: clear, draw frame i with `drawFrame(i)`, present, cap at 20 ms, count the rest
// down, then the options request (the between-games menu; any answer but "continue" ends the program)
// and the start control (sets startRequested and ends the screen without drawing again).
// Returns 0 when the main loop goes on, 1 when the program is to end (chosen in the menu, or the
// window was closed).
int RunAttractLoop(Game& game, const AttractLoopRules& rules, const std::function<void(int)>& drawFrame);

// "Press BOMB Button to Start" in yellow, shown 24 frames in every 50.
void DrawStartPrompt(Game& game, int frame);

// Rows of the friends and enemies screens: 50 pixels apart and aligned, or on a screen lower than 600
// pixels 32 apart and pushed alternately 32 pixels left and right.
struct RowLayout {
  int spacing;
  int stagger;
};
RowLayout AttractRowLayout(int screenHeight);

// A short history of the cycling colour: the newest colour sits in the last entry and every fourth
// frame each colour moves one entry toward the first.
template <std::size_t N>
struct ColourTrail {
  std::array<Rgb, N> entries{};

  void Follow(const CyclingColour& colour, int frame) {
    entries[N - 1] = {colour.red, colour.green, colour.blue};
    if (frame % 4 == 0) {
      for (std::size_t k = 0; k + 1 < N; ++k) entries[k] = entries[k + 1];
    }
  }
};

// The demo black holes of the attract screens: the sparks swirl around them (when particle gravity is
// on), then each hole drifts and sheds its own sparks. The holes themselves are never drawn here.
void SwirlAroundDemoHoles(Game& game);

}  // namespace qv
