// The one pacing routine every frame loop of the game uses. The game is defined at 50 frames a
// second: a frame never takes less than 20 ms from the start of its work to after the present.
#pragma once

#include <cstdint>

namespace qv {

struct Game;

inline constexpr int kFrameMs = 20;

// Presents the frame (with vertical sync where the display allows it) and takes in the input that
// arrived meanwhile.
void PresentFrame(Game& game);

// Sleeps out the rest of the frame that started at `frameStartMs` and returns the time the frame's
// work took. No sleep when the work took 0 ms (the clock did not move) or 20 ms and more.
int CapFrame(Game& game, std::int64_t frameStartMs);

// The options request of every screen that offers the menu: Escape hit, or the joystick option
// button of the chosen scheme (Joypad: `joypadOptionButton`, Dual Analog: the port record's
// `optionButton`) held while `debounce` is 0. Tested in that order; the Escape hit is consumed.
bool OptionsRequested(Game& game);

// The bomb control outside play (starting a game, skipping a sequence): the bomb key or the mouse bomb
// button hit, or the joystick bomb button of the chosen scheme held while `debounce` is 0. Both hits
// are read, and so cleared, on every call.
bool BombControlPressed(Game& game);

// One stick axis of the port in use, read through the working joystick record: raw value / scale x
// invert - centre, with no dead zone.
enum class StickAxis { MoveX, MoveY, FireX, FireY };
float ReadActiveStick(const Game& game, StickAxis axis);

}  // namespace qv
