// Input replayed from a script: each event takes effect when the given frame is polled (frames count
// calls to Poll, starting at 1 for the first call). Tests drive whole screens and games this way.
#pragma once

#include <array>
#include <vector>

#include "platform/input.h"

namespace qv {

class HeadlessInput : public Input {
 public:
  struct Event {
    enum Kind { kKeyDown, kKeyUp, kMouseMove, kMouseDown, kMouseUp, kJoyAxis, kJoyDown, kJoyUp, kQuit, kFocusLost, kToggleFullscreen } kind;
    int frame = 0;
    int a = 0, b = 0;  // key or button; port and slot/button; mouse x, y
    float value = 0;   // axis value
  };

  // Script helpers: a tap presses at `frame` and releases at `frame + 1`.
  void At(const Event& event) { script_.push_back(event); }
  void TapKey(int frame, int code);
  void HoldKey(int frame, int code, int releaseFrame);
  void ClickMouse(int frame, int button);
  void SetJoyAxis(int frame, int port, int slot, float value);
  void PressJoy(int frame, int port, int button, int releaseFrame);
  void RequestQuit(int frame) { script_.push_back({Event::kQuit, frame, 0, 0, 0}); }
  void LoseFocus(int frame) { script_.push_back({Event::kFocusLost, frame, 0, 0, 0}); }
  void ToggleFullscreen(int frame) { script_.push_back({Event::kToggleFullscreen, frame, 0, 0, 0}); }
  void SetJoyCount(int count) { joyCount_ = count; }
  int frame() const { return frame_; }

  void Poll() override;
  bool KeyDown(int code) const override;
  int KeyHit(int code) override;
  void FlushKeys() override;
  int MouseX() const override { return mouseX_; }
  int MouseY() const override { return mouseY_; }
  bool MouseDown(int button) const override;
  int MouseHit(int button) override;
  void MoveMouse(int x, int y) override;
  void ShowMouse() override { mouseShown_ = true; }
  void HideMouse() override { mouseShown_ = false; }
  void FlushMouse() override;
  int JoyCount() const override { return joyCount_; }
  float JoyAxis(int port, int slot) const override;
  bool JoyDown(int port, int button) const override;
  int JoyHit(int port, int button) override;
  bool QuitRequested() const override { return quit_; }
  bool FocusLost() override {
    const bool lost = focusLost_;
    focusLost_ = false;
    return lost;
  }
  bool FullscreenToggleRequested() override {
    const bool toggle = toggleFullscreen_;
    toggleFullscreen_ = false;
    return toggle;
  }

  bool mouseShown() const { return mouseShown_; }
  int mouseMoves() const { return mouseMoves_; }

 private:
  std::vector<Event> script_;
  int frame_ = 0;
  std::array<bool, kKeyCount> keyDown_{};
  std::array<int, kKeyCount> keyHits_{};
  std::array<bool, kMouseButtons> mouseDown_{};
  std::array<int, kMouseButtons> mouseHits_{};
  int mouseX_ = 0, mouseY_ = 0;
  bool mouseShown_ = true;
  int mouseMoves_ = 0;
  int joyCount_ = 0;
  std::array<std::array<float, kJoyAxes>, kJoyPorts> axes_{};
  std::array<std::array<bool, kJoyButtons>, kJoyPorts> joyDown_{};
  std::array<std::array<int, kJoyButtons>, kJoyPorts> joyHits_{};
  bool quit_ = false;
  bool focusLost_ = false;
  bool toggleFullscreen_ = false;
};

}  // namespace qv
