// Every setting the player can change, with the value it has before "Config.txt" is read, and the
// working copy of the joystick record that play reads.
#pragma once

#include <array>
#include <string_view>

namespace qv {

enum class ControlType { DualAnalog = 0, Mouse = 1, Keyboard = 2, Joypad = 3, Hybrid = 4 };
inline constexpr int kControlTypeCount = 5;

// "Dual Analog", "Mouse", "Keyboard", "Joypad", "Hybrid"; empty text for a value outside the enum.
std::string_view ControlTypeName(ControlType type);

inline constexpr int kJoyPortCount = 4;
inline constexpr int kDifficultyCount = 3;  // 0 "Easy", 1 "Medium", 2 "Hard"

// How two analogue sticks sit on one joystick's axes. Axis numbers are 1-based positions in the axis
// list shown on the dual-stick screen (1 is "JoyX()"); 0 means no axis.
struct JoyPortConfig {
  int moveXAxis = 1, moveYAxis = 2, fireXAxis = 4, fireYAxis = 3;
  int moveXInvert = 1, moveYInvert = 1, fireXInvert = 1, fireYInvert = 1;  // +1 or -1
  float moveXScale = 1.0f, moveYScale = 1.0f, fireXScale = 1.0f, fireYScale = 1.0f;  // divisors
  float moveXCentre = 0.0f, moveYCentre = 0.0f, fireXCentre = 0.0f, fireYCentre = 0.0f;
  float moveXDeadZone = 0.0f, moveYDeadZone = 0.0f, fireXDeadZone = 0.0f, fireYDeadZone = 0.0f;
  int optionButton = 1;
  int bombButton = 2;
  bool operator==(const JoyPortConfig&) const = default;
};

// The record of the port in use, as play reads it: the same values, but axes are 0-based
// (axis number minus 1, so "no axis" is -1).
struct ActiveJoyConfig {
  int moveXAxis = 0, moveYAxis = 1, fireXAxis = 3, fireYAxis = 2;
  int moveXInvert = 1, moveYInvert = 1, fireXInvert = 1, fireYInvert = 1;
  float moveXScale = 1.0f, moveYScale = 1.0f, fireXScale = 1.0f, fireYScale = 1.0f;
  float moveXCentre = 0.0f, moveYCentre = 0.0f, fireXCentre = 0.0f, fireYCentre = 0.0f;
  float moveXDeadZone = 0.0f, moveYDeadZone = 0.0f, fireXDeadZone = 0.0f, fireYDeadZone = 0.0f;
  int optionButton = 1;
  int bombButton = 2;
  bool operator==(const ActiveJoyConfig&) const = default;
};

struct Settings {
  bool windowed = false;
  ControlType controlType = ControlType::DualAnalog;
  int hybridMode = 0;  // 0..2
  int joypadMode = 0;  // 0 "D Pad", 1 "4-Buttons"
  int joypadLeftButton = 0, joypadUpButton = 1, joypadRightButton = 2, joypadDownButton = 3;
  int joypadOptionButton = 0;
  int joypadBombButton = 4;
  int autofire = 0;
  int keyBomb = 32;  // Space; also confirms in menus
  int keyMoveLeft = 83, keyMoveRight = 68, keyMoveUp = 69, keyMoveDown = 88;  // S D E X
  int keyFireLeft = 37, keyFireRight = 39, keyFireUp = 38, keyFireDown = 40;  // the arrows
  float sfxVolume = 0.5f;
  float musicVolume = 0.5f;
  int gridStyle = 0;
  int gridRed = 32, gridGreen = 80, gridBlue = 200;
  float gridOpacity = 0.85f;
  int gridSpacing = 2;  // cells of 4, 8, 16 or 32 pixels
  int fullGrid = 1;
  int gfxSet = 0;  // "Solid", "Low", "Med", "High", "User"
  int starCount = 300;
  int scroll = 0;
  int playfieldWidth = 1024, playfieldHeight = 768;
  int screenWidth = 1024, screenHeight = 768;
  int particleCount = 2048;
  int particleLife = 40;
  int particleGravity = 1;
  float particleDecay = 0.95f;
  int particleStyle = 0;
  float mouseSensitivity = 0.5f;
  int mouseFireButton = 1, mouseBombButton = 2;  // 0 none, 1 left, 2 right, 3 middle
  int difficulty = 1;
  float inertia = 0.0f;
  int usedPort = 0;
  std::array<JoyPortConfig, kJoyPortCount> joyPorts{};
  bool operator==(const Settings&) const = default;
};

// The working copy of the record of port usedPort (port 0 should usedPort ever be outside 0..3).
ActiveJoyConfig ApplyUsedPort(const Settings& settings);

}  // namespace qv
