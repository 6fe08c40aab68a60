#include "platform/headless/headless_input.h"

#include <vector>

namespace qv {

namespace {
bool ValidKey(int code) { return code >= 0 && code < kKeyCount; }
bool ValidMouse(int button) { return button >= 1 && button < kMouseButtons; }
bool ValidJoy(int port, int index, int count) { return port >= 0 && port < kJoyPorts && index >= 0 && index < count; }
}  // namespace

void HeadlessInput::TapKey(int frame, int code) { HoldKey(frame, code, frame + 1); }

void HeadlessInput::HoldKey(int frame, int code, int releaseFrame) {
  script_.push_back({Event::kKeyDown, frame, code, 0, 0});
  script_.push_back({Event::kKeyUp, releaseFrame, code, 0, 0});
}

void HeadlessInput::ClickMouse(int frame, int button) {
  script_.push_back({Event::kMouseDown, frame, button, 0, 0});
  script_.push_back({Event::kMouseUp, frame + 1, button, 0, 0});
}

void HeadlessInput::SetJoyAxis(int frame, int port, int slot, float value) {
  script_.push_back({Event::kJoyAxis, frame, port, slot, value});
}

void HeadlessInput::PressJoy(int frame, int port, int button, int releaseFrame) {
  script_.push_back({Event::kJoyDown, frame, port, button, 0});
  script_.push_back({Event::kJoyUp, releaseFrame, port, button, 0});
}

void HeadlessInput::Poll() {
  ++frame_;
  for (const Event& e : script_) {
    if (e.frame != frame_) continue;
    switch (e.kind) {
      case Event::kKeyDown:
        if (ValidKey(e.a)) {
          if (!keyDown_[e.a]) ++keyHits_[e.a];
          keyDown_[e.a] = true;
        }
        break;
      case Event::kKeyUp:
        if (ValidKey(e.a)) keyDown_[e.a] = false;
        break;
      case Event::kMouseMove:
        mouseX_ = e.a;
        mouseY_ = e.b;
        break;
      case Event::kMouseDown:
        if (ValidMouse(e.a)) {
          if (!mouseDown_[e.a]) ++mouseHits_[e.a];
          mouseDown_[e.a] = true;
        }
        break;
      case Event::kMouseUp:
        if (ValidMouse(e.a)) mouseDown_[e.a] = false;
        break;
      case Event::kJoyAxis:
        if (ValidJoy(e.a, e.b, kJoyAxes)) axes_[e.a][e.b] = e.value;
        break;
      case Event::kJoyDown:
        if (ValidJoy(e.a, e.b, kJoyButtons)) {
          if (!joyDown_[e.a][e.b]) ++joyHits_[e.a][e.b];
          joyDown_[e.a][e.b] = true;
        }
        break;
      case Event::kJoyUp:
        if (ValidJoy(e.a, e.b, kJoyButtons)) joyDown_[e.a][e.b] = false;
        break;
      case Event::kQuit:
        quit_ = true;
        break;
      case Event::kFocusLost:
        focusLost_ = true;
        break;
      case Event::kToggleFullscreen:
        toggleFullscreen_ = true;
        break;
    }
  }
  // Events of this frame and earlier can never fire again; dropping them keeps a script that grows
  // as it runs (a bot adding the next frame's input) as cheap to poll as a short one.
  std::erase_if(script_, [this](const Event& e) { return e.frame <= frame_; });
}

bool HeadlessInput::KeyDown(int code) const { return ValidKey(code) && keyDown_[code]; }

int HeadlessInput::KeyHit(int code) {
  if (!ValidKey(code)) return 0;
  const int hits = keyHits_[code];
  keyHits_[code] = 0;
  return hits;
}

void HeadlessInput::FlushKeys() { keyHits_.fill(0); }

bool HeadlessInput::MouseDown(int button) const { return ValidMouse(button) && mouseDown_[button]; }

int HeadlessInput::MouseHit(int button) {
  if (!ValidMouse(button)) return 0;
  const int hits = mouseHits_[button];
  mouseHits_[button] = 0;
  return hits;
}

void HeadlessInput::MoveMouse(int x, int y) {
  mouseX_ = x;
  mouseY_ = y;
  ++mouseMoves_;
}

void HeadlessInput::FlushMouse() { mouseHits_.fill(0); }

float HeadlessInput::JoyAxis(int port, int slot) const { return ValidJoy(port, slot, kJoyAxes) ? axes_[port][slot] : 0.0f; }

bool HeadlessInput::JoyDown(int port, int button) const {
  return ValidJoy(port, button, kJoyButtons) && joyDown_[port][button];
}

int HeadlessInput::JoyHit(int port, int button) {
  if (!ValidJoy(port, button, kJoyButtons)) return 0;
  const int hits = joyHits_[port][button];
  joyHits_[port][button] = 0;
  return hits;
}

}  // namespace qv
