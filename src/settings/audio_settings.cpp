// The audio settings screen: the effects volume and the music volume, each a bar of up to 200 pixels.
// A change is heard at once (the black holes' running hums follow the effects volume) and stays; there
// is nothing to confirm on the way out.
#include <string>

#include "settings/settings_screens.h"
#include "settings/text_values.h"
#include "settings/value_screens.h"
#include "shell/game.h"

namespace qv {

namespace {

enum AudioRow { kSfxRow, kMusicRow, kDoneRow };

std::string RowText(int row) {
  switch (row) {
    case kSfxRow: return "SFX Volume:";
    case kMusicRow: return "Music Volume:";
    default: return "Done";
  }
}

void StepRow(Game& game, int row, int dx) {
  Settings& s = game.settings;
  if (row == kSfxRow) {
    s.sfxVolume = StepValue(s.sfxVolume, dx, kVolumeStep);
    game.sounds.ApplySfxVolumeToHums(s.sfxVolume);
  } else if (row == kMusicRow) {
    s.musicVolume = StepValue(s.musicVolume, dx, kVolumeStep);
    game.sounds.ApplyMusicVolume(s.musicVolume);
  }
}

}  // namespace

int AudioSettings(Game& game, bool withBackdrop) {
  const int cx = game.view.viewWidth / 2, cy = game.view.viewHeight / 2;
  ValueScreen screen = MakeValueScreen("Audio Settings", cy - 80, {cy, cy + 40, cy + 80}, withBackdrop,
                                       {game.settings.keyBomb, kKeyEnter}, -1);
  screen.rowText = [](int row) { return RowText(row); };
  screen.step = [&game](int row, int dx) { StepRow(game, row, dx); };
  screen.choiceEnds = [](int) { return true; };
  // A volume bar: bright while its row is selected, dim otherwise, framed in the row's colour.
  screen.menu.drawHook = [cx](Game& g, const MenuList& menu, int row, MenuColour colour) {
    if (row != kSfxRow && row != kMusicRow) return;
    const float volume = row == kSfxRow ? g.settings.sfxVolume : g.settings.musicVolume;
    const float y = static_cast<float>(menu.rows[static_cast<std::size_t>(row)].y);
    g.gfx.SetColor(0, menu.selected == row ? 200 : 100, 0);
    g.gfx.Rect(static_cast<float>(cx + 1), y + 1, static_cast<float>(TruncateToInt(volume * 200.0)), 22);
    SetMenuColour(g, colour);
    DrawOutline(g, static_cast<float>(cx), y, 202, 24);
  };

  RunValueScreen(game, screen);
  return 0;
}

}  // namespace qv
