#include "settings/menu_list.h"

#include <cmath>

#include "shell/game.h"

namespace qv {

namespace {

constexpr int kRowHeight = 20;     // the hover strip of a row
constexpr float kStickCut = 0.6f;  // a stick reading inside this is no step
constexpr int kJoyChoiceAge = 120; // more than 15 frames at +8 a frame
constexpr int kHeldStepDebounce = 20;
constexpr MenuColour kTitleColour{255, 0, 0};
constexpr MenuColour kRowColour{0, 200, 0};
constexpr MenuColour kBackdropColour{64, 64, 128};

int CentreX(const Game& game) { return game.view.viewWidth / 2; }
int CentreY(const Game& game) { return game.view.viewHeight / 2; }
int RowCount(const MenuList& menu) { return static_cast<int>(menu.rows.size()); }

// The backdrop: the game's last picture, centred, shrunk by the menu's factor and darkened by the
// colour, drawn without blending.
void DrawBackdrop(Game& game, float scale) {
  Graphics& gfx = game.gfx;
  SetMenuColour(game, kBackdropColour);
  gfx.SetBlend(kSolidBlend);
  gfx.SetScale(scale, scale);
  gfx.DrawImage(game.display.menuBackdrop, static_cast<float>(CentreX(game)), static_cast<float>(CentreY(game)));
  gfx.SetScale(1, 1);
}

bool KeyPressed(Game& game, SideControls controls, int key) {
  return controls == SideControls::Held ? game.in.KeyDown(key) : game.in.KeyHit(key) > 0;
}

bool ButtonPressed(Game& game, SideControls controls, int button) {
  return controls == SideControls::Held ? game.in.MouseDown(button) : game.in.MouseHit(button) > 0;
}

bool MouseOverRow(const Game& game, const MenuList& menu, const MenuRow& row) {
  const MenuRect area = row.hoverArea ? *row.hoverArea : MenuRect{0, row.y, game.view.viewWidth, kRowHeight};
  return RectsOverlap(menu.mouseX - 8, menu.mouseY - 8, 16, 16, area.x, area.y, area.w, area.h);
}

}  // namespace

void SetMenuColour(Game& game, MenuColour c) { game.gfx.SetColor(c.r, c.g, c.b); }

bool RectsOverlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2) {
  if (x1 + w1 < x2 || x2 + w2 < x1) return false;
  if (y1 + h1 < y2 || y2 + h2 < y1) return false;
  return true;
}

void DrawMenuPointer(Game& game, int x, int y, int frame, int size) {
  Graphics& gfx = game.gfx;
  if (frame % 30 < 15)
    gfx.SetColor(255, 32, 32);
  else
    gfx.SetColor(255, 255, 32);
  for (int a = 0; a < 360; a += 45) {
    gfx.SetRotation(static_cast<float>((8 * frame) % 360 + a));
    gfx.Line(static_cast<float>(x - size), static_cast<float>(y - size), static_cast<float>(x + size),
             static_cast<float>(y + size));
  }
  gfx.SetRotation(0);
}

MenuPoint RowPointer(const Game& game, const MenuList& menu, int row) {
  const MenuRow& r = menu.rows[static_cast<std::size_t>(row)];
  if (r.pointerAt) return *r.pointerAt;
  return {CentreX(game) - 300, r.y + 20};
}

void MovePointerToRow(Game& game, const MenuList& menu, int row) {
  if (row < 0 || row >= RowCount(menu)) return;
  const MenuPoint p = RowPointer(game, menu, row);
  game.in.MoveMouse(p.x, p.y);
}

void EnterMenu(Game& game, MenuList& menu, int initialRow, std::optional<MenuPoint> pointer) {
  menu.selected = initialRow;
  game.input.debounce = 20;
  game.in.FlushKeys();
  game.in.FlushMouse();
  if (pointer)
    game.in.MoveMouse(pointer->x, pointer->y);
  else
    MovePointerToRow(game, menu, initialRow);
}

void DrawMenuFrame(Game& game, MenuList& menu) {
  Graphics& gfx = game.gfx;
  const int x = CentreX(game) - 280;

  gfx.Cls();
  menu.mouseX = game.in.MouseX();
  menu.mouseY = game.in.MouseY();
  menu.frameStartMs = game.clock.Millisecs();
  gfx.SetLineWidth(2);
  if (menu.backdropScale > 0) DrawBackdrop(game, menu.backdropScale);

  SetMenuColour(game, kTitleColour);
  game.DrawText(menu.title, x, menu.titleY, 6);
  if (menu.drawHook) menu.drawHook(game, menu, -1, kTitleColour);

  // Row by row: a row drawn before a later row takes the hover keeps the colour it was drawn with.
  for (int k = 0; k < RowCount(menu); ++k) {
    const MenuRow& row = menu.rows[static_cast<std::size_t>(k)];
    if (menu.hover && MouseOverRow(game, menu, row)) menu.selected = k;
    const MenuColour colour = k == menu.selected ? MenuColour{255, 255, (8 * menu.frame) % 255} : kRowColour;
    SetMenuColour(game, colour);
    game.DrawText(row.text, x, row.y, 4);
    if (menu.drawHook) menu.drawHook(game, menu, k, colour);
  }

  DrawMenuPointer(game, menu.pointerMarkAtMouse ? menu.mouseX : CentreX(game) - 300, menu.mouseY, menu.frame, 4);
  PresentFrame(game);
  menu.frame += 1;
  CapFrame(game, menu.frameStartMs);
}

int LatchedStickStep(Game& game, StickAxis axis, bool& held) {
  float v = ReadActiveStick(game, axis);
  (axis == StickAxis::MoveX ? game.input.moveX : game.input.moveY) = v;
  if (std::fabs(v) < kStickCut) v = 0;
  if (v == 0) held = false;
  if (held) v = 0;
  if (v != 0) held = true;  // a reading that is no number latches too, and steps nowhere
  return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

void MenuVerticalStep(Game& game, MenuList& menu) {
  const int n = RowCount(menu);
  const int v = LatchedStickStep(game, StickAxis::MoveY, menu.stickHeldY);
  if (n == 0) return;
  if (game.in.KeyHit(kKeyUp) > 0 || v < 0) {
    menu.selected = menu.selected <= 0 ? n - 1 : menu.selected - 1;
    MovePointerToRow(game, menu, menu.selected);
  }
  if (game.in.KeyHit(kKeyDown) > 0 || v > 0) {
    menu.selected = menu.selected >= n - 1 ? 0 : menu.selected + 1;
    MovePointerToRow(game, menu, menu.selected);
  }
}

int MenuHorizontalStep(Game& game, MenuList& menu, SideControls controls, bool enterStepsRight) {
  int dx = LatchedStickStep(game, StickAxis::MoveX, menu.stickHeldX);
  // Each control is read on its own, so no hit waits behind another.
  const bool leftKey = KeyPressed(game, controls, kKeyLeft);
  const bool leftButton = ButtonPressed(game, controls, 1);
  const bool rightKey = KeyPressed(game, controls, kKeyRight);
  const bool rightButton = ButtonPressed(game, controls, 2);
  const bool enter = enterStepsRight && KeyPressed(game, controls, kKeyEnter);
  const bool left = leftKey || leftButton;
  const bool right = rightKey || rightButton || enter;
  if (controls == SideControls::Hit) {
    if (left) dx = -1;
    if (right) dx = 1;
    return dx;
  }
  int& debounce = game.input.debounce;
  if (left && debounce == 0) {
    dx = -1;
    debounce = kHeldStepDebounce;
  }
  if (right && debounce == 0) {
    dx = 1;
    debounce = kHeldStepDebounce;
  }
  return dx;
}

bool MenuChooseKeys(Game& game, MenuList& menu) {
  bool chosen = false;
  // Every key is read, so no hit is left over for a later frame.
  for (const int key : menu.chooseKeys)
    if (game.in.KeyHit(key) > 0) chosen = true;
  if (menu.chooseLeftClick && game.in.MouseHit(1) > 0) chosen = true;
  bool leave = false;
  for (const int key : menu.leaveKeys)
    if (game.in.KeyHit(key) > 0) leave = true;
  if (leave) {
    menu.selected = menu.leaveRow;
    game.input.debounce = menu.leaveDebounce;
    chosen = true;
  }
  return chosen;
}

bool MenuJoystickChoice(Game& game, MenuList& menu) {
  InputState& input = game.input;
  input.debounce = input.debounce > 0 ? input.debounce - 1 : 0;
  int down = 0;
  for (int b = 0; b < menu.joyButtons; ++b)
    if (game.in.JoyDown(game.settings.usedPort, b)) ++down;
  if (down == 0 || input.debounce != 0 || menu.age <= kJoyChoiceAge) return false;
  if (menu.joyDebounce >= 0) input.debounce = menu.joyDebounce;
  return true;
}

bool MenuChoice(Game& game, MenuList& menu) {
  const bool byKey = MenuChooseKeys(game, menu);
  const bool byJoystick = MenuJoystickChoice(game, menu);
  return byKey || byJoystick;
}

bool RunMenuFrame(Game& game, MenuList& menu) {
  DrawMenuFrame(game, menu);
  MenuVerticalStep(game, menu);
  return MenuChoice(game, menu);
}

void LeaveMenu(Game& game) {
  game.in.FlushKeys();
  game.in.FlushMouse();
}

}  // namespace qv
