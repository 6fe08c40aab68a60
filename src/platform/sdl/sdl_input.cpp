#include "platform/sdl/sdl_input.h"

#include <algorithm>
#include <csignal>
#include <cstdio>

namespace qv {

namespace {

volatile std::sig_atomic_t gStopSignal = 0;

extern "C" void OnStopSignal(int) { gStopSignal = 1; }

// Windows virtual-key codes for the keys whose code does not follow from the character they type.
int VirtualKeyFromScancode(SDL_Scancode sc) {
  switch (sc) {
    case SDL_SCANCODE_BACKSPACE: return 8;
    case SDL_SCANCODE_TAB: return 9;
    case SDL_SCANCODE_CLEAR: return 12;
    case SDL_SCANCODE_RETURN: return 13;
    case SDL_SCANCODE_RETURN2: return 13;
    case SDL_SCANCODE_KP_ENTER: return 13;
    case SDL_SCANCODE_PAUSE: return 19;
    case SDL_SCANCODE_CAPSLOCK: return 20;
    case SDL_SCANCODE_ESCAPE: return 27;
    case SDL_SCANCODE_SPACE: return 32;
    case SDL_SCANCODE_PAGEUP: return 33;
    case SDL_SCANCODE_PAGEDOWN: return 34;
    case SDL_SCANCODE_END: return 35;
    case SDL_SCANCODE_HOME: return 36;
    case SDL_SCANCODE_LEFT: return 37;
    case SDL_SCANCODE_UP: return 38;
    case SDL_SCANCODE_RIGHT: return 39;
    case SDL_SCANCODE_DOWN: return 40;
    case SDL_SCANCODE_SELECT: return 41;
    case SDL_SCANCODE_EXECUTE: return 43;
    case SDL_SCANCODE_PRINTSCREEN: return 44;
    case SDL_SCANCODE_INSERT: return 45;
    case SDL_SCANCODE_DELETE: return 46;
    case SDL_SCANCODE_HELP: return 47;
    case SDL_SCANCODE_LGUI: return 91;
    case SDL_SCANCODE_RGUI: return 92;
    case SDL_SCANCODE_KP_0: return 96;
    case SDL_SCANCODE_KP_1: return 97;
    case SDL_SCANCODE_KP_2: return 98;
    case SDL_SCANCODE_KP_3: return 99;
    case SDL_SCANCODE_KP_4: return 100;
    case SDL_SCANCODE_KP_5: return 101;
    case SDL_SCANCODE_KP_6: return 102;
    case SDL_SCANCODE_KP_7: return 103;
    case SDL_SCANCODE_KP_8: return 104;
    case SDL_SCANCODE_KP_9: return 105;
    case SDL_SCANCODE_KP_MULTIPLY: return 106;
    case SDL_SCANCODE_KP_PLUS: return 107;
    case SDL_SCANCODE_KP_MINUS: return 109;
    case SDL_SCANCODE_KP_PERIOD: return 110;
    case SDL_SCANCODE_KP_DIVIDE: return 111;
    case SDL_SCANCODE_NUMLOCKCLEAR: return 144;
    case SDL_SCANCODE_SCROLLLOCK: return 145;
    case SDL_SCANCODE_LSHIFT: return 160;
    case SDL_SCANCODE_RSHIFT: return 161;
    case SDL_SCANCODE_LCTRL: return 162;
    case SDL_SCANCODE_RCTRL: return 163;
    case SDL_SCANCODE_LALT: return 164;
    case SDL_SCANCODE_RALT: return 165;
    case SDL_SCANCODE_SEMICOLON: return 186;
    case SDL_SCANCODE_EQUALS: return 187;
    case SDL_SCANCODE_COMMA: return 188;
    case SDL_SCANCODE_MINUS: return 189;
    case SDL_SCANCODE_PERIOD: return 190;
    case SDL_SCANCODE_SLASH: return 191;
    case SDL_SCANCODE_GRAVE: return 192;
    case SDL_SCANCODE_LEFTBRACKET: return 219;
    case SDL_SCANCODE_BACKSLASH: return 220;
    case SDL_SCANCODE_RIGHTBRACKET: return 221;
    case SDL_SCANCODE_APOSTROPHE: return 222;
    case SDL_SCANCODE_NONUSBACKSLASH: return 226;
    default: break;
  }
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return 112 + (sc - SDL_SCANCODE_F1);
  return -1;
}

// Letters and digits follow the keyboard layout (the key that types "A" is code 65); everything else
// goes by its place on the keyboard.
int VirtualKey(const SDL_Keysym& key) {
  if (key.sym >= SDLK_a && key.sym <= SDLK_z) return 65 + (key.sym - SDLK_a);
  if (key.sym >= SDLK_0 && key.sym <= SDLK_9 &&
      !(key.scancode >= SDL_SCANCODE_KP_1 && key.scancode <= SDL_SCANCODE_KP_0))
    return 48 + (key.sym - SDLK_0);
  return VirtualKeyFromScancode(key.scancode);
}

// The generic shift, control and alt codes are down while either side's key is.
int GenericModifier(int code) {
  if (code == 160 || code == 161) return 16;
  if (code == 162 || code == 163) return 17;
  if (code == 164 || code == 165) return 18;
  return -1;
}

int ControllerButtonSlot(int button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return 0;
    case SDL_CONTROLLER_BUTTON_START: return 1;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return 2;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return 3;
    case SDL_CONTROLLER_BUTTON_B: return 4;
    case SDL_CONTROLLER_BUTTON_X: return 5;
    case SDL_CONTROLLER_BUTTON_Y: return 6;
    case SDL_CONTROLLER_BUTTON_BACK: return 7;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK: return 8;
    case SDL_CONTROLLER_BUTTON_RIGHTSTICK: return 9;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return 10;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return 11;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return 12;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return 13;
    default: return -1;
  }
}

int ControllerAxisSlot(int axis) {
  switch (axis) {
    case SDL_CONTROLLER_AXIS_LEFTX: return 0;
    case SDL_CONTROLLER_AXIS_LEFTY: return 1;
    case SDL_CONTROLLER_AXIS_RIGHTY: return 2;
    case SDL_CONTROLLER_AXIS_RIGHTX: return 3;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT: return 4;
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT: return 5;
    default: return -1;
  }
}

float AxisValue(Sint16 raw) { return std::max(-1.0f, static_cast<float>(raw) / 32767.0f); }

bool ValidKey(int code) { return code >= 0 && code < kKeyCount; }
bool ValidMouse(int button) { return button >= 1 && button < kMouseButtons; }

}  // namespace

void InstallStopSignals() {
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
}

SdlInput::SdlInput(const GlBackend& display) : display_(display) {
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK);
  // A player's own mappings (SDL's format, one pad a line) make an unknown pad work without a
  // rebuild; they are read before any pad is opened.
  if (SDL_RWops* file = SDL_RWFromFile(kControllerMappingsFile, "rb")) {
    const int added = SDL_GameControllerAddMappingsFromRW(file, 1);
    if (added < 0) std::fprintf(stderr, "quorvax: %s could not be read: %s\n", kControllerMappingsFile, SDL_GetError());
  }
  // Devices present at start arrive as "added" events on the first poll.
}

SdlInput::~SdlInput() {
  for (Port& p : ports_) {
    if (p.controller) SDL_GameControllerClose(p.controller);
    else if (p.joystick) SDL_JoystickClose(p.joystick);
  }
}

void SdlInput::SetKey(int code, bool down) {
  if (!ValidKey(code)) return;
  if (down && !keyDown_[code]) ++keyHits_[code];
  keyDown_[code] = down;
}

SdlInput::Port* SdlInput::PortOf(SDL_JoystickID id) {
  for (Port& p : ports_)
    if ((p.controller || p.joystick) && p.id == id) return &p;
  return nullptr;
}

void SdlInput::AddDevice(int deviceIndex) {
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (PortOf(id)) return;
  for (Port& p : ports_) {
    if (p.controller || p.joystick) continue;
    p = Port{};
    if (SDL_IsGameController(deviceIndex)) {
      p.controller = SDL_GameControllerOpen(deviceIndex);
      if (p.controller) p.joystick = SDL_GameControllerGetJoystick(p.controller);
    }
    if (!p.joystick) p.joystick = SDL_JoystickOpen(deviceIndex);
    if (!p.joystick) return;
    p.id = SDL_JoystickInstanceID(p.joystick);
    return;
  }
}

void SdlInput::RemoveDevice(SDL_JoystickID id) {
  Port* p = PortOf(id);
  if (!p) return;
  if (p->controller) SDL_GameControllerClose(p->controller);
  else if (p->joystick) SDL_JoystickClose(p->joystick);
  *p = Port{};
}

void SdlInput::SetButton(Port& port, int button, bool down) {
  if (button < 0 || button >= kJoyButtons) return;
  if (down && !port.down[button]) ++port.hits[button];
  port.down[button] = down;
}

// Axis values are read as states each poll, so a missed event never leaves a stick stuck.
void SdlInput::ReadPortState(Port& port) {
  if (port.controller) {
    for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a) {
      const int slot = ControllerAxisSlot(a);
      if (slot >= 0) port.axes[slot] = AxisValue(SDL_GameControllerGetAxis(port.controller, static_cast<SDL_GameControllerAxis>(a)));
    }
    SetButton(port, 14, port.axes[5] > 0.5f);
    SetButton(port, 15, port.axes[4] > 0.5f);
  } else if (port.joystick) {
    const int n = std::min(SDL_JoystickNumAxes(port.joystick), kJoyAxes);
    for (int a = 0; a < n; ++a) port.axes[a] = AxisValue(SDL_JoystickGetAxis(port.joystick, a));
  }
}

void SdlInput::HandleEvent(const SDL_Event& e) {
  const FrameMapping& m = display_.mapping();
  switch (e.type) {
    case SDL_QUIT:
      quit_ = true;
      break;
    case SDL_WINDOWEVENT:
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) focusLost_ = true;
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      if (e.key.repeat) break;
      const bool down = e.type == SDL_KEYDOWN;
      const int code = VirtualKey(e.key.keysym);
      if (code == kKeyEnter && (e.key.keysym.mod & KMOD_ALT) != 0) {
        if (down) toggleFullscreen_ = true;
        break;
      }
      SetKey(code, down);
      const int generic = GenericModifier(code);
      if (generic >= 0) SetKey(generic, down || keyDown_[code ^ 1]);
      break;
    }
    case SDL_MOUSEMOTION:
      // While the pointer is hidden the game reads motion (it re-centres the pointer every frame, and
      // some desktops ignore that); while it is shown it reads where the pointer is.
      if (mouseShown_) {
        WindowToFrame(m, static_cast<float>(e.motion.x), static_cast<float>(e.motion.y), mouseX_, mouseY_);
      } else {
        // Motion adds up to a position that stays on the frame, where the menus draw their pointer.
        mouseX_ = std::clamp(mouseX_ + e.motion.xrel / m.scale, 0.0f, static_cast<float>(m.frameWidth - 1));
        mouseY_ = std::clamp(mouseY_ + e.motion.yrel / m.scale, 0.0f, static_cast<float>(m.frameHeight - 1));
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const int b = e.button.button == SDL_BUTTON_LEFT ? 1 : e.button.button == SDL_BUTTON_RIGHT ? 2
                    : e.button.button == SDL_BUTTON_MIDDLE ? 3 : -1;
      if (!ValidMouse(b)) break;
      const bool down = e.type == SDL_MOUSEBUTTONDOWN;
      if (down && !mouseDown_[b]) ++mouseHits_[b];
      mouseDown_[b] = down;
      break;
    }
    case SDL_JOYDEVICEADDED:
      AddDevice(e.jdevice.which);
      break;
    case SDL_JOYDEVICEREMOVED:
      RemoveDevice(e.jdevice.which);
      break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (Port* p = PortOf(e.cbutton.which); p && p->controller)
        SetButton(*p, ControllerButtonSlot(e.cbutton.button), e.type == SDL_CONTROLLERBUTTONDOWN);
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      if (Port* p = PortOf(e.jbutton.which); p && !p->controller)
        SetButton(*p, e.jbutton.button, e.type == SDL_JOYBUTTONDOWN);
      break;
    case SDL_JOYHATMOTION:
      // A hat reads as the "hat" axis slot: its direction in eighths of a turn, -1 when centred.
      if (Port* p = PortOf(e.jhat.which); p && !p->controller) {
        static const float kHat[16] = {-1, 0, 0.25f, 0.125f, 0.5f, -1, 0.375f, -1, 0.75f, 0.875f, -1, -1, 0.625f, -1, -1, -1};
        p->axes[9] = kHat[e.jhat.value & 15];
      }
      break;
    default:
      break;
  }
}

void SdlInput::Poll() {
  SDL_Event e;
  while (SDL_PollEvent(&e)) HandleEvent(e);
  for (Port& p : ports_) ReadPortState(p);
  if (gStopSignal) quit_ = true;
}

bool SdlInput::KeyDown(int code) const { return ValidKey(code) && keyDown_[code]; }

int SdlInput::KeyHit(int code) {
  if (!ValidKey(code)) return 0;
  const int hits = keyHits_[code];
  keyHits_[code] = 0;
  return hits;
}

// Discarding pending presses must not discard releases: every queued event is taken in first, so a
// key let go just before the flush reads as up, and only the hits are then forgotten.
void SdlInput::FlushKeys() {
  Poll();
  keyHits_.fill(0);
}

int SdlInput::MouseX() const { return static_cast<int>(mouseX_); }
int SdlInput::MouseY() const { return static_cast<int>(mouseY_); }
bool SdlInput::MouseDown(int button) const { return ValidMouse(button) && mouseDown_[button]; }

int SdlInput::MouseHit(int button) {
  if (!ValidMouse(button)) return 0;
  const int hits = mouseHits_[button];
  mouseHits_[button] = 0;
  return hits;
}

void SdlInput::MoveMouse(int x, int y) {
  mouseX_ = static_cast<float>(x);
  mouseY_ = static_cast<float>(y);
  if (SDL_Window* w = display_.window()) {
    int wx = 0, wy = 0;
    FrameToWindow(display_.mapping(), static_cast<float>(x), static_cast<float>(y), wx, wy);
    SDL_WarpMouseInWindow(w, wx, wy);
    // The warp itself arrives as a motion event; drop it so it is not counted as the player's move.
    SDL_PumpEvents();
    SDL_FlushEvent(SDL_MOUSEMOTION);
  }
}

void SdlInput::ShowMouse() {
  mouseShown_ = true;
  SDL_ShowCursor(SDL_ENABLE);
}

void SdlInput::HideMouse() {
  mouseShown_ = false;
  SDL_ShowCursor(SDL_DISABLE);
}

void SdlInput::FlushMouse() {
  Poll();
  mouseHits_.fill(0);
}

int SdlInput::JoyCount() const {
  return static_cast<int>(std::count_if(ports_.begin(), ports_.end(), [](const Port& p) { return p.joystick != nullptr; }));
}

float SdlInput::JoyAxis(int port, int slot) const {
  if (port < 0 || port >= kJoyPorts || slot < 0 || slot >= kJoyAxes) return 0;
  return ports_[port].axes[slot];
}

bool SdlInput::JoyDown(int port, int button) const {
  if (port < 0 || port >= kJoyPorts || button < 0 || button >= kJoyButtons) return false;
  return ports_[port].down[button];
}

int SdlInput::JoyHit(int port, int button) {
  if (port < 0 || port >= kJoyPorts || button < 0 || button >= kJoyButtons) return 0;
  const int hits = ports_[port].hits[button];
  ports_[port].hits[button] = 0;
  return hits;
}

bool SdlInput::QuitRequested() const { return quit_ || gStopSignal; }

bool SdlInput::FullscreenToggleRequested() {
  const bool toggle = toggleFullscreen_;
  toggleFullscreen_ = false;
  return toggle;
}

bool SdlInput::FocusLost() {
  const bool lost = focusLost_;
  focusLost_ = false;
  return lost;
}

}  // namespace qv
