// Pictures of the controller screens in a real OpenGL window: the controller selection, the mouse,
// keyboard (waiting for a key), joypad and hybrid set-up screens, and the dual-stick screen as it
// opens, with its debug panel, and while the axis wizard runs. Each picture is taken while the
// screen's own frame loop runs, driven by a script. tests/e2e/control_screens.sh runs this under Xvfb
// and keeps the pictures in build/control_screens/; without a display it skips.
#include <gtest/gtest.h>

#include "effects/particles.h"
#include "platform/headless/headless_input.h"
#include "screen_rig.h"
#include "settings/key_names.h"
#include "settings/settings_screens.h"

namespace qv {
namespace {

class ControlScreensOnScreen : public test::ScreenTest {
 protected:
  ControlScreensOnScreen() : ScreenTest("control_screens") {}
  void SetUp() override {
    OpenGame(1024, 768, test::Controls::Script);
    if (!Ready()) return;
    Game& g = game();
    g.gfx.SetTextFont(RasteriseBitmapFont(g.font, 8, 12), 8, 12);
    g.keyNames = BuildKeyNames();
    g.activeJoy = ApplyUsedPort(g.settings);
    InitParticles(g);
    input().RequestQuit(600);  // a screen left open by a fault ends here
  }

  void Tap(int frame, int key) { input_->TapKey(frame, key); }
  void Click(int frame, int x, int y) {
    input_->At({HeadlessInput::Event::kMouseMove, frame, x, y, 0});
    input_->ClickMouse(frame + 1, 1);
  }
  // Taps Up, Right `steps` times, Down and Enter from "Configure Controls": the next scheme's screen.
  int OpenNextScheme(int frame, int steps) {
    Tap(frame, kKeyUp);
    for (int i = 0; i < steps; ++i) Tap(frame + 2 + 2 * i, kKeyRight);
    Tap(frame + 2 + 2 * steps, kKeyDown);
    Tap(frame + 4 + 2 * steps, kKeyEnter);
    return frame + 4 + 2 * steps;
  }

  // Lit pixels outside the dual-stick layout: 640 x 480 centred on the screen, whose last row of
  // scale boxes reaches 35 pixels below it.
  static long LitOutsideLayout(const RgbaImage& image) {
    const int left = (image.width - 640) / 2, top = (image.height - 480) / 2;
    return test::LitPixels(image) - test::LitIn(image, left, top, left + 640, top + 516);
  }
};

TEST_F(ControlScreensOnScreen, EveryScreenOfTheControls) {
  Game& g = game();
  g.status.Show("Colour file loaded.", 1000);
  g.settings.controlType = ControlType::Mouse;
  for (int slot : {0, 1, 2, 3}) input().SetJoyAxis(1, 0, slot, slot % 2 == 0 ? 0.35f : -0.5f);

  ShootAfter(6, "controller_selection");
  Tap(8, kKeyUp);
  Tap(10, kKeyEnter);  // mouse
  Tap(12, kKeyUp);     // "Mouse Sensitivity:"
  ShootAfter(18, "mouse_control");
  Tap(20, kKeyEscape);
  int f = OpenNextScheme(22, 1);  // keyboard
  Tap(f + 2, kKeyUp);
  Tap(f + 4, kKeyEnter);  // waiting for a key
  ShootAfter(f + 9, "keyboard_control");
  Tap(f + 12, kKeySpace);
  Tap(f + 14, kKeyDown);
  Tap(f + 16, kKeyEnter);
  f = OpenNextScheme(f + 18, 1);  // joypad
  Tap(f + 2, kKeyUp);
  ShootAfter(f + 8, "joypad_control");
  Tap(f + 10, kKeyEscape);
  f = OpenNextScheme(f + 12, 1);  // hybrid
  ShootAfter(f + 6, "hybrid_control");
  Tap(f + 8, kKeyEscape);
  f = OpenNextScheme(f + 10, 1);  // dual analog
  Click(f + 2, 60, 320);          // "Stick 1" selected
  ShootAfter(f + 8, "dual_stick");
  Tap(f + 10, 'D');
  ShootAfter(f + 14, "dual_stick_debug");
  Tap(f + 16, 'D');
  Click(f + 18, 70, 237);  // the wizard: its first frame is presented once a whole watch has passed
  ShootAfter(f + 60, "dual_stick_wizard");
  for (int i = 0; i < 8; ++i) Tap(f + 90 + 2 * i, kKeyEscape);
  Tap(f + 110, 'E');
  Tap(f + 114, kKeyEscape);
  EXPECT_EQ(ControllerSelection(g, false), 0);
  EXPECT_EQ(input().frame(), f + 114);
  EXPECT_FALSE(g.dualStick.wizard);

  for (const char* name : {"controller_selection", "mouse_control", "keyboard_control", "joypad_control",
                           "hybrid_control", "dual_stick", "dual_stick_debug", "dual_stick_wizard"}) {
    ASSERT_EQ(shots_.count(name), 1u) << name;
    EXPECT_GT(test::LitPixels(shots_[name]), 2000) << name;
  }
  for (const char* name : {"dual_stick", "dual_stick_debug", "dual_stick_wizard"})
    EXPECT_EQ(LitOutsideLayout(shots_[name]), 0) << name << ": the layout is centred on the screen";
  EXPECT_GT(test::LitPixels(shots_["dual_stick_debug"]), test::LitPixels(shots_["dual_stick"]));
}

}  // namespace
}  // namespace qv
