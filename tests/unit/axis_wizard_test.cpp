// Finding the axis a stick moves on, and the wizard that assigns the four stick axes with it: the
// window between 0.5 and 0.9 of the range, the order the axes are looked at, Escape, the thirty looks
// 2 ms apart, and the wizard's eight steps, two per axis, with the messages they leave.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/dual_stick.h"
#include "support/control_rig.h"

namespace qv {
namespace {

using test::ControlRig;

// Applies what the script holds for the next frame.
void Step(HeadlessInput& input) { input.Poll(); }

TEST(DetectMovedAxisTest, AnAxisIsSeenOnlyBetweenHalfAndNineTenthsOfItsRange) {
  struct Case {
    int slot;
    float value;
    float scale;
    int expected;
  };
  const Case cases[] = {
      {0, 0.7f, 1, 1},      {0, -0.7f, 1, 1},     {0, 0.51f, 1, 1},     {0, 0.89f, 1, 1},
      {0, 0.5f, 1, -1},     {0, 0.9f, 1, -1},     {0, 1.0f, 1, -1},     {0, 0.3f, 1, -1},
      {0, 1.4f, 2, 1},      {0, 0.9f, 2, -1},     {0, 0.7f, 180, -1},   {0, -120.0f, 180, 1},
      {1, 0.7f, 1, 2},      {2, -0.6f, 1, 3},     {10, 0.7f, 1, 11},    {11, 0.7f, 1, -1},  // slot 11 is no axis
      {12, 0.7f, 1, 12},    {13, 0.7f, 1, 13},    {14, 0.7f, 1, 14},    {15, 0.7f, 1, 15},
      {0, 0.7f, -1, -1},    {0, 0.7f, 0, -1},
  };
  for (const Case& c : cases) {
    ControlRig rig;
    rig.input.SetJoyAxis(1, 0, c.slot, c.value);
    Step(rig.input);
    EXPECT_EQ(DetectMovedAxis(rig.game, 0, c.scale), c.expected) << "slot " << c.slot << " value " << c.value << " scale " << c.scale;
  }
}

TEST(DetectMovedAxisTest, TheFirstAxisInTheListWinsAndOnlyThePortAskedIsWatched) {
  ControlRig rig;
  rig.input.SetJoyAxis(1, 0, 5, 0.8f);   // JoyV()
  rig.input.SetJoyAxis(1, 0, 3, -0.6f);  // JoyR()
  rig.input.SetJoyAxis(1, 0, 1, 0.95f);  // JoyY(), held beyond the window
  rig.input.SetJoyAxis(1, 1, 0, 0.7f);   // JoyX() of port 1
  Step(rig.input);
  EXPECT_EQ(DetectMovedAxis(rig.game, 0, 1), 4);
  EXPECT_EQ(DetectMovedAxis(rig.game, 1, 1), 1);
  EXPECT_EQ(DetectMovedAxis(rig.game, 7, 1), -1) << "a port that does not exist moves nothing";
}

TEST(DetectMovedAxisTest, ThirtyLooksTwoMillisecondsApartThenNothing) {
  ControlRig rig;
  rig.fx.hp.clock.ClearDelays();
  const int before = rig.input.frame();
  EXPECT_EQ(DetectMovedAxis(rig.game, 0, 1), -1);
  EXPECT_EQ(rig.fx.hp.clock.delays(), std::vector<int>(30, 2));
  EXPECT_EQ(rig.input.frame() - before, 29) << "every look after the first takes in the devices again";
}

TEST(DetectMovedAxisTest, AStickPassingWhileItWatchesIsCaught) {
  // The stick starts moving after the frame's readings were taken: a later look sees it.
  ControlRig rig;
  rig.fx.hp.clock.ClearDelays();
  rig.input.SetJoyAxis(5, 0, 2, 0.3f);
  rig.input.SetJoyAxis(7, 0, 2, 0.6f);
  rig.input.SetJoyAxis(9, 0, 2, 1.0f);
  EXPECT_EQ(DetectMovedAxis(rig.game, 0, 1), 3);
  EXPECT_EQ(rig.input.frame(), 7);
  EXPECT_EQ(rig.fx.hp.clock.delays().size(), 7u);
}

TEST(DetectMovedAxisTest, EscapeGivesZeroUnlessAnAxisIsMoving) {
  ControlRig rig;
  rig.input.TapKey(1, kKeyEscape);
  Step(rig.input);
  EXPECT_EQ(DetectMovedAxis(rig.game, 0, 1), 0);
  EXPECT_EQ(rig.input.frame(), 1) << "at the first look";

  ControlRig moving;
  moving.input.TapKey(1, kKeyEscape);
  moving.input.SetJoyAxis(1, 0, 0, 0.7f);
  Step(moving.input);
  EXPECT_EQ(DetectMovedAxis(moving.game, 0, 1), 1);

  ControlRig later;  // Escape hit while it watches
  later.input.TapKey(4, kKeyEscape);
  EXPECT_EQ(DetectMovedAxis(later.game, 0, 1), 0);
  EXPECT_EQ(later.input.frame(), 4);
}

TEST(DetectMovedAxisTest, StopsWhenTheProgramIsLeaving) {
  ControlRig rig;
  rig.fx.hp.clock.ClearDelays();
  rig.input.RequestQuit(3);
  EXPECT_EQ(DetectMovedAxis(rig.game, 0, 1), -1);
  EXPECT_EQ(rig.input.frame(), 3);
  EXPECT_EQ(rig.fx.hp.clock.delays().size(), 3u);
}

// ---------------------------------------------------------------------------------------------------
// The wizard, one step at a time.

class AxisWizardTest : public ::testing::Test {
 protected:
  AxisWizardTest() {
    game.dualStick.wizard = true;
    game.dualStick.wizardStep = 0;
  }
  // One wizard step with `slot` of port `port` at `value` (or Escape hit when slot is -1); the stick is
  // back at rest afterwards.
  void StepWith(int slot, float value, int port = 0) {
    const int f = rig.input.frame() + 1;
    if (slot < 0) {
      rig.input.TapKey(f, kKeyEscape);
    } else {
      rig.input.SetJoyAxis(f, port, slot, value);
      rig.input.SetJoyAxis(f + 1, port, slot, 0);
    }
    Step(rig.input);
    AxisWizardStep(game);
    Step(rig.input);
  }
  JoyPortConfig& record() { return game.settings.joyPorts[static_cast<std::size_t>(game.settings.usedPort)]; }

  ControlRig rig;
  Game& game = rig.game;
};

TEST_F(AxisWizardTest, EachAxisIsAssignedTwiceOnTheWayOutAndBack) {
  struct Step {
    int slot;
    float value;
    int JoyPortConfig::*field;
    int axis;
    std::string message;
    int frames;
  };
  const Step steps[] = {
      {6, 0.7f, &JoyPortConfig::moveXAxis, 7, "Stick 1 X axis assigned to JoyYaw()", 120},
      {5, -0.6f, &JoyPortConfig::moveXAxis, 6, "Stick 1 X axis assigned to JoyV()", 120},
      {2, 0.8f, &JoyPortConfig::moveYAxis, 3, "Stick 1 Y axis assigned to JoyZ()", 120},
      {2, -0.8f, &JoyPortConfig::moveYAxis, 3, "Stick 1 Y axis assigned to JoyZ()", 120},
      {12, 0.7f, &JoyPortConfig::fireXAxis, 12, "Stick 2 X axis assigned to JoyAxis12()", 120},
      {12, 0.7f, &JoyPortConfig::fireXAxis, 12, "Stick 2 X axis assigned to JoyAxis12()", 120},
      {15, 0.7f, &JoyPortConfig::fireYAxis, 15, "Stick 2 Y axis assigned to JoyAxisl5()", 240},
      {0, 0.7f, &JoyPortConfig::fireYAxis, 1, "Stick 2 Y axis assigned to JoyX()", 240},
  };
  game.settings.usedPort = 2;
  int step = 0;
  for (const Step& s : steps) {
    StepWith(s.slot, s.value, 2);
    ++step;
    EXPECT_EQ(record().*s.field, s.axis) << "step " << step;
    EXPECT_EQ(game.status.statusMessage, s.message) << "step " << step;
    EXPECT_EQ(game.status.statusMessageFrames, s.frames) << "step " << step;
    EXPECT_EQ(game.dualStick.wizardStep, step);
    EXPECT_EQ(game.dualStick.wizard, step < 8);
  }
  EXPECT_EQ(game.settings.joyPorts[0], JoyPortConfig{}) << "only the port in use";
}

TEST_F(AxisWizardTest, EscapeSkipsOneStepAndEightEscapesChangeNothing) {
  record().moveXAxis = 9;
  const JoyPortConfig before = record();
  StepWith(-1, 0);
  EXPECT_EQ(game.dualStick.wizardStep, 1) << "one step, not the whole wizard";
  EXPECT_TRUE(game.dualStick.wizard);
  EXPECT_EQ(game.status.statusMessage, "Stick 1 X axis assigned to JoyRoll()") << "names the axis kept";
  for (int i = 1; i < 8; ++i) StepWith(-1, 0);
  EXPECT_FALSE(game.dualStick.wizard);
  EXPECT_EQ(record(), before);
  EXPECT_EQ(game.status.statusMessage, "Stick 2 Y axis assigned to JoyZ()");
  EXPECT_EQ(game.status.statusMessageFrames, 240);
}

TEST_F(AxisWizardTest, NothingMovedKeepsTheStepAndPromptsForIt) {
  game.dualStick.wizardStep = 3;
  game.status.Show("Config file saved.");
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  AxisWizardStep(game);
  EXPECT_EQ(game.dualStick.wizardStep, 3);
  EXPECT_EQ(game.settings.joyPorts[0], JoyPortConfig{});
  EXPECT_EQ(game.status.statusMessage, "Config file saved.");
  const std::vector<test::DrawnText> texts = test::Texts(records);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "move stick 1 up or down (Escape to Cancel)");
  EXPECT_EQ(texts[0].x, 180);
  EXPECT_EQ(texts[0].y, 210);
  EXPECT_EQ((test::Rgb{texts[0].r, texts[0].g, texts[0].b}), (test::Rgb{0, 255, 0}));
}

TEST_F(AxisWizardTest, EachStageWatchesWithItsOwnAxisScale) {
  // The fire X axis divides by 180: a raw 0.7 is far too small to count, 126 is in the window.
  record().fireXScale = 180;
  game.dualStick.wizardStep = 4;
  StepWith(0, 0.7f);
  EXPECT_EQ(game.dualStick.wizardStep, 4);
  StepWith(3, 126.0f);
  EXPECT_EQ(game.dualStick.wizardStep, 5);
  EXPECT_EQ(record().fireXAxis, 4);
}

TEST(AxisNameTest, SixteenNamesAndNothingOutside) {
  EXPECT_EQ(AxisName(0), "null");
  EXPECT_EQ(AxisName(1), "JoyX()");
  EXPECT_EQ(AxisName(7), "JoyYaw()");
  EXPECT_EQ(AxisName(11), "JoyWheel()");
  EXPECT_EQ(AxisName(12), "JoyAxis12()");
  EXPECT_EQ(AxisName(15), "JoyAxisl5()");
  EXPECT_EQ(AxisName(-1), "");
  EXPECT_EQ(AxisName(16), "");
}

}  // namespace
}  // namespace qv
