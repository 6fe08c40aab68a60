#include "settings/controller_screens.h"

#include <algorithm>
#include <array>
#include <string>

#include "settings/dual_stick.h"
#include "settings/menu_list.h"
#include "settings/outline.h"
#include "settings/settings_screens.h"
#include "settings/text_values.h"
#include "shell/game.h"

namespace qv {

namespace {

constexpr float kSelectionBackdrop = 0.7f;
constexpr float kSetUpBackdrop = 0.6f;
constexpr int kChoiceDebounce = 20;   // after a joystick choice, and after leaving
constexpr int kSetUpJoyButtons = 8;   // the mouse, hybrid and keyboard screens count buttons 0..7 only
constexpr int kHighestButton = 15;
constexpr int kFirstBindableKey = 8;  // the codes below are the mouse buttons of the key numbering

int CentreX(const Game& game) { return game.view.viewWidth / 2; }
int CentreY(const Game& game) { return game.view.viewHeight / 2; }

// Joystick buttons are shown to the player counted from 1.
std::string ShownButton(int button) { return std::to_string(static_cast<long long>(button) + 1); }

// ---------------------------------------------------------------------------------------------------
// Mouse and hybrid.

std::string_view MouseButtonName(int button) {
  static constexpr std::array<std::string_view, 4> kNames = {"None", "Left", "Right", "Middle"};
  if (button < 0 || button > 3) return {};
  return kNames[static_cast<std::size_t>(button)];
}

// The screens cycle "Left", "Right", "Middle"; "None" only ever comes from the file.
int NextMouseButton(int button) { return button >= 3 ? 1 : button + 1; }

std::string_view HybridModeText(int mode) {
  static constexpr std::array<std::string_view, 3> kTexts = {
      "Move: Keys* - Aim: Mouse Relative", "Move: Mouse - Fire: Keys*", "Move: Keys* - Aim: Mouse Centered"};
  if (mode < 0 || mode > 2) return {};
  return kTexts[static_cast<std::size_t>(mode)];
}

int MouseScreen(Game& game, bool withBackdrop, bool hybrid) {
  const int cx = CentreX(game), cy = CentreY(game);
  // Hybrid has its sub-mode row on top; the rest is the same screen.
  const int fire = hybrid ? 1 : 0, bomb = fire + 1, sensitivity = fire + 2, done = fire + 3;

  MenuList menu;
  menu.title = hybrid ? "Hybrid Control" : "Mouse Control";
  menu.titleY = cy - 120;
  for (int k = 0; k <= done; ++k) menu.rows.push_back({"", cy - 40 + 40 * k});
  menu.rows[static_cast<std::size_t>(sensitivity)].text = "Mouse Sensitivity:";
  menu.rows[static_cast<std::size_t>(done)].text = "Done";
  menu.backdropScale = withBackdrop ? kSetUpBackdrop : 0;
  menu.leaveKeys = {kKeyEscape};
  menu.leaveRow = done;
  menu.joyButtons = kSetUpJoyButtons;
  menu.joyDebounce = kChoiceDebounce;
  menu.drawHook = [=](Game& g, const MenuList& m, int row, MenuColour colour) {
    if (row == sensitivity) {
      const int y = m.rows[static_cast<std::size_t>(row)].y;
      SetMenuColour(g, colour);
      g.gfx.Rect(static_cast<float>(cx + 101), static_cast<float>(y + 1),
                 static_cast<float>(TruncateToInt(static_cast<double>(g.settings.mouseSensitivity) * 200.0)), 22);
      g.gfx.SetColor(255, 255, 0);
      DrawOutline(g.gfx, cx + 100, y, 202, 24);
    }
    if (hybrid && row == done) {
      g.gfx.SetColor(0, 200, 0);
      g.DrawText("* configure in Keys Control", cx - 280, cy + 160, 4);
    }
  };

  Settings& s = game.settings;
  EnterMenu(game, menu, done);
  while (!game.ShouldQuit()) {
    if (hybrid) menu.rows[0].text = HybridModeText(s.hybridMode);
    menu.rows[static_cast<std::size_t>(fire)].text = "Fire: " + std::string(MouseButtonName(s.mouseFireButton)) + " Mouse Button";
    menu.rows[static_cast<std::size_t>(bomb)].text = "Bomb: " + std::string(MouseButtonName(s.mouseBombButton)) + " Mouse Button";
    menu.chooseKeys = {s.keyBomb, kKeyEnter};

    DrawMenuFrame(game, menu);
    MenuVerticalStep(game, menu);
    const int dx = MenuHorizontalStep(game, menu, SideControls::Held);
    if (dx != 0) {
      const int row = menu.selected;
      if (hybrid && row == 0) s.hybridMode = s.hybridMode >= 2 ? 0 : s.hybridMode + 1;
      if (row == fire) s.mouseFireButton = NextMouseButton(s.mouseFireButton);
      if (row == bomb) s.mouseBombButton = NextMouseButton(s.mouseBombButton);
      if (row == sensitivity)
        s.mouseSensitivity = dx < 0 ? std::max(0.0f, s.mouseSensitivity - 0.05f) : std::min(1.0f, s.mouseSensitivity + 0.05f);
      if (row == done) break;
    }
    // Only "Done" takes a choice (Escape chooses it); the value rows cancel it.
    if (MenuChoice(game, menu) && menu.selected == done) break;
    menu.age += 8;
  }
  LeaveMenu(game);
  return 0;
}

// ---------------------------------------------------------------------------------------------------
// Keyboard.

struct KeyBinding {
  std::string_view label;
  int Settings::*key;
};
constexpr std::array<KeyBinding, 9> kKeyBindings = {{
    {"Move Left : ", &Settings::keyMoveLeft},
    {"Move Right: ", &Settings::keyMoveRight},
    {"Move Up   : ", &Settings::keyMoveUp},
    {"Move Down : ", &Settings::keyMoveDown},
    {"Fire Left : ", &Settings::keyFireLeft},
    {"Fire Right: ", &Settings::keyFireRight},
    {"Fire Up   : ", &Settings::keyFireUp},
    {"Fire Down : ", &Settings::keyFireDown},
    {"Bomb : ", &Settings::keyBomb},
}};

// The key to bind: the lowest code from 8 up that is down now and was not already held when the
// screen started waiting (the Enter or arrow that chose the row is still down for a few frames; it
// counts once released and pressed again). 0 when there is none.
int NewlyPressedKey(const Input& in, std::array<bool, kKeyCount>& heldWhenAsked) {
  for (int code = kFirstBindableKey; code < kKeyCount; ++code) {
    bool& held = heldWhenAsked[static_cast<std::size_t>(code)];
    if (!in.KeyDown(code))
      held = false;
    else if (!held)
      return code;
  }
  return 0;
}

}  // namespace

int MouseControl(Game& game, bool withBackdrop) { return MouseScreen(game, withBackdrop, false); }
int HybridControl(Game& game, bool withBackdrop) { return MouseScreen(game, withBackdrop, true); }

int KeyboardControl(Game& game, bool withBackdrop) {
  const int cy = CentreY(game);
  const int p = game.view.viewHeight < 600 ? 32 : 40;
  const int done = static_cast<int>(kKeyBindings.size());

  MenuList menu;
  menu.title = "Keyboard Control";
  menu.titleY = cy - 6 * p;
  for (int k = 0; k < done; ++k) menu.rows.push_back({"", cy + (k - 4) * p});
  menu.rows.push_back({"Done", cy + 5 * p});
  menu.backdropScale = withBackdrop ? kSetUpBackdrop : 0;
  menu.chooseKeys = {kKeyEnter, kKeyRight, kKeyLeft};
  menu.chooseLeftClick = true;
  menu.joyButtons = kSetUpJoyButtons;
  menu.joyDebounce = kChoiceDebounce;

  bool waiting = false;
  std::array<bool, kKeyCount> heldWhenAsked{};
  EnterMenu(game, menu, done);
  while (!game.ShouldQuit()) {
    // While waiting, the chosen row's key name blinks.
    const bool blank = waiting && menu.age % 30 < 15;
    for (int k = 0; k < done; ++k) {
      const KeyBinding& b = kKeyBindings[static_cast<std::size_t>(k)];
      const std::string_view name = blank && k == menu.selected ? std::string_view{} : KeyName(game.keyNames, game.settings.*b.key);
      menu.rows[static_cast<std::size_t>(k)].text = std::string(b.label) + std::string(name);
    }
    menu.hover = !waiting;

    DrawMenuFrame(game, menu);
    if (!waiting) {
      MenuVerticalStep(game, menu);
      if (MenuChooseKeys(game, menu)) {
        if (menu.selected == done) break;
        waiting = true;
        game.in.FlushKeys();
        for (int code = 0; code < kKeyCount; ++code) heldWhenAsked[static_cast<std::size_t>(code)] = game.in.KeyDown(code);
      }
    } else {
      game.in.MouseHit(1);  // a click while waiting chooses nothing afterwards
      if (const int code = NewlyPressedKey(game.in, heldWhenAsked); code != 0) {
        game.in.FlushKeys();
        game.settings.*kKeyBindings[static_cast<std::size_t>(menu.selected)].key = code;
        waiting = false;
      }
    }
    // Joystick buttons leave from any row, waiting or not; Escape is a key like any other here.
    if (MenuJoystickChoice(game, menu)) break;
    menu.age += 8;
  }
  LeaveMenu(game);
  return 0;
}

int JoypadControl(Game& game, bool withBackdrop) {
  const int cx = CentreX(game), cy = CentreY(game);
  constexpr int kModeRow = 0, kDone = 7;
  // Items 1..6 each hold one joystick button. The four boxes form the diamond of the four-button
  // cluster: play takes "up" as the top box's button, since its vertical is up minus down with y
  // growing downward, so the top box edits the down button and the bottom box the up button.
  static constexpr std::array<int Settings::*, 7> kButtonOf = {
      nullptr, &Settings::joypadBombButton, &Settings::joypadOptionButton, &Settings::joypadDownButton,
      &Settings::joypadLeftButton, &Settings::joypadRightButton, &Settings::joypadUpButton};
  const auto box = [](int x, int y) { return MenuRect{x, y, 40, 30}; };

  MenuList menu;
  menu.title = "Joypad Control";
  menu.titleY = cy - 160;
  menu.rows = {
      {"", cy - 80},
      {"", cy - 40},
      {"", cy},
      {"", cy + 40, box(cx + 64, cy + 40), MenuPoint{cx + 44, cy + 60}},
      {"", cy + 80, box(cx, cy + 80), MenuPoint{cx - 20, cy + 100}},
      {"", cy + 80, box(cx + 128, cy + 80), MenuPoint{cx + 108, cy + 100}},
      {"", cy + 120, box(cx + 64, cy + 120), MenuPoint{cx + 44, cy + 140}},
      {"Done", cy + 160},
  };
  menu.backdropScale = withBackdrop ? kSetUpBackdrop : 0;
  menu.pointerMarkAtMouse = true;
  menu.leaveKeys = {kKeyEscape};
  menu.leaveRow = kDone;
  menu.joyDebounce = kChoiceDebounce;
  menu.drawHook = [](Game& g, const MenuList& m, int row, MenuColour colour) {
    if (row < 3 || row > 6) return;
    const MenuRect& r = *m.rows[static_cast<std::size_t>(row)].hoverArea;
    SetMenuColour(g, colour);
    DrawOutline(g.gfx, r.x, r.y, r.w, r.h);
    g.DrawText(ShownButton(g.settings.*kButtonOf[static_cast<std::size_t>(row)]), r.x + 8, r.y + 8, 3);
  };

  Settings& s = game.settings;
  EnterMenu(game, menu, kDone);
  while (!game.ShouldQuit()) {
    menu.rows[kModeRow].text = s.joypadMode == 1 ? "Move: 4-Buttons  Fire: D Pad" : "Move: D Pad  Fire: 4-Buttons";
    menu.rows[1].text = "Bomb: Button  [" + ShownButton(s.joypadBombButton) + "]";
    menu.rows[2].text = "Option: Button  [" + ShownButton(s.joypadOptionButton) + "]";

    DrawMenuFrame(game, menu);
    MenuVerticalStep(game, menu);
    const int dx = MenuHorizontalStep(game, menu, SideControls::Hit, true);  // Enter steps right too
    const int item = menu.selected;
    if (item == kModeRow && dx != 0) s.joypadMode = s.joypadMode == 1 ? 0 : 1;
    if (item >= 1 && item <= 6) {
      int& button = s.*kButtonOf[static_cast<std::size_t>(item)];
      if (dx < 0) button = button > 0 ? std::min(button - 1, kHighestButton) : 0;
      if (dx > 0) button = button < kHighestButton ? std::max(button + 1, 0) : kHighestButton;
      // Every button held is stored in turn: the highest one wins.
      for (int b = 0; b < kJoyButtons; ++b)
        if (game.in.JoyDown(s.usedPort, b)) button = b;
    }
    if (item == kDone && dx != 0) break;
    // A joystick button on items 0..6 is being bound, not choosing: only "Done" leaves (Escape
    // chooses it).
    if (MenuChoice(game, menu) && menu.selected == kDone) break;
    menu.age += 8;
  }
  LeaveMenu(game);
  return 0;
}

int ControllerSelection(Game& game, bool withBackdrop) {
  const int cy = CentreY(game);
  constexpr int kType = 0, kConfigure = 1, kDone = 2;

  MenuList menu;
  menu.title = "Controller Selection";
  menu.titleY = cy - 80;
  menu.rows = {{"", cy}, {"Configure Controls", cy + 40}, {"Done", cy + 80}};
  menu.backdropScale = withBackdrop ? kSelectionBackdrop : 0;
  menu.leaveKeys = {kKeyEscape};
  menu.leaveRow = kDone;
  menu.joyDebounce = kChoiceDebounce;

  Settings& s = game.settings;
  EnterMenu(game, menu, kDone);
  while (!game.ShouldQuit()) {
    menu.rows[kType].text = "Type: " + std::string(ControlTypeName(s.controlType));
    // The bomb key may have been rebound, or reloaded, by a set-up screen.
    menu.chooseKeys = {s.keyBomb, kKeyEnter};

    DrawMenuFrame(game, menu);
    MenuVerticalStep(game, menu);
    const int dx = MenuHorizontalStep(game, menu, SideControls::Hit);
    const bool chosen = MenuChoice(game, menu);  // Escape chooses "Done"
    const int row = menu.selected;
    if (row == kType) {
      // A choice steps backwards, so a choice and a step right in one frame cancel out.
      int type = static_cast<int>(s.controlType);
      if (dx < 0 || chosen) type = type <= 0 ? kControlTypeCount - 1 : type - 1;
      if (dx > 0) type = type >= kControlTypeCount - 1 ? 0 : type + 1;
      s.controlType = static_cast<ControlType>(type);
    } else if (row == kConfigure && (dx != 0 || chosen)) {
      switch (s.controlType) {
        case ControlType::DualAnalog: DualStickScreen(game); break;
        case ControlType::Mouse: MouseControl(game, withBackdrop); break;
        case ControlType::Keyboard: KeyboardControl(game, withBackdrop); break;
        case ControlType::Joypad: JoypadControl(game, withBackdrop); break;
        case ControlType::Hybrid: HybridControl(game, withBackdrop); break;
      }
      if (game.ShouldQuit()) break;
      // Play reads the joystick record of the port now in use.
      game.activeJoy = ApplyUsedPort(s);
      MovePointerToRow(game, menu, kConfigure);
      menu.age = 0;
      game.input.debounce = kChoiceDebounce;
      LeaveMenu(game);  // drops what the set-up screen left pending
    } else if (row == kDone && (dx != 0 || chosen)) {
      break;
    }
    menu.age += 8;
  }
  LeaveMenu(game);
  return 0;
}

}  // namespace qv
