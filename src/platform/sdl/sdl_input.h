// Keyboard, mouse and joysticks from SDL, in the game's numbering.
//
// Gamepads with an SDL game-controller mapping are laid out so the default dual-stick settings work:
//   axis slots: 0 left stick X, 1 left stick Y, 2 right stick Y, 3 right stick X,
//               4 left trigger, 5 right trigger (0..1)
//   buttons:    0 A, 1 Start, 2 right shoulder, 3 left shoulder, 4 B, 5 X, 6 Y, 7 Back,
//               8 left stick, 9 right stick, 10 d-pad up, 11 d-pad down, 12 d-pad left,
//               13 d-pad right, 14 right trigger, 15 left trigger
// so Start (button 1) opens the menu and the right shoulder (button 2) fires a bomb. Other joysticks
// give their raw axes in slots 0.. and buttons 0..15 in their own order. Devices are hot-plugged into
// the first free port.
#pragma once

#include <SDL.h>

#include <array>

#include "platform/input.h"
#include "platform/sdl/gl_backend.h"

namespace qv {

// Read from the working folder (the player's files) when the input starts.
inline constexpr const char* kControllerMappingsFile = "gamecontrollerdb.txt";

class SdlInput : public Input {
 public:
  explicit SdlInput(const GlBackend& display);
  ~SdlInput() override;

  void Poll() override;
  bool KeyDown(int code) const override;
  int KeyHit(int code) override;
  void FlushKeys() override;
  int MouseX() const override;
  int MouseY() const override;
  bool MouseDown(int button) const override;
  int MouseHit(int button) override;
  void MoveMouse(int x, int y) override;
  void ShowMouse() override;
  void HideMouse() override;
  void FlushMouse() override;
  int JoyCount() const override;
  float JoyAxis(int port, int slot) const override;
  bool JoyDown(int port, int button) const override;
  int JoyHit(int port, int button) override;
  bool QuitRequested() const override;
  bool FocusLost() override;
  bool FullscreenToggleRequested() override;

 private:
  struct Port {
    SDL_GameController* controller = nullptr;
    SDL_Joystick* joystick = nullptr;
    SDL_JoystickID id = -1;
    std::array<float, kJoyAxes> axes{};
    std::array<bool, kJoyButtons> down{};
    std::array<int, kJoyButtons> hits{};
  };

  void HandleEvent(const SDL_Event& e);
  void SetKey(int code, bool down);
  void AddDevice(int deviceIndex);
  void RemoveDevice(SDL_JoystickID id);
  Port* PortOf(SDL_JoystickID id);
  void SetButton(Port& port, int button, bool down);
  void ReadPortState(Port& port);

  const GlBackend& display_;
  std::array<bool, kKeyCount> keyDown_{};
  std::array<int, kKeyCount> keyHits_{};
  std::array<bool, kMouseButtons> mouseDown_{};
  std::array<int, kMouseButtons> mouseHits_{};
  float mouseX_ = 0, mouseY_ = 0;  // frame pixels
  bool mouseShown_ = true;
  std::array<Port, kJoyPorts> ports_{};
  bool quit_ = false;
  bool focusLost_ = false;
  bool toggleFullscreen_ = false;
};

// Installs SIGINT and SIGTERM handlers that ask the game to end through its orderly exit.
void InstallStopSignals();

}  // namespace qv
