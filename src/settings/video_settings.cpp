// The video settings screen: scrolling, screen and playfield size, image set, window mode, grid style,
// star count, particle style, grid colour and brightness, over a live panel of the spring grid and the
// sparks, so grid and spark choices show at once.
//
// The five display values (scroll, screen size, playfield size, image set, window mode) need the
// display opened again: leaving with any of them changed asks "Keep Changes?". "Yes" opens the new
// display and returns 2 (a running game must end); a display that cannot be opened is reported on
// screen for 2 seconds and the previous one comes back. The other values take effect at once and stay.
#include "settings/video_settings.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "effects/grid.h"
#include "effects/particles.h"
#include "settings/menus.h"
#include "settings/settings_screens.h"
#include "settings/value_screens.h"
#include "shell/game.h"

namespace qv {

namespace {

enum VideoRow {
  kScrollRow,
  kScreenSizeRow,
  kPlayfieldSizeRow,
  kGfxSetRow,
  kWindowedRow,
  kGridStyleRow,
  kStarsRow,
  kParticleStyleRow,
  kGridColourRow,
  kGridBrightRow,
  kDoneRow,
};
constexpr int kVideoRows = kDoneRow + 1;

// `debounce` after a step on each row, so a held key repeats faster there; -1 leaves the 20 of the
// key. The colour and brightness markers glide, the sizes and star counts move briskly.
constexpr std::array<int, kDoneRow> kStepDebounce = {-1, 8, 8, -1, -1, -1, 8, -1, 2, 2};

constexpr const char* kGfxSetNames[kImageSetCount] = {"Solid", "Low", "Med", "High", "User"};

// The picker strips: frame 1 (colours) beside "Grid Colour:", frame 0 (brightness) beside
// "Grid Bright:", both shown at twice their size, so marker position i sits over strip pixel i + 1.
constexpr int kPickerColourFrame = 1;
constexpr int kPickerBrightnessFrame = 0;
constexpr int kPickerHighlightFrame = 2;

// The display values "Keep Changes?" guards.
struct DisplayPicks {
  int scroll = 0, modeIndex = 0, playfieldIndex = 0, gfxSet = 0;
  bool windowed = false;
  bool operator==(const DisplayPicks&) const = default;
};

DisplayPicks TakePicks(const Game& game) {
  return {game.settings.scroll, game.display.modeIndex, game.display.playfieldIndex, game.settings.gfxSet,
          game.settings.windowed};
}

void PutPicks(Game& game, const DisplayPicks& picks) {
  game.settings.scroll = picks.scroll;
  game.display.modeIndex = picks.modeIndex;
  game.display.playfieldIndex = picks.playfieldIndex;
  game.settings.gfxSet = picks.gfxSet;
  game.settings.windowed = picks.windowed;
}

const DisplayMode& SelectedMode(const Game& game) {
  return game.display.modeTable[static_cast<std::size_t>(std::clamp(game.display.modeIndex, 0, kLastModeIndex))];
}

std::string RowText(const Game& game, int row) {
  const Settings& s = game.settings;
  switch (row) {
    case kScrollRow:
      return std::string("Scroll: ") + OffOn(s.scroll != 0);
    case kScreenSizeRow: {
      const DisplayMode& mode = SelectedMode(game);
      return "Screen Size: " + std::to_string(game.display.modeIndex + 1) + "/" + std::to_string(kLastModeIndex) +
             " " + mode.name + " (" + mode.label + ")";
    }
    case kPlayfieldSizeRow: {
      const int index = std::clamp(game.display.playfieldIndex, 0, kLastModeIndex);
      const PlayfieldSize& field = game.display.playfieldSizes[static_cast<std::size_t>(index)];
      return "Playfield Size: " + std::to_string(game.display.playfieldIndex + 1) + "/" +
             std::to_string(kLastModeIndex) + " " + std::to_string(field.width) + "X" + std::to_string(field.height);
    }
    case kGfxSetRow:
      return std::string("Gfx Set: ") + (s.gfxSet >= 0 && s.gfxSet < kImageSetCount ? kGfxSetNames[s.gfxSet] : "");
    case kWindowedRow:
      return std::string("Windowed: ") + OffOn(s.windowed);
    case kGridStyleRow:
      return "Grid Style: " + std::to_string(s.gridStyle);
    case kStarsRow:
      return "Number of Stars: " + std::to_string(s.starCount);
    case kParticleStyleRow:
      return "Particle Style: " + std::to_string(s.particleStyle);
    case kGridColourRow:
      return "Grid Colour:";
    case kGridBrightRow:
      return "Grid Bright:";
    default:
      return "Done";
  }
}

// The working positions of the two picker markers.
struct Pickers {
  int strip = 0;         // 0 on every entry: the strip does not know where the current colour lies
  float brightness = 0;  // the grid opacity x 120 on entry
};

void StepRow(Game& game, Pickers& pickers, int row, int dx) {
  Settings& s = game.settings;
  switch (row) {
    case kScrollRow: s.scroll = StepValue(s.scroll, dx, kToggleStep); break;
    case kScreenSizeRow: game.display.modeIndex = StepValue(game.display.modeIndex, dx, kScreenSizeStep); break;
    case kPlayfieldSizeRow:
      game.display.playfieldIndex = StepValue(game.display.playfieldIndex, dx, kPlayfieldSizeStep);
      break;
    case kGfxSetRow: s.gfxSet = StepValue(s.gfxSet, dx, kGfxSetStep); break;
    case kWindowedRow: s.windowed = StepValue(s.windowed ? 1 : 0, dx, kToggleStep) == 1; break;
    case kGridStyleRow: s.gridStyle = StepValue(s.gridStyle, dx, kGridStyleStep); break;
    case kStarsRow: s.starCount = StepValue(s.starCount, dx, kStarCountStep); break;
    case kParticleStyleRow: s.particleStyle = StepValue(s.particleStyle, dx, kParticleStyleStep); break;
    case kGridColourRow:
      pickers.strip = StepValue(pickers.strip, dx, kColourStripStep);
      PickGridColour(game, pickers.strip);
      break;
    case kGridBrightRow:
      pickers.brightness = StepValue(pickers.brightness, dx, kBrightnessStep);
      s.gridOpacity = pickers.brightness / static_cast<float>(kPickerLast);
      break;
    default: return;
  }
  if (kStepDebounce[static_cast<std::size_t>(row)] >= 0) game.input.debounce = kStepDebounce[static_cast<std::size_t>(row)];
}

// The screen's geometry: centre and row pitch.
struct Layout {
  int cx = 0, cy = 0, pitch = 40;
  int RowY(int row) const { return cy + (row - 4) * pitch; }
  float StripX() const { return static_cast<float>(cx + 74); }
  float ColourStripY() const { return static_cast<float>(cy + 4 * pitch + 14); }
  float BrightnessStripY() const { return static_cast<float>(cy + 5 * pitch + 14); }
};

// The live grid panel behind the rows, pulled at random every 60 frames while a grid or spark row is
// selected.
void DrawLivePanel(Game& game, const MenuList& menu) {
  const int selected = menu.selected;
  const bool lively = selected == kGridStyleRow || selected == kParticleStyleRow || selected == kGridColourRow ||
                      selected == kGridBrightRow;
  if (lively && menu.frame % 60 == 0) {
    const int c = game.rng.RandInt(0, 20);
    const int r = game.rng.RandInt(0, 20);
    PullGrid(game.grid, static_cast<float>(c * game.grid.cellWidth), static_cast<float>(r * game.grid.cellHeight), 8,
             24);
  }
  StepCyclingColour(game.cycling, game.rng, 10);
  UpdateGrid(game.grid);
  DrawGrid(game, game.settings.gridStyle, true);
  game.view.scrollX = game.view.scrollY = 0;
}

// Fireworks while the spark row is selected, the sparks, the two strips and their markers.
void DrawSparksAndStrips(Game& game, const MenuList& menu, const Layout& at, const Pickers& pickers) {
  Graphics& gfx = game.gfx;
  if (menu.selected == kParticleStyleRow && game.rng.RandInt(0, 100) > 94) SpawnFirework(game, 2);
  UpdateParticles(game, 1);
  DrawParticles(game);

  gfx.SetColor(255, 255, 255);
  gfx.SetScale(2, 2);
  gfx.DrawImage(game.images.colourPick, at.StripX(), at.ColourStripY(), kPickerColourFrame);
  gfx.DrawImage(game.images.colourPick, at.StripX(), at.BrightnessStripY(), kPickerBrightnessFrame);
  gfx.SetScale(1, 1);

  gfx.SetColor(100, 255, 100);
  gfx.Rect(static_cast<float>(at.cx - 46 + 2 * pickers.strip), static_cast<float>(at.cy + 4 * at.pitch + 20), 2, 8);
  gfx.Rect(static_cast<float>(at.cx - 46) + 2 * pickers.brightness, static_cast<float>(at.cy + 5 * at.pitch + 20), 2,
           8);
}

void DrawHighlight(Game& game, float x, float y) {
  game.gfx.SetScale(2, 2);
  game.gfx.DrawImage(game.images.colourPick, x, y, kPickerHighlightFrame);
  game.gfx.SetScale(1, 1);
}

// The display could not be opened: the previous one comes back, and the player is told for 2 seconds.
void RevertDisplay(Game& game, const DisplayPicks& before) {
  // The picture of the game behind the menus is kept: the restored display has its size.
  const ImageHandle backdrop = game.display.menuBackdrop;
  PutPicks(game, before);
  if (OpenDisplay(game)) game.display.menuBackdrop = backdrop;

  Graphics& gfx = game.gfx;
  gfx.Cls();
  gfx.SetColor(0, 255, 255);
  game.DrawText("Unable to set Gfx Mode", 20, 64, 3);
  game.DrawText("Reverting to old settings: " + SelectedMode(game).label, 20, 94, 3);
  PresentFrame(game);
  game.clock.Delay(2000);
}

// Leaving: the display values changed on the screen are kept (the display opened anew, result 2) or
// put back (result 0).
int KeepOrRevert(Game& game, bool withBackdrop, const DisplayPicks& before) {
  if (TakePicks(game) == before) return 0;
  if (!ConfirmDialog(game, withBackdrop, "Keep Changes?")) {
    PutPicks(game, before);
    return 0;
  }
  if (!OpenDisplay(game)) {
    RevertDisplay(game, before);
    return 0;
  }
  // The player chose this display here: it is what gets saved from now on, even if start-up had to
  // fall back from the one in the settings file.
  game.configuredDisplay.reset();
  return 2;
}

}  // namespace

int VideoRowPitch(int screenHeight) { return screenHeight <= 480 ? 32 : 40; }

void PickGridColour(Game& game, int position) {
  const ImageHandle& picker = game.images.colourPick;
  if (!picker || picker->frames <= kPickerColourFrame) return;
  const std::uint32_t rgba = game.gfx.ReadPixel(picker, position + 1, 2, kPickerColourFrame);
  game.settings.gridRed = static_cast<int>(rgba & 0xFF);
  game.settings.gridGreen = static_cast<int>((rgba >> 8) & 0xFF);
  game.settings.gridBlue = static_cast<int>((rgba >> 16) & 0xFF);
}

int VideoSettings(Game& game, bool withBackdrop) {
  Layout at;
  at.cx = game.view.viewWidth / 2;
  at.cy = game.view.viewHeight / 2;
  at.pitch = VideoRowPitch(game.view.viewHeight);

  std::vector<int> rowY;
  for (int k = 0; k < kVideoRows; ++k) rowY.push_back(at.RowY(k));
  ValueScreen screen =
      MakeValueScreen("Video Settings", at.cy - 6 * at.pitch, rowY, withBackdrop, {kKeyEnter}, 20);

  const DisplayPicks before = TakePicks(game);
  // The panel draws with its own view; the game's view is put back for a game that goes on.
  const int scrollX = game.view.scrollX, scrollY = game.view.scrollY;
  Pickers pickers;
  pickers.brightness = game.settings.gridOpacity * 120.0f;

  screen.rowText = [&game](int row) { return RowText(game, row); };
  screen.step = [&game, &pickers](int row, int dx) { StepRow(game, pickers, row, dx); };
  // A choice is cancelled on the rows whose values the left and right controls change.
  screen.choiceEnds = [](int row) {
    return row == kGridStyleRow || row == kStarsRow || row == kParticleStyleRow;
  };
  screen.menu.drawHook = [&at, &pickers](Game& g, const MenuList& menu, int row, MenuColour) {
    switch (row) {
      case kGridStyleRow: DrawLivePanel(g, menu); break;
      case kParticleStyleRow: DrawSparksAndStrips(g, menu, at, pickers); break;
      case kGridColourRow:
        if (menu.selected == kGridColourRow) DrawHighlight(g, at.StripX(), at.ColourStripY());
        break;
      case kGridBrightRow:
        if (menu.selected == kGridBrightRow) DrawHighlight(g, at.StripX(), at.BrightnessStripY());
        break;
      default: break;
    }
  };

  RunValueScreen(game, screen);
  const int result = KeepOrRevert(game, withBackdrop, before);
  if (result == 0) {
    game.view.scrollX = scrollX;
    game.view.scrollY = scrollY;
  }
  return result;
}

}  // namespace qv
