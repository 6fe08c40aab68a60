// The set-up screens of the control schemes, opened from the controller selection screen (declared
// with the other settings screens) for the scheme chosen there. Each writes its changes straight into
// the settings; none asks "Keep Changes?". Each returns 0.
//
// Mouse and Hybrid: value rows stepped by the left and right controls (held arrows or mouse buttons
// repeat every 20 frames): the fire and bomb mouse buttons cycle "Left", "Right", "Middle"; the
// sensitivity moves by 0.05 within 0..1; Hybrid adds its three sub-modes on top.
// Keyboard: choosing a binding row waits for a key; the next key pressed (code 8 and up, Escape
// included) is bound. Escape does not leave this screen.
// Joypad: the D-pad / four-button choice, the bomb and option buttons, and four boxes laid out as the
// diamond of the four-button cluster. Holding a joystick button while an item is selected binds it.
#pragma once

namespace qv {

struct Game;

int MouseControl(Game& game, bool withBackdrop);
int HybridControl(Game& game, bool withBackdrop);
int KeyboardControl(Game& game, bool withBackdrop);
int JoypadControl(Game& game, bool withBackdrop);

}  // namespace qv
