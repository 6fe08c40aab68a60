#include "settings/dual_stick.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "render/display.h"
#include "settings/config_file.h"
#include "settings/menu_list.h"
#include "settings/outline.h"
#include "settings/stick_axis.h"
#include "settings/text_values.h"
#include "shell/frame.h"
#include "shell/game.h"

namespace qv {

namespace {

constexpr int kLayoutWidth = 640;
constexpr int kLayoutHeight = 480;
constexpr int kCursorMaxX = 640;
constexpr int kCursorMaxY = 550;

constexpr int kDetectTries = 30;
constexpr int kDetectSleepMs = 2;
constexpr int kWizardSteps = 8;
constexpr int kHighestButton = 15;
constexpr int kHighestAxis = 15;

constexpr int kKeyD = 'D', kKeyE = 'E', kKeyL = 'L', kKeyS = 'S';
constexpr int kKeyPort0 = '1';  // keys 1..4 choose ports 0..3

struct Colour {
  int r, g, b;
};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kHoverRed{255, 0, 0};
constexpr Colour kHelpGrey{128, 128, 128};
constexpr Colour kFillGrey{100, 100, 100};
constexpr Colour kChosenFill{35, 65, 115};
constexpr Colour kBoxEdge{0, 0, 100};
constexpr Colour kNormalAxis{50, 65, 220};
constexpr Colour kInvertedAxis{255, 128, 0};
constexpr Colour kRestGreen{0, 255, 0};
constexpr Colour kLabelRed{255, 32, 32};
constexpr Colour kValueBlue{32, 32, 240};
constexpr Colour kCommandEdge{64, 64, 64};
constexpr Colour kDotRed{185, 0, 0};

struct Box {
  int x, y, w, h;
};

constexpr std::array<std::string_view, kAxisNameCount> kAxisNames = {
    "null",     "JoyX()",      "JoyY()",      "JoyZ()",      "JoyR()",      "JoyU()",
    "JoyV()",   "JoyYaw()",    "JoyPitch()",  "JoyRoll()",   "JoyHat()",    "JoyWheel()",
    "JoyAxis12()", "JoyAxis13()", "JoyAxis14()", "JoyAxisl5()"};

// The four stick axes of a port record, in the order the screen and the wizard take them.
using J = JoyPortConfig;
struct StickAxisFields {
  int J::*axis;
  int J::*invert;
  float J::*scale;
  float J::*centre;
  float J::*deadZone;
};
enum AxisRole { kMoveX = 0, kMoveY = 1, kFireX = 2, kFireY = 3 };
constexpr std::array<StickAxisFields, 4> kAxes = {{
    {&J::moveXAxis, &J::moveXInvert, &J::moveXScale, &J::moveXCentre, &J::moveXDeadZone},
    {&J::moveYAxis, &J::moveYInvert, &J::moveYScale, &J::moveYCentre, &J::moveYDeadZone},
    {&J::fireXAxis, &J::fireXInvert, &J::fireXScale, &J::fireXCentre, &J::fireXDeadZone},
    {&J::fireYAxis, &J::fireYInvert, &J::fireYScale, &J::fireYCentre, &J::fireYDeadZone},
}};

// Layout: every position below is in the 640 x 480 layout.
constexpr std::array<Box, 4> kAxisBoxes = {{{10, 395, 175, 14}, {10, 415, 175, 14}, {250, 395, 175, 14}, {250, 415, 175, 14}}};
constexpr std::array<Box, 2> kStickBoxes = {{{10, 275, 100, 100}, {250, 275, 100, 100}}};
constexpr std::array<Box, 4> kPortBoxes = {{{110, 175, 45, 25}, {160, 175, 45, 25}, {210, 175, 45, 25}, {260, 175, 45, 25}}};
constexpr Box kWizardBox{10, 225, 135, 25};
constexpr Box kOptionBox{180, 225, 100, 25};
constexpr Box kBombBox{320, 225, 100, 25};
enum Command { kDebugCommand = 0, kSaveCommand = 1, kLoadCommand = 2, kExitCommand = 3 };
constexpr std::array<std::string_view, 4> kCommandTexts = {"(D)ebug", "(S)ave Config", "(L)oad Config", "(E)xit"};
Box CommandBox(int command) { return {490, 315 + 25 * command, 110, 20}; }

// Three divisor boxes per axis: the move axes on the left, the fire axes on the right, X above Y.
constexpr std::array<int, 3> kScaleValues = {1, 180, 255};
constexpr std::array<int, 3> kScaleLabelDx = {17, 10, 10};
Box ScaleBox(int axis, int which) {
  const int left = axis == kMoveX || axis == kMoveY ? 10 : 250;
  const int top = axis == kMoveX || axis == kFireX ? 455 : 495;
  return {left + 50 * which, top, 45, 20};
}

constexpr std::array<std::string_view, 9> kHelpLines = {
    "Select controller port (0 for  single joypad)",
    "others are only needed for multiple joypads.",
    "Assign controls by clicking AXIS WIZARD or individually",
    "cycle through available controls by left clicking on the axis box.",
    "Right click on a box to toggle invert On or Off.",
    "Blue box is normal, Orange box indicates an inverted axis.",
    "Click on Stick 1/2 boxes and use cursor keys to adjust centering and",
    "Dead Zone.  Make sure the red dot is in the green square when at rest.",
    "If it drifts, press SHIFT+Cursor Keys to adjust Dead Zone.",
};

// The debug panel's rows: raw values of the platform slots, each as a bar over its expected range.
struct DebugRow {
  std::string_view label;
  int slot;
  float low, high;
};
constexpr std::array<DebugRow, 13> kDebugRows = {{
    {"1.  JoyX()      : ", 0, -1, 1},
    {"2.  JoyY()      : ", 1, -1, 1},
    {"3.  JoyZ()      : ", 2, -1, 1},
    {"4.  JoyR()      : ", 3, -1, 1},
    {"5.  JoyU()      : ", 4, -1, 1},
    {"6.  JoyV()      : ", 5, -1, 1},
    {"7.  JoyPitch()  : ", 7, -180, 180},
    {"8.  JoyRoll()   : ", 8, -180, 180},
    {"9.  JoyYaw()    : ", 6, -180, 180},
    {"10. JoyHat()    : ", 9, -1, 1},
    {"11. JoyWheel()  : ", 10, -1, 1},
    {"12. JoyAxis12()  : ", 12, -1, 1},
    {"13. JoyAxis13()  : ", 13, -1, 1},
}};

// The wizard's four stages, each passed through twice.
struct WizardStage {
  std::string_view prompt;
  std::string_view message;
  int axis;
  int messageFrames;
};
constexpr std::array<WizardStage, 4> kWizardStages = {{
    {"move stick 1 left or right (Escape to Cancel)", "Stick 1 X axis assigned to ", kMoveX, kStatusMessageFrames},
    {"move stick 1 up or down (Escape to Cancel)", "Stick 1 Y axis assigned to ", kMoveY, kStatusMessageFrames},
    {"move stick 2 left or right (Escape to Cancel)", "Stick 2 X axis assigned to ", kFireX, kStatusMessageFrames},
    {"move stick 2 up or down (Escape to Cancel)", "Stick 2 Y axis assigned to ", kFireY, 2 * kStatusMessageFrames},
}};

// The record of the port in use (port 0's should the port ever be outside 0..3, as play reads it).
JoyPortConfig& PortRecord(Settings& s) {
  const bool known = s.usedPort >= 0 && s.usedPort < kJoyPortCount;
  return s.joyPorts[known ? static_cast<std::size_t>(s.usedPort) : 0];
}

void SetColour(Graphics& gfx, Colour c) { gfx.SetColor(c.r, c.g, c.b); }

void Text(Graphics& gfx, std::string_view text, int x, int y) {
  gfx.DrawText(text, static_cast<float>(x), static_cast<float>(y));
}

void Fill(Graphics& gfx, const Box& b) {
  gfx.Rect(static_cast<float>(b.x), static_cast<float>(b.y), static_cast<float>(b.w), static_cast<float>(b.h));
}

void Outline(Graphics& gfx, const Box& b) { DrawOutline(gfx, b.x, b.y, b.w, b.h); }

std::string ButtonText(int button) { return std::to_string(static_cast<long long>(button) + 1); }

// One step of an axis number through the sixteen names: above 15 it wraps to 0, below 0 to 15.
int NextAxis(int axis) {
  if (axis >= kHighestAxis) return 0;
  if (axis < -1) return kHighestAxis;
  return axis + 1;
}

// One step of a button number: above 15 it wraps to 0.
int NextButton(int button) { return button >= kHighestButton || button < -1 ? 0 : button + 1; }

// The highest-numbered joystick button held on the port, or `button` when none is.
int HeldButton(const Game& game, int button) {
  for (int b = 0; b < kJoyButtons; ++b)
    if (game.in.JoyDown(game.settings.usedPort, b)) button = b;
  return button;
}

bool Hovered(const DualStickState& s, const Box& b) {
  return RectsOverlap(s.cursorX - 2, s.cursorY - 2, 4, 4, b.x, b.y, b.w, b.h);
}

// Red around a box the pointer is over; true when it is.
bool HoverMark(Game& game, const Box& box, const Box& edge) {
  if (!Hovered(game.dualStick, box)) return false;
  SetColour(game.gfx, kHoverRed);
  Outline(game.gfx, edge);
  return true;
}
bool HoverMark(Game& game, const Box& box) { return HoverMark(game, box, box); }

void DrawDebugPanel(Game& game) {
  Graphics& gfx = game.gfx;
  gfx.SetColor(16, 16, 16);
  Fill(gfx, {0, 25, 640, 297});
  gfx.SetColor(48, 48, 48);
  Fill(gfx, {40, 30, 300, 280});
  SetColour(gfx, kCommandEdge);
  for (int y = 50; y <= 270; y += 20) Outline(gfx, {180, y, 150, 15});
  Outline(gfx, {40, 30, 300, 260});
  Outline(gfx, {39, 29, 302, 262});
  for (std::size_t i = 0; i < kDebugRows.size(); ++i) {
    const DebugRow& row = kDebugRows[i];
    const int y = 50 + 20 * static_cast<int>(i);
    const float value = game.in.JoyAxis(game.settings.usedPort, row.slot);
    const int width = TruncateToInt((value - row.low) / (row.high - row.low) * 150.0);
    gfx.SetColor(128, 128, 128);
    Fill(gfx, {180, y, width, 15});
    gfx.SetColor(160, 160, 160);
    Text(gfx, std::string(row.label) + FormatReal(value), 50, y);
  }
}

// Everything that does not depend on the pointer, for the record of the port in use.
void DrawStaticScreen(Game& game) {
  Graphics& gfx = game.gfx;
  const DualStickState& s = game.dualStick;
  const JoyPortConfig& rec = PortRecord(game.settings);

  SetColour(gfx, kWhite);
  Text(gfx, "Dual Stick Configuration", 170, 10);
  SetColour(gfx, kHelpGrey);
  Outline(gfx, {10, 32, 600, 130});
  for (std::size_t i = 0; i < kHelpLines.size(); ++i) Text(gfx, kHelpLines[i], 15, 35 + 12 * static_cast<int>(i));

  // Ports.
  for (int p = 0; p < kJoyPortCount; ++p) {
    if (p != game.settings.usedPort) continue;
    SetColour(gfx, kChosenFill);
    Fill(gfx, kPortBoxes[static_cast<std::size_t>(p)]);
  }
  SetColour(gfx, kBoxEdge);
  for (const Box& b : kPortBoxes) Outline(gfx, b);
  SetColour(gfx, kWhite);
  Text(gfx, "Controller:", 10, 180);
  for (int p = 0; p < kJoyPortCount; ++p) Text(gfx, std::to_string(p), 127 + 50 * p, 183);

  // The wizard and the two button captures.
  const auto commandBox = [&](const Box& box, bool filled, const std::string& text, int textX) {
    if (filled) {
      SetColour(gfx, kFillGrey);
      Fill(gfx, box);
    }
    SetColour(gfx, kWhite);
    Outline(gfx, box);
    Text(gfx, text, textX, 230);
  };
  commandBox(kWizardBox, s.wizard, "AXIS WIZARD", 25);
  commandBox(kOptionBox, s.optionCapture, "OPTION = " + ButtonText(rec.optionButton), 190);
  commandBox(kBombBox, s.bombCapture, "BOMB = " + ButtonText(rec.bombButton), 330);

  // Axis boxes: blue, or orange for an inverted axis.
  for (std::size_t a = 0; a < kAxes.size(); ++a) {
    SetColour(gfx, rec.*kAxes[a].invert == -1 ? kInvertedAxis : kNormalAxis);
    Fill(gfx, kAxisBoxes[a]);
  }
  SetColour(gfx, kWhite);
  Text(gfx, "Stick 1", 10, 380);
  Text(gfx, "Stick 2", 250, 380);
  Text(gfx, "X axis: " + std::string(AxisName(rec.moveXAxis)), 20, 396);
  Text(gfx, "Y axis: " + std::string(AxisName(rec.moveYAxis)), 20, 416);
  Text(gfx, "X axis: " + std::string(AxisName(rec.fireXAxis)), 260, 396);
  Text(gfx, "Y axis: " + std::string(AxisName(rec.fireYAxis)), 260, 416);

  // Stick boxes, the selected one filled, each with the green square a resting dot belongs in.
  for (int stick = 1; stick <= 2; ++stick) {
    const Box& b = kStickBoxes[static_cast<std::size_t>(stick - 1)];
    SetColour(gfx, kWhite);
    Outline(gfx, b);
    if (s.selectedStick == stick) {
      SetColour(gfx, kFillGrey);
      Fill(gfx, {b.x + 1, b.y + 1, 98, 98});
    }
    SetColour(gfx, kRestGreen);
    Outline(gfx, {b.x + 42, 317, 16, 16});
  }

  // Dead zones and centres.
  SetColour(gfx, kLabelRed);
  Text(gfx, "DZ 1", 120, 270);
  Text(gfx, "DZ 2", 360, 270);
  Text(gfx, "C 1", 120, 330);
  Text(gfx, "C 2", 360, 330);
  SetColour(gfx, kValueBlue);
  for (int stick = 0; stick < 2; ++stick) {
    const StickAxisFields& x = kAxes[static_cast<std::size_t>(2 * stick)];
    const StickAxisFields& y = kAxes[static_cast<std::size_t>(2 * stick + 1)];
    const int left = stick == 0 ? 120 : 360;
    Text(gfx, "X: " + FormatReal(rec.*x.deadZone), left, 290);
    Text(gfx, "Y: " + FormatReal(rec.*y.deadZone), left, 305);
    Text(gfx, "X: " + FormatReal(rec.*x.centre), left, 350);
    Text(gfx, "Y: " + FormatReal(rec.*y.centre), left, 365);
  }

  // Scale boxes: the one equal to the axis' divisor filled.
  SetColour(gfx, kWhite);
  Text(gfx, "X Scaling Factor", 10, 440);
  Text(gfx, "X Scaling Factor", 250, 440);
  Text(gfx, "Y Scaling Factor", 10, 480);
  Text(gfx, "Y Scaling Factor", 250, 480);
  for (int a = 0; a < 4; ++a) {
    for (int i = 0; i < 3; ++i) {
      const Box b = ScaleBox(a, i);
      if (rec.*kAxes[static_cast<std::size_t>(a)].scale == static_cast<float>(kScaleValues[static_cast<std::size_t>(i)])) {
        SetColour(gfx, kChosenFill);
        Fill(gfx, b);
      }
      SetColour(gfx, kBoxEdge);
      Outline(gfx, b);
      SetColour(gfx, kWhite);
      Text(gfx, std::to_string(kScaleValues[static_cast<std::size_t>(i)]), b.x + kScaleLabelDx[static_cast<std::size_t>(i)],
           b.y + 5);
    }
  }

  // Commands.
  for (int c = 0; c < 4; ++c) {
    const Box b = CommandBox(c);
    SetColour(gfx, kCommandEdge);
    Outline(gfx, b);
    SetColour(gfx, kWhite);
    Text(gfx, kCommandTexts[static_cast<std::size_t>(c)], b.x + 3, b.y + 2);
  }

  if (game.debugMode == 1) DrawDebugPanel(game);
}

// One frame of mouse and keys while the wizard is off. True when the screen is to be left.
bool Interact(Game& game) {
  Input& in = game.in;
  Settings& settings = game.settings;
  DualStickState& s = game.dualStick;
  // Every hit is read once a frame, so none waits for a later frame to act.
  const bool left = in.MouseHit(1) > 0;
  const bool right = in.MouseHit(2) > 0;
  const bool enter = in.KeyHit(kKeyEnter) > 0;
  int portKey = -1;
  for (int p = 0; p < kJoyPortCount; ++p)
    if (in.KeyHit(kKeyPort0 + p) > 0) portKey = p;
  const bool debugKey = in.KeyHit(kKeyD) > 0;
  const bool saveKey = in.KeyHit(kKeyS) > 0;
  const bool loadKey = in.KeyHit(kKeyL) > 0;
  const bool exitKey = in.KeyHit(kKeyE) > 0;

  // 1. Axis boxes: left click steps the axis, right click inverts it.
  for (std::size_t a = 0; a < kAxes.size(); ++a) {
    const Box& b = kAxisBoxes[a];
    if (!HoverMark(game, b, {b.x - 1, b.y - 1, 177, 16})) continue;
    JoyPortConfig& rec = PortRecord(settings);
    if (left) rec.*kAxes[a].axis = NextAxis(rec.*kAxes[a].axis);
    if (right) rec.*kAxes[a].invert = rec.*kAxes[a].invert == -1 ? 1 : -1;
  }
  // 2. Stick boxes.
  for (int stick = 1; stick <= 2; ++stick)
    if (HoverMark(game, kStickBoxes[static_cast<std::size_t>(stick - 1)]) && left)
      s.selectedStick = s.selectedStick == stick ? 0 : stick;
  // 3. Port boxes.
  for (int p = 0; p < kJoyPortCount; ++p)
    if (HoverMark(game, kPortBoxes[static_cast<std::size_t>(p)]) && left) settings.usedPort = p;
  // 4. Scale boxes.
  for (int a = 0; a < 4; ++a)
    for (int i = 0; i < 3; ++i)
      if (HoverMark(game, ScaleBox(a, i)) && left)
        PortRecord(settings).*kAxes[static_cast<std::size_t>(a)].scale = static_cast<float>(kScaleValues[static_cast<std::size_t>(i)]);
  // 5. The wizard. An Escape hit left over from before must not skip its first step.
  if (HoverMark(game, kWizardBox) && left) {
    s.wizard = true;
    s.wizardStep = 0;
    s.optionCapture = s.bombCapture = false;
    in.KeyHit(kKeyEscape);
  }
  // 6. The button captures, one at a time.
  if (HoverMark(game, kOptionBox) && left) {
    s.optionCapture = true;
    s.bombCapture = false;
  }
  if (HoverMark(game, kBombBox) && left) {
    s.bombCapture = true;
    s.optionCapture = false;
  }
  // 7. Capturing: the highest button held wins; Enter steps the number by one.
  if (s.optionCapture || s.bombCapture) {
    int& button = s.optionCapture ? PortRecord(settings).optionButton : PortRecord(settings).bombButton;
    button = HeldButton(game, button);
    if (enter) button = NextButton(button);
  }
  // 8. Keys 1..4.
  if (portKey >= 0) settings.usedPort = portKey;
  // 9. Debug panel, save, load.
  const bool debugClick = HoverMark(game, CommandBox(kDebugCommand)) && left;
  if (debugClick || debugKey) game.debugMode = game.debugMode == 1 ? 0 : 1;
  const bool saveClick = HoverMark(game, CommandBox(kSaveCommand)) && left;
  if (saveClick || saveKey) SaveSettingsFile(game);
  const bool loadClick = HoverMark(game, CommandBox(kLoadCommand)) && left;
  if (loadClick || loadKey) ReloadSettingsFile(game);
  // 10. Leave, or the held arrows tune the selected stick: its centres, or with shift its dead zones.
  if (exitKey) return true;
  if (s.selectedStick == 1 || s.selectedStick == 2) {
    const bool shift = in.KeyDown(kKeyLeftShift) || in.KeyDown(kKeyRightShift);
    const StickAxisFields& x = kAxes[s.selectedStick == 1 ? kMoveX : kFireX];
    const StickAxisFields& y = kAxes[s.selectedStick == 1 ? kMoveY : kFireY];
    // Stick 1's dead zone stays positive; stick 2's may go below 0, which removes it.
    const float low = shift && s.selectedStick == 1 ? 0.0f : -0.9f;
    const float high = shift && s.selectedStick == 1 ? 0.5f : 0.9f;
    JoyPortConfig& rec = PortRecord(settings);
    float& xValue = shift ? rec.*x.deadZone : rec.*x.centre;
    float& yValue = shift ? rec.*y.deadZone : rec.*y.centre;
    const auto nudge = [low, high](float& value, float step) { value = std::clamp(value + step, low, high); };
    if (in.KeyDown(kKeyUp)) nudge(yValue, -0.01f);
    if (in.KeyDown(kKeyDown)) nudge(yValue, 0.01f);
    if (in.KeyDown(kKeyLeft)) nudge(xValue, -0.01f);
    if (in.KeyDown(kKeyRight)) nudge(xValue, 0.01f);
  }
  return HoverMark(game, CommandBox(kExitCommand)) && left;
}

// The two red dots: each stick's reading through the record, inside its dead zone at rest, placed in
// its box and shifted once more by the centre.
void DrawLiveSticks(Game& game) {
  const int port = game.settings.usedPort;
  const JoyPortConfig& rec = PortRecord(game.settings);
  AxisSlots slots{};
  for (int i = 0; i < kAxisSlotCount; ++i) slots[static_cast<std::size_t>(i)] = game.in.JoyAxis(port, i);
  constexpr std::array<int, 4> kBoxLow = {10, 275, 250, 275};  // each axis maps -1..1 onto low..low + 100
  std::array<int, 4> at{};
  for (std::size_t a = 0; a < kAxes.size(); ++a) {
    const StickAxisFields& f = kAxes[a];
    float v = ReadStickAxis(slots, ZeroBasedAxis(rec.*f.axis), rec.*f.scale, rec.*f.invert, rec.*f.centre);
    if (std::fabs(v) < rec.*f.deadZone) v = 0;
    at[a] = TruncateToInt(kBoxLow[a] + (static_cast<double>(v) + 1.0) * 50.0);
  }
  Graphics& gfx = game.gfx;
  SetColour(gfx, kDotRed);
  gfx.Oval(static_cast<float>(at[kMoveX]) - 5 - 50 * rec.moveXCentre, static_cast<float>(at[kMoveY]) - 5 - 50 * rec.moveYCentre,
           10, 10);
  gfx.Oval(static_cast<float>(at[kFireX]) - 5 - 50 * rec.fireXCentre, static_cast<float>(at[kFireY]) - 5 - 50 * rec.fireYCentre,
           10, 10);
}

}  // namespace

std::string_view AxisName(int axisNumber) {
  if (axisNumber < 0 || axisNumber >= kAxisNameCount) return {};
  return kAxisNames[static_cast<std::size_t>(axisNumber)];
}

int DetectMovedAxis(Game& game, int port, float scale) {
  for (int attempt = 0; attempt < kDetectTries; ++attempt) {
    // The first look uses this frame's readings; each later one takes in what the devices did since.
    if (attempt > 0) game.in.Poll();
    if (game.ShouldQuit()) return -1;
    for (int axis = 1; axis <= kHighestAxis; ++axis) {
      const float v = std::fabs(game.in.JoyAxis(port, AxisSlot(axis - 1)));
      if (v > 0.5f * scale && v < 0.9f * scale) return axis;
    }
    if (game.in.KeyHit(kKeyEscape) > 0) return 0;
    game.clock.Delay(kDetectSleepMs);
  }
  return -1;
}

void AxisWizardStep(Game& game) {
  DualStickState& s = game.dualStick;
  if (!s.wizard) return;
  if (s.wizardStep < 0 || s.wizardStep >= kWizardSteps) {
    s.wizard = false;
    return;
  }
  const WizardStage& stage = kWizardStages[static_cast<std::size_t>(s.wizardStep / 2)];
  const StickAxisFields& fields = kAxes[static_cast<std::size_t>(stage.axis)];
  game.gfx.SetColor(kRestGreen.r, kRestGreen.g, kRestGreen.b);
  game.gfx.DrawText(stage.prompt, 180, 210);

  const float scale = PortRecord(game.settings).*fields.scale;
  const int found = DetectMovedAxis(game, game.settings.usedPort, scale);
  if (found < 0) return;  // nothing yet: the same step next frame
  JoyPortConfig& rec = PortRecord(game.settings);
  if (found > 0) rec.*fields.axis = found;
  s.wizardStep += 1;
  game.status.Show(std::string(stage.message) + std::string(AxisName(rec.*fields.axis)), stage.messageFrames);
  if (s.wizardStep >= kWizardSteps) {
    // Keys and clicks made while the wizard had the screen were not meant for the screen.
    s.wizard = false;
    game.in.FlushKeys();
    game.in.FlushMouse();
  }
}

bool SaveSettingsFile(Game& game) {
  Settings toSave = game.settings;
  if (game.configuredDisplay) RestoreDisplayChoice(toSave, *game.configuredDisplay);
  return SaveConfig(std::string(kConfigFileName), toSave, game.status);
}

bool ReloadSettingsFile(Game& game) {
  // What the file does not mention keeps the player's value, not this run's fallback display.
  Settings loaded = game.settings;
  if (game.configuredDisplay) RestoreDisplayChoice(loaded, *game.configuredDisplay);
  if (!LoadConfig(std::string(kConfigFileName), loaded, game.status)) return false;
  SanitiseDisplaySettings(loaded);
  // The display stays as it is: a view smaller than its playfield must go on scrolling.
  const ViewState& v = game.view;
  if (v.viewWidth < v.fieldWidth || v.viewHeight < v.fieldHeight) loaded.scroll = 1;
  game.settings = loaded;
  // The loaded display choices are the player's now, and are what the exit saves.
  game.configuredDisplay.reset();
  game.sounds.ApplySfxVolumeToHums(game.settings.sfxVolume);
  game.sounds.ApplyMusicVolume(game.settings.musicVolume);
  return true;
}

void DualStickScreen(Game& game) {
  Graphics& gfx = game.gfx;
  DualStickState& s = game.dualStick;
  gfx.SetOrigin(static_cast<float>((game.view.viewWidth - kLayoutWidth) / 2),
                static_cast<float>((game.view.viewHeight - kLayoutHeight) / 2));
  game.in.FlushKeys();
  game.in.FlushMouse();

  int frame = 0;  // the pointer mark spins and blinks with it
  bool leave = false;
  while (!leave && !game.ShouldQuit()) {
    gfx.Cls();
    const std::int64_t frameStart = game.clock.Millisecs();
    // Boxes are one pixel wide, and the bitmap font's cells are see-through.
    gfx.SetLineWidth(1);
    gfx.SetBlend(kAlphaBlend);
    gfx.SetAlpha(1);
    DrawStaticScreen(game);
    s.cursorX = std::min(game.in.MouseX(), kCursorMaxX);
    s.cursorY = std::min(game.in.MouseY(), kCursorMaxY);

    if (s.wizard)
      AxisWizardStep(game);
    else
      leave = Interact(game);

    DrawLiveSticks(game);
    DrawMenuPointer(game, s.cursorX, s.cursorY, frame, 4);
    // The status line blinks with the pointer: it takes the colour the mark left.
    if (game.status.statusMessageFrames > 0) {
      gfx.DrawText(game.status.statusMessage, 320, 180);
      game.status.statusMessageFrames -= 1;
    }
    frame += 1;
    PresentFrame(game);
    CapFrame(game, frameStart);
  }
  gfx.SetOrigin(0, 0);
  game.in.FlushKeys();
  game.in.FlushMouse();
}

}  // namespace qv
