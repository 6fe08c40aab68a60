// The screens behind the settings hub: audio, video, controller selection and game settings.
//
// The audio, video and game screens are value lists (settings/value_screens.h). The controller
// selection screen arrives with the control screens; until then it opens nothing and returns 0 at once.
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
