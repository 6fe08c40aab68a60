#include "shell/frame.h"

#include "render/display.h"
#include "settings/stick_axis.h"
#include "shell/game.h"

namespace qv {

void PresentFrame(Game& game) {
  game.gfx.Flip(true);
  game.in.Poll();
  game.audio.Tick();
  if (game.in.FullscreenToggleRequested()) ToggleWindowed(game);
}

int CapFrame(Game& game, std::int64_t frameStartMs) {
  const int took = static_cast<int>(game.clock.Millisecs() - frameStartMs);
  if (took > 0 && took < kFrameMs) game.clock.Delay(kFrameMs - took);
  return took;
}

bool OptionsRequested(Game& game) {
  const Settings& s = game.settings;
  if (game.in.KeyHit(kKeyEscape) > 0) return true;
  if (game.input.debounce != 0) return false;
  if (s.controlType == ControlType::Joypad) return game.in.JoyDown(s.usedPort, s.joypadOptionButton);
  if (s.controlType == ControlType::DualAnalog) return game.in.JoyDown(s.usedPort, game.activeJoy.optionButton);
  return false;
}

bool BombControlPressed(Game& game) {
  const Settings& s = game.settings;
  const bool key = game.in.KeyHit(s.keyBomb) > 0;
  const bool mouse = game.in.MouseHit(s.mouseBombButton) > 0;
  if (key || mouse) return true;
  if (game.input.debounce != 0) return false;
  if (s.controlType == ControlType::Joypad) return game.in.JoyDown(s.usedPort, s.joypadBombButton);
  if (s.controlType == ControlType::DualAnalog) return game.in.JoyDown(s.usedPort, game.activeJoy.bombButton);
  return false;
}

float ReadActiveStick(const Game& game, StickAxis axis) {
  AxisSlots slots{};
  for (int i = 0; i < kAxisSlotCount; ++i) slots[static_cast<std::size_t>(i)] = game.in.JoyAxis(game.settings.usedPort, i);
  const ActiveJoyConfig& j = game.activeJoy;
  switch (axis) {
    case StickAxis::MoveX: return ReadStickAxis(slots, j.moveXAxis, j.moveXScale, j.moveXInvert, j.moveXCentre);
    case StickAxis::MoveY: return ReadStickAxis(slots, j.moveYAxis, j.moveYScale, j.moveYInvert, j.moveYCentre);
    case StickAxis::FireX: return ReadStickAxis(slots, j.fireXAxis, j.fireXScale, j.fireXInvert, j.fireXCentre);
    case StickAxis::FireY: return ReadStickAxis(slots, j.fireYAxis, j.fireYScale, j.fireYInvert, j.fireYCentre);
  }
  return 0.0f;
}

}  // namespace qv
