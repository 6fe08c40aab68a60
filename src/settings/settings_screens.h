// The screens behind the settings hub: audio, video, controller selection and game settings.
//
// The audio, video and game screens are value lists (settings/value_screens.h); the controller
// selection screen and the set-up screens behind it are in settings/controller_screens.h.
#pragma once

namespace qv {

struct Game;

// Each returns 2 when it kept a change that needs the running game to end, else 0 (the audio and
// controller screens always return 0). `withBackdrop` shows the running game's picture behind them.
int AudioSettings(Game& game, bool withBackdrop);
int VideoSettings(Game& game, bool withBackdrop);
int ControllerSelection(Game& game, bool withBackdrop);
int GameSettings(Game& game, bool withBackdrop);

}  // namespace qv
