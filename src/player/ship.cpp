#include "player/ship.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "effects/grid.h"
#include "effects/particles.h"
#include "effects/stars.h"
#include "effects/trail.h"
#include "enemies/black_hole.h"
#include "enemies/triangle.h"
#include "platform/degmath.h"
#include "player/shots.h"
#include "scoring/floating_text.h"
#include "scoring/score.h"
#include "settings/menus.h"
#include "settings/stick_axis.h"
#include "shell/game.h"
#include "shell/game_flow.h"

namespace qv {

namespace {

float Down(const Game& game, int key) { return game.in.KeyDown(key) ? 1.0f : 0.0f; }
float Button(const Game& game, int button) { return game.in.JoyDown(game.settings.usedPort, button) ? 1.0f : 0.0f; }

AxisSlots PortAxes(const Input& in, int port) {
  AxisSlots slots{};
  for (int i = 0; i < kAxisSlotCount; ++i) slots[static_cast<std::size_t>(i)] = in.JoyAxis(port, i);
  return slots;
}

void MoveFromKeys(Game& game) {
  const Settings& s = game.settings;
  game.input.moveX = Down(game, s.keyMoveRight) - Down(game, s.keyMoveLeft);
  game.input.moveY = Down(game, s.keyMoveDown) - Down(game, s.keyMoveUp);
}

// The fire keys; with autofire the direction sticks and the ship keeps firing the last way.
void FireFromKeys(Game& game) {
  const Settings& s = game.settings;
  InputState& in = game.input;
  const float right = Down(game, s.keyFireRight), left = Down(game, s.keyFireLeft);
  const float down = Down(game, s.keyFireDown), up = Down(game, s.keyFireUp);
  if (s.autofire == 0) {
    in.fireX = right - left;
    in.fireY = down - up;
    return;
  }
  if (right > 0) {
    in.fireX = 1;
    in.fireY = down - up;
  }
  if (left > 0) {
    in.fireX = -1;
    in.fireY = down - up;
  }
  if (down > 0) {
    in.fireY = 1;
    in.fireX = right - left;
  }
  if (up > 0) {
    in.fireY = -1;
    in.fireX = right - left;
  }
}

// The mouse scheme's motion: the pointer's offset from the screen centre, then back to the centre.
void MoveFromMouse(Game& game, bool fireWithMotion) {
  const Settings& s = game.settings;
  InputState& in = game.input;
  const int cx = game.view.viewWidth / 2, cy = game.view.viewHeight / 2;
  const float dx = static_cast<float>(game.in.MouseX() - cx), dy = static_cast<float>(game.in.MouseY() - cy);
  game.in.MoveMouse(cx, cy);
  in.moveX = dx / 128 * (1 + 5 * s.mouseSensitivity);
  in.moveY = dy / 128 * (1 + 5 * s.mouseSensitivity);
  if (!fireWithMotion) return;
  if (game.in.MouseDown(s.mouseFireButton)) {
    if (in.moveX != 0 || in.moveY != 0) {
      in.fireX = dx / 16;
      in.fireY = dy / 16;
    }
  } else if (s.autofire == 0) {
    in.fireX = in.fireY = 0;
  }
}

bool MouseOrKeyBomb(const Game& game) {
  return game.in.KeyDown(game.settings.keyBomb) || game.in.MouseDown(game.settings.mouseBombButton);
}

void HybridAimRelative(Game& game) {
  const Settings& s = game.settings;
  PlayerShip& ship = game.ship;
  InputState& in = game.input;
  ship.aimX = static_cast<float>(game.in.MouseX());
  ship.aimY = static_cast<float>(game.in.MouseY());
  const float dx = ship.aimX - (ship.x - game.view.scrollX), dy = ship.aimY - (ship.y - game.view.scrollY);
  const float len = std::max(1.0f, Length(dx, dy));
  if (game.in.MouseDown(s.mouseFireButton)) {
    in.fireX = dx / len;
    in.fireY = dy / len;
  } else if (s.autofire == 0) {
    in.fireX = in.fireY = 0;
  }
  DrawMenuPointer(game, game.in.MouseX(), game.in.MouseY(), game.state.gameTicks, 7);
}

void HybridAimCentred(Game& game) {
  const Settings& s = game.settings;
  PlayerShip& ship = game.ship;
  InputState& in = game.input;
  const float dx = static_cast<float>(game.in.MouseX() - game.view.viewWidth / 2);
  const float dy = static_cast<float>(game.in.MouseY() - game.view.viewHeight / 2);
  const float len = Length(dx, dy);
  const bool follow = s.autofire != 0 || game.in.MouseDown(s.mouseFireButton);
  if (follow) {
    if (len > 1) {
      ship.aimX = dx / len;
      ship.aimY = dy / len;
    }
    in.fireX = ship.aimX;
    in.fireY = ship.aimY;
  } else {
    in.fireX = in.fireY = 0;
  }
  // The fire keys nudge the aim; each nudge also narrows the other component.
  auto copy = [&] {
    in.fireX = ship.aimX;
    in.fireY = ship.aimY;
  };
  if (game.in.KeyDown(s.keyFireUp)) {
    if (ship.aimY > -1) ship.aimY -= 0.1f;
    if (ship.aimX != 0) ship.aimX *= 0.8f;
    copy();
  }
  if (game.in.KeyDown(s.keyFireDown)) {
    if (ship.aimY < 1) ship.aimY += 0.1f;
    if (ship.aimX != 0) ship.aimX *= 0.8f;
    copy();
  }
  if (game.in.KeyDown(s.keyFireRight)) {
    if (ship.aimX < 1) ship.aimX += 0.1f;
    if (ship.aimY != 0) ship.aimY *= 0.8f;
    copy();
  }
  if (game.in.KeyDown(s.keyFireLeft)) {
    if (ship.aimX > -1) ship.aimX -= 0.1f;
    if (ship.aimY != 0) ship.aimY *= 0.8f;
    copy();
  }
  DrawMenuPointer(game, static_cast<int>(ship.x + 80 * ship.aimX - game.view.scrollX),
                  static_cast<int>(ship.y + 80 * ship.aimY - game.view.scrollY), game.state.gameTicks, 7);
}

// Whether the move limit of this scheme is the mouse's (1 + 10 x sensitivity) rather than 1.
bool MouseMoves(const Settings& s) {
  return s.controlType == ControlType::Mouse || (s.controlType == ControlType::Hybrid && s.hybridMode == 1);
}

void Inertia(Game& game) {
  const Settings& s = game.settings;
  PlayerShip& ship = game.ship;
  InputState& in = game.input;
  ship.lastMoveX *= s.inertia;
  ship.lastMoveY *= s.inertia;
  in.moveX += ship.lastMoveX;
  in.moveY += ship.lastMoveY;
  const float len = Length(in.moveX, in.moveY);
  if (MouseMoves(s)) {
    const float limit = 1 + 10 * s.mouseSensitivity;
    if (len > limit) {
      in.moveX /= limit;
      in.moveY /= limit;
    }
  } else if (len > 1) {
    in.moveX /= len;
    in.moveY /= len;
  }
  ship.lastMoveX = in.moveX;
  ship.lastMoveY = in.moveY;
}

void Move(Game& game) {
  PlayerShip& ship = game.ship;
  const InputState& in = game.input;
  const float w = static_cast<float>(game.view.fieldWidth), h = static_cast<float>(game.view.fieldHeight);
  ship.x += in.moveX * ship.speed;
  if (ship.x < 16 || ship.x > w - 16) {
    ship.x -= in.moveX * ship.speed;
    ship.lastMoveX = -ship.lastMoveX;
  }
  ship.y += in.moveY * ship.speed;
  if (ship.y < 16 || ship.y > h - 16) {
    ship.y -= in.moveY * ship.speed;
    ship.lastMoveY = -ship.lastMoveY;
  }
  if (in.moveX != 0 || in.moveY != 0) ship.angle = static_cast<int>(Atan2Deg(in.moveY, in.moveX) - 90);
}

void EmitTrail(Game& game) {
  const PlayerShip& ship = game.ship;
  const InputState& in = game.input;
  if (!(std::fabs(in.moveX) > 0.1f || std::fabs(in.moveY) > 0.1f)) return;
  const Rgb& c = game.colours[kTrailColour];
  for (int i = 0; i < 3; ++i) {
    const double b = 12.0 * game.state.gameTicks + 45.0 * i;
    AddTrailSpark(game, ship.x - 12 * in.moveX + 8 * SinDeg(b), ship.y - 12 * in.moveY + 8 * CosDeg(b), -in.moveX,
                  -in.moveY, c.red, c.green, c.blue);
  }
}

// The view glides 2 to 10 pixels a frame as the ship comes within 500 pixels of a screen edge, and
// may show up to 80 pixels beyond the playfield.
void ScrollAxis(float pos, int& scroll, int viewSize, int fieldSize) {
  const int d = static_cast<int>(pos - scroll);
  if (d < 500) {
    scroll -= 2 * (5 - d / 100);
    if (scroll < -80) scroll = -80;
  }
  const int e = static_cast<int>(pos - scroll - viewSize);
  if (e > -500) {
    scroll += 2 * (5 - std::abs(e) / 100);
    if (scroll > fieldSize - viewSize + 80) scroll = fieldSize - viewSize + 80;
  }
}

void Message(Game& game, const std::string& text) {
  AddFloatingText(game, text, static_cast<int>(game.ship.x - 100), static_cast<int>(game.ship.y - 64), 2);
}

void FunctionKeys(Game& game) {
  Settings& s = game.settings;
  GameState& st = game.state;
  PlayerShip& ship = game.ship;
  Input& in = game.in;
  if (in.KeyHit(114) > 0) {  // F3
    s.gridStyle = s.gridStyle + 1 > 20 ? 0 : s.gridStyle + 1;
    Message(game, "Grid Style =" + std::to_string(s.gridStyle));
  }
  if (in.KeyHit(115) > 0) {  // F4
    s.starCount = s.starCount + 100 > kMaxStars ? 0 : s.starCount + 100;
    Message(game, "Number of Stars =" + std::to_string(s.starCount));
  }
  if (in.KeyHit(116) > 0) {  // F5
    s.particleGravity = s.particleGravity != 0 ? 0 : 1;
    Message(game, s.particleGravity ? "Particle Gravity ON" : "Particle Gravity OFF");
  }
  if (in.KeyHit(117) > 0) {  // F6
    s.particleStyle = s.particleStyle + 1 > 3 ? 0 : s.particleStyle + 1;
    Message(game, "Particle - Style " + std::to_string(s.particleStyle));
  }
  if (in.KeyHit(118) > 0) {  // F7
    game.debugMode = game.debugMode ? 0 : 1;
    Message(game, game.debugMode ? "Debug ON" : "Debug OFF");
  }
  if (in.KeyHit(112) > 0) {  // F1: a cheated game never enters the table, even once cheats are off
    st.scoreEligible = 0;
    st.cheatMode = st.cheatMode ? 0 : 1;
    Message(game, st.cheatMode ? "Cheatmode ON" : "Cheatmode OFF");
  }
  const bool cheat = st.cheatMode != 0;
  if (in.KeyHit('1') > 0 && cheat) ship.reverseTimer += 450;
  if (in.KeyHit('2') > 0 && cheat) ship.sideTimer += 450;
  if (in.KeyHit('3') > 0 && cheat) ship.superTimer += 450;
  if (in.KeyHit('4') > 0 && cheat) ship.bouncyTimer += 450;
  if (in.KeyHit('X') > 0 && cheat) ship.cannons = std::min(ship.cannons + 1, 4);
  if (in.KeyHit('Z') > 0 && cheat) ship.shotSpeed = std::min(ship.shotSpeed + 1, 5.0f);
  if (in.KeyHit(113) > 0 && cheat) {  // F2
    st.godMode = st.godMode ? 0 : 1;
    Message(game, st.godMode ? "God Mode ON" : "God Mode OFF");
  }
}

void Timers(PlayerShip& ship) {
  for (int* t : {&ship.reverseTimer, &ship.sideTimer, &ship.shieldTimer, &ship.superTimer, &ship.bouncyTimer})
    if (*t > 0) *t -= 1;
  if (ship.fireCooldown > 0) ship.fireCooldown -= 1;
}

struct VolleyShot {
  int angle;
  float factor;
};

// The shots of one volley in table order, for the weapon's state.
int VolleyPattern(const Game& game, VolleyShot* out, bool& leadOut) {
  const PlayerShip& ship = game.ship;
  int n = 0;
  leadOut = false;
  if (game.debugMode == 0) {
    if (ship.cannons % 2 == 1) out[n++] = {0, 3.2f};
    if (ship.cannons > 1) {
      const int s = ship.cannons % 2 == 0 ? 2 : 4;
      out[n++] = {s, 3.15f};
      out[n++] = {-s, 3.15f};
    }
    if (ship.cannons > 3) {
      out[n++] = {5, 3.1f};
      out[n++] = {-5, 3.1f};
    }
    if (ship.reverseTimer > 0) out[n++] = {-180, 3.0f};
    if (ship.sideTimer > 0) {
      out[n++] = {90, 3.0f};
      out[n++] = {-90, 3.0f};
    }
    return n;
  }
  switch (ship.cannons) {
    case 2:
      out[n++] = {12, 2.0f};
      out[n++] = {-12, 2.0f};
      leadOut = true;
      break;
    case 3:
      out[n++] = {3, 2.0f};
      out[n++] = {2, 2.05f};
      out[n++] = {0, 2.05f};
      out[n++] = {-2, 2.05f};
      out[n++] = {-3, 2.0f};
      break;
    case 4:
      out[n++] = {-2, 2.0f};
      out[n++] = {0, 2.25f};
      out[n++] = {2, 2.0f};
      break;
    default:
      out[n++] = {0, 2.0f};
      break;
  }
  if (ship.reverseTimer > 0) out[n++] = {-180, 2.0f};
  if (ship.sideTimer > 0) {
    out[n++] = {90, 2.0f};
    out[n++] = {-90, 2.0f};
  }
  return n;
}

// Volleys fall on a fixed beat: the cooldown reloads whether or not the player fires.
void Volley(Game& game) {
  PlayerShip& ship = game.ship;
  InputState& in = game.input;
  if (ship.fireCooldown != 0) return;
  if (game.debugMode == 0) {
    ship.fireCooldown = ship.cannons / 2 + 4;
  } else {
    static constexpr int kDebugCooldown[] = {4, 4, 8, 10, 8};
    ship.fireCooldown = kDebugCooldown[std::clamp(ship.cannons, 0, 4)];
  }
  if (in.fireX == 0 && in.fireY == 0) return;
  const float len = Length(in.fireX, in.fireY);
  in.fireX /= len;
  in.fireY /= len;
  VolleyShot pattern[12];
  bool leadOut = false;
  const int n = VolleyPattern(game, pattern, leadOut);
  for (int i = 0; i < n; ++i) {
    float vx = in.fireX * ship.shotSpeed * pattern[i].factor;
    float vy = in.fireY * ship.shotSpeed * pattern[i].factor;
    RotateVector(pattern[i].angle, vx, vy);
    // the debug fork of two cannons starts 25 steps out along each shot's own path
    const float ox = leadOut && i < 2 ? 25 * vx : 0, oy = leadOut && i < 2 ? 25 * vy : 0;
    CreateShot(game, ship.x + ox, ship.y + oy, vx, vy, ship.shotSpeed * pattern[i].factor);
  }
  game.PlaySound(1, 0, 1, Sound::ShotBorn);
}

void TriangleBeams(Game& game) {
  bool hit = false;
  game.triangles.ForEach([&](Triangle& t) {
    if (hit || t.paired != 1 || t.tetherChecked) return;
    std::shared_ptr<Triangle> partner = t.partner.lock();
    if (!partner) return;
    t.tetherChecked = 1;
    partner->tetherChecked = 1;
    if (NearSegment(t.x, t.y, partner->x, partner->y, game.ship.x, game.ship.y, 12)) {
      hit = true;
      ShipHit(game);
    }
  });
}

void BlackHolePull(Game& game) {
  PlayerShip& ship = game.ship;
  game.blackHoles.ForEach([&](BlackHole& b) {
    const float dx = b.x - ship.x, dy = b.y - ship.y;
    const float d = Length(dx, dy);
    if (d < 10 * b.size && d > 0) {
      ship.x += dx / d / 30 * b.size;
      ship.y += dy / d / 30 * b.size;
    }
  });
}

}  // namespace

void RotateVector(int angle, float& vx, float& vy) {
  const float c = CosDeg(angle), s = SinDeg(angle);
  const float x = vx * c - vy * s;
  const float y = vx * s + vy * c;
  vx = x;
  vy = y;
}

bool NearSegment(float ax, float ay, float bx, float by, float px, float py, float r) {
  const float abx = bx - ax, aby = by - ay;
  const float len2 = abx * abx + aby * aby;
  float qx = ax, qy = ay;
  if (len2 > 0) {
    float t = ((px - ax) * abx + (py - ay) * aby) / len2;
    t = std::clamp(t, 0.0f, 1.0f);
    qx = ax + t * abx;
    qy = ay + t * aby;
  }
  return Length(px - qx, py - qy) <= r;
}

bool ReadControls(Game& game) {
  const Settings& s = game.settings;
  InputState& in = game.input;
  switch (s.controlType) {
    case ControlType::DualAnalog: {
      const ActiveJoyConfig& j = game.activeJoy;
      const AxisSlots slots = PortAxes(game.in, s.usedPort);
      in.moveX = ReadStickAxis(slots, j.moveXAxis, j.moveXScale, j.moveXInvert, j.moveXCentre);
      in.moveY = ReadStickAxis(slots, j.moveYAxis, j.moveYScale, j.moveYInvert, j.moveYCentre);
      in.fireX = ReadStickAxis(slots, j.fireXAxis, j.fireXScale, j.fireXInvert, j.fireXCentre);
      in.fireY = ReadStickAxis(slots, j.fireYAxis, j.fireYScale, j.fireYInvert, j.fireYCentre);
      if (std::fabs(in.moveX) < j.moveXDeadZone && std::fabs(in.moveY) < j.moveYDeadZone) in.moveX = in.moveY = 0;
      if (std::fabs(in.fireX) < j.fireXDeadZone && std::fabs(in.fireY) < j.fireYDeadZone) in.fireX = in.fireY = 0;
      return game.in.JoyDown(s.usedPort, j.bombButton);
    }
    case ControlType::Mouse:
      MoveFromMouse(game, true);
      return MouseOrKeyBomb(game);
    case ControlType::Keyboard:
      MoveFromKeys(game);
      FireFromKeys(game);
      return game.in.KeyDown(s.keyBomb);
    case ControlType::Joypad: {
      // Both the axes and the buttons come from the port in use, so a pad on any port plays.
      const float axisX = game.in.JoyAxis(s.usedPort, 0), axisY = game.in.JoyAxis(s.usedPort, 1);
      const float bx = Button(game, s.joypadRightButton) - Button(game, s.joypadLeftButton);
      const float by = Button(game, s.joypadUpButton) - Button(game, s.joypadDownButton);
      if (s.joypadMode == 0) {
        in.moveX = axisX;
        in.moveY = axisY;
        in.fireX = bx;
        in.fireY = by;
      } else {
        in.moveX = bx;
        in.moveY = by;
        in.fireX = axisX;
        in.fireY = axisY;
      }
      return game.in.JoyDown(s.usedPort, s.joypadBombButton);
    }
    case ControlType::Hybrid:
      switch (s.hybridMode) {
        case 1:
          MoveFromMouse(game, false);
          FireFromKeys(game);
          break;
        case 2:
          MoveFromKeys(game);
          HybridAimCentred(game);
          break;
        default:
          MoveFromKeys(game);
          HybridAimRelative(game);
          break;
      }
      return MouseOrKeyBomb(game);
  }
  return false;
}

void UpdateShip(Game& game) {
  PlayerShip& ship = game.ship;
  InputState& in = game.input;

  const bool bombHeld = ReadControls(game);
  if (in.debounce > 0) in.debounce -= 1;
  if (bombHeld && in.debounce == 0) Bomb(game);

  Inertia(game);
  Move(game);
  EmitTrail(game);
  if (game.settings.scroll == 1) {
    ScrollAxis(ship.x, game.view.scrollX, game.view.viewWidth, game.view.fieldWidth);
    ScrollAxis(ship.y, game.view.scrollY, game.view.viewHeight, game.view.fieldHeight);
  }
  FunctionKeys(game);
  Timers(ship);
  Volley(game);
  TriangleBeams(game);
  BlackHolePull(game);
}

void Bomb(Game& game) {
  GameState& st = game.state;
  if (st.bombs <= 0) return;
  PlayerShip& ship = game.ship;
  game.PlaySound(1, 0, 1, Sound::Explo1);
  game.input.debounce = 60;
  st.bombs -= 1;
  const Rgb& c = game.colours[kBombColour];
  for (int k = 0; k < 360; ++k) {
    SpawnParticle(game, ship.x, ship.y, 1, c.red, c.green, c.blue, 1, static_cast<float>(k));
    SpawnParticle(game, ship.x, ship.y, 9, c.red, c.green, c.blue, 1, 0);
  }
  KillAllEnemies(game);
  ResetMultiplier(game);
  PullGrid(game.grid, ship.x, ship.y, 60, 60);
  ship.shieldTimer = 65;
}

void DrawShip(Game& game, int x, int y, int angle) {
  Graphics& gfx = game.gfx;
  const PlayerShip& ship = game.ship;
  float scale = 0.5f;
  if (ship.shieldTimer > 60 || (ship.shieldTimer / 4) % 2 == 1) {
    gfx.SetAlpha(0.48f);
    scale = 2.75f + ship.shieldTimer / 128.0f;
  } else {
    gfx.SetAlpha(0.1f);
  }
  gfx.SetScale(scale, scale);
  gfx.SetColor(game.cycling.red, game.cycling.green, game.cycling.blue);
  gfx.SetOrigin(ship.x - game.view.scrollX, ship.y - game.view.scrollY);
  gfx.SetBlend(kAlphaBlend);
  gfx.Poly(game.circle.data(), 18);
  gfx.SetOrigin(0, 0);
  gfx.SetScale(1, 1);
  gfx.SetAlpha(1);

  gfx.SetBlend(kAddBlend);
  gfx.SetColor(255, 255, 255);
  gfx.SetRotation(static_cast<float>(angle));
  gfx.DrawImage(game.images.whitePlayer, static_cast<float>(x - game.view.scrollX),
                static_cast<float>(y - game.view.scrollY), 0);
  gfx.SetRotation(0);
}

}  // namespace qv
