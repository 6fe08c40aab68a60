// A game on headless devices with a script of input for the settings screens: keys tapped a few frames
// apart, keys held, waits for `debounce` to run out, and a guard that closes the window should a screen
// stay open by mistake, so a fault fails the test instead of hanging it.
#pragma once

#include "platform/headless/headless_input.h"
#include "support/drawn_text.h"
#include "support/game_fixture.h"

namespace qv::test {

struct SettingsRig {
  static constexpr int kGap = 3;          // frames between scripted taps
  static constexpr int kDebounceWait = 22; // more than the 20 frames a screen or a step blocks held keys

  explicit SettingsRig(int guardFrame = 2000) {
    cx = game.view.viewWidth / 2;
    cy = game.view.viewHeight / 2;
    input.RequestQuit(guardFrame);
  }

  // A key tapped `times` times at the next free frames.
  SettingsRig& Tap(int key, int times = 1) {
    for (int i = 0; i < times; ++i) {
      input.TapKey(next, key);
      next += kGap;
    }
    return *this;
  }
  // A key held down for `frames` polls from the next free frame.
  SettingsRig& Hold(int key, int frames) {
    input.HoldKey(next, key, next + frames);
    next += frames + kGap;
    return *this;
  }
  SettingsRig& HoldMouse(int button, int frames) {
    input.At({HeadlessInput::Event::kMouseDown, next, button, 0, 0});
    input.At({HeadlessInput::Event::kMouseUp, next + frames, button, 0, 0});
    next += frames + kGap;
    return *this;
  }
  // The stick of port 0 pushed along move X (slot 0) for `frames` polls, then back to rest.
  SettingsRig& PushStickX(float value, int frames) {
    input.SetJoyCount(1);
    input.SetJoyAxis(next, 0, 0, value);
    input.SetJoyAxis(next + frames, 0, 0, 0);
    next += frames + kGap;
    return *this;
  }
  // Frames in which nothing is scripted: a screen's entry debounce, or a step's, runs out.
  SettingsRig& Wait(int frames = kDebounceWait) {
    next += frames;
    return *this;
  }
  // A right or left step on the selected row, once `debounce` has run out.
  SettingsRig& Step(int key, int times = 1) {
    for (int i = 0; i < times; ++i) Wait().Tap(key);
    return *this;
  }
  // A choice at the next free frame: Enter tapped, or with `joystick` the button `button` of port 0
  // pressed for one frame. Returns the frame of the choice.
  int Choose(bool joystick, int button) {
    const int frame = next;
    if (joystick)
      input.PressJoy(frame, 0, button, frame + 1);
    else
      input.TapKey(frame, kKeyEnter);
    next += 2;
    return frame;
  }
  // The frame of the last scripted event.
  int last() const { return next - kGap; }

  GameFixture fx;
  Game& game = fx.game;
  HeadlessInput& input = fx.hp.input;
  HeadlessGraphicsBackend& backend = fx.hp.backend;
  int cx = 0, cy = 0;
  int next = 2;
};

}  // namespace qv::test
