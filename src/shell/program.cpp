#include "shell/program.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "audio/sound_bank.h"
#include "effects/particles.h"
#include "player/ship.h"
#include "scoring/name_entry.h"
#include "screens/attract.h"
#include "settings/config_file.h"
#include "settings/menus.h"
#include "shell/frame.h"
#include "shell/game.h"
#include "shell/game_flow.h"
#include "shell/spawn_director.h"
#include "shell/world.h"

namespace qv {

namespace {


bool ConfigFileExists() {
  std::error_code ec;
  return std::filesystem::exists(std::string(kConfigFileName), ec);
}

// Opens the display the settings ask for. Should that fail (a size the desktop cannot show, a
// hand-edited file, a smaller or remote desktop today), "errors.txt" says why and this run falls back
// to 1024 x 768, first in the configured mode, then in a window, then in smaller windows, always over
// the configured playfield. The fallback is for this run only: the player's choices are kept aside
// and saved in its place.
// --windowed or --fullscreen changes the window setting for this run the same way.
bool OpenStartupDisplay(Game& game, std::optional<bool> windowed) {
  const DisplayChoice configured = TakeDisplayChoice(game.settings);
  if (windowed && *windowed != game.settings.windowed) {
    game.configuredDisplay = configured;
    game.settings.windowed = *windowed;
  }
  if (OpenDisplay(game)) return true;
  game.configuredDisplay = configured;
  game.display.modeIndex = 8;  // "XGA", 1024 x 768
  if (OpenDisplay(game)) return true;
  game.settings.windowed = true;
  for (int mode : {8, 6, 2}) {  // "XGA", "SVGA", "VGA"
    game.display.modeIndex = mode;
    if (OpenDisplay(game)) return true;
  }
  return false;
}

// The menu request of a game frame: the options controls, or the window losing the focus (a player
// who switches away finds the game paused in its menu). Returns the menu's answer, or -1 when no menu
// was asked for.
int MenuRequest(Game& game) {
  const bool focusLost = game.in.FocusLost();
  if (!OptionsRequested(game) && !focusLost) return -1;
  game.gfx.AllowScreenSaver(true);  // a paused game may let the screen rest
  return OptionsMenu(game, 1);
}

// Cheat mode's timing overlay, in the colour the world draw left (the grid colour).
void DrawTimings(Game& game, std::int64_t t0, std::int64_t t1, std::int64_t t2, int lastFrameMs) {
  game.DrawText("Update ms: " + std::to_string(t1 - t0), 10, 30, 3);
  game.DrawText("Draw ms: " + std::to_string(t2 - t1), 10, 50, 3);
  game.DrawText("Last Frame ms: " + std::to_string(lastFrameMs), 10, 70, 3);
}

// With cheat mode on, holding P freezes the game until O is hit.
void PauseWhileHeld(Game& game) {
  if (!game.in.KeyDown('P')) return;
  game.in.KeyHit('O');
  while (!game.ShouldQuit()) {
    game.clock.Delay(100);
    game.in.Poll();
    if (game.in.KeyHit('O') > 0) break;
  }
}

}  // namespace

bool Game::ShouldQuit() {
  if (in.QuitRequested()) quitting = true;
  return quitting;
}

void PlayGame(Game& game, int& quit, int& lastFrameMs) {
  GameState& st = game.state;
  if (EndedFromMenu(st)) return;
  do {
    game.gfx.AllowScreenSaver(false);  // nobody touches the controls for minutes in a good game
    const std::int64_t t0 = game.clock.Millisecs();
    SpawnTick(game, st.gameTicks);
    UpdateShip(game);
    UpdateWorld(game, 0);
    const std::int64_t t1 = game.clock.Millisecs();
    DrawWorld(game);
    const std::int64_t t2 = game.clock.Millisecs();

    if (st.gameOver && !EndedFromMenu(st)) {
      game.sounds.StopMusic();
      quit = GameOverSequence(game);
      st.startRequested = 0;
    }

    if (st.cheatMode) DrawTimings(game, t0, t1, t2, lastFrameMs);
    PresentFrame(game);
    if (st.cheatMode) PauseWhileHeld(game);

    st.gameTicks += 1;

    const int answer = MenuRequest(game);
    if (answer >= 0) {
      if (answer > 0) {
        quit = 1;
        st.gameOver = 1;
        if (answer == 2) {
          game.sounds.StopMusic();
          st.startRequested = 0;
          quit = 0;
        }
      }
      game.input.debounce = 20;
    }

    // The window was closed or the process was told to stop: leave through the orderly exit.
    if (game.ShouldQuit()) {
      quit = 1;
      st.gameOver = 1;
    }

    lastFrameMs = CapFrame(game, t0);
    game.gfx.Cls();
  } while (!st.gameOver && st.startRequested);
}

void MainLoop(Game& game) {
  GameState& st = game.state;
  InitParticles(game);
  game.in.FlushKeys();
  int quit = 0;
  int lastFrameMs = 0;
  do {
    game.gfx.AllowScreenSaver(true);
    while (!st.startRequested && !quit) {
      game.sounds.SelectMusicTheme(0);
      if (!st.startRequested && !quit) quit = ShowCredits(game);
      if (!st.startRequested && !quit) quit = ShowTopScores(game, -1);
      if (!st.startRequested && !quit) quit = ShowFriends(game);
      if (!st.startRequested && !quit) quit = ShowEnemies(game);
      if (game.ShouldQuit()) quit = 1;
    }
    if (st.startRequested && !quit) {
      if (!st.cheatMode) {
        st.scoreEligible = 1;
        st.godMode = 0;
      }
      game.sounds.StopMusic();
      ClearWorld(game, true);
      NewGameReset(game);
      st.shipInactive = 1;
      GetReadySequence(game);
      st.shipInactive = 0;
      game.gfx.Cls();
      PlayGame(game, quit, lastFrameMs);
      game.gfx.AllowScreenSaver(true);
      ClearWorld(game, true);
      if (!quit) {
        game.view.scrollX = game.view.scrollY = 0;
        if (st.score > st.tableLowScore) {
          game.sounds.SelectMusicTheme(2);
          const int row = EnterHighScore(game);
          quit = ShowTopScores(game, row);
          st.score = 0;
          game.sounds.StopMusic();
        } else if (st.score > 0) {
          game.sounds.SelectMusicTheme(0);
          quit = ShowTopScores(game, -20);
        }
      }
    }
    if (game.ShouldQuit()) quit = 1;
  } while (!quit);
}

int RunProgram(Game& game, const LaunchOptions& options) {
  // 1. One-time set-up of the font, the effects and display tables, the sound bank and the settings.
  BuildVectorFont(game.font);
  game.gfx.SetTextFont(RasteriseBitmapFont(game.font, 8, 12), 8, 12);
  game.sounds.Load(game.dataFolder + "sounds");
  // 2.
  game.versionText = BuildVersionText();
  // 3. The joystick layer: devices present now are known after the first poll.
  game.in.Poll();
  // 4. Settings, colours, display tables, the joystick port, key names, the display.
  const bool firstRun = !ConfigFileExists();
  LoadConfig(std::string(kConfigFileName), game.settings, game.status);
  // A first run with no joystick attached would leave a keyboard-and-mouse player unable to move in
  // the joystick scheme: such a player starts with keys to move and the mouse to aim.
  if (firstRun && game.in.JoyCount() == 0) {
    game.settings.controlType = ControlType::Hybrid;
    game.settings.hybridMode = 0;
  }
  LoadColours(std::string(kColourFileName), game.colours, game.status);
  SanitiseDisplaySettings(game.settings);
  BuildModeTable(game.display, game.settings);
  SelectModeFromSettings(game.display, game.settings);
  game.activeJoy = ApplyUsedPort(game.settings);
  game.keyNames = BuildKeyNames();
  if (!OpenStartupDisplay(game, options.windowed)) return 1;  // "errors.txt" holds the reason
  // 5.
  game.rng.Seed(static_cast<std::uint32_t>(game.clock.Millisecs()));
  // 6. The shared tables.
  game.nameBuffer.fill(32);
  game.scores = HighScoreTable{};
  game.circle = BuildCircleTable();
  // 8.
  LoadHighScores(std::string(kHighScoreFileName), game.scores);
  // 9.
  game.in.HideMouse();
  // 10.
  MainLoop(game);
  // 11. The exit sequence: settings, colours and scores are saved on every orderly exit.
  game.in.ShowMouse();
  Settings toSave = game.settings;
  if (game.configuredDisplay) RestoreDisplayChoice(toSave, *game.configuredDisplay);
  std::string unsaved;
  const auto note = [&unsaved](bool saved, std::string_view file) {
    if (!saved) unsaved += (unsaved.empty() ? "" : ", ") + std::string(file);
  };
  note(SaveConfig(std::string(kConfigFileName), toSave, game.status), kConfigFileName);
  note(SaveColours(std::string(kColourFileName), game.colours, game.status), kColourFileName);
  note(SaveHighScores(std::string(kHighScoreFileName), game.scores), kHighScoreFileName);
  // A folder that cannot be written (a read-only install, a full disk, files made read-only) loses
  // this run's changes: the player is told once which files, and the exit is still an orderly one.
  if (!unsaved.empty()) {
    std::error_code ec;
    const std::string folder = std::filesystem::current_path(ec).string();
    std::fprintf(stderr, "quorvax: could not save %s in %s\n", unsaved.c_str(), folder.c_str());
  }
  return 0;
}

}  // namespace qv
