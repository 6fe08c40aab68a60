// The game settings screen: the starting level, the scores that give an extra ship and an extra bomb
// at that level, autofire and the ship's inertia.
//
// Leaving with a change asks "Keep Changes?": "Yes" keeps everything and returns 2 (a running game must
// end, since it was started under the old rules); "No" puts back the level, the two scores of the level
// the screen was opened at, autofire and inertia. Scores changed under another level during the same
// visit are not put back: only the entry level's were noted on entry.
#include <algorithm>
#include <string>

#include "settings/menus.h"
#include "settings/settings_screens.h"
#include "settings/text_values.h"
#include "settings/value_screens.h"
#include "shell/game.h"

namespace qv {

namespace {

enum GameRow { kLevelRow, kFreePlayerRow, kFreeBombRow, kAutofireRow, kInertiaRow, kDoneRow };

constexpr const char* kLevelNames[kDifficultyCount] = {"Easy", "Medium", "Hard"};

// The threshold column of a level; a level the game does not have reads the nearest one.
int Level(int difficulty) { return std::clamp(difficulty, 0, kDifficultyCount - 1); }

std::string RowText(const Game& game, int row) {
  const Settings& s = game.settings;
  const std::size_t level = static_cast<std::size_t>(Level(s.difficulty));
  switch (row) {
    case kLevelRow: return std::string("Starting Level: ") + kLevelNames[level];
    case kFreePlayerRow: return "Free Player: " + std::to_string(game.extraLifeScores[level]);
    case kFreeBombRow: return "Free Bomb: " + std::to_string(game.extraBombScores[level]);
    case kAutofireRow: return std::string("AutoFire: ") + OffOn(s.autofire != 0);
    case kInertiaRow: return "Inertia:";
    default: return "Done";
  }
}

void StepRow(Game& game, int row, int dx) {
  Settings& s = game.settings;
  const std::size_t level = static_cast<std::size_t>(Level(s.difficulty));
  switch (row) {
    case kLevelRow: s.difficulty = StepValue(s.difficulty, dx, kDifficultyStep); break;
    case kFreePlayerRow: game.extraLifeScores[level] = StepValue(game.extraLifeScores[level], dx, kThresholdStep); break;
    case kFreeBombRow: game.extraBombScores[level] = StepValue(game.extraBombScores[level], dx, kThresholdStep); break;
    case kAutofireRow: s.autofire = StepValue(s.autofire, dx, kToggleStep); break;
    case kInertiaRow: s.inertia = StepValue(s.inertia, dx, kInertiaStep); break;
    default: break;
  }
}

// What "No" puts back.
struct GamePicks {
  int difficulty = 1;
  int extraLife = 0, extraBomb = 0;  // the scores of `difficulty`
  int autofire = 0;
  float inertia = 0;
};

GamePicks TakePicks(const Game& game) {
  const std::size_t level = static_cast<std::size_t>(Level(game.settings.difficulty));
  return {game.settings.difficulty, game.extraLifeScores[level], game.extraBombScores[level], game.settings.autofire,
          game.settings.inertia};
}

bool Changed(const Game& game, const GamePicks& before) {
  const GamePicks now = TakePicks(game);
  return now.difficulty != before.difficulty || now.extraLife != before.extraLife ||
         now.extraBomb != before.extraBomb || now.autofire != before.autofire || now.inertia != before.inertia;
}

void PutPicks(Game& game, const GamePicks& picks) {
  game.settings.difficulty = picks.difficulty;
  const std::size_t level = static_cast<std::size_t>(Level(picks.difficulty));
  game.extraLifeScores[level] = picks.extraLife;
  game.extraBombScores[level] = picks.extraBomb;
  game.settings.autofire = picks.autofire;
  game.settings.inertia = picks.inertia;
}

}  // namespace

int GameSettings(Game& game, bool withBackdrop) {
  const int cx = game.view.viewWidth / 2, cy = game.view.viewHeight / 2;
  ValueScreen screen = MakeValueScreen("Game Settings", cy - 160,
                                       {cy - 80, cy - 40, cy, cy + 40, cy + 80, cy + 120}, withBackdrop,
                                       {kKeyEnter}, 20);
  const GamePicks before = TakePicks(game);

  screen.rowText = [&game](int row) { return RowText(game, row); };
  screen.step = [&game](int row, int dx) { StepRow(game, row, dx); };
  screen.choiceEnds = [](int) { return false; };  // only from "Done"
  // The inertia bar: up to 300 pixels in the row's colour inside a yellow frame.
  screen.menu.drawHook = [cx, cy](Game& g, const MenuList&, int row, MenuColour colour) {
    if (row != kInertiaRow) return;
    SetMenuColour(g, colour);
    g.gfx.Rect(static_cast<float>(cx - 119), static_cast<float>(cy + 81),
               static_cast<float>(TruncateToInt(g.settings.inertia * 300.0)), 22);
    g.gfx.SetColor(255, 255, 0);
    DrawOutline(g, static_cast<float>(cx - 120), static_cast<float>(cy + 80), 302, 24);
  };

  RunValueScreen(game, screen);
  if (!Changed(game, before)) return 0;
  if (ConfirmDialog(game, withBackdrop, "Keep Changes?")) return 2;
  PutPicks(game, before);
  return 0;
}

}  // namespace qv
