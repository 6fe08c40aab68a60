#include "settings/menus.h"

#include <string>

#include "settings/settings_screens.h"
#include "shell/game.h"

namespace qv {

namespace {

constexpr float kOptionsBackdrop = 0.9f;
constexpr float kDialogBackdrop = 0.8f;  // the confirm dialog and the settings hub

int CentreY(const Game& game) { return game.view.viewHeight / 2; }

// The options menu and the hub: the title at cy - 120 and the rows 40 apart from cy - 40. Laid out
// again after a settings screen, which may have opened the display at another size.
void LayOutRows(const Game& game, MenuList& menu) {
  const int cy = CentreY(game);
  menu.titleY = cy - 120;
  for (std::size_t k = 0; k < menu.rows.size(); ++k) menu.rows[k].y = cy - 40 + 40 * static_cast<int>(k);
}

// The options menu's rows, top to bottom.
enum OptionsRow { kExitProgram = 0, kSettings = 1, kEndGame = 2 };

// The hub's rows, top to bottom.
enum HubRow { kAudio = 0, kVideo = 1, kControls = 2, kGameRow = 3, kDone = 4 };

}  // namespace

SettingsScreens DefaultSettingsScreens() { return {AudioSettings, VideoSettings, ControllerSelection, GameSettings}; }

int OptionsMenu(Game& game, int inGame) { return OptionsMenu(game, inGame, DefaultSettingsScreens()); }

int OptionsMenu(Game& game, int inGame, const SettingsScreens& screens) {
  const bool running = inGame == 1;
  // From a running game the last picture of play stays behind the menu.
  if (running) game.gfx.GrabImage(game.display.menuBackdrop, 0, 0);

  const int cy = CentreY(game);
  MenuList menu;
  menu.title = "Options";
  menu.titleY = cy - 120;
  menu.rows = {{"Exit Program", cy - 40}, {"Settings", cy}};
  if (running) {
    menu.rows.push_back({"End Game", cy + 40});
    menu.rows.push_back({"Continue", cy + 80});
  } else {
    menu.rows.push_back({"Continue", cy + 40});
  }
  const int continueRow = static_cast<int>(menu.rows.size()) - 1;
  menu.backdropScale = running ? kOptionsBackdrop : 0;
  menu.chooseKeys = {game.settings.keyBomb, kKeyEnter, kKeyRight};
  menu.chooseLeftClick = true;
  menu.leaveKeys = {kKeyEscape, kKeyLeft};
  menu.leaveRow = continueRow;
  menu.joyDebounce = 10;

  EnterMenu(game, menu, continueRow);
  while (!game.ShouldQuit()) {
    if (RunMenuFrame(game, menu)) {
      if (menu.selected == kSettings) {
        const int hub = SettingsHub(game, running, screens);
        if (game.ShouldQuit()) break;
        LayOutRows(game, menu);
        MovePointerToRow(game, menu, kSettings);
        menu.age = 0;
        game.input.debounce = 20;
        if (hub == 2 && running) {
          LeaveMenu(game);
          return 2;
        }
      } else if (running && menu.selected == kEndGame) {
        const bool yes = ConfirmDialog(game, true, "End Game?");
        game.input.debounce = 20;
        if (yes) {
          LeaveMenu(game);
          return 2;
        }
      } else {
        LeaveMenu(game);
        return menu.selected == kExitProgram ? 1 : 0;
      }
    }
    menu.age += 8;
  }
  // The window was closed: leave the program through its orderly exit.
  LeaveMenu(game);
  return 1;
}

bool ConfirmDialog(Game& game, bool withBackdrop, std::string_view title) {
  const int cy = CentreY(game);
  MenuList menu;
  menu.title = title.empty() ? std::string("Confirm") : std::string(title);
  menu.titleY = cy - 80;
  menu.rows = {{"Yes", cy}, {"No", cy + 40}};
  menu.backdropScale = withBackdrop ? kDialogBackdrop : 0;
  // Escape chooses like Enter: it answers with whatever is selected.
  menu.chooseKeys = {game.settings.keyBomb, kKeyEnter, kKeyEscape, kKeyRight};
  menu.chooseLeftClick = true;
  menu.joyDebounce = 20;

  // The pointer starts a little above where the keyboard puts it on "No".
  EnterMenu(game, menu, 1, MenuPoint{game.view.viewWidth / 2 - 300, cy + 50});
  bool yes = false;
  while (!game.ShouldQuit()) {
    if (RunMenuFrame(game, menu)) {
      yes = menu.selected == 0;
      break;
    }
    menu.age += 8;
  }
  LeaveMenu(game);
  return yes;
}

int SettingsHub(Game& game, bool withBackdrop) { return SettingsHub(game, withBackdrop, DefaultSettingsScreens()); }

int SettingsHub(Game& game, bool withBackdrop, const SettingsScreens& screens) {
  const int cy = CentreY(game);
  MenuList menu;
  menu.title = "Settings";
  menu.titleY = cy - 120;
  menu.rows = {{"Audio", cy - 40}, {"Video", cy}, {"Controls", cy + 40}, {"Game", cy + 80}, {"Done", cy + 120}};
  menu.backdropScale = withBackdrop ? kDialogBackdrop : 0;
  menu.chooseKeys = {game.settings.keyBomb, kKeyEnter, kKeyRight};
  menu.chooseLeftClick = true;
  menu.leaveKeys = {kKeyEscape, kKeyLeft};
  menu.leaveRow = kDone;

  // A kept video, controls or game change needs a new game; the audio screen never asks for one.
  bool newGameNeeded = false;

  EnterMenu(game, menu, kDone);
  while (!game.ShouldQuit()) {
    if (RunMenuFrame(game, menu)) {
      LeaveMenu(game);
      const int row = menu.selected;
      if (row == kDone) {
        game.input.debounce = 20;
        break;
      }
      const std::function<int(Game&, bool)>* byRow[] = {&screens.audio, &screens.video, &screens.controls,
                                                        &screens.game};
      const std::function<int(Game&, bool)>& screen = *byRow[row];
      const int result = screen ? screen(game, withBackdrop) : 0;
      if (row != kAudio && result == 2) newGameNeeded = true;
      LayOutRows(game, menu);
      MovePointerToRow(game, menu, row);
      // The controller screens may have changed the port in use: play reads its record from now on.
      if (row == kControls) game.activeJoy = ApplyUsedPort(game.settings);
      menu.age = 0;
      game.input.debounce = 20;
    }
    menu.age += 8;
  }
  LeaveMenu(game);
  return newGameNeeded ? 2 : 0;
}

}  // namespace qv
