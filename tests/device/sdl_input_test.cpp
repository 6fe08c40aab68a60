// The real input layer: SDL's events turned into the game's key codes, mouse buttons and joystick
// ports. SDL's dummy video driver takes pushed events without a window, and its virtual joysticks
// stand in for pads, so none of this needs a display or a device.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/sdl/gl_backend.h"
#include "platform/sdl/sdl_input.h"

namespace qv {
namespace {

class SdlInputTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "dummy", 1); }
  // The picture tests of the same program need the real display again.
  static void TearDownTestSuite() { unsetenv("SDL_VIDEODRIVER"); }

  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS | SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    backend = std::make_unique<GlBackend>();
    ASSERT_TRUE(backend->videoAvailable()) << "the dummy video driver did not start";
    input = std::make_unique<SdlInput>(*backend);
    input->Poll();
  }

  void TearDown() override {
    for (SDL_Joystick* j : held) SDL_JoystickClose(j);
    for (int index : attached) SDL_JoystickDetachVirtual(index);
    input.reset();
    backend.reset();
    SDL_Quit();
  }

  static void PushKey(SDL_Keycode sym, SDL_Scancode scancode, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = scancode;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }

  static void PushMouseButton(Uint8 button, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }

  // A virtual pad; with `mapped` SDL gives it a standard game-controller layout, without it is a plain
  // joystick. Returns its device index (also its index for SDL_JoystickDetachVirtual).
  int AttachPad(bool mapped, int axes = SDL_CONTROLLER_AXIS_MAX, int buttons = SDL_CONTROLLER_BUTTON_MAX) {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = mapped ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.naxes = static_cast<Uint16>(axes);
    desc.nbuttons = static_cast<Uint16>(buttons);
    desc.axis_mask = mapped ? (1u << axes) - 1 : 0;
    desc.button_mask = mapped ? (1u << buttons) - 1 : 0;
    desc.name = mapped ? "Quorvax test pad" : "Quorvax test stick";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    EXPECT_GE(index, 0) << SDL_GetError();
    attached.push_back(index);
    SDL_Joystick* j = SDL_JoystickOpen(index);
    EXPECT_NE(j, nullptr) << SDL_GetError();
    held.push_back(j);
    input->Poll();
    return index;
  }

  void Detach(int index) {
    for (std::size_t i = 0; i < attached.size(); ++i) {
      if (attached[i] != index) continue;
      SDL_JoystickClose(held[i]);
      SDL_JoystickDetachVirtual(index);
      attached.erase(attached.begin() + static_cast<long>(i));
      held.erase(held.begin() + static_cast<long>(i));
      break;
    }
    // Device indices shift down when one goes away.
    for (int& other : attached)
      if (other > index) --other;
    input->Poll();
  }

  SDL_Joystick* Pad(std::size_t n) { return held[n]; }

  // A folder of the player's files for one test, entered and left again.
  struct Folder {
    std::filesystem::path old, path;
    bool Enter() {
      old = std::filesystem::current_path();
      path = std::filesystem::temp_directory_path() / ("quorvax_mappings_" + std::to_string(getpid()));
      std::filesystem::create_directories(path);
      std::filesystem::current_path(path);
      return true;
    }
    void Leave() {
      if (path.empty()) return;
      std::filesystem::current_path(old);
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
      path.clear();
    }
    ~Folder() { Leave(); }
  } input_folder_;

  std::unique_ptr<GlBackend> backend;
  std::unique_ptr<SdlInput> input;
  std::vector<int> attached;
  std::vector<SDL_Joystick*> held;
};

TEST_F(SdlInputTest, KeysOfTheDefaultControlsReadAsWindowsCodes) {
  struct Case {
    SDL_Keycode sym;
    SDL_Scancode scancode;
    int code;
  };
  const Case cases[] = {
      {SDLK_s, SDL_SCANCODE_S, 83},          {SDLK_d, SDL_SCANCODE_D, 68},
      {SDLK_e, SDL_SCANCODE_E, 69},          {SDLK_x, SDL_SCANCODE_X, 88},
      {SDLK_LEFT, SDL_SCANCODE_LEFT, 37},    {SDLK_UP, SDL_SCANCODE_UP, 38},
      {SDLK_RIGHT, SDL_SCANCODE_RIGHT, 39},  {SDLK_DOWN, SDL_SCANCODE_DOWN, 40},
      {SDLK_SPACE, SDL_SCANCODE_SPACE, 32},  {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27},
      {SDLK_RETURN, SDL_SCANCODE_RETURN, 13}, {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
      {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8}, {SDLK_F1, SDL_SCANCODE_F1, 112},
      {SDLK_F7, SDL_SCANCODE_F7, 118},       {SDLK_F12, SDL_SCANCODE_F12, 123},
      {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 160}, {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 161},
      {SDLK_0, SDL_SCANCODE_0, 48},          {SDLK_7, SDL_SCANCODE_7, 55},
      {SDLK_p, SDL_SCANCODE_P, 80},          {SDLK_o, SDL_SCANCODE_O, 79},
      {SDLK_KP_7, SDL_SCANCODE_KP_7, 103},
  };
  for (const Case& c : cases) {
    PushKey(c.sym, c.scancode, true);
    input->Poll();
    EXPECT_TRUE(input->KeyDown(c.code)) << c.code;
    EXPECT_EQ(input->KeyHit(c.code), 1) << c.code;
    EXPECT_EQ(input->KeyHit(c.code), 0) << "a hit is read once: " << c.code;
    PushKey(c.sym, c.scancode, false);
    input->Poll();
    EXPECT_FALSE(input->KeyDown(c.code)) << c.code;
  }
  // Either shift key holds the generic shift code.
  PushKey(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, true);
  input->Poll();
  EXPECT_TRUE(input->KeyDown(16));
  PushKey(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, false);
  input->Poll();
  EXPECT_FALSE(input->KeyDown(16));
}

TEST_F(SdlInputTest, AFlushForgetsPressesButNeverReleases) {
  // A key released just before the flush reads as up afterwards (it used to stay held).
  PushKey(SDLK_e, SDL_SCANCODE_E, true);
  input->Poll();
  ASSERT_TRUE(input->KeyDown('E'));
  PushKey(SDLK_e, SDL_SCANCODE_E, false);
  input->FlushKeys();
  EXPECT_FALSE(input->KeyDown('E'));
  EXPECT_EQ(input->KeyHit('E'), 0);

  // A key pressed just before the flush is held, but its press is forgotten.
  PushKey(SDLK_SPACE, SDL_SCANCODE_SPACE, true);
  input->FlushKeys();
  EXPECT_TRUE(input->KeyDown(32));
  EXPECT_EQ(input->KeyHit(32), 0);

  // The same for mouse buttons.
  PushMouseButton(SDL_BUTTON_LEFT, true);
  input->Poll();
  ASSERT_TRUE(input->MouseDown(1));
  PushMouseButton(SDL_BUTTON_LEFT, false);
  input->FlushMouse();
  EXPECT_FALSE(input->MouseDown(1));
  EXPECT_EQ(input->MouseHit(1), 0);

  PushMouseButton(SDL_BUTTON_RIGHT, true);
  input->FlushMouse();
  EXPECT_TRUE(input->MouseDown(2));
  EXPECT_EQ(input->MouseHit(2), 0);

  // Flushing keys keeps a pending click and the other way round.
  PushMouseButton(SDL_BUTTON_MIDDLE, true);
  PushKey(SDLK_x, SDL_SCANCODE_X, true);
  input->FlushKeys();
  EXPECT_EQ(input->MouseHit(3), 1);
  EXPECT_EQ(input->KeyHit('X'), 0);
}

TEST_F(SdlInputTest, AStandardPadFollowsTheDocumentedLayout) {
  AttachPad(true);
  ASSERT_EQ(input->JoyCount(), 1);
  SDL_Joystick* pad = Pad(0);

  struct AxisCase {
    int sdlAxis;
    int slot;
  };
  const AxisCase axes[] = {{SDL_CONTROLLER_AXIS_LEFTX, 0}, {SDL_CONTROLLER_AXIS_LEFTY, 1},
                           {SDL_CONTROLLER_AXIS_RIGHTY, 2}, {SDL_CONTROLLER_AXIS_RIGHTX, 3},
                           {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 4}, {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 5}};
  // A virtual pad's triggers span the whole raw range: released is its bottom end.
  const auto rest = [](int slot) { return slot >= 4 ? Sint16{-32768} : Sint16{0}; };
  for (const AxisCase& a : axes) SDL_JoystickSetVirtualAxis(pad, a.sdlAxis, rest(a.slot));
  for (const AxisCase& a : axes) {
    ASSERT_EQ(SDL_JoystickSetVirtualAxis(pad, a.sdlAxis, 32767), 0) << SDL_GetError();
    input->Poll();
    for (const AxisCase& other : axes)
      EXPECT_NEAR(input->JoyAxis(0, other.slot), other.slot == a.slot ? 1.0f : 0.0f, 0.01f)
          << "slot " << other.slot << " while moving slot " << a.slot;
    if (a.slot < 4) {
      SDL_JoystickSetVirtualAxis(pad, a.sdlAxis, -32768);
      input->Poll();
      EXPECT_NEAR(input->JoyAxis(0, a.slot), -1.0f, 0.01f) << "slot " << a.slot;
    }
    SDL_JoystickSetVirtualAxis(pad, a.sdlAxis, rest(a.slot));
  }

  struct ButtonCase {
    int sdlButton;
    int button;
  };
  const ButtonCase buttons[] = {
      {SDL_CONTROLLER_BUTTON_A, 0},          {SDL_CONTROLLER_BUTTON_START, 1},
      {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 2}, {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 3},
      {SDL_CONTROLLER_BUTTON_B, 4},          {SDL_CONTROLLER_BUTTON_X, 5},
      {SDL_CONTROLLER_BUTTON_Y, 6},          {SDL_CONTROLLER_BUTTON_BACK, 7},
      {SDL_CONTROLLER_BUTTON_LEFTSTICK, 8},  {SDL_CONTROLLER_BUTTON_RIGHTSTICK, 9},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, 10},   {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 11},
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 12}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 13},
  };
  for (const ButtonCase& b : buttons) {
    ASSERT_EQ(SDL_JoystickSetVirtualButton(pad, b.sdlButton, SDL_PRESSED), 0) << SDL_GetError();
    input->Poll();
    EXPECT_TRUE(input->JoyDown(0, b.button)) << "button " << b.button;
    EXPECT_EQ(input->JoyHit(0, b.button), 1) << "button " << b.button;
    SDL_JoystickSetVirtualButton(pad, b.sdlButton, SDL_RELEASED);
    input->Poll();
    EXPECT_FALSE(input->JoyDown(0, b.button)) << "button " << b.button;
  }

  // The triggers pulled past half way are buttons 14 (right) and 15 (left).
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 30000);
  input->Poll();
  EXPECT_TRUE(input->JoyDown(0, 14));
  EXPECT_FALSE(input->JoyDown(0, 15));
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
  input->Poll();
  EXPECT_FALSE(input->JoyDown(0, 14));

  // Out of range reads as nothing.
  EXPECT_EQ(input->JoyAxis(0, 16), 0.0f);
  EXPECT_FALSE(input->JoyDown(0, -1));
  EXPECT_FALSE(input->JoyDown(4, 0));
}

TEST_F(SdlInputTest, PadsArePluggedInAndOutAtAnyTime) {
  const int first = AttachPad(true);
  AttachPad(true);
  ASSERT_EQ(input->JoyCount(), 2);
  SDL_JoystickSetVirtualButton(Pad(1), SDL_CONTROLLER_BUTTON_START, SDL_PRESSED);
  input->Poll();
  EXPECT_FALSE(input->JoyDown(0, 1));
  EXPECT_TRUE(input->JoyDown(1, 1)) << "the second pad sits in port 1";
  SDL_JoystickSetVirtualButton(Pad(1), SDL_CONTROLLER_BUTTON_START, SDL_RELEASED);

  // The first pad goes away: its port is empty and reads as nothing, the second keeps its port.
  SDL_JoystickSetVirtualAxis(Pad(0), SDL_CONTROLLER_AXIS_LEFTX, 32767);
  input->Poll();
  EXPECT_GT(input->JoyAxis(0, 0), 0.9f);
  Detach(first);
  EXPECT_EQ(input->JoyCount(), 1);
  EXPECT_EQ(input->JoyAxis(0, 0), 0.0f) << "an unplugged pad leaves no stick deflected";
  SDL_JoystickSetVirtualButton(Pad(0), SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
  input->Poll();
  EXPECT_TRUE(input->JoyDown(1, 0));

  // A pad plugged in later takes the first free port.
  AttachPad(true);
  ASSERT_EQ(input->JoyCount(), 2);
  SDL_JoystickSetVirtualButton(Pad(1), SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, SDL_PRESSED);
  input->Poll();
  EXPECT_TRUE(input->JoyDown(0, 2));
}

TEST_F(SdlInputTest, AJoystickWithoutAMappingGivesItsOwnAxesAndButtons) {
  AttachPad(false, 3, 12);
  ASSERT_EQ(input->JoyCount(), 1);
  SDL_Joystick* stick = Pad(0);
  ASSERT_EQ(SDL_JoystickSetVirtualAxis(stick, 2, 32767), 0) << SDL_GetError();
  ASSERT_EQ(SDL_JoystickSetVirtualButton(stick, 11, SDL_PRESSED), 0) << SDL_GetError();
  input->Poll();
  EXPECT_NEAR(input->JoyAxis(0, 2), 1.0f, 0.01f);
  EXPECT_EQ(input->JoyAxis(0, 0), 0.0f);
  EXPECT_TRUE(input->JoyDown(0, 11));
  EXPECT_EQ(input->JoyHit(0, 11), 1);
  SDL_JoystickSetVirtualButton(stick, 11, SDL_RELEASED);
  input->Poll();
  EXPECT_FALSE(input->JoyDown(0, 11));
}

// A menu row is chosen where the pointer is: in a window of the frame's own size and in a full screen
// that shows the frame letterboxed, a point of the window maps to the frame point drawn there, and a
// warp to a frame point lands where that point is drawn.
TEST(FrameMappingTest, WindowPointsMapToTheFramePointsDrawnThere) {
  struct Case {
    int frameW, frameH, windowW, windowH;
    float scale;
    int offsetX, offsetY;
  };
  const Case cases[] = {
      {1024, 768, 1024, 768, 1.0f, 0, 0},          // a window
      {1024, 768, 1920, 1080, 1.40625f, 240, 0},   // wide screen: bars left and right
      {1024, 768, 1280, 1024, 1.25f, 0, 32},       // tall screen: bars above and below
      {640, 480, 2560, 1440, 3.0f, 320, 0},
  };
  for (const Case& c : cases) {
    const FrameMapping m = LetterboxMapping(c.frameW, c.frameH, c.windowW, c.windowH);
    EXPECT_FLOAT_EQ(m.scale, c.scale);
    EXPECT_EQ(m.offsetX, c.offsetX);
    EXPECT_EQ(m.offsetY, c.offsetY);
    // The options menu's "Settings" row at 1024 x 768 spans y 384..404; its middle, x at the pointer.
    for (const auto& [fx, fy] : {std::pair{212.0f, 394.0f}, std::pair{0.0f, 0.0f}, std::pair{600.0f, 470.0f}}) {
      int wx = 0, wy = 0;
      FrameToWindow(m, fx, fy, wx, wy);
      float backX = 0, backY = 0;
      WindowToFrame(m, static_cast<float>(wx), static_cast<float>(wy), backX, backY);
      EXPECT_NEAR(backX, fx, 1.0f);
      EXPECT_NEAR(backY, fy, 1.0f);
    }
  }
  // A high-density display: a window of 1024 x 768 points drawn at 2048 x 1536 pixels. The mouse
  // counts points; the frame point under it is the same as on a plain display.
  const FrameMapping dense = LetterboxMapping(1024, 768, 2048, 1536, 2.0f);
  float fx = 0, fy = 0;
  WindowToFrame(dense, 212, 394, fx, fy);
  EXPECT_NEAR(fx, 212, 0.01f);
  EXPECT_NEAR(fy, 394, 0.01f);
  int wx = 0, wy = 0;
  FrameToWindow(dense, 212, 394, wx, wy);
  EXPECT_EQ(wx, 212);
  EXPECT_EQ(wy, 394);

  // A degenerate window never divides by zero.
  const FrameMapping none = LetterboxMapping(1024, 768, 0, 0);
  float x = 0, y = 0;
  WindowToFrame(none, 10, 10, x, y);
  EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
}

// With the pointer hidden (as in play and in the menus), motion adds up into a position that never
// leaves the frame, so the menus' own pointer mark stays on screen and over a row.
TEST_F(SdlInputTest, HiddenPointerMotionStaysOnTheFrame) {
  input->HideMouse();
  input->MoveMouse(500, 300);
  const auto push = [](int dx, int dy) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.xrel = dx;
    e.motion.yrel = dy;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  };
  push(20, -30);
  input->Poll();
  EXPECT_EQ(input->MouseX(), 520);
  EXPECT_EQ(input->MouseY(), 270);
  push(-5000, -5000);
  input->Poll();
  EXPECT_EQ(input->MouseX(), 0);
  EXPECT_EQ(input->MouseY(), 0);
  push(9000, 9000);
  input->Poll();
  EXPECT_EQ(input->MouseX(), 1023);
  EXPECT_EQ(input->MouseY(), 767);
}

TEST_F(SdlInputTest, AltEnterAsksForTheOtherScreenModeAndIsNoEnter) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = SDLK_RETURN;
  e.key.keysym.scancode = SDL_SCANCODE_RETURN;
  e.key.keysym.mod = KMOD_LALT;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
  input->Poll();
  EXPECT_TRUE(input->FullscreenToggleRequested());
  EXPECT_FALSE(input->FullscreenToggleRequested());
  EXPECT_EQ(input->KeyHit(kKeyEnter), 0) << "a menu must not take it as a choice";
  PushKey(SDLK_RETURN, SDL_SCANCODE_RETURN, true);
  input->Poll();
  EXPECT_EQ(input->KeyHit(kKeyEnter), 1);
  EXPECT_FALSE(input->FullscreenToggleRequested());
}

// A player's "gamecontrollerdb.txt" in the files' folder teaches SDL a pad it does not know: the file
// is read when the input starts, before any pad is opened. (SDL's virtual pads take no mapping from
// a file, so the test asks SDL for the mapping it now holds for a made-up USB pad.)
TEST_F(SdlInputTest, APlayersMappingFileIsReadWhenTheInputStarts) {
  const char* guid = "03000000d3510000a5c7000000000000";
  char* before = SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString(guid));
  EXPECT_EQ(before, nullptr);
  SDL_free(before);
  input.reset();
  ASSERT_TRUE(input_folder_.Enter());
  {
    std::ofstream mappings(kControllerMappingsFile);
    mappings << "# a comment line\n"
             << guid << ",Quorvax test pad,a:b3,start:b6,rightshoulder:b7,leftx:a0,lefty:a1,platform:Linux,\n";
  }
  input = std::make_unique<SdlInput>(*backend);
  char* mapping = SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString(guid));
  ASSERT_NE(mapping, nullptr);
  EXPECT_NE(std::string(mapping).find("Quorvax test pad"), std::string::npos) << mapping;
  EXPECT_NE(std::string(mapping).find("start:b6"), std::string::npos) << mapping;
  SDL_free(mapping);
  input_folder_.Leave();
}

TEST_F(SdlInputTest, LosingTheWindowFocusIsReportedOnce) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
  input->Poll();
  EXPECT_TRUE(input->FocusLost());
  EXPECT_FALSE(input->FocusLost());
}

}  // namespace
}  // namespace qv
