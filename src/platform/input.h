// Keyboard, mouse and joysticks as the game polls them once per frame.
//
// Keys are numbered like Windows virtual-key codes (8 Backspace, 13 Enter, 27 Escape, 32 Space,
// 37..40 arrows, 48..57 digits, 65..90 letters, 112..123 F1..F12, 160/161 left/right shift).
// Mouse buttons are 1 left, 2 right, 3 middle. Joysticks sit in ports 0..3, each with 16 axis slots
// (reals about -1..1) and 16 buttons. Any code, button, port or slot outside those ranges simply reads
// as not pressed / 0, so a bad value from a settings file can never index out of bounds.
#pragma once

namespace qv {

inline constexpr int kKeyCount = 256;
inline constexpr int kMouseButtons = 4;  // 1..3 used
inline constexpr int kJoyPorts = 4;
inline constexpr int kJoyAxes = 16;
inline constexpr int kJoyButtons = 16;

enum KeyCode : int {
  kKeyBackspace = 8,
  kKeyTab = 9,
  kKeyEnter = 13,
  kKeyEscape = 27,
  kKeySpace = 32,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyF1 = 112,
  kKeyLeftShift = 160,
  kKeyRightShift = 161,
};

class Input {
 public:
  virtual ~Input() = default;

  // Takes in what happened since the last call (events, device changes). Called once per frame.
  virtual void Poll() = 0;

  virtual bool KeyDown(int code) const = 0;
  // Presses since the last query of this key; the query clears them.
  virtual int KeyHit(int code) = 0;
  virtual void FlushKeys() = 0;

  virtual int MouseX() const = 0;
  virtual int MouseY() const = 0;
  virtual bool MouseDown(int button) const = 0;
  virtual int MouseHit(int button) = 0;
  virtual void MoveMouse(int x, int y) = 0;
  virtual void ShowMouse() = 0;
  virtual void HideMouse() = 0;
  virtual void FlushMouse() = 0;

  virtual int JoyCount() const = 0;
  virtual float JoyAxis(int port, int slot) const = 0;
  virtual bool JoyDown(int port, int button) const = 0;
  virtual int JoyHit(int port, int button) = 0;

  // The window was closed or the process was asked to stop (SIGINT, SIGTERM).
  virtual bool QuitRequested() const = 0;
  // The game's window lost the keyboard focus since the last query (the player switched away); the
  // query clears it.
  virtual bool FocusLost() = 0;
  // The player pressed Alt+Enter (switch between full screen and a window) since the last query; the
  // query clears it. That Enter is not a key press of its own.
  virtual bool FullscreenToggleRequested() = 0;
};

}  // namespace qv
