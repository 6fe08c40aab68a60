#include "render/display.h"

#include <algorithm>
#include <string>

#include "platform/text_file.h"
#include "shell/game.h"

namespace qv {

namespace {

struct NamedSize {
  const char* name;
  int width, height;
};

// Entry 0 ("USER") takes the configured size; the rest are the named screen sizes.
constexpr NamedSize kNamedModes[kModeCount] = {
    {"USER", 0, 0},          {"BWMac", 512, 384},     {"VGA", 640, 480},       {"????", 720, 400},
    {"NTSCDVD", 720, 480},   {"PALDVD", 720, 576},    {"SVGA", 800, 600},      {"XGA-", 1024, 720},
    {"XGA", 1024, 768},      {"XGA+", 1152, 864},     {"XGA++", 1152, 870},    {"720p", 1280, 720},
    {"WXGA", 1280, 768},     {"WXGA+", 1280, 800},    {"WXGA++", 1280, 854},   {"WXGA+++", 1280, 960},
    {"SXGA", 1280, 1024},    {"WSXGA", 1440, 900},    {"SXGA+", 1400, 1050},   {"WSXGA", 1600, 1024},
    {"UXGA", 1600, 1200},    {"UXGA+", 1600, 1280},   {"WSXGA+", 1680, 1050},  {"?????", 1800, 1440},
    {"1080p", 1920, 1080},   {"WUXGA", 1920, 1200},   {"DUALW", 2048, 768},    {"QXGA", 2048, 1536},
    {"DUALW+", 2560, 1024},  {"WQXGA", 2560, 1600},   {"QSXGA", 2560, 2048},   {"WQSXGA", 3200, 2048},
    {"QUXGA", 3200, 2400},   {"WQUXGA", 3840, 2400},  {"HSXGA", 5120, 4096},
};

std::string SizeLabel(int w, int h) { return std::to_string(w) + "X" + std::to_string(h); }

void WriteErrorFile(const std::string& line) { WriteFileAtomic("errors.txt", line + "\r\n"); }

}  // namespace

// A size from the file outside these limits could not be drawn (or would ask for gigabytes of
// lattice): it is brought to the nearest size the game can show.
void SanitiseDisplaySettings(Settings& settings) {
  settings.playfieldWidth = std::clamp(settings.playfieldWidth, kMinSide, kMaxPlayfieldSide);
  settings.playfieldHeight = std::clamp(settings.playfieldHeight, kMinSide, kMaxPlayfieldSide);
  settings.screenWidth = std::clamp(settings.screenWidth, kMinSide, kMaxScreenSide);
  settings.screenHeight = std::clamp(settings.screenHeight, kMinSide, kMaxScreenSide);
}

void BuildModeTable(DisplayTables& tables, const Settings& settings) {
  for (int i = 0; i < kModeCount; ++i) {
    DisplayMode& m = tables.modeTable[i];
    m.name = kNamedModes[i].name;
    m.width = i == 0 ? settings.screenWidth : kNamedModes[i].width;
    m.height = i == 0 ? settings.screenHeight : kNamedModes[i].height;
    m.label = SizeLabel(m.width, m.height);
  }
  for (int i = 1; i < kModeCount; ++i) tables.playfieldSizes[i] = {kNamedModes[i].width, kNamedModes[i].height};
}

void SelectModeFromSettings(DisplayTables& tables, const Settings& settings) {
  tables.playfieldIndex = 0;
  tables.playfieldSizes[0] = {settings.playfieldWidth, settings.playfieldHeight};
  tables.modeIndex = 0;
  for (int i = 0; i < kModeCount; ++i)
    if (tables.modeTable[i].width == settings.screenWidth && tables.modeTable[i].height == settings.screenHeight)
      tables.modeIndex = i;
}

void ApplySelectedMode(const DisplayTables& tables, Settings& settings, ViewState& view) {
  const DisplayMode& mode = tables.modeTable[std::clamp(tables.modeIndex, 0, kLastModeIndex)];
  const PlayfieldSize& field = tables.playfieldSizes[std::clamp(tables.playfieldIndex, 0, kLastModeIndex)];
  view.viewWidth = mode.width;
  view.viewHeight = mode.height;
  view.fieldWidth = field.width;
  view.fieldHeight = field.height;
  settings.screenWidth = mode.width;
  settings.screenHeight = mode.height;
  settings.playfieldWidth = field.width;
  settings.playfieldHeight = field.height;
}

DisplayChoice TakeDisplayChoice(const Settings& s) {
  return {s.screenWidth, s.screenHeight, s.playfieldWidth, s.playfieldHeight, s.windowed, s.scroll};
}

void RestoreDisplayChoice(Settings& s, const DisplayChoice& c) {
  s.screenWidth = c.screenWidth;
  s.screenHeight = c.screenHeight;
  s.playfieldWidth = c.playfieldWidth;
  s.playfieldHeight = c.playfieldHeight;
  s.windowed = c.windowed;
  s.scroll = c.scroll;
}

bool OpenDisplay(Game& game) {
  ApplySelectedMode(game.display, game.settings, game.view);
  const int w = game.view.viewWidth, h = game.view.viewHeight;

  DisplayRequest request{w, h, 32, 60, game.settings.windowed};
  bool opened = false;
  if (!game.settings.windowed) {
    for (int depth : {32, 24, 16}) {
      if (game.gfx.FullscreenModeExists(w, h, depth, 60)) {
        request.depth = depth;
        opened = game.gfx.OpenDisplay(request);
        break;
      }
    }
    if (!opened) {
      WriteErrorFile("Could not set graphics mode: Fullscreen - " + SizeLabel(w, h));
      return false;
    }
  } else {
    opened = game.gfx.WindowModeExists(w, h) && game.gfx.OpenDisplay(request);
    if (!opened) {
      WriteErrorFile("Can not set graphics mode: Windowed - " + SizeLabel(w, h));
      return false;
    }
  }

  ConfigureGrid(game.grid, game.settings.gridSpacing, game.view.fieldWidth, game.view.fieldHeight);
  LoadImageSet(game.gfx, game.images, game.settings.gfxSet, game.dataFolder);
  if (w < game.view.fieldWidth || h < game.view.fieldHeight) game.settings.scroll = 1;
  game.view.scrollX = game.view.scrollY = 0;
  game.display.menuBackdrop = game.gfx.CreateImage(w, h);
  game.gfx.SetLineWidth(2);
  CreateStars(game.stars, game.rng, game.view.fieldWidth, game.view.fieldHeight, w, h);
  return true;
}

bool ToggleWindowed(Game& game) {
  // The frame keeps its size, so the view and the picture behind an open menu stay as they are.
  const int scrollX = game.view.scrollX, scrollY = game.view.scrollY;
  const ImageHandle backdrop = game.display.menuBackdrop;
  game.settings.windowed = !game.settings.windowed;
  const bool changed = OpenDisplay(game);
  if (!changed) {
    game.settings.windowed = !game.settings.windowed;
    OpenDisplay(game);
  } else if (game.configuredDisplay) {
    // This run shows a fallback size: the player's choice of a window is what gets saved.
    game.configuredDisplay->windowed = game.settings.windowed;
  }
  game.view.scrollX = scrollX;
  game.view.scrollY = scrollY;
  game.display.menuBackdrop = backdrop;
  return changed;
}

}  // namespace qv
