// A game on headless devices for driving the menus and the controller screens through their own
// frame loops: the key names and the small bitmap font are set up as start-up leaves them, and a
// script of keys, clicks and joystick buttons is laid out frame by frame (frames count the input's
// Poll calls).
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/headless_input.h"
#include "support/drawn_text.h"
#include "support/game_fixture.h"

namespace qv::test {

// A screen still open after this frame is closed like a window, so a faulty screen fails its test
// instead of hanging it.
inline constexpr int kRigGuardFrame = 3000;

struct ControlRig {
  explicit ControlRig(int guardFrame = kRigGuardFrame) {
    game.keyNames = BuildKeyNames();
    game.gfx.SetTextFont(RasteriseBitmapFont(game.font, 8, 12), 8, 12);
    cx = game.view.viewWidth / 2;
    cy = game.view.viewHeight / 2;
    input.RequestQuit(guardFrame);
  }

  // A key tapped at the next free frame (down for one frame), `times` times, two frames apart.
  ControlRig& Tap(int key, int times = 1) {
    for (int i = 0; i < times; ++i) {
      input.TapKey(next, key);
      next += 2;
    }
    return *this;
  }
  // A key held down for `frames` frames from the next free frame.
  ControlRig& Hold(int key, int frames) {
    input.HoldKey(next, key, next + frames);
    next += frames + 1;
    return *this;
  }
  ControlRig& MouseTo(int x, int y) {
    input.At({HeadlessInput::Event::kMouseMove, next, x, y, 0});
    next += 1;
    return *this;
  }
  // The mouse moved to (x, y), then `button` clicked there on the next frame.
  ControlRig& Click(int x, int y, int button = 1) {
    input.At({HeadlessInput::Event::kMouseMove, next, x, y, 0});
    input.ClickMouse(next + 1, button);
    next += 3;
    return *this;
  }
  // A mouse button held for `frames` frames where the mouse is.
  ControlRig& HoldMouse(int button, int frames) {
    input.At({HeadlessInput::Event::kMouseDown, next, button, 0, 0});
    input.At({HeadlessInput::Event::kMouseUp, next + frames, button, 0, 0});
    next += frames + 1;
    return *this;
  }
  // Joystick buttons of port 0 held together for `frames` frames.
  ControlRig& PressJoy(std::vector<int> buttons, int frames, int port = 0) {
    for (const int b : buttons) input.PressJoy(next, port, b, next + frames);
    next += frames + 1;
    return *this;
  }
  ControlRig& Wait(int frames) {
    next += frames;
    return *this;
  }
  ControlRig& Close() {
    input.RequestQuit(next);
    next += 2;
    return *this;
  }
  // The frame of the last scripted event.
  int last() const { return next - 2; }

  GameFixture fx;
  Game& game = fx.game;
  HeadlessInput& input = fx.hp.input;
  int cx = 0, cy = 0;
  int next = 2;
};

// The bitmap-font texts drawn, with where and in what colour.
struct DrawnText {
  std::string text;
  float x = 0, y = 0;
  int r = 0, g = 0, b = 0;
};
inline std::vector<DrawnText> Texts(const std::vector<DrawRecord>& records) {
  std::vector<DrawnText> texts;
  for (const DrawRecord& r : records)
    if (r.kind == DrawRecord::kText) texts.push_back({r.text, r.points[0], r.points[1], r.r, r.g, r.b});
  return texts;
}
inline int CountText(const std::vector<DrawRecord>& records, std::string_view text, float x, float y) {
  int n = 0;
  for (const DrawnText& t : Texts(records)) n += t.text == text && t.x == x && t.y == y;
  return n;
}

// The filled rectangles drawn with their top-left corner at (x, y), w x h, as colours in drawing order.
struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};
inline std::vector<Rgb> RectColours(const std::vector<DrawRecord>& records, float x, float y, float w, float h) {
  std::vector<Rgb> found;
  for (const DrawRecord& r : records)
    if (r.kind == DrawRecord::kRect && r.points[0] == x && r.points[1] == y && r.points[2] == x + w && r.points[5] == y + h)
      found.push_back({r.r, r.g, r.b});
  return found;
}

// The colours of every place in `records` where `text` was drawn in the stroke font at (x, y) and
// `scale`, in drawing order.
inline std::vector<Rgb> VectorTextColours(const std::vector<DrawRecord>& records, std::string_view text, int x, int y,
                                          float scale) {
  std::vector<Rgb> found;
  for (const std::size_t i : FindText(records, text, x, y, scale)) found.push_back({records[i].r, records[i].g, records[i].b});
  return found;
}

}  // namespace qv::test
