// The options menu, the yes/no dialog and the settings hub, all built on the menu frame.
#pragma once

#include <functional>
#include <string_view>

#include "settings/menu_list.h"

namespace qv {

struct Game;

// The four screens the settings hub opens. Each gets the backdrop flag and returns 2 when it kept a
// change that needs the running game to end (new display settings, new game settings), else 0.
struct SettingsScreens {
  std::function<int(Game&, bool withBackdrop)> audio, video, controls, game;
};
// The game's own four screens.
SettingsScreens DefaultSettingsScreens();

// The options menu, opened between games (`inGame` 0: "Exit Program", "Settings", "Continue") and
// from a running game (`inGame` 1: "End Game" before "Continue", over the game's darkened picture).
// Returns 0 to continue, 1 to leave the program ("Exit Program", or the window was closed), 2 to end
// the running game ("End Game" confirmed, or a settings change that needs a new game).
int OptionsMenu(Game& game, int inGame);
int OptionsMenu(Game& game, int inGame, const SettingsScreens& screens);

// "Yes" / "No" under `title` ("Confirm" when empty), "No" selected on entry. True for "Yes"; false
// when the window is closed.
bool ConfirmDialog(Game& game, bool withBackdrop, std::string_view title);

// "Audio", "Video", "Controls", "Game" and "Done". Returns 2 when the video, controls or game screen
// returned 2 at least once during this visit, else 0.
int SettingsHub(Game& game, bool withBackdrop);
int SettingsHub(Game& game, bool withBackdrop, const SettingsScreens& screens);

}  // namespace qv
